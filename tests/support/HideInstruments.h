#pragma once
// A tab filter for tests that hides chosen instruments; no windows needed.

#include <set>
#include <utility>

#include "contract/Records.h"
#include "model/FilterSet.h"

namespace testing_support {

/// Hides the quotes of the instruments it is given, on every date.
class HideInstruments : public FilterSet
{
public:
    explicit HideInstruments(std::set<const Instrument*> hide = {}) : hidden(std::move(hide)) {}
    bool Accepts(const Price& price) const override { return hidden.count(price.instrument) == 0; }
    // Tests change the hidden set while rows show.
    bool AcceptsShown(const Price& price) const override { return Accepts(price); }
    std::set<const Instrument*> hidden;
};

}  // namespace testing_support
