#include "wxFlatNotebookTabStrip.h"

#include <algorithm>

#include <wx/dcbuffer.h>

#include "wxFlatNotebook.h"

namespace {

constexpr int kArrowWidth = 16;
constexpr int kImageGap = 4;
constexpr int kBadgeGap = 5;

wxString BadgeText(int count)
{
    return count > 99 ? wxString("99+") : wxString::Format("%d", count);
}

/// The badge's size: its count with a little room, never narrower than tall.
wxSize BadgeSize(wxDC& dc, int count)
{
    const wxSize text = dc.GetTextExtent(BadgeText(count));
    const int height = text.y;
    return wxSize(std::max(height, text.x + height / 2), height);
}

}  // namespace

wxFlatNotebookTabStrip::wxFlatNotebookTabStrip(wxFlatNotebook* owner)
    : wxWindow(owner, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE,
               "tabstrip"),
      m_owner(owner)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &wxFlatNotebookTabStrip::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &wxFlatNotebookTabStrip::OnEraseBackground, this);
    Bind(wxEVT_LEFT_DOWN, &wxFlatNotebookTabStrip::OnLeftDown, this);
    // A double click arrives instead of the second press; it means no more than a click.
    Bind(wxEVT_LEFT_DCLICK, &wxFlatNotebookTabStrip::OnLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &wxFlatNotebookTabStrip::OnRightDown, this);
    Bind(wxEVT_MOUSEWHEEL, &wxFlatNotebookTabStrip::OnWheel, this);
    Bind(wxEVT_MOTION, &wxFlatNotebookTabStrip::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &wxFlatNotebookTabStrip::OnLeave, this);
    Bind(wxEVT_SIZE, &wxFlatNotebookTabStrip::OnSize, this);
    UpdateGeometry();
}

void wxFlatNotebookTabStrip::UpdateGeometry()
{
    wxClientDC dc(this);
    dc.SetFont(m_owner->GetFont());
    const wxSize padding = m_owner->GetPadding();
    int contentHeight = dc.GetCharHeight();
    m_widths.clear();
    for (const auto& page : m_owner->m_pages)
    {
        int width = dc.GetTextExtent(page.text).x + 2 * padding.x;
        if (page.badge > 0)
            width += kBadgeGap + BadgeSize(dc, page.badge).x;
        const wxBitmap& image = m_owner->m_images ? m_owner->m_images->Get(page.image) : wxNullBitmap;
        if (image.IsOk())
        {
            width += image.GetWidth() + kImageGap;
            contentHeight = std::max(contentHeight, image.GetHeight());
        }
        m_widths.push_back(width);
    }
    // Vertical padding is split above and below; one more row for the strip line.
    m_height = contentHeight + std::max(padding.y, 2) + 1;

    int total = 0;
    for (int width : m_widths)
        total += width;
    m_arrows = total > GetClientSize().x;
    m_firstVisible = m_arrows ? std::min(m_firstVisible, MaxFirstVisible()) : 0;
    m_hover = -1;
    InvalidateBestSize();
    Refresh();
}

int wxFlatNotebookTabStrip::TabAreaWidth() const
{
    return GetClientSize().x - (m_arrows ? 2 * kArrowWidth : 0);
}

int wxFlatNotebookTabStrip::MaxFirstVisible() const
{
    // The last tab that can still be first while all later tabs fit.
    int first = static_cast<int>(m_widths.size());
    int used = 0;
    while (first > 0 && used + m_widths[static_cast<size_t>(first - 1)] <= TabAreaWidth())
        used += m_widths[static_cast<size_t>(--first)];
    return std::min(first, std::max(0, static_cast<int>(m_widths.size()) - 1));
}

void wxFlatNotebookTabStrip::EnsureVisible(int tab)
{
    // Before the first layout every tab looks hidden; the size handler retries.
    if (tab < 0 || tab >= static_cast<int>(m_widths.size()) || !m_arrows || TabAreaWidth() <= 0)
        return;
    if (tab < m_firstVisible)
        m_firstVisible = tab;
    while (m_firstVisible < tab)
    {
        const wxRect rect = GetTabRect(tab);
        if (!rect.IsEmpty() && rect.GetRight() < TabAreaWidth())
            break;
        ++m_firstVisible;
    }
    Refresh();
}

bool wxFlatNotebookTabStrip::ScrollTabs(int delta)
{
    if (!m_arrows)
        return false;
    const int first = std::clamp(m_firstVisible + delta, 0, MaxFirstVisible());
    if (first == m_firstVisible)
        return false;
    m_firstVisible = first;
    Refresh();
    return true;
}

