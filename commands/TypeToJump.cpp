#include "commands/TypeToJump.h"

#include <wx/event.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "layout/LayoutEntries.h"
#include "controls/wxGridEx.h"

namespace {

/// Category tabs (2 to 6) and whole exchanges (7): the tabs with no
/// watchlist of their own, where typing has nothing else to do.
bool JumpsOnTyping(const TickerdeckTable& table)
{
    return table.Identity().tabType >= kFirstCategoryKind && table.Identity().tabType <= layout::kExchangeTab;
}

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Codes are ASCII; other bytes of their UTF-8 must match exactly.
bool StartsWithNoCase(const std::string& code, const std::string& typed)
{
    if (code.size() < typed.size())
        return false;
    for (size_t at = 0; at < typed.size(); ++at)
        if (FoldAscii(code[at]) != FoldAscii(typed[at]))
            return false;
    return true;
}

void ShowRow(wxGridEx* grid, int row)
{
    grid->ClearSelection();
    grid->SelectRow(row);
    const int col = grid->GetGridCursorCol() >= 0 ? grid->GetGridCursorCol() : 0;
    grid->SetGridCursor(row, col);
    grid->MakeCellVisible(row, col);
}

}  // namespace

std::vector<BoardEventKind> TypeToJump::EventKinds() const
{
    return {BoardEventKind::GridChar};
}

void TypeToJump::OnGridKey(Tickerdeck& board, wxKeyEvent& event)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    const wxChar key = event.GetUnicodeKey();
    const bool typed = key != WXK_NONE && key > ' ' && key != WXK_DELETE && !event.HasModifiers();
    if (!table || !typed || !JumpsOnTyping(*table))
    {
        event.Skip();
        return;
    }
    const auto now = m_clock();
    if (now - m_lastKey > kPause)
        m_typed.clear();
    m_lastKey = now;
    m_typed += key;
    const int row = FirstRowStartingWith(*table, m_typed);
    if (row >= 0)
        ShowRow(grid, row);
}

int TypeToJump::FirstRowStartingWith(const TickerdeckTable& table, const wxString& typed)
{
    const std::string wanted = typed.utf8_string();
    const std::vector<Price*>& rows = table.Rows();
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row]->instrument && StartsWithNoCase(rows[row]->instrument->code, wanted))
            return static_cast<int>(row);
    return -1;
}
