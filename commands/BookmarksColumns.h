#pragma once
// Bookmarks of a tab's rows and the columns a board shows.

#include <vector>

#include "board/BoardFeature.h"

/// Toggles and clears the current tab's bookmarks; shows and hides columns.
class BookmarksColumns : public BoardFeature
{
public:
    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Bookmarks the instrument of the first row the command is about, or
    /// drops its bookmark.
    static void ToggleBookmark(Tickerdeck& board);
    static void ClearBookmarks(Tickerdeck& board);
    /// Hides column `col` of the current tab when it is shown, else shows it.
    static void ToggleColumn(Tickerdeck& board, int col);
};
