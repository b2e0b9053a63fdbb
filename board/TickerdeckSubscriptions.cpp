// Quote subscriptions of the board's grids, the history date that selects
// which day's quotes they show, and their release when the board goes away.

#include <algorithm>
#include <set>

#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/grid.h>
#include <wx/toolbar.h>

#include "kit/BoardOwner.h"
#include "kit/PngFile.h"
#include "board/TabFill.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"

namespace {

bool SameDay(const wxDateTime& a, const wxDateTime& b)
{
    if (!a.IsValid() || !b.IsValid())
        return a.IsValid() == b.IsValid();
    return a.IsSameDate(b);
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

}  // namespace

bool Tickerdeck::IsPastDay(const wxDateTime& date) const
{
    return date.IsValid() && !date.IsSameDate(m_today());
}

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
    const uint64_t request = ++m_lastRequest;
    const std::string date = GetDateText();
    m_pendingRows[request] = PendingRow{grid, instrument, date};
    host->Subscribe(this, instrument, date, [this, alive, request, delivery](Price* price) {
        // The host may answer after the board or the tab is gone.
        if (alive.expired() || !price)
            return;
        const auto pending = m_pendingRows.find(request);
        if (pending == m_pendingRows.end())
            return;
        const PendingRow row = pending->second;
        m_pendingRows.erase(pending);
        if (std::find(m_grids.begin(), m_grids.end(), row.grid) != m_grids.end())
            EnterRow(row.grid, price, row.date, delivery);
    });
}

void Tickerdeck::SubscribeRows(const std::vector<Instrument*>& instruments, wxGridEx* grid, Delivery delivery)
{
    if (!grid)
        return;
    wxGridEx* const outer = m_fillingGrid;
    m_fillingGrid = grid;
    for (Instrument* instrument : instruments)
        SubscribeRow(instrument, grid, delivery);
    m_fillingGrid = outer;
    RearrangeRows(grid);
}

void Tickerdeck::FillRows(const std::vector<Instrument*>& instruments, wxGridEx* grid, const wxString& label)
{
    if (instruments.size() <= TabFills::kRowsAtOnce)
        SubscribeRows(instruments, grid);
    else
        m_fills->Start(grid, instruments, label);
}

bool Tickerdeck::StopFilling(wxGridEx* grid)
{
    if (!m_fills->IsFilling(grid))
        return false;
    m_fills->Stop(grid);
    if (grid->GetSortingColumn() != wxNOT_FOUND)
        RearrangeRows(grid);
    return true;
}

bool Tickerdeck::IsFilling(const wxGridEx* grid) const
{
    return m_fills->IsFilling(grid);
}

void Tickerdeck::SubscribeSlice(wxGridEx* grid, Instrument* const* instruments, size_t count)
{
    wxGridEx* const outer = m_fillingGrid;
    m_fillingGrid = grid;
    for (size_t at = 0; at < count; ++at)
        SubscribeRow(instruments[at], grid, Delivery::Batch);
    m_fillingGrid = outer;
}

void Tickerdeck::EnterRow(wxGridEx* grid, Price* price, const std::string& date, Delivery delivery)
{
    TickerdeckTable* table = TableOf(grid);
    if (delivery == Delivery::Interactive && table->IsMember(price))
        return;
    Subscription& subscription = m_subscriptions[price];
    if (subscription.grids.empty())
    {
        subscription.date = date;
        // A quote that never changes goes stale counting from its arrival.
        m_quoteAges.Track(price);
    }
    std::vector<wxGridEx*>& holders = subscription.grids;
    if (delivery == Delivery::Batch || std::find(holders.begin(), holders.end(), grid) == holders.end())
        holders.push_back(grid);

    const int row = table->AdmitMember(price);
    // A list being subscribed is shown as a whole when it is done.
    if (row < 0 || grid == m_fillingGrid)
        return;
    grid->BeginBatch();
    NotifyRowsAppended(grid, 1);
    table->PlaceInSortOrder(row);
    grid->ForceRefresh();
    grid->EndBatch();
}

std::vector<Instrument*> Tickerdeck::PendingInstruments(const wxGridEx* grid) const
{
    std::vector<Instrument*> instruments;
    for (const auto& [request, row] : m_pendingRows)
        if (row.grid == grid)
            instruments.push_back(row.instrument);
    return instruments;
}

void Tickerdeck::RearrangeRows(wxGridEx* grid)
{
    TickerdeckTable* table = TableOf(grid);
    Price* selected = FirstSelectedPrice(grid);
    grid->BeginBatch();
    table->RebuildRowsFromMembers();
    if (grid->GetSortingColumn() != wxNOT_FOUND)
        table->SortRows(grid->GetSortingColumn(), grid->IsSortOrderAscending());
    SyncRowCount(grid);
    SelectPrice(grid, selected);
    grid->ForceRefresh();
    grid->EndBatch();
}

