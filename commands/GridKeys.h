#pragma once
// The keyboard and row dragging on a board's grid.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include <wx/string.h>
#include <wx/timer.h>

#include "board/BoardFeature.h"

class wxGridEx;
struct CopiedRows;

/// Select all, copy, delete, column scrolling, moving and reordering the
/// selection with the arrows, the host's hotkeys, and row drag.
class GridKeys : public BoardFeature
{
public:
    /// Receives the copied text; false when the clipboard could not be opened.
    using ClipboardWriter = std::function<bool(const wxString& text)>;

    std::vector<BoardEventKind> EventKinds() const override;
    void OnGridKey(Tickerdeck& board, wxKeyEvent& event) override;
    void OnGridMouse(Tickerdeck& board, BoardEventKind kind, wxMouseEvent& event) override;

    /// The copy text of the grid's selected rows, header line first.
    static wxString CopyText(wxGridEx* grid);
    /// Copies the selected rows; more than `RowsCopiedAtOnce` are taken a
    /// slice at a time, the first at once, get their text made off the GUI
    /// thread and reach the clipboard when it is done.
    void Copy(Tickerdeck& board, wxGridEx* grid);
    /// Drops the copy whose text is still being made, leaving the clipboard
    /// as it was; false when none is.
    bool StopCopying(Tickerdeck& board);
    /// Lets tests copy small selections the way large ones are copied.
    void SetRowsCopiedAtOnce(std::size_t rows) { m_rowsCopiedAtOnce = rows; }
    /// Rows a slice of a large copy takes at most, and how long it may take.
    void SetCopySliceBounds(std::size_t rows, std::chrono::milliseconds time);
    /// Takes the next slice of the rows of a large copy; false when none is taken.
    bool TakeCopySlice();
    /// Moves the selection of `grid` up (-1) or down (+1); with `swap` on an
    /// unsorted grid the row trades places with its neighbour and stays selected, and
    /// with `page` it moves by a screenful.
    static void MoveSelection(Tickerdeck& board, wxGridEx* grid, int direction, bool swap, bool page);
    /// Selects the row a page key (PageUp, PageDown, Home, End, with or
    /// without Ctrl) leads to from the selected row, or from the cursor's.
    static void JumpSelection(Tickerdeck& board, wxGridEx* grid, int key);
    /// Scrolls one column left (-1) or right (+1), skipping hidden columns.
    static void ScrollColumn(wxGridEx* grid, int direction);

    /// Replaces the system clipboard (tests read what was copied).
    void SetClipboardWriter(ClipboardWriter writer) { m_clipboard = std::move(writer); }
    /// Longest text, in characters, the clipboard is given; a longer copy is
    /// refused with a word to the user (tests lower it).
    static constexpr std::size_t kClipboardLimit = std::size_t{4} << 20;
    void SetClipboardLimit(std::size_t characters) { m_clipboardLimit = characters; }

    GridKeys();
    ~GridKeys() override;

private:
    struct Taking;
    /// Fires the next slice of a large copy; the feature has no window.
    class SliceTimer : public wxTimer
    {
    public:
        explicit SliceTimer(GridKeys& keys) : m_keys(keys) {}
        void Notify() override { m_keys.TakeCopySlice(); }

    private:
        GridKeys& m_keys;
    };

    static bool WriteClipboard(const wxString& text);
    /// The text of a large copy; one too long for the clipboard keeps only its length.
    struct MadeText
    {
        wxString text;
        std::size_t length = 0;
    };
    /// Gives `text` (of `length` characters) to the clipboard, or tells the
    /// user why it was not.
    void HandOver(Tickerdeck& board, const wxString& text, std::size_t length) const;
    void MakeCopyText(Tickerdeck& board, std::shared_ptr<const CopiedRows> rows, std::size_t copy);
    void Drag(Tickerdeck& board, wxGridEx* grid, wxMouseEvent& event);

    ClipboardWriter m_clipboard = WriteClipboard;
    std::size_t m_clipboardLimit = kClipboardLimit;
    std::size_t m_rowsCopiedAtOnce = 5000;
    // Only the latest copy reaches the clipboard, whichever is done first.
    std::size_t m_copies = 0;
    // The copy whose rows are taken or whose text is being made, 0 when none.
    std::size_t m_copyUnderWay = 0;
    // Copying a million rows' quotes held the window for seconds: they are
    // taken a slice at a time, the window answering between slices.
    std::unique_ptr<Taking> m_taking;
    SliceTimer m_sliceTimer{*this};
    std::size_t m_sliceRows = 50000;
    std::chrono::milliseconds m_sliceTime{40};
};
