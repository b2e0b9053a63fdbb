// Quote subscriptions of the board's grids, the history date that selects
// which day's quotes they show, and their release when the board goes away.

#include "board/BoardRows.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include <wx/grid.h>

#include "controls/wxFlatNotebook.h"

#include "board/TabFill.h"
#include "board/TabRelease.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "contract/Host.h"
#include "model/Prefetch.h"

namespace {

bool SameDay(const wxDateTime& a, const wxDateTime& b)
{
    if (!a.IsValid() || !b.IsValid())
        return a.IsValid() == b.IsValid();
    return a.IsSameDate(b);
}

}  // namespace

void NotifyRowsAppended(wxGridEx* grid, int count)
{
    if (count <= 0)
        return;
    wxGridTableMessage message(grid->GetTable(), wxGRIDTABLE_NOTIFY_ROWS_APPENDED, count);
    grid->ProcessTableMessage(message);
}

void SyncRowCount(wxGridEx* grid)
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

BoardRows::BoardRows(Tickerdeck& board)
    : m_board(board), m_fills(std::make_unique<TabFills>(board)), m_releases(std::make_unique<TabReleases>(*this))
{
}

BoardRows::~BoardRows() = default;

bool BoardRows::IsPastDay(const wxDateTime& date) const
{
    return date.IsValid() && !date.IsSameDate(m_today());
}

std::string BoardRows::GetDateText() const
{
    if (!IsPastDay(m_historyDate))
        return std::string();
    return m_historyDate.Format("%Y%m%d").ToStdString();
}

void BoardRows::SubscribeRow(Instrument* instrument, wxGridEx* grid, Delivery delivery)
{
    SubscribeOnDate(instrument, grid, delivery, GetDateText());
}

void BoardRows::SubscribeOnDate(Instrument* instrument, wxGridEx* grid, Delivery delivery, const std::string& date)
{
    Host* host = m_board.GetHost();
    if (!host || !instrument || !grid)
        return;
    std::weak_ptr<bool> alive = m_alive;
    const uint64_t request = ++m_lastRequest;
    m_pendingRows[request] = PendingRow{grid, instrument, date};
    host->Subscribe(&m_board, instrument, date, [this, alive, request, delivery](Price* price) {
        // The host may answer after the board or the tab is gone.
        if (alive.expired() || !price)
            return;
        const auto pending = m_pendingRows.find(request);
        if (pending == m_pendingRows.end())
            return;
        const PendingRow row = pending->second;
        m_pendingRows.erase(pending);
        const std::vector<wxGridEx*>& grids = m_board.Tabs().Grids();
        if (std::find(grids.begin(), grids.end(), row.grid) != grids.end())
            EnterRow(row.grid, price, row.date, delivery);
    });
}

void BoardRows::SubscribeRows(const std::vector<Instrument*>& instruments, wxGridEx* grid, Delivery delivery)
{
    if (!grid)
        return;
    wxGridEx* const outer = m_fillingGrid;
    m_fillingGrid = grid;
    const std::string date = GetDateText();
    for (Instrument* instrument : instruments)
        SubscribeOnDate(instrument, grid, delivery, date);
    m_fillingGrid = outer;
    m_board.Sorting().RearrangeRows(grid);
}

void BoardRows::FillRows(std::vector<Instrument*> instruments, wxGridEx* grid, const wxString& label)
{
    if (instruments.size() <= m_fills->Steps().RowsAtOnce())
        SubscribeRows(instruments, grid);
    else
        m_fills->Start(grid, std::move(instruments), label);
}

bool BoardRows::StopFilling(wxGridEx* grid)
{
    if (!m_fills->IsFilling(grid))
        return false;
    m_fills->Stop(grid);
    if (grid->GetSortingColumn() != wxNOT_FOUND)
        m_board.Sorting().RearrangeRows(grid);
    return true;
}

bool BoardRows::IsFilling(const wxGridEx* grid) const
{
    return m_fills->IsFilling(grid);
}

