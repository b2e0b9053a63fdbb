#pragma once
// Long work over a list, done a slice at a time between window events.

#include <chrono>
#include <cstddef>
#include <functional>

#include <wx/event.h>
#include <wx/timer.h>

/// The stepping that every long board command shares: a slice works through
/// a list until a row count or a time is reached, then a short timer lets the
/// loop paint and take input before the owner's next step runs. The owner
/// keeps its lists and where each is; this keeps the bounds and the timer.
class SlicedSteps : public wxEvtHandler
{
public:
    /// Lists up to this long are usually handled at once.
    static constexpr std::size_t kRowsAtOnce = 20000;

    /// `step` runs from the timer; `rowsPerClockRead` keeps reading the
    /// clock cheap next to the work on one row.
    SlicedSteps(std::function<void()> step, std::size_t sliceRows, std::size_t rowsPerClockRead);
    ~SlicedSteps() override;
    SlicedSteps(const SlicedSteps&) = delete;
    SlicedSteps& operator=(const SlicedSteps&) = delete;

    /// Runs `work(begin, end)` on consecutive ranges from `next` on, until
    /// `size` or a slice bound is reached; returns where the next slice starts.
    std::size_t Slice(std::size_t next, std::size_t size,
                      const std::function<void(std::size_t, std::size_t)>& work) const;
    /// The next step after a pause; `Soon` keeps a step already due.
    void Again() { m_timer.StartOnce(kPauseMs); }
    void Soon();
    void Stop() { m_timer.Stop(); }

    /// Rows a slice handles at most, and how long it may take: the first
    /// bound reached ends it. Tests set them.
    void SetSliceBounds(std::size_t rows, std::chrono::milliseconds time);
    /// Lists longer than this are handled a slice at a time (tests lower it).
    std::size_t RowsAtOnce() const { return m_rowsAtOnce; }
    void SetRowsAtOnce(std::size_t rows) { m_rowsAtOnce = rows; }

private:
    static constexpr int kPauseMs = 15;

    std::function<void()> m_step;
    wxTimer m_timer;
    std::size_t m_sliceRows;
    std::size_t m_rowsPerClockRead;
    std::size_t m_rowsAtOnce = kRowsAtOnce;
    std::chrono::milliseconds m_sliceTime{40};
};
