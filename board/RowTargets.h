#pragma once
// The rows a command works on, turned into their quotes when the user
// points at them.

#include <vector>

struct Price;
class wxGridEx;

/// The quotes of the rows the user pointed at, taken at the click or key
/// press. Queued quotes may re-sort or filter the tab before the command
/// runs (while a menu is open, a question is asked or a posted event waits);
/// the quotes stay the instruments the user meant, where row numbers would not.
struct RowTargets
{
    wxGridEx* grid = nullptr;
    std::vector<Price*> quotes; // top to bottom as the rows were shown

    Price* First() const { return quotes.empty() ? nullptr : quotes.front(); }
    /// The quote when exactly one row was pointed at, else null.
    Price* Only() const { return quotes.size() == 1 ? quotes.front() : nullptr; }
};

/// The rows selected in `grid`, in the order they were selected.
std::vector<int> SelectedRowList(const wxGridEx* grid);
/// The topmost selected row of `grid`, or -1 when no whole row is selected.
int TopSelectedRow(const wxGridEx* grid);
/// The quotes of the rows selected in `grid` now.
RowTargets SelectedTargets(wxGridEx* grid);

/// The quotes selected on a grid, noted before its rows take another order
/// or another filter and selected again on the rows they hold afterwards:
/// a sort after Ctrl+A or a few Ctrl+clicks leaves them all selected.
class KeptSelection
{
public:
    explicit KeptSelection(const wxGridEx* grid);

    /// The quote of the topmost selected row, or null.
    Price* Top() const { return m_quotes.empty() ? nullptr : m_quotes.front(); }
    /// Selects the noted quotes that are still shown, in place of whatever
    /// the grid has selected; false, and the grid untouched, when none is.
    bool Restore(wxGridEx* grid) const;

private:
    bool m_everyRow = false;
    int m_rowCount = 0;
    std::vector<Price*> m_quotes;  // the topmost first
};
