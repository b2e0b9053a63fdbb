#pragma once
// Trend lines drawn once and kept as pictures between paints.

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>

struct Price;
class wxDC;

/// The trend line of each quote drawn once into a picture and put on the
/// cell at every paint until its points, its size or its colours change:
/// stroking a line of a hundred and twenty points cost a screen of trend
/// cells more than the rest of its paint, and the points change only once
/// an interval.
class TrendPictures
{
public:
    /// What a picture shows: it is drawn again when any of it changes.
    struct Look
    {
        std::vector<double> points;
        double prevClose = 0.0;
        wxColour up;
        wxColour down;
        wxColour text;
        wxColour background;  // the cell's as painted: selected, flashing or not
        bool operator==(const Look& other) const;
    };
    /// Draws the line on `target` as if the cell's area began at `origin`:
    /// a picture's top left, or the area itself on a DC drawn on directly.
    using Drawing = std::function<void(wxDC& target, const wxPoint& origin)>;

    /// Puts the picture of `price` with `look` on `dc` at `area`, drawing
    /// it with `draw` first when the one kept shows something else. A
    /// scaled DC is drawn on directly: a picture would blur there.
    void Draw(wxDC& dc, const wxRect& area, const Price* price, const Look& look, const Drawing& draw);

    /// Pictures kept at most; the screens of a few tall windows. Past it
    /// they are all drawn afresh.
    static constexpr size_t kCapacity = 512;

private:
    struct Picture
    {
        Look look;
        wxBitmap bitmap;
    };
    std::unordered_map<const Price*, Picture> m_pictures;
};
