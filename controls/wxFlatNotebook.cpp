#include "wxFlatNotebook.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "wxFlatNotebookTabStrip.h"

wxIMPLEMENT_CLASS(wxFlatNotebook, wxPanel);

wxFlatNotebook::wxFlatNotebook(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style | wxTAB_TRAVERSAL | wxBORDER_NONE, name),
      m_borderColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)),
      m_tabAreaColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)),
      m_activeTabColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)),
      m_activeTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)),
      m_inactiveTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_strip = new wxFlatNotebookTabStrip(this);
    Bind(wxEVT_SIZE, &wxFlatNotebook::OnSize, this);
    Bind(wxEVT_PAINT, &wxFlatNotebook::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

wxFlatNotebook::~wxFlatNotebook()
{
    // Children are destroyed by the base class after our members are gone;
    // forget the pages now so RemoveChild never looks at them.
    m_pages.clear();
    m_strip = nullptr;
}

bool wxFlatNotebook::AddPage(wxWindow* page, const wxString& text, bool select, int imageId)
{
    return InsertPage(m_pages.size(), page, text, select, imageId);
}

bool wxFlatNotebook::InsertPage(size_t index, wxWindow* page, const wxString& text, bool select,
                                int imageId)
{
    if (!page || index > m_pages.size() || GetPageIndex(page) != wxNOT_FOUND || page == m_strip)
        return false;
    if (page->GetParent() != this)
        page->Reparent(this);
    page->Hide();
    m_pages.insert(m_pages.begin() + static_cast<std::ptrdiff_t>(index), Page{page, text, imageId, 0});
    if (m_selection >= static_cast<int>(index))
        ++m_selection;

    m_strip->UpdateGeometry();
    if (select)
        SetSelection(index);
    else if (m_selection == wxNOT_FOUND)
        ChangeSelection(index);  // a notebook with pages always shows one
    LayoutPages();
    RefreshTabs();
    return true;
}

void wxFlatNotebook::DetachPage(size_t index)
{
    const int oldSelection = m_selection;
    wxWindow* window = m_pages[index].window;
    m_pages.erase(m_pages.begin() + static_cast<std::ptrdiff_t>(index));
    window->Hide();

    const int removed = static_cast<int>(index);
    if (removed < m_selection)
        --m_selection;
    else if (removed == m_selection)
    {
        // The neighbour takes over, or no page at all; the listener must hear
        // of it, or it would keep pointing into the page that just went away.
        m_selection = std::min(removed, static_cast<int>(m_pages.size()) - 1);
        ShowOnly(m_selection);
        SendChanged(m_selection, oldSelection);
    }
    if (m_strip)
    {
        m_strip->UpdateGeometry();
        m_strip->EnsureVisible(m_selection);
    }
    LayoutPages();
}

bool wxFlatNotebook::RemovePage(size_t index)
{
    if (!IsValidIndex(index))
        return false;
    DetachPage(index);
    return true;
}

bool wxFlatNotebook::DeletePage(size_t index)
{
    if (!IsValidIndex(index))
        return false;
    wxWindow* window = m_pages[index].window;
    DetachPage(index);
    window->Destroy();
    return true;
}

bool wxFlatNotebook::DeleteAllPages()
{
    // No page-changed storm: the listener learns once that nothing is selected.
    std::vector<Page> pages;
    pages.swap(m_pages);
    const int oldSelection = m_selection;
    m_selection = wxNOT_FOUND;
    for (auto& page : pages)
        page.window->Destroy();
    m_strip->UpdateGeometry();
    Refresh();
    if (oldSelection != wxNOT_FOUND)
        SendChanged(wxNOT_FOUND, oldSelection);
    return true;
}

void wxFlatNotebook::RemoveChild(wxWindowBase* child)
{
    const auto found = std::find_if(m_pages.begin(), m_pages.end(),
                                    [child](const Page& page) { return page.window == child; });
    if (found != m_pages.end())
        DetachPage(static_cast<size_t>(found - m_pages.begin()));
    wxPanel::RemoveChild(child);
}

size_t wxFlatNotebook::GetPageCount() const
{
    return m_pages.size();
}

wxWindow* wxFlatNotebook::GetPage(size_t index) const
{
    return IsValidIndex(index) ? m_pages[index].window : nullptr;
}

int wxFlatNotebook::GetPageIndex(wxWindow* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].window == page)
            return static_cast<int>(i);
    return wxNOT_FOUND;
}

int wxFlatNotebook::GetSelection() const
{
    return m_selection;
}

