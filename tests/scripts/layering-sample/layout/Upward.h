#pragma once
// A window-free folder reaching up into the board: the layering check must reject it.

#include "board/Tickerdeck.h"
