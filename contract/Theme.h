#pragma once
// The host's colour theme. Slot order matters: the host and the plug-ins
// share this vtable, and the Reserved slots are host-side entries that
// plug-ins never call. No virtual destructor, so slot numbers start at 0.

#include <wx/colour.h>
#include <wx/font.h>

/// Colours and fonts of the host's current theme.
class Theme
{
public:
    virtual wxColour Reserved0() const = 0;                 // slot 0
    virtual wxColour Reserved1() const = 0;                 // slot 1
    virtual wxColour Reserved2() const = 0;                 // slot 2
    virtual wxColour BackgroundColour() const = 0;          // slot 3
    virtual wxColour ActiveTabColour() const = 0;           // slot 4
    virtual wxColour MarginColour() const = 0;              // slot 5
    virtual wxColour Reserved6() const = 0;                 // slot 6
    virtual wxColour BorderColour() const = 0;              // slot 7
    virtual wxColour Reserved8() const = 0;                 // slot 8
    virtual wxColour GridLineColour() const = 0;            // slot 9
    virtual wxColour CellBackgroundColour() const = 0;      // slot 10
    virtual wxColour Reserved11() const = 0;                // slot 11
    virtual wxColour SelectionColour() const = 0;           // slot 12
    virtual wxColour BookmarkColour() const = 0;            // slot 13
    virtual wxColour UpColour() const = 0;                  // slot 14
    virtual wxColour DownColour() const = 0;                // slot 15
    virtual wxColour Reserved16() const = 0;                // slot 16
    virtual wxColour Reserved17() const = 0;                // slot 17
    virtual wxColour Reserved18() const = 0;                // slot 18
    virtual wxColour LabelTextColour() const = 0;           // slot 19
    virtual wxColour TextColour() const = 0;                // slot 20
    virtual wxColour ButtonColour() const = 0;              // slot 21
    virtual wxFont NormalFont() const = 0;                  // slot 22
    virtual wxFont GridFont() const = 0;                    // slot 23
    /// A variant of the normal font: point size change, weight, style, underline.
    virtual wxFont MakeFont(int sizeChange, int weight, int style, bool underline) const = 0; // slot 24

protected:
    ~Theme() = default;
};
