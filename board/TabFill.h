#pragma once
// Opening a tab of a whole exchange a slice at a time.

#include <chrono>
#include <cstddef>
#include <vector>

#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>

struct Instrument;
class Tickerdeck;
class wxGridEx;

/// Subscribes the rows of long lists a slice at a time from timer events,
/// so the window answers between slices: a million rows took the window
/// away for most of a minute. Each slice appends its rows to the end of its
/// tab, which shows them at once, and the board's notice tells how far the
/// tab is; a stopped fill leaves the rows it reached. A sorted tab is put in
/// order once it is complete.
class TabFills : public wxEvtHandler
{
public:
    /// Lists up to this long are filled at once.
    static constexpr std::size_t kRowsAtOnce = 20000;

    explicit TabFills(Tickerdeck& board);
    ~TabFills() override;
    TabFills(const TabFills&) = delete;
    TabFills& operator=(const TabFills&) = delete;

    /// Fills `grid` with `instruments` from now on, a slice now and the
    /// rest from timer events; `label` names the tab in the notice.
    void Start(wxGridEx* grid, std::vector<Instrument*> instruments, const wxString& label);
    /// Runs one slice of the oldest fill; false when none was left.
    bool Step();
    /// Stops the fill of `grid` where it is, its rows as they are, and
    /// returns the instruments it did not reach.
    std::vector<Instrument*> Stop(wxGridEx* grid);
    bool IsFilling(const wxGridEx* grid) const;
    bool IsFillingAny() const { return !m_fills.empty(); }
    /// Rows a slice subscribes at most, and how long it may take: the first
    /// bound reached ends it. Tests set them.
    void SetSliceBounds(std::size_t rows, std::chrono::milliseconds time);
    /// Lists longer than this are filled a slice at a time (tests lower it).
    std::size_t RowsAtOnce() const { return m_rowsAtOnce; }
    void SetRowsAtOnce(std::size_t rows) { m_rowsAtOnce = rows; }

private:
    struct Fill
    {
        wxGridEx* grid;
        std::vector<Instrument*> instruments;
        std::size_t next = 0;
        wxString label;
    };

    void OnTimer(wxTimerEvent& event);
    void ShowProgress();
    void Finish(Fill& fill);

    Tickerdeck& m_board;
    std::vector<Fill> m_fills;
    wxTimer m_timer;
    std::size_t m_sliceRows = 50000;
    std::size_t m_rowsAtOnce = kRowsAtOnce;
    std::chrono::milliseconds m_sliceTime{40};
};
