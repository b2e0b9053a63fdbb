#include "board/TickerdeckToolbarArt.h"

#include <wx/dc.h>

wxAuiToolBarArt* TickerdeckToolbarArt::Clone()
{
    return new TickerdeckToolbarArt(*this);
}

void TickerdeckToolbarArt::DrawBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect)
{
    DrawPlainBackground(dc, wnd, rect);
}

void TickerdeckToolbarArt::DrawPlainBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wnd->GetBackgroundColour()));
    dc.DrawRectangle(rect);
}
