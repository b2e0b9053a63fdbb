#pragma once
// Instruments of a stored watchlist that the host could not find when a tab
// was filled. They get no row, but they are still the user's: every rewrite
// of the watchlist puts them back where they stood.

#include <functional>
#include <vector>

#include "layout/LayoutEntries.h"

namespace layout {

/// The unresolved references of one stored watchlist, each kept with the
/// resolved references that stood before it in the store.
class UnresolvedRefs
{
public:
    using Resolves = std::function<bool(const InstrumentRef&)>;

    UnresolvedRefs() = default;
    /// Sorts `stored` (one watchlist in store order) by whether `resolves`
    /// finds each reference. Keeps nothing when every reference resolves.
    UnresolvedRefs(const std::vector<InstrumentRef>& stored, const Resolves& resolves);
    /// The same from flags already known: `unresolved[i]` tells whether
    /// `stored[i]` went unfound. Spares a second lookup of every reference.
    UnresolvedRefs(const std::vector<InstrumentRef>& stored, std::vector<bool> unresolved);

    bool Empty() const { return m_stored.empty(); }

    /// `rows` (the tab's instruments in their order) with the unresolved
    /// references put back: each follows the nearest resolved reference that
    /// stood before it in the store and is still among `rows`, or goes first
    /// when there is none. A reference that `rows` holds is not repeated.
    std::vector<InstrumentRef> MergeInto(const std::vector<InstrumentRef>& rows) const;

private:
    // The watchlist as it was stored; kept only when something is unresolved.
    std::vector<InstrumentRef> m_stored;
    std::vector<bool> m_unresolved;
};

}  // namespace layout
