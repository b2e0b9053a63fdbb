#pragma once
// Sorting a long tab by a text without holding the window.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct Price;
class BackgroundWork;
class Tickerdeck;
class wxGridEx;

/// Sorts the rows of a long tab by one of its instruments' texts off the
/// window's thread, and has them put in that order in one step when done:
/// reading a million scattered names held the window most of a second. A
/// result arrives only for the grid's sort of the moment; rows that changed
/// meanwhile are sorted again, and after a few tries at once.
class LongTabSort
{
public:
    /// Puts the grid's rows in a new order: `reorder` does it, the caller
    /// keeps the selection and tells the grid.
    using Reorder = std::function<void(wxGridEx* grid, const std::function<void()>& reorder)>;

    LongTabSort(Tickerdeck& board, Reorder reorder);
    LongTabSort(const LongTabSort&) = delete;
    LongTabSort& operator=(const LongTabSort&) = delete;

    /// Whether sorting `grid` by its sort column would hold the window and
    /// can be done elsewhere.
    bool Takes(const wxGridEx* grid) const;
    /// Starts sorting `grid` by its sort column, dropping a sort of it under
    /// way; false when no thread could start.
    bool Start(wxGridEx* grid);
    /// Forgets the sort of `grid` under way: its result will not be used.
    void Drop(const wxGridEx* grid);

    /// Tabs of more rows than this sort elsewhere (tests lower it).
    void SetRowsSortedAtOnce(std::size_t rows) { m_rowsSortedAtOnce = rows; }
    /// Where the sorts run (tests hold them back); the module's workers by default.
    void SetWorkers(BackgroundWork& workers) { m_workers = &workers; }

private:
    struct UnderWay
    {
        uint64_t id = 0;
        int col = -1;
        bool ascending = false;
        int tries = 0;
        std::shared_ptr<const std::vector<Price*>> rows;  // as they were when the sort started
    };

    bool StartTry(wxGridEx* grid, int tries);
    void Arrive(wxGridEx* grid, uint64_t id, const std::vector<Price*>& sorted);
    bool IsBoardGrid(const wxGridEx* grid) const;
    void ShowNotice();

    Tickerdeck& m_board;
    Reorder m_reorder;
    std::map<const wxGridEx*, UnderWay> m_underWay;
    uint64_t m_lastId = 0;
    std::size_t m_rowsSortedAtOnce = 200000;
    BackgroundWork* m_workers;
};
