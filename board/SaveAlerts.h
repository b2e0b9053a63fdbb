#pragma once
// Writing a board's price alerts into its window node.

#include "layout/TreeValues.h"

class Tickerdeck;

namespace layout {

/// Replaces the node's "alerts" with one "alert" per alert of the board,
/// in the order of the board's alert map.
void SaveAlerts(Tickerdeck& board, Tree& node);

}  // namespace layout