bool wxFlatNotebook::SendChanging(int newSelection)
{
    wxFlatNotebookEvent event(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING, GetId(), newSelection,
                              m_selection);
    event.SetEventObject(this);
    // A veto counts even when the handler also skipped the event.
    GetEventHandler()->ProcessEvent(event);
    return event.IsAllowed();
}

void wxFlatNotebook::SendChanged(int newSelection, int oldSelection)
{
    wxFlatNotebookEvent event(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, GetId(), newSelection,
                              oldSelection);
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);
}

int wxFlatNotebook::SetSelection(size_t index)
{
    const int oldSelection = m_selection;
    if (!IsValidIndex(index) || static_cast<int>(index) == oldSelection)
        return oldSelection;
    if (!SendChanging(static_cast<int>(index)))
        return oldSelection;
    // A changing handler may have removed pages.
    if (!IsValidIndex(index))
        return oldSelection;
    ChangeSelection(index);
    SendChanged(static_cast<int>(index), oldSelection);
    return oldSelection;
}

int wxFlatNotebook::ChangeSelection(size_t index)
{
    const int oldSelection = m_selection;
    if (!IsValidIndex(index))
        return oldSelection;
    m_selection = static_cast<int>(index);
    ShowOnly(m_selection);
    LayoutPages();
    m_strip->EnsureVisible(m_selection);
    RefreshTabs();
    return oldSelection;
}

void wxFlatNotebook::SelectByUser(size_t index)
{
    SetSelection(index);
}

void wxFlatNotebook::ShowTabContextMenu(size_t index, const wxPoint& stripPosition)
{
    if (!IsValidIndex(index))
        return;
    SetSelection(index);
    wxFlatNotebookEvent event(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, GetId(),
                              static_cast<int>(index), m_selection);
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);
    if (!event.IsAllowed())
        return;
    if (m_rightClickMenu)
        m_strip->PopupMenu(m_rightClickMenu, stripPosition);
}

void wxFlatNotebook::ShowOnly(int selection)
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (static_cast<int>(i) != selection)
            m_pages[i].window->Hide();
    if (IsValidIndex(static_cast<size_t>(selection)))
        m_pages[static_cast<size_t>(selection)].window->Show();
}

wxString wxFlatNotebook::GetTabToolTip(size_t index) const
{
    return IsValidIndex(index) && m_toolTipSource ? m_toolTipSource(index) : wxString();
}

wxString wxFlatNotebook::GetPageText(size_t index) const
{
    return IsValidIndex(index) ? m_pages[index].text : wxString();
}

bool wxFlatNotebook::SetPageText(size_t index, const wxString& text)
{
    if (!IsValidIndex(index))
        return false;
    m_pages[index].text = text;
    m_strip->UpdateGeometry();
    return true;
}

void wxFlatNotebook::SetPageBadge(size_t index, int count)
{
    if (!IsValidIndex(index) || m_pages[index].badge == std::max(count, 0))
        return;
    m_pages[index].badge = std::max(count, 0);
    m_strip->UpdateGeometry();
}

int wxFlatNotebook::GetPageBadge(size_t index) const
{
    return IsValidIndex(index) ? m_pages[index].badge : 0;
}

void wxFlatNotebook::SetBadgeColours(const wxColour& fill, const wxColour& text)
{
    m_badgeColour = fill;
    m_badgeTextColour = text;
    RefreshTabs();
}

void wxFlatNotebook::SetPageImage(size_t index, int imageId)
{
    if (!IsValidIndex(index))
        return;
    m_pages[index].image = imageId;
    m_strip->UpdateGeometry();
    LayoutPages();
}

int wxFlatNotebook::GetPageImage(size_t index) const
{
    return IsValidIndex(index) ? m_pages[index].image : -1;
}

void wxFlatNotebook::SetImageList(wxFlatNotebookImageList* list)
{
    m_images = list;
    // An owner dropping its list while its window tree is torn down must not
    // make us lay out pages whose top-level frame is already going away.
    if (IsBeingDeleted() || (wxGetTopLevelParent(this) && wxGetTopLevelParent(this)->IsBeingDeleted()))
        return;
    m_strip->UpdateGeometry();
    LayoutPages();
}

wxFlatNotebookImageList* wxFlatNotebook::GetImageList() const
{
    return m_images;
}

void wxFlatNotebook::SetPadding(const wxSize& padding)
{
    m_padding = wxSize(std::max(0, padding.x), std::max(0, padding.y));
    m_strip->UpdateGeometry();
    LayoutPages();
}

wxSize wxFlatNotebook::GetPadding() const
{
    return m_padding;
}

