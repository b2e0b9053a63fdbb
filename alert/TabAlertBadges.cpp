#include "alert/TabAlertBadges.h"

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

TabAlertBadges::TabAlertBadges(Tickerdeck& board) : m_board(board)
{
    if (wxFlatNotebook* notebook = m_board.Tabs().Notebook())
        notebook->Bind(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, &TabAlertBadges::OnPageChanged, this, cmd::Notebook);
}

TabAlertBadges::~TabAlertBadges()
{
    if (wxFlatNotebook* notebook = m_board.Tabs().Notebook())
        notebook->Unbind(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, &TabAlertBadges::OnPageChanged, this,
                         cmd::Notebook);
}

void TabAlertBadges::NoteFiring(const Price* quote)
{
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    if (!notebook || !quote)
        return;
    ClearShownTab();
    for (wxGridEx* grid : m_board.Tabs().Grids())
    {
        if (grid == m_board.Tabs().CurrentGrid() || !Tickerdeck::TableOf(grid)->Members().Contains(quote))
            continue;
        const int page = m_board.Tabs().PageOf(grid);
        if (page == wxNOT_FOUND)
            continue;
        std::set<const Instrument*>& fired = m_fired[notebook->GetPage(static_cast<size_t>(page))];
        if (fired.insert(quote->instrument).second)
            notebook->SetPageBadge(static_cast<size_t>(page), static_cast<int>(fired.size()));
    }
}

void TabAlertBadges::OnPageChanged(wxFlatNotebookEvent& event)
{
    ClearShownTab();
    // The board follows the selection in its own handler.
    event.Skip();
}

void TabAlertBadges::ClearShownTab()
{
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    const int shown = notebook ? notebook->GetSelection() : wxNOT_FOUND;
    if (shown == wxNOT_FOUND)
        return;
    m_fired.erase(notebook->GetPage(static_cast<size_t>(shown)));
    notebook->SetPageBadge(static_cast<size_t>(shown), 0);
}
