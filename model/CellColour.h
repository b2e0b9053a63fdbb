#pragma once
// Which text colour a quote cell gets from its colour rule.

#include <cstdint>

struct Price;

/// Text colour of a cell, resolved to a real colour by the table's theme.
enum class CellColour : uint8_t
{
    Unset,       // the attribute carries no text colour of its own
    Foreground,  // the grid's foreground colour
    Up,
    Down,
};

/// Colour that column `col` gives to the quote; `previous` is the colour the
/// cell had, kept by the columns whose rule leaves exact ties unchanged.
CellColour TextColourFor(int col, const Price& price, CellColour previous);