void BoardRows::SubscribeSlice(wxGridEx* grid, Instrument* const* instruments, size_t count)
{
    wxGridEx* const outer = m_fillingGrid;
    m_fillingGrid = grid;
    // The date is read once a slice: reading the clock's time zone for each
    // row was a third of a history date's fill of a million rows.
    const std::string date = GetDateText();
    for (size_t at = 0; at < count; ++at)
        SubscribeOnDate(instruments[at], grid, Delivery::Batch, date);
    m_fillingGrid = outer;
}

void BoardRows::EnterRow(wxGridEx* grid, Price* price, const std::string& date, Delivery delivery)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    if (delivery == Delivery::Interactive && table->Members().Contains(price))
        return;
    Subscription& subscription = m_subscriptions[price];
    if (subscription.grids.empty())
    {
        subscription.date = &*m_dates.insert(date).first;
        // A quote that never changes goes stale counting from its arrival.
        m_board.Quotes().Ages().Track(price);
    }
    // One claim per row: a row the user adds is none the tab shows yet, and
    // the claims of rows the grid showed before may still wait for release.
    subscription.grids.push_back(grid);

    const int row = table->AdmitMember(price);
    // A list being subscribed is shown as a whole when it is done.
    if (row < 0 || grid == m_fillingGrid)
        return;
    grid->BeginBatch();
    NotifyRowsAppended(grid, 1);
    table->Order().PlaceInSortOrder(row);
    grid->ForceRefresh();
    grid->EndBatch();
}

std::vector<Instrument*> BoardRows::PendingInstruments(const wxGridEx* grid) const
{
    std::vector<Instrument*> instruments;
    for (const auto& [request, row] : m_pendingRows)
        if (row.grid == grid)
            instruments.push_back(row.instrument);
    return instruments;
}

void BoardRows::ReleaseRow(wxGridEx* grid, Price* price, int rows)
{
    const auto entry = m_subscriptions.find(price);
    if (entry == m_subscriptions.end())
        return;
    auto& holders = entry->second.grids;
    for (auto claim = holders.begin(); rows > 0 && claim != holders.end();)
    {
        if (*claim == grid)
        {
            claim = holders.erase(claim);
            --rows;
        }
        else
        {
            ++claim;
        }
    }
    if (!holders.empty())
        return;
    const std::string date = *entry->second.date;
    m_subscriptions.erase(entry);
    m_board.Quotes().Ages().Forget(price);
    if (Host* host = m_board.GetHost())
        host->Unsubscribe(&m_board, price->instrument, date);
}

std::vector<Instrument*> BoardRows::ClearRows(wxGridEx* grid)
{
    // What a fill had not reached yet belongs to the tab as much as the
    // requests the host has not answered.
    std::vector<Instrument*> unreached = m_fills->Stop(grid);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // Rows a filter hides hold a subscription too. The rows leave the table
    // now, so quotes still coming for them find none. The list is handed
    // over, not copied: a copy of a whole exchange's was megabytes of fresh
    // memory inside a history date's switch.
    m_releases->Release(grid, table->ClearRowsAndMembers());
    grid->BeginBatch();
    SyncRowCount(grid);
    grid->EndBatch();
    std::vector<Instrument*> unanswered = ForgetPendingRows(grid);
    unanswered.insert(unanswered.end(), unreached.begin(), unreached.end());
    return unanswered;
}

std::vector<Instrument*> BoardRows::ForgetPendingRows(wxGridEx* grid,
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
    // Only the few forgotten are looked up: a set of every quote a whole
    // exchange holds took a second to build, at each tab re-pointed.
    std::map<std::pair<const Instrument*, std::string>, bool> wanted;
    for (const PendingRow& pending : forgotten)
        wanted.emplace(std::make_pair(pending.instrument, pending.date), false);
    const auto markWanted = [&wanted](const Instrument* instrument, const std::string& date) {
        if (const auto found = wanted.find(std::make_pair(instrument, date)); found != wanted.end())
            found->second = true;
    };
    for (const auto& [price, subscription] : m_subscriptions)
        if (price->instrument)
            markWanted(price->instrument, *subscription.date);
    for (const auto& [request, pending] : m_pendingRows)
        markWanted(pending.instrument, pending.date);
    Host* host = m_board.GetHost();
    for (const PendingRow& pending : forgotten)
    {
        instruments.push_back(pending.instrument);
        bool& taken = wanted[std::make_pair(pending.instrument, pending.date)];
        if (host && !taken)
            host->Unsubscribe(&m_board, pending.instrument, pending.date);
        taken = true;
    }
    return instruments;
}

