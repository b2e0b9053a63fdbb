#pragma once
// The stored form of colour rules and column sets. Both live in elements an
// older reader passes over; a rule this version cannot read is kept as it
// was written.

#include <string>
#include <vector>

#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"
#include "model/ColourRules.h"

namespace layout {

/// The element of a tab (and of a column set) that holds its rules.
extern const char* const kColourRulesElement;
/// The element of a window node that holds its column sets.
extern const char* const kColumnSetsElement;

/// The "rule" children of a rules element, in order. A rule with an
/// attribute that does not read keeps all its attributes verbatim.
std::vector<ColourRuleSpec> ReadColourRules(const Tree& rules);
/// A rules element; rules read verbatim are written back as they were.
Tree ColourRulesTree(const std::vector<ColourRuleSpec>& rules);

/// The column sets of a window node; none when it has no such element.
ColumnSets ReadColumnSets(const Tree& node);
/// The element for `sets`.
Tree ColumnSetsTree(const ColumnSets& sets);

}  // namespace layout