wxRect wxFlatNotebookTabStrip::GetTabRect(int tab) const
{
    if (tab < m_firstVisible || tab >= static_cast<int>(m_widths.size()))
        return wxRect();
    int x = 0;
    for (int i = m_firstVisible; i < tab; ++i)
        x += m_widths[static_cast<size_t>(i)];
    if (x >= TabAreaWidth())
        return wxRect();
    const int width = std::min(m_widths[static_cast<size_t>(tab)], TabAreaWidth() - x);
    return wxRect(x, 0, width, m_height - 1);
}

wxRect wxFlatNotebookTabStrip::LeftArrowRect() const
{
    return wxRect(GetClientSize().x - 2 * kArrowWidth, 0, kArrowWidth, m_height - 1);
}

wxRect wxFlatNotebookTabStrip::RightArrowRect() const
{
    return wxRect(GetClientSize().x - kArrowWidth, 0, kArrowWidth, m_height - 1);
}

wxFlatNotebookTabStrip::Hit wxFlatNotebookTabStrip::HitTest(const wxPoint& point) const
{
    Hit hit;
    if (m_arrows && LeftArrowRect().Contains(point))
        hit.kind = Hit::ScrollLeft;
    else if (m_arrows && RightArrowRect().Contains(point))
        hit.kind = Hit::ScrollRight;
    else
    {
        for (int tab = m_firstVisible; tab < static_cast<int>(m_widths.size()); ++tab)
        {
            const wxRect rect = GetTabRect(tab);
            if (rect.IsEmpty())
                break;
            if (point.x >= rect.x && point.x <= rect.GetRight() && point.y >= 0 && point.y < m_height)
            {
                hit.kind = Hit::Tab;
                hit.tab = tab;
                break;
            }
        }
    }
    return hit;
}

wxSize wxFlatNotebookTabStrip::DoGetBestSize() const
{
    int total = 0;
    for (int width : m_widths)
        total += width;
    return wxSize(std::max(total, 2 * kArrowWidth), m_height);
}

void wxFlatNotebookTabStrip::DrawTab(wxDC& dc, int tab, const wxRect& rect) const
{
    const auto& page = m_owner->m_pages[static_cast<size_t>(tab)];
    const bool active = tab == m_owner->GetSelection();
    const wxColour border = m_owner->GetBorderColour();

    if (active)
    {
        // The active tab reaches down through the strip line into the page.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(m_owner->GetActiveTabColour()));
        dc.DrawRectangle(rect.x, rect.y, rect.width, rect.height + 1);
        dc.SetPen(wxPen(border));
        dc.DrawLine(rect.GetLeft(), rect.GetBottom() + 1, rect.GetLeft(), rect.GetTop());
        dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
        dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom() + 1);
    }
    else if (tab + 1 != m_owner->GetSelection())
    {
        dc.SetPen(wxPen(border));
        const int inset = rect.height / 4;
        dc.DrawLine(rect.GetRight(), rect.GetTop() + inset, rect.GetRight(), rect.GetBottom() - inset);
    }

    const wxSize padding = m_owner->GetPadding();
    int x = rect.x + padding.x;
    const wxBitmap& image = m_owner->m_images ? m_owner->m_images->Get(page.image) : wxNullBitmap;
    wxDCClipper clip(dc, rect);
    if (image.IsOk())
    {
        dc.DrawBitmap(image, x, rect.y + (rect.height - image.GetHeight()) / 2, true);
        x += image.GetWidth() + kImageGap;
    }
    const bool highlighted = active || tab == m_hover;
    dc.SetTextForeground(highlighted ? m_owner->GetActiveTabTextColour()
                                     : m_owner->GetNonActiveTabTextColour());
    dc.DrawText(page.text, x, rect.y + (rect.height - dc.GetCharHeight()) / 2);
    if (page.badge > 0)
        DrawBadge(dc, page.badge, wxPoint(x + dc.GetTextExtent(page.text).x + kBadgeGap, rect.y), rect.height);
}

void wxFlatNotebookTabStrip::DrawBadge(wxDC& dc, int count, const wxPoint& at, int tabHeight) const
{
    const wxSize size = BadgeSize(dc, count);
    const wxRect badge(at.x, at.y + (tabHeight - size.y) / 2, size.x, size.y);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_owner->GetBadgeColour()));
    dc.DrawRoundedRectangle(badge, size.y / 2.0);
    const wxString text = BadgeText(count);
    const wxSize extent = dc.GetTextExtent(text);
    dc.SetTextForeground(m_owner->GetBadgeTextColour());
    dc.DrawText(text, badge.x + (badge.width - extent.x) / 2, badge.y + (badge.height - extent.y) / 2);
}