void BoardRows::DropRows(wxGridEx* grid, const std::vector<Price*>& quotes)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::unordered_map<Price*, int> rowsOf;
    for (Price* quote : quotes)
        if (quote && table->Members().Contains(quote))
            rowsOf.emplace(quote, 0);
    if (rowsOf.empty())
        return;
    // Only the claims of the rows leaving: claims of rows the grid showed
    // before and that still wait for release are the release's to drop.
    for (Price* member : table->Members().List())
        if (const auto leaving = rowsOf.find(member); leaving != rowsOf.end())
            ++leaving->second;
    std::vector<Price*> leaving;
    for (const auto& [quote, rows] : rowsOf)
        leaving.push_back(quote);
    table->RemoveMembers(leaving);
    for (const auto& [quote, rows] : rowsOf)
        ReleaseRow(grid, quote, rows);
    wxGridUpdateLocker batch(grid);
    SyncRowCount(grid);
    grid->ClearSelection();
    grid->ForceRefresh();
}

void BoardRows::SetHistoryDate(const wxDateTime& date)
{
    if (SameDay(date, m_historyDate))
        return;

    const std::vector<wxGridEx*>& grids = m_board.Tabs().Grids();
    std::vector<std::vector<Instrument*>> instrumentsOfGrid;
    for (wxGridEx* grid : grids)
    {
        const std::vector<Price*>& members = Tickerdeck::TableOf(grid)->Members().List();
        std::vector<Instrument*> instruments;
        instruments.reserve(members.size());
        // The quotes lie scattered in the host's memory: a million misses one
        // after the other were a good part of the switch.
        constexpr std::size_t kAhead = 16;
        for (std::size_t member = 0; member < members.size(); ++member)
        {
            if (const Price* ahead = member + kAhead < members.size() ? members[member + kAhead] : nullptr)
                PrefetchMemory(&ahead->instrument);
            if (const Price* price = members[member]; price && price->instrument)
                instruments.push_back(price->instrument);
        }
        // Rows still waiting for their answer belong to the tab as well.
        const std::vector<Instrument*> unanswered = ClearRows(grid);
        instruments.insert(instruments.end(), unanswered.begin(), unanswered.end());
        instrumentsOfGrid.push_back(std::move(instruments));
    }

    m_historyDate = date;
    // The points were of the other day's quotes; the sampling starts afresh.
    m_board.Trends().Forget();
    // A whole exchange re-subscribed at once held the window for seconds.
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    for (std::size_t index = 0; index < grids.size(); ++index)
    {
        const int page = m_board.Tabs().PageOf(grids[index]);
        const wxString label = page == wxNOT_FOUND ? wxString() : notebook->GetPageText(static_cast<size_t>(page));
        FillRows(std::move(instrumentsOfGrid[index]), grids[index], label);
    }
    m_board.Toolbar().ShowHistoryDate(IsPastDay(m_historyDate) ? m_historyDate : wxDateTime(), m_today());
}

void BoardRows::ReleaseAll()
{
    m_alive.reset();
    // The board goes whole: each subscription is let go once, not row by row
    // and tab by tab, which on a whole exchange took most of a quit.
    if (Host* host = m_board.GetHost())
        for (const auto& [price, subscription] : m_subscriptions)
            host->Unsubscribe(&m_board, price->instrument, *subscription.date);
    m_subscriptions.clear();
    for (wxGridEx* grid : m_board.Tabs().Grids())
        ClearRows(grid);
    // Every claim went with the subscriptions: no slice may come later.
    m_releases->Drop();
}
