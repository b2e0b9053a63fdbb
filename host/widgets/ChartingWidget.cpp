#include "ChartingWidget.h"

#include <vector>

#include <wx/dcbuffer.h>

#include "InstrumentPanel.h"
#include "PriceHistory.h"
#include "contract/Theme.h"

namespace {

constexpr int kMargin = 12;
constexpr int kHeaderHeight = 34;
constexpr int kScaleWidth = 76;
constexpr int kGridLines = 4;

/// Draws the price series with a scale on the right.
class ChartPanel : public InstrumentPanel
{
public:
    ChartPanel(wxWindow* parent, Host& host) : InstrumentPanel(parent, host)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &ChartPanel::OnPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) { Refresh(); event.Skip(); });
        ApplyCurrentTheme();
    }

protected:
    void ShowPrice(Price* price, bool fresh) override
    {
        if (fresh)
        {
            m_history.Clear();
            if (price)
                m_history.Add(price->prevClose);
        }
        if (price)
            m_history.Add(price->last);
        Refresh();
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxAutoBufferedPaintDC dc(this);
        const Theme& theme = CurrentTheme();
        dc.SetBackground(wxBrush(theme.CellBackgroundColour()));
        dc.Clear();
        const wxSize size = GetClientSize();
        const wxRect plot(kMargin, kHeaderHeight, size.x - kMargin - kScaleWidth, size.y - kHeaderHeight - kMargin);
        DrawHeader(dc, theme);
        if (plot.width < 20 || plot.height < 20)
            return;
        DrawGrid(dc, theme, plot);
        DrawSeries(dc, theme, plot);
    }

    void DrawHeader(wxDC& dc, const Theme& theme)
    {
        const Instrument* instrument = LinkedInstrument();
        dc.SetFont(theme.MakeFont(1, 700, 90, false));
        dc.SetTextForeground(instrument ? theme.TextColour() : theme.LabelTextColour());
        dc.DrawText(instrument ? wxString::FromUTF8(instrument->code + " \u00b7 " + instrument->name)
                               : wxString(_("Select an instrument on a board")),
                    kMargin, 8);
    }

    void DrawGrid(wxDC& dc, const Theme& theme, const wxRect& plot)
    {
        dc.SetPen(wxPen(theme.GridLineColour()));
        dc.SetFont(theme.GridFont());
        dc.SetTextForeground(theme.LabelTextColour());
        for (int line = 0; line <= kGridLines; ++line)
        {
            const int y = plot.y + line * (plot.height - 1) / kGridLines;
            dc.DrawLine(plot.x, y, plot.GetRight(), y);
            if (m_history.Points().empty())
                continue;
            const double low = m_history.Low();
            const double high = m_history.High();
            // Label each line with the price it stands for.
            const double share = 1.0 - static_cast<double>(line) / kGridLines;
            const double value = PriceAt(share, plot.height, low, high);
            dc.DrawText(FormatPrice(value, LinkedInstrument()), plot.GetRight() + 6, y - 7);
        }
    }

    // Inverse of PriceHistory::ToY for the grid labels.
    double PriceAt(double share, int height, double low, double high) const
    {
        const int top = m_history.ToY(high, height);
        const int bottom = m_history.ToY(low, height);
        const double y = (1.0 - share) * (height - 1);
        if (bottom == top)
            return low;
        return low + (high - low) * (bottom - y) / (bottom - top);
    }

    void DrawSeries(wxDC& dc, const Theme& theme, const wxRect& plot)
    {
        const auto& points = m_history.Points();
        if (points.size() < 2)
            return;
        const bool rising = points.back() >= points.front();
        std::vector<wxPoint> line;
        line.reserve(points.size());
        for (size_t i = 0; i < points.size(); ++i)
            line.emplace_back(plot.x + static_cast<int>(i * (plot.width - 1) / (points.size() - 1)),
                              plot.y + m_history.ToY(points[i], plot.height));
        dc.SetPen(wxPen(rising ? theme.UpColour() : theme.DownColour(), 2));
        dc.DrawLines(static_cast<int>(line.size()), line.data());
        dc.SetBrush(wxBrush(rising ? theme.UpColour() : theme.DownColour()));
        dc.DrawCircle(line.back(), 3);
    }

    PriceHistory m_history;
};

}  // namespace

wxPanel* ChartingWidget::CreatePanel(wxWindow* container, uint64_t, int)
{
    return new ChartPanel(container, *host);
}
