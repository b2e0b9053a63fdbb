#pragma once
// The widgets the terminal brings along, in the order its menus list them.

#include <memory>
#include <vector>

#include "BuiltinWidget.h"

/// Ladder, Tape, Charting, Sweeper, Fillscope and Ticket.
std::vector<std::unique_ptr<BuiltinWidget>> MakeBuiltinWidgets();