void wxFlatNotebookTabStrip::DrawArrow(wxDC& dc, const wxRect& rect, bool left, bool enabled) const
{
    const wxColour colour = enabled ? m_owner->GetActiveTabTextColour() : m_owner->GetBorderColour();
    dc.SetPen(wxPen(colour));
    dc.SetBrush(wxBrush(colour));
    const wxPoint centre(rect.x + rect.width / 2, rect.y + rect.height / 2);
    const int half = 4;
    wxPoint points[3];
    if (left)
    {
        points[0] = wxPoint(centre.x - half / 2 - 1, centre.y);
        points[1] = wxPoint(centre.x + half / 2, centre.y - half);
        points[2] = wxPoint(centre.x + half / 2, centre.y + half);
    }
    else
    {
        points[0] = wxPoint(centre.x + half / 2 + 1, centre.y);
        points[1] = wxPoint(centre.x - half / 2, centre.y - half);
        points[2] = wxPoint(centre.x - half / 2, centre.y + half);
    }
    dc.DrawPolygon(3, points);
}

void wxFlatNotebookTabStrip::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_owner->GetTabAreaColour()));
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetFont(m_owner->GetFont());

    if (m_owner->HasFlag(wxFLATNB_STRIP_LINE) || m_owner->HasFlag(wxFLATNB_PAGE_BORDER))
    {
        dc.SetPen(wxPen(m_owner->GetBorderColour()));
        dc.DrawLine(0, m_height - 1, size.x, m_height - 1);
    }

    for (int tab = m_firstVisible; tab < static_cast<int>(m_widths.size()); ++tab)
    {
        const wxRect rect = GetTabRect(tab);
        if (rect.IsEmpty())
            break;
        DrawTab(dc, tab, rect);
    }

    if (m_arrows)
    {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(m_owner->GetTabAreaColour()));
        dc.DrawRectangle(LeftArrowRect().Union(RightArrowRect()));
        DrawArrow(dc, LeftArrowRect(), true, m_firstVisible > 0);
        DrawArrow(dc, RightArrowRect(), false, m_firstVisible < MaxFirstVisible());
    }
}

void wxFlatNotebookTabStrip::OnLeftDown(wxMouseEvent& event)
{
    const Hit hit = HitTest(event.GetPosition());
    switch (hit.kind)
    {
    case Hit::ScrollLeft:
        ScrollTabs(-1);
        break;
    case Hit::ScrollRight:
        ScrollTabs(1);
        break;
    case Hit::Tab:
        m_owner->SelectByUser(static_cast<size_t>(hit.tab));
        break;
    case Hit::Nothing:
        event.Skip();
        break;
    }
}

void wxFlatNotebookTabStrip::OnRightDown(wxMouseEvent& event)
{
    const Hit hit = HitTest(event.GetPosition());
    if (hit.kind == Hit::Tab)
        m_owner->ShowTabContextMenu(static_cast<size_t>(hit.tab), event.GetPosition());
    else
        event.Skip();
}

void wxFlatNotebookTabStrip::OnWheel(wxMouseEvent& event)
{
    if (!ScrollTabs(event.GetWheelRotation() > 0 ? -1 : 1))
        event.Skip();
}

void wxFlatNotebookTabStrip::OnMotion(wxMouseEvent& event)
{
    const Hit hit = HitTest(event.GetPosition());
    const int hover = hit.kind == Hit::Tab ? hit.tab : -1;
    if (hover != m_hover)
    {
        m_hover = hover;
        Refresh();
    }
    const wxString tip = hover >= 0 ? m_owner->GetTabToolTip(static_cast<size_t>(hover)) : wxString();
    if (tip.empty() && GetToolTip())
        UnsetToolTip();
    else if (!tip.empty() && GetToolTipText() != tip)
        SetToolTip(tip);
    event.Skip();
}

void wxFlatNotebookTabStrip::OnLeave(wxMouseEvent& event)
{
    if (m_hover != -1)
    {
        m_hover = -1;
        Refresh();
    }
    event.Skip();
}

void wxFlatNotebookTabStrip::OnSize(wxSizeEvent& event)
{
    UpdateGeometry();
    EnsureVisible(m_owner->GetSelection());
    event.Skip();
}
