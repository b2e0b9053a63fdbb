#pragma once
// Bars in the cells of a number column: each value's bar sized within the
// range of the column's values, so a column reads at a glance.

/// The values a column's bars are sized within; zero always lies inside it,
/// so every bar starts at zero and a negative one runs the other way.
struct BarRange
{
    double low = 0.0;
    double high = 0.0;

    void Include(double value);
};

/// Where a bar lies across a cell, in pixels from the cell's left edge.
struct BarSpan
{
    int left = 0;
    int width = 0;
};

/// The bar of `value` across `width` pixels: from the zero line to the
/// value, a value outside the range (newer than the range) held at its
/// edge; no bar in an empty range.
BarSpan BarAcross(double value, const BarRange& range, int width);
