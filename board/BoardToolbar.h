#pragma once
// The board's toolbar: its tools, the title or the date picker, and the
// notice strip over its free space.

class BoardNotice;
class Tickerdeck;
class wxDateTime;
class wxDatePickerCtrl;
class wxStaticTextEx;
class wxString;
class wxToolBar;

/// Builds the board's toolbar (the tools of a framed or a docked board),
/// shows the board's title and history date there, and gives its notice
/// the toolbar's free space.
class BoardToolbar
{
public:
    explicit BoardToolbar(Tickerdeck& board);
    BoardToolbar(const BoardToolbar&) = delete;
    BoardToolbar& operator=(const BoardToolbar&) = delete;

    wxToolBar* Bar() const { return m_toolbar; }
    /// The title of a docked board; null in a board with a frame of its own.
    wxStaticTextEx* TitleLabel() const { return m_titleLabel; }
    /// The history date of a board with a frame of its own; null otherwise.
    wxDatePickerCtrl* DatePicker() const { return m_datePicker; }
    /// The strip over the toolbar's free space that tells what the board noticed.
    BoardNotice* Notice() const { return m_notice; }

    /// The title label's text, or the own frame's title.
    void ApplyTitle(const wxString& text);
    /// Shows the history date in the toolbar: the picker's day (`pastDay`,
    /// else `today`), the history tool red for a past day.
    void ShowHistoryDate(const wxDateTime& pastDay, const wxDateTime& today);

private:
    /// Gives the notice the toolbar's free space.
    void PlaceNotice();
    void AddFramedTools();
    void AddDockedTools();

    Tickerdeck& m_board;
    wxToolBar* m_toolbar = nullptr;
    wxStaticTextEx* m_titleLabel = nullptr;
    wxDatePickerCtrl* m_datePicker = nullptr;
    BoardNotice* m_notice = nullptr;
};
