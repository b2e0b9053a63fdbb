// Quote subscriptions of the board's grids, the history date that selects
// which day's quotes they show, and their release when the board goes away.

#include <algorithm>
#include <set>

#include <wx/dateevt.h>
#include <wx/grid.h>
#include <wx/toolbar.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "plugin/Application.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"

namespace {

bool SameDay(const wxDateTime& a, const wxDateTime& b)
{
    if (!a.IsValid() || !b.IsValid())
        return a.IsValid() == b.IsValid();
    return a.IsSameDate(b);
}

bool IsPastDay(const wxDateTime& date)
{
    return date.IsValid() && !date.IsSameDate(wxDateTime::Today());
}

// The whole text must be a date; "20240105x" is as unusable as "abc".
wxDateTime ParseDateText(const wxString& text)
{
    wxDateTime date;
    wxString::const_iterator end;
    if (!date.ParseFormat(text, "%Y%m%d", &end) || end != text.end())
        return wxDateTime();
    return date;
}

// Each distinct quote once, including the rows a filter hides: they hold a
// subscription too.
std::vector<Price*> DistinctMembers(const TickerdeckTable& table)
{
    std::vector<Price*> distinct;
    std::set<Price*> seen;
    for (Price* price : table.Members())
        if (price && seen.insert(price).second)
            distinct.push_back(price);
    return distinct;
}

}  // namespace

std::string Tickerdeck::GetDateText() const
{
    if (!IsPastDay(m_historyDate))
        return std::string();
    return m_historyDate.Format("%Y%m%d").ToStdString();
}

void Tickerdeck::SubscribeRow(Instrument* instrument, wxGridEx* grid, Delivery delivery)
{
    Host* host = GetHost();
    if (!host || !instrument || !grid)
        return;
    std::weak_ptr<bool> alive = m_alive;
    host->Subscribe(this, instrument, GetDateText(), [this, alive, grid, delivery](Price* price) {
        // The host may answer after the board or the tab is gone.
        if (alive.expired() || !price)
            return;
        if (std::find(m_grids.begin(), m_grids.end(), grid) == m_grids.end())
            return;
        if (delivery == Delivery::Batch)
            AddRowBatch(grid, price);
        else
            AddRowInteractive(grid, price);
    });
}

void Tickerdeck::AddRowBatch(wxGridEx* grid, Price* price)
{
    TableOf(grid)->AppendMember(price);
    m_subscriptions[price].push_back(grid);
}

void Tickerdeck::AddRowInteractive(wxGridEx* grid, Price* price)
{
    TickerdeckTable* table = TableOf(grid);
    if (table->IsMember(price))
        return;
    table->AppendMember(price);
    std::vector<wxGridEx*>& holders = m_subscriptions[price];
    if (std::find(holders.begin(), holders.end(), grid) == holders.end())
        holders.push_back(grid);
    NotifyRowsAppended(grid, 1);
    grid->EndBatch();
}

void Tickerdeck::ReleaseRow(wxGridEx* grid, Price* price, const std::string& dateText)
{
    const auto entry = m_subscriptions.find(price);
    if (entry == m_subscriptions.end())
        return;
    std::vector<wxGridEx*>& holders = entry->second;
    holders.erase(std::remove(holders.begin(), holders.end(), grid), holders.end());
    if (!holders.empty())
        return;
    m_subscriptions.erase(entry);
    if (Host* host = GetHost())
        host->Unsubscribe(this, price->instrument, dateText);
}

void Tickerdeck::NotifyRowsAppended(wxGridEx* grid, int count)
{
    if (count <= 0)
        return;
    wxGridTableMessage message(grid->GetTable(), wxGRIDTABLE_NOTIFY_ROWS_APPENDED, count);
    grid->ProcessTableMessage(message);
}

void Tickerdeck::SyncRowCount(wxGridEx* grid)
{
    const int shown = grid->GetNumberRows();
    const int rows = grid->GetTable()->GetNumberRows();
    if (rows > shown)
    {
        NotifyRowsAppended(grid, rows - shown);
    }
    else if (rows < shown)
    {
        wxGridTableMessage message(grid->GetTable(), wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows,
                                   shown - rows);
        grid->ProcessTableMessage(message);
    }
}

void Tickerdeck::SetHistoryDate(const wxDateTime& date)
{
    if (SameDay(date, m_historyDate))
        return;

    const std::string oldDateText = GetDateText();
    std::vector<std::vector<Instrument*>> instrumentsOfGrid;
    for (wxGridEx* grid : m_grids)
    {
        TickerdeckTable* table = TableOf(grid);
        std::vector<Instrument*> instruments;
        for (Price* price : table->Members())
            if (price && price->instrument)
                instruments.push_back(price->instrument);
        instrumentsOfGrid.push_back(std::move(instruments));

        for (Price* price : DistinctMembers(*table))
            ReleaseRow(grid, price, oldDateText);
        table->ClearRowsAndMembers();
        SyncRowCount(grid);
    }

    m_subscriptions.clear();
    m_historyDate = date;

    for (std::size_t index = 0; index < m_grids.size(); ++index)
    {
        wxGridEx* grid = m_grids[index];
        for (Instrument* instrument : instrumentsOfGrid[index])
            SubscribeRow(instrument, grid, Delivery::Batch);
        NotifyRowsAppended(grid, grid->GetTable()->GetNumberRows());
        // Another day's quotes arrive in the stored order; a past day brings
        // no updates that would move them, and the header still shows the sort.
        SortByItsColumn(grid);
    }
    UpdateHistoryTool();
}

void Tickerdeck::UpdateHistoryTool()
{
    if (HasOwnFrame())
        return;
    const char* path = IsPastDay(m_historyDate) ? "./icon/history_red.png" : "./icon/history.png";
    m_toolbar->SetToolNormalBitmap(cmd::OpenAnotherWindow, LoadIconBitmap(path));
    m_toolbar->Refresh();
}

void Tickerdeck::OnHistoryDateFromHost(wxCommandEvent& event)
{
    SetHistoryDate(ParseDateText(event.GetString()));
}

void Tickerdeck::OnDatePicked(wxDateEvent& event)
{
    SetHistoryDate(event.GetDate());
}

void Tickerdeck::OnDestroy(wxWindowDestroyEvent& event)
{
    event.Skip();
    // Destroy events of child windows travel up to us as well.
    if (event.GetEventObject() != this || !m_alive)
        return;
    m_alive.reset();
    if (m_application)
        m_application->ForgetPanel(this);

    const std::string dateText = GetDateText();
    for (wxGridEx* grid : m_grids)
    {
        TickerdeckTable* table = TableOf(grid);
        for (Price* price : DistinctMembers(*table))
            ReleaseRow(grid, price, dateText);
        table->ClearRowsAndMembers();
        SyncRowCount(grid);
    }
    m_currentGrid = nullptr;
}
