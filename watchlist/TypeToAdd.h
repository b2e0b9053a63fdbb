#pragma once
// Adding to a watchlist by typing on its tab.

#include <memory>
#include <vector>

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "contract/Records.h"
#include "watchlist/LookupField.h"

class InstrumentLookup;
class wxGridEx;

/// A letter or digit typed in the grid of a stored watchlist's tab opens a
/// LookupField with it; the instrument chosen there is added to the
/// watchlist through the shared store, or its row selected when the tab
/// holds it already.
class TypeToAdd : public BoardFeature
{
public:
    std::vector<BoardEventKind> EventKinds() const override;
    void OnGridKey(Tickerdeck& board, wxKeyEvent& event) override;

    /// Adds `instrument` to the watchlist of `grid`'s tab (one store
    /// operation) unless the tab holds it; selects its row either way once
    /// there is one. False when the store could not be written.
    static bool AddOrSelect(Tickerdeck& board, wxGridEx* grid, Instrument* instrument);

    /// The open field, or null.
    LookupField* GetOpenField() const { return m_field && !m_field->IsClosing() ? m_field.get() : nullptr; }

private:
    void Open(Tickerdeck& board, wxGridEx* grid, const wxString& typed);
    std::shared_ptr<const InstrumentLookup> Lookup(Tickerdeck& board);

    wxWeakRef<LookupField> m_field;
    std::shared_ptr<const InstrumentLookup> m_lookup;
    // What the lookup was made of: the host's list, and its size then.
    const void* m_lookupSource = nullptr;
    size_t m_lookupSize = 0;
};

/// The grid of a stored watchlist's tab whose cells sent `event`, or null.
wxGridEx* WatchlistGridOf(Tickerdeck& board, const wxEvent& event);