void wxFlatNotebook::SetRightClickMenu(wxMenu* menu)
{
    m_rightClickMenu = menu;
}

wxMenu* wxFlatNotebook::GetRightClickMenu() const
{
    return m_rightClickMenu;
}

void wxFlatNotebook::SetBorderColour(const wxColour& colour)
{
    m_borderColour = colour;
    RefreshTabs();
    Refresh();
}

wxColour wxFlatNotebook::GetBorderColour() const
{
    return m_borderColour;
}

void wxFlatNotebook::SetTabAreaColour(const wxColour& colour)
{
    m_tabAreaColour = colour;
    RefreshTabs();
}

wxColour wxFlatNotebook::GetTabAreaColour() const
{
    return m_tabAreaColour;
}

void wxFlatNotebook::SetActiveTabColour(const wxColour& colour)
{
    m_activeTabColour = colour;
    RefreshTabs();
}

wxColour wxFlatNotebook::GetActiveTabColour() const
{
    return m_activeTabColour;
}

void wxFlatNotebook::SetActiveTabTextColour(const wxColour& colour)
{
    m_activeTextColour = colour;
    RefreshTabs();
}

wxColour wxFlatNotebook::GetActiveTabTextColour() const
{
    return m_activeTextColour;
}

void wxFlatNotebook::SetNonActiveTabTextColour(const wxColour& colour)
{
    m_inactiveTextColour = colour;
    RefreshTabs();
}

wxColour wxFlatNotebook::GetNonActiveTabTextColour() const
{
    return m_inactiveTextColour;
}

bool wxFlatNotebook::SetBackgroundColour(const wxColour& colour)
{
    // Only the page area: the strip has its own tab-area colour.
    if (!wxWindow::SetBackgroundColour(colour))
        return false;
    Refresh();
    return true;
}

bool wxFlatNotebook::SetFont(const wxFont& font)
{
    if (!wxPanel::SetFont(font))
        return false;
    if (m_strip)
    {
        m_strip->SetFont(font);
        m_strip->UpdateGeometry();
        LayoutPages();
    }
    return true;
}

wxWindow* wxFlatNotebook::GetTabStrip() const
{
    return m_strip;
}

wxRect wxFlatNotebook::PageAreaRect() const
{
    const wxSize client = GetClientSize();
    const int top = m_strip ? m_strip->GetStripHeight() : 0;
    return wxRect(0, top, client.x, std::max(0, client.y - top));
}

wxRect wxFlatNotebook::PageRect() const
{
    wxRect rect = PageAreaRect();
    if (HasFlag(wxFLATNB_PAGE_BORDER))
    {
        // The strip line is the frame's top edge.
        rect.x += 1;
        rect.width = std::max(0, rect.width - 2);
        rect.height = std::max(0, rect.height - 1);
    }
    return rect;
}

void wxFlatNotebook::LayoutPages()
{
    if (!m_strip)
        return;
    const wxSize client = GetClientSize();
    m_strip->SetSize(0, 0, client.x, m_strip->GetStripHeight());
    if (IsValidIndex(static_cast<size_t>(m_selection)))
        m_pages[static_cast<size_t>(m_selection)].window->SetSize(PageRect());
}

void wxFlatNotebook::RefreshTabs()
{
    if (m_strip)
        m_strip->Refresh();
}

wxSize wxFlatNotebook::DoGetBestSize() const
{
    wxSize best(m_strip->GetBestSize().x, 0);
    for (const auto& page : m_pages)
    {
        const wxSize pageBest = page.window->GetBestSize();
        best.x = std::max(best.x, pageBest.x);
        best.y = std::max(best.y, pageBest.y);
    }
    best.y += m_strip->GetStripHeight();
    if (HasFlag(wxFLATNB_PAGE_BORDER))
        best += wxSize(2, 1);
    return best;
}

void wxFlatNotebook::OnSize(wxSizeEvent& event)
{
    LayoutPages();
    Refresh();
    event.Skip();
}

void wxFlatNotebook::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxRect area = PageAreaRect();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour()));
    dc.DrawRectangle(GetClientRect());
    if (HasFlag(wxFLATNB_PAGE_BORDER) && !area.IsEmpty())
    {
        dc.SetPen(wxPen(m_borderColour));
        dc.DrawLine(area.GetLeft(), area.GetTop(), area.GetLeft(), area.GetBottom());
        dc.DrawLine(area.GetLeft(), area.GetBottom(), area.GetRight(), area.GetBottom());
        dc.DrawLine(area.GetRight(), area.GetBottom(), area.GetRight(), area.GetTop() - 1);
    }
}
