#pragma once
// Toolbar painting in the board's theme colour.

#include <wx/aui/auibar.h>

/// Paints the toolbar background with the toolbar's own background colour,
/// which the platform's native toolbar would ignore.
class TickerdeckToolbarArt : public wxAuiDefaultToolBarArt
{
public:
    wxAuiToolBarArt* Clone() override;
    void DrawBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect) override;
    void DrawPlainBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect) override;
};
