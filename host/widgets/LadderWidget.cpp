#include "LadderWidget.h"

#include <algorithm>

#include <wx/dcbuffer.h>

#include "InstrumentPanel.h"
#include "MarketDepth.h"
#include "contract/Host.h"
#include "contract/Theme.h"

namespace {

constexpr int kLevelsPerSide = 5;
constexpr int kHeaderHeight = 44;
constexpr int kRowHeight = 24;

/// Draws the book as a price ladder with volume bars.
class LadderPanel : public InstrumentPanel
{
public:
    LadderPanel(wxWindow* parent, Host& host) : InstrumentPanel(parent, host)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &LadderPanel::OnPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) { Refresh(); event.Skip(); });
        ApplyCurrentTheme();
    }

protected:
    void ShowPrice(Price*, bool) override { Refresh(); }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxAutoBufferedPaintDC dc(this);
        const Theme& theme = CurrentTheme();
        const wxSize size = GetClientSize();
        dc.SetBackground(wxBrush(theme.CellBackgroundColour()));
        dc.Clear();
        DrawHeader(dc, theme, size);
        if (!LinkedPrice())
            return;
        const std::vector<DepthLevel> book = SynthesiseDepth(*LinkedPrice(), kLevelsPerSide);
        double largest = 1.0;
        for (const DepthLevel& level : book)
            largest = std::max(largest, level.volume);
        dc.SetFont(theme.GridFont());
        int y = kHeaderHeight;
        for (const DepthLevel& level : book)
        {
            DrawLevel(dc, theme, level, largest, wxRect(0, y, size.x, kRowHeight));
            y += kRowHeight;
        }
    }

    void DrawHeader(wxDC& dc, const Theme& theme, const wxSize& size)
    {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(theme.BackgroundColour()));
        dc.DrawRectangle(0, 0, size.x, kHeaderHeight);
        const Instrument* instrument = LinkedInstrument();
        dc.SetFont(theme.MakeFont(1, 700, 90, false));
        dc.SetTextForeground(theme.TextColour());
        if (!instrument)
        {
            dc.SetTextForeground(theme.LabelTextColour());
            dc.DrawText(_("Select an instrument on a board"), 10, 12);
            return;
        }
        dc.DrawText(wxString::FromUTF8(instrument->code + "  " + instrument->exchange), 10, 4);
        dc.SetFont(theme.NormalFont());
        dc.SetTextForeground(theme.LabelTextColour());
        dc.DrawText(wxString::FromUTF8(instrument->name), 10, 24);
        if (const Price* price = LinkedPrice())
        {
            dc.SetFont(theme.MakeFont(2, 700, 90, false));
            dc.SetTextForeground(price->change >= 0 ? theme.UpColour() : theme.DownColour());
            const wxString last = FormatPrice(price->last, instrument);
            const wxSize extent = dc.GetTextExtent(last);
            dc.DrawText(last, size.x - extent.x - 10, (kHeaderHeight - extent.y) / 2);
        }
    }

    void DrawLevel(wxDC& dc, const Theme& theme, const DepthLevel& level, double largest, const wxRect& row)
    {
        const wxColour side = level.ask ? theme.DownColour() : theme.UpColour();
        const int third = row.width / 3;
        const int barWidth = static_cast<int>((third - 8) * level.volume / largest);
        // A bar in a muted shade of the side's colour shows the size at a glance.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxColour((side.Red() + theme.CellBackgroundColour().Red() * 3) / 4,
                                     (side.Green() + theme.CellBackgroundColour().Green() * 3) / 4,
                                     (side.Blue() + theme.CellBackgroundColour().Blue() * 3) / 4)));
        if (level.ask)
            dc.DrawRectangle(2 * third + 4, row.y + 3, barWidth, row.height - 6);
        else
            dc.DrawRectangle(third - 4 - barWidth, row.y + 3, barWidth, row.height - 6);
        dc.SetPen(wxPen(theme.GridLineColour()));
        dc.DrawLine(0, row.GetBottom(), row.width, row.GetBottom());

        const wxString volume = FormatVolume(level.volume);
        const wxString price = FormatPrice(level.price, LinkedInstrument());
        dc.SetTextForeground(theme.TextColour());
        const int textY = row.y + (row.height - dc.GetTextExtent("0").y) / 2;
        if (level.ask)
            dc.DrawText(volume, 2 * third + 8, textY);
        else
            dc.DrawText(volume, third - 8 - dc.GetTextExtent(volume).x, textY);
        dc.SetTextForeground(side);
        dc.DrawText(price, third + (third - dc.GetTextExtent(price).x) / 2, textY);
    }
};

}  // namespace

wxPanel* LadderWidget::CreatePanel(wxWindow* container, uint64_t, int)
{
    return new LadderPanel(container, *host);
}