void Tickerdeck::ReleaseRow(wxGridEx* grid, Price* price)
{
    const auto entry = m_subscriptions.find(price);
    if (entry == m_subscriptions.end())
        return;
    std::vector<wxGridEx*>& holders = entry->second.grids;
    holders.erase(std::remove(holders.begin(), holders.end(), grid), holders.end());
    if (!holders.empty())
        return;
    const std::string date = entry->second.date;
    m_subscriptions.erase(entry);
    m_quoteAges.Forget(price);
    if (Host* host = GetHost())
        host->Unsubscribe(this, price->instrument, date);
}

std::vector<Instrument*> Tickerdeck::ClearRows(wxGridEx* grid)
{
    // What a fill had not reached yet belongs to the tab as much as the
    // requests the host has not answered.
    std::vector<Instrument*> unreached = m_fills->Stop(grid);
    TickerdeckTable* table = TableOf(grid);
    // Rows a filter hides hold a subscription too; a quote listed twice is
    // let go at its first row and found released at the second.
    for (Price* price : table->Members())
        ReleaseRow(grid, price);
    table->ClearRowsAndMembers();
    grid->BeginBatch();
    SyncRowCount(grid);
    grid->EndBatch();
    std::vector<Instrument*> unanswered = ForgetPendingRows(grid);
    unanswered.insert(unanswered.end(), unreached.begin(), unreached.end());
    return unanswered;
}

std::vector<Instrument*> Tickerdeck::ForgetPendingRows(wxGridEx* grid,
                                                       const std::function<bool(const Instrument*)>& which)
{
    std::vector<PendingRow> forgotten;
    for (auto pending = m_pendingRows.begin(); pending != m_pendingRows.end();)
    {
        if (pending->second.grid == grid && (!which || which(pending->second.instrument)))
        {
            forgotten.push_back(pending->second);
            pending = m_pendingRows.erase(pending);
        }
        else
        {
            ++pending;
        }
    }
    std::vector<Instrument*> instruments;
    if (forgotten.empty())
        return instruments;

    // The host keeps one subscription per instrument and date, however often
    // it was asked: let go only of those nothing else of the board waits for.
    std::set<std::pair<const Instrument*, std::string>> stillWanted;
    for (const auto& [price, subscription] : m_subscriptions)
        stillWanted.emplace(price->instrument, subscription.date);
    for (const auto& [request, pending] : m_pendingRows)
        stillWanted.emplace(pending.instrument, pending.date);
    Host* host = GetHost();
    for (const PendingRow& pending : forgotten)
    {
        instruments.push_back(pending.instrument);
        if (host && stillWanted.emplace(pending.instrument, pending.date).second)
            host->Unsubscribe(this, pending.instrument, pending.date);
    }
    return instruments;
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

    std::vector<std::vector<Instrument*>> instrumentsOfGrid;
    for (wxGridEx* grid : m_grids)
    {
        std::vector<Instrument*> instruments;
        for (Price* price : TableOf(grid)->Members())
            if (price && price->instrument)
                instruments.push_back(price->instrument);
        // Rows still waiting for their answer belong to the tab as well.
        const std::vector<Instrument*> unanswered = ClearRows(grid);
        instruments.insert(instruments.end(), unanswered.begin(), unanswered.end());
        instrumentsOfGrid.push_back(std::move(instruments));
    }

    m_historyDate = date;
    // The points were of the other day's quotes; the sampling starts afresh.
    m_trendSamples.Clear();
    for (std::size_t index = 0; index < m_grids.size(); ++index)
        SubscribeRows(instrumentsOfGrid[index], m_grids[index]);
    UpdateHistoryTool();
}

void Tickerdeck::UpdateHistoryTool()
{
    // The host's history date command changes the day too; the picker must
    // not go on showing the one picked before.
    if (m_datePicker)
        m_datePicker->SetValue(m_historyDate.IsValid() ? m_historyDate : m_today());
    if (HasOwnFrame())
        return;
    const char* path = IsPastDay(m_historyDate) ? "./icon/history_red.png" : "./icon/history.png";
    m_toolbar->SetToolNormalBitmap(cmd::OpenAnotherWindow, LoadPngOrBlank(path));
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
    if (m_owner)
        m_owner->ForgetPanel(this);

    // The board goes whole: each subscription is let go once, not row by row
    // and tab by tab, which on a whole exchange took most of a quit.
    if (Host* host = GetHost())
        for (const auto& [price, subscription] : m_subscriptions)
            host->Unsubscribe(this, price->instrument, subscription.date);
    m_subscriptions.clear();
    for (wxGridEx* grid : m_grids)
        ClearRows(grid);
    m_currentGrid = nullptr;
}
