#pragma once
// What the grid of a quote table shows right now: rows on screen, repaints,
// the selection through row moves, and cell flashes.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include <wx/event.h>
#include <wx/gdicmn.h>

#include "model/ColumnSpec.h"

#include "model/FlashSchedule.h"

class wxGrid;
class wxGridTableBase;
class wxGridTableMessage;
class wxTimer;
class wxTimerEvent;

/// The view side of a quote table: which rows are on screen, which areas to
/// repaint, the selection carried along when a row moves, and the running
/// cell flashes with the one timer that ends them. The table keeps the rows.
class QuoteGridView : public wxEvtHandler
{
public:
    using Clock = FlashSchedule::Clock;
    static constexpr std::chrono::milliseconds kFlashDuration{1000};

    /// The part of the grid that is on screen, in unscrolled grid coordinates.
    struct Area
    {
        int firstRow = 0;
        int lastRow = -1;
        int left = 0;
        int right = -1;

        bool ContainsRow(int row) const { return row >= firstRow && row <= lastRow; }
        bool IntersectsRows(int first, int last) const { return first <= lastRow && last >= firstRow; }
    };

    /// `table` is the grid table this view belongs to; its grid is asked at every call.
    explicit QuoteGridView(const wxGridTableBase& table);
    ~QuoteGridView() override;

    Area VisibleArea() const
    {
        // Asked once per quote; held for a run, it is a copy.
        if (m_runView.held && m_runView.areaRead)
            return m_runView.area;
        return ReadCurrentArea();
    }
    /// Quotes handled back to back, with no other handler in between, find
    /// the same rows on screen and the same selection: held, both are read
    /// once, and again after rows came or went or the selection changed
    /// (its handlers may scroll), until the run ends.
    void HoldForRun(bool held);
    void RefreshRows(int first, int last) const;
    /// Repaints what is on screen from `row` down: the rows there moved up or
    /// down by one.
    void RefreshFromRow(int row) const;
    /// Tells the grid its row count changed; the rows on screen from
    /// `firstMoved` down are repainted.
    void TellRowCountChanged(wxGridTableMessage& message, int firstMoved) const;
    void RefreshCell(int row, int col) const;
    /// Repaints the cells of `row` whose columns `mask` marks as changed and
    /// that are on screen; with `flash`, they flash as well.
    void RefreshChangedCells(int row, int mask, bool flash, const Area& area);

    /// The row at `from` has moved to `to` and the rows between have shifted
    /// by one: selects again what was selected, at the new places. True when
    /// it changed the selection, whose handlers may have changed the grid.
    bool CarrySelection(int from, int to) const
    {
        // Most moves pass far from the selection: while a run holds it,
        // that is known here.
        if (from == to)
            return false;
        const SelectedSpan& held = m_runView.span;
        const bool apart = held.last < (from < to ? from : to) || held.first > (from < to ? to : from);
        if (m_runView.held && m_runView.spanRead && apart)
            return false;
        return CarryAcross(from, to);
    }

    void SetFlashDuration(std::chrono::milliseconds duration) { m_flashDuration = duration; }
    bool IsFlashing(int row, int col) const
    {
        // Computed columns never flash; their keys would be other cells'.
        return !m_flashOfCell.empty() && col < column::Count && m_flashOfCell.count(CellKey(row, col)) > 0;
    }
    std::size_t FlashCount() const { return m_flashOfCell.size(); }
    std::optional<Clock::time_point> FlashEndAt(int row, int col) const;
    /// The row is gone from the table: its flashes end, the ones below move up.
    void RowErased(int row);
    /// A row came in at `row`: the flashes from there down move with their rows.
    void RowInserted(int row);
    /// Every flash ends without a repaint: the rows they were on are gone.
    void DropFlashes();

    /// Receives the columns (a bit per column id) in which a paint found a
    /// figure wider than its column.
    using CutOffHandler = std::function<void(uint32_t columns)>;
    void SetCutOffHandler(CutOffHandler handler) { m_onCutOff = std::move(handler); }
    /// A figure of `col` did not fit its column. The handler hears of it
    /// once the paint is over, once for all the columns of that paint.
    void NoteCutOff(int col);

private:
    /// The first and last row of the selection; empty when none is selected.
    struct SelectedSpan
    {
        int first = 0;
        int last = -1;
    };
    Area ReadVisibleArea() const;
    Area ReadCurrentArea() const;
    SelectedSpan ReadSelectedSpan() const;
    SelectedSpan CurrentSelectedSpan() const;
    bool CarryAcross(int from, int to) const;
    void ForgetRunView() const
    {
        m_runView.areaRead = false;
        m_runView.spanRead = false;
    }

    static int CellKey(int row, int col);
    void MoveFlashesFrom(int row, int by);
    wxGrid* Grid() const;
    /// The row's top and height, unscrolled; x and width are left at 0.
    wxRect RowRect(int row) const;
    void RefreshRect(const wxRect& rect) const;

    void StartFlash(int row, int col);
    void ArmClock();
    void OnClock(wxTimerEvent& event);

    const wxGridTableBase& m_table;

    /// The rows last found on screen and the view they were found for. Board
    /// rows all have the default height: rows cannot be resized one by one.
    struct VisibleRows
    {
        int top = 0;
        int height = -1;
        int rowCount = -1;
        int rowHeight = -1;
        int first = 0;
        int last = -1;

        bool SameView(const VisibleRows& other) const
        {
            return top == other.top && height == other.height && rowCount == other.rowCount &&
                   rowHeight == other.rowHeight;
        }
    };
    mutable VisibleRows m_visibleRows;

    /// What a run of quotes read of the grid, while held.
    struct RunView
    {
        bool held = false;
        bool areaRead = false;
        bool spanRead = false;
        Area area;
        SelectedSpan span;
    };
    mutable RunView m_runView;

    using FlashesByCell = std::unordered_map<int, FlashSchedule::Id>;
    FlashesByCell m_flashOfCell;                               // running flashes by cell
    std::unordered_map<FlashSchedule::Id, int> m_cellOfFlash;
    int m_lastFlashRow = -1;                                   // no flash runs below it
    std::vector<FlashesByCell::node_type> m_movingFlashes;     // kept for its capacity
    FlashSchedule::Id m_nextFlash = 1;
    FlashSchedule m_flashSchedule;                             // when each running flash ends
    std::unique_ptr<wxTimer> m_clock;                          // set for the earliest end
    Clock::time_point m_clockDue;
    std::chrono::milliseconds m_flashDuration = kFlashDuration;

    CutOffHandler m_onCutOff;
    uint32_t m_cutOffColumns = 0; // noted since the handler last ran
};
