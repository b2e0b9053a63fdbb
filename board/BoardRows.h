#pragma once
// The quotes a board's tabs hold from the host, and the day they are of.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <boost/container/small_vector.hpp>
#include <wx/datetime.h>
#include <wx/string.h>

struct Instrument;
struct Price;
class TabFills;
class TabReleases;
class Tickerdeck;
class wxGridEx;

/// Tells `grid` that its table gained `count` rows at the end.
void NotifyRowsAppended(wxGridEx* grid, int count);
/// Brings the grid's row count in line with its table after the rows changed.
void SyncRowCount(wxGridEx* grid);

/// The board's subscriptions: which tabs show each quote, the requests the
/// host has not answered yet, long lists filled a slice at a time, and the
/// history date every request is made for.
class BoardRows
{
public:
    /// A quote the board holds from the host: the grids showing it (one
    /// entry per row) and the date it was asked for, which is the date it is
    /// let go with, whatever the history date or the clock says by then.
    /// A whole exchange holds a hundred thousand of them: nearly every quote
    /// shows in one grid, kept inline, and the few dates are kept once.
    struct Subscription
    {
        boost::container::small_vector<wxGridEx*, 1> grids;
        const std::string* date = nullptr;
    };
    // Hashed: a whole exchange holds a hundred thousand of them.
    using SubscriptionMap = std::unordered_map<Price*, Subscription>;

    /// Whether a tab may show an instrument twice (see SubscribeRow).
    enum class Delivery
    {
        Batch,        // one of a stored list: an instrument listed twice shows twice
        Interactive   // one the user adds: nothing changes when the tab shows it already
    };

    /// The day the board takes for today; a test moves it past midnight.
    using TodayClock = std::function<wxDateTime()>;

    explicit BoardRows(Tickerdeck& board);
    ~BoardRows();
    BoardRows(const BoardRows&) = delete;
    BoardRows& operator=(const BoardRows&) = delete;

    void SetTodayClock(TodayClock today) { m_today = std::move(today); }
    /// Empty for live quotes (no history date, or today), else "%Y%m%d".
    std::string GetDateText() const;
    const wxDateTime& GetHistoryDate() const { return m_historyDate; }
    /// Switches every grid to the quotes of `date` (invalid = live).
    void SetHistoryDate(const wxDateTime& date);

    /// Asks the host for `instrument` quotes. Its row enters `grid` when the
    /// host answers, filtered and in the order of the grid's sort column.
    void SubscribeRow(Instrument* instrument, wxGridEx* grid, Delivery delivery);
    /// Subscribes a list of rows; the answers the host gives at once are
    /// shown together, later ones one by one as for SubscribeRow.
    void SubscribeRows(const std::vector<Instrument*>& instruments, wxGridEx* grid,
                       Delivery delivery = Delivery::Batch);
    /// One slice of a fill: subscribes `count` instruments whose rows join
    /// the end of the table; the grid is told by the caller.
    void SubscribeSlice(wxGridEx* grid, Instrument* const* instruments, size_t count);
    /// Fills `grid` with `instruments` as SubscribeRows does, a long list a
    /// slice at a time (TabFills) so the window answers meanwhile; `label`
    /// names the tab in the progress notice.
    void FillRows(std::vector<Instrument*> instruments, wxGridEx* grid, const wxString& label);
    /// Stops the fill of `grid`, leaving the rows it reached (in order when
    /// the tab is sorted); false when none was running.
    bool StopFilling(wxGridEx* grid);
    bool IsFilling(const wxGridEx* grid) const;
    TabFills& GetTabFills() { return *m_fills; }

    /// The instruments `grid` asked the host for that it has not answered
    /// yet, in the order they were asked for.
    std::vector<Instrument*> PendingInstruments(const wxGridEx* grid) const;
    /// Drops `rows` of `grid`'s claims on `price`, one per row that showed
    /// it; unsubscribes, with the date it was subscribed with, when no row
    /// of any grid claims it any more.
    void ReleaseRow(wxGridEx* grid, Price* price, int rows);
    /// Takes every row off `grid`, answered or not, and returns the
    /// instruments whose answer had not come yet. The quotes of a long tab
    /// are let go of a slice at a time afterwards (TabReleases).
    std::vector<Instrument*> ClearRows(wxGridEx* grid);
    TabReleases& GetTabReleases() { return *m_releases; }
    /// Drops the unanswered requests of `grid` (only those of the
    /// instruments `which` picks, when given), letting go of them at the
    /// host; a late answer then brings no row back. Returns their instruments.
    std::vector<Instrument*> ForgetPendingRows(wxGridEx* grid,
                                               const std::function<bool(const Instrument*)>& which = {});
    /// Takes `quotes` off `grid`'s tab, the last first, releasing each one
    /// no row shows any more; quotes the tab no longer holds are skipped.
    void DropRows(wxGridEx* grid, const std::vector<Price*>& quotes);
    const SubscriptionMap& GetSubscriptions() const { return m_subscriptions; }
    /// Lets go of everything at once, for a board that goes whole; answers
    /// that come later find nothing.
    void ReleaseAll();

private:
    /// A subscription the host has not answered yet.
    struct PendingRow
    {
        wxGridEx* grid;
        Instrument* instrument;
        std::string date;
    };

    bool IsPastDay(const wxDateTime& date) const;
    /// SubscribeRow with the date text already read.
    void SubscribeOnDate(Instrument* instrument, wxGridEx* grid, Delivery delivery, const std::string& date);
    /// The host's answer to a subscription of `grid` made with `date`.
    void EnterRow(wxGridEx* grid, Price* price, const std::string& date, Delivery delivery);

    Tickerdeck& m_board;
    wxDateTime m_historyDate;
    TodayClock m_today = [] { return wxDateTime::Today(); };
    SubscriptionMap m_subscriptions;
    // By request number, in request order. An answer whose request is gone
    // belongs to a list the tab no longer shows and was let go already.
    std::map<uint64_t, PendingRow> m_pendingRows;
    // The dates subscriptions were made with; a set's texts never move.
    std::set<std::string> m_dates;
    uint64_t m_lastRequest = 0;
    // The grid whose list is being subscribed: the answers that come inside
    // Subscribe are shown together once the list is done.
    wxGridEx* m_fillingGrid = nullptr;
    std::unique_ptr<TabFills> m_fills;
    std::unique_ptr<TabReleases> m_releases;
    // Cleared when the board goes, so that a host answering late finds nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
