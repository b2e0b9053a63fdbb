#include "board/BoardToolbar.h"

#include <algorithm>

#include <wx/datectrl.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/toolbar.h>

#include "board/BoardColours.h"
#include "board/Tickerdeck.h"
#include "contract/CommandIds.h"
#include "contract/Theme.h"
#include "controls/wxStaticTextEx.h"
#include "kit/BoardNotice.h"
#include "kit/PngFile.h"

namespace {

/// A flat horizontal bar without the divider line above it.
constexpr long kToolbarStyle = wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER;
static_assert(kToolbarStyle == 548, "the toolbar's style changed with the toolkit");

}  // namespace

BoardToolbar::BoardToolbar(Tickerdeck& board) : m_board(board)
{
    m_toolbar = new wxToolBar(&board, wxID_ANY, wxDefaultPosition, wxDefaultSize, kToolbarStyle);
    // The theme colour paints the whole bar; erasing first only flickers.
    m_toolbar->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});

    if (board.HasOwnFrame())
        AddFramedTools();
    else
        AddDockedTools();

    m_toolbar->AddTool(cmd::Settings, wxString(), LoadPngOrBlank("./icon/setting.png"));
    m_toolbar->Realize();

    // The notice lies over the toolbar's free space, outside the sizer: a
    // strip of its own would push every row down when a notice comes.
    m_notice = new BoardNotice(&board);
    if (Theme* theme = board.GetTheme())
        m_notice->ApplyTheme(*theme);
    m_toolbar->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        PlaceNotice();
        event.Skip();
    });
}

void BoardToolbar::PlaceNotice()
{
    if (!m_notice || !m_toolbar)
        return;
    // The toolbar's stretchable space is what its width holds beyond the
    // tools; it starts after the title where there is one.
    constexpr int kGap = 8;
    const wxRect bar = m_toolbar->GetRect();
    const int stretchStart = m_titleLabel ? m_titleLabel->GetRect().GetRight() + 1 : 0;
    const int free = bar.width - m_toolbar->GetBestSize().x;
    m_notice->SetRoom(wxRect(bar.x + stretchStart + kGap, bar.y, std::max(0, free - 2 * kGap), bar.height));
}

void BoardToolbar::AddFramedTools()
{
    if (auto* frame = wxDynamicCast(m_board.GetParent()->GetParent(), wxFrame))
    {
        wxIcon icon;
        icon.CopyFromBitmap(LoadPngOrBlank("./icon/tickerdeck.png"));
        frame->SetIcon(icon);
    }
    ApplyToolbarColours(m_toolbar, m_board.GetTheme());
    m_toolbar->AddStretchableSpace();
    m_toolbar->AddTool(cmd::NewWatchlist, wxString(), LoadPngOrBlank("./icon/add.png"));
    m_toolbar->AddTool(cmd::AlertList, wxString(), LoadPngOrBlank("./icon/alert.png"));
    m_toolbar->AddTool(cmd::FitColumns, wxString(), LoadPngOrBlank("./icon/fit.png"));
    m_datePicker = new wxDatePickerCtrl(m_toolbar, cmd::DatePicker, wxDefaultDateTime,
                                        wxDefaultPosition, wxSize(-1, 20), wxDP_DROPDOWN,
                                        wxDefaultValidator, "datectrl");
    m_toolbar->AddControl(m_datePicker);
}

void BoardToolbar::AddDockedTools()
{
    m_titleLabel = new wxStaticTextEx(m_toolbar, wxID_ANY, _("Ticker Deck"));
    ApplyTitleLabelStyle(m_titleLabel, m_board.GetTheme());
    // The host shows its own window menu on a right click of the title.
    m_titleLabel->Bind(wxEVT_RIGHT_UP, [](wxMouseEvent& event) {
        event.ResumePropagation(999);
        event.Skip();
    });
    // The toolbar ends right clicks itself; one that started on the title is
    // handed on so it keeps travelling up to the host.
    m_toolbar->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
        if (event.GetEventObject() == m_titleLabel)
            m_board.ProcessWindowEvent(event);
        else
            event.Skip();
    });
    m_toolbar->AddControl(m_titleLabel);
    m_toolbar->AddStretchableSpace();
    m_toolbar->AddTool(cmd::NewWatchlist, wxString(), LoadPngOrBlank("./icon/add.png"));
    m_toolbar->AddTool(cmd::AlertList, wxString(), LoadPngOrBlank("./icon/alert.png"));
    m_toolbar->AddTool(cmd::FitColumns, wxString(), LoadPngOrBlank("./icon/fit.png"));
    m_toolbar->AddTool(cmd::OpenAnotherWindow, wxString(), LoadPngOrBlank("./icon/history.png"));
    ApplyToolbarColours(m_toolbar, m_board.GetTheme());
}

void BoardToolbar::ApplyTitle(const wxString& text)
{
    if (m_titleLabel)
    {
        // A title is the user's text: "P&L Desk" keeps its ampersand.
        m_titleLabel->SetLabelText(text);
        // The toolbar sizes its controls from the size recorded when they
        // were added; a longer title needs the record renewed.
        m_titleLabel->SetSize(m_titleLabel->GetBestSize());
        m_toolbar->Realize();
        m_toolbar->Refresh();
        return;
    }
    wxWindow* container = m_board.GetParent();
    if (auto* frame = wxDynamicCast(container ? container->GetParent() : nullptr, wxFrame))
        frame->SetTitle(text);
}

void BoardToolbar::ShowHistoryDate(const wxDateTime& pastDay, const wxDateTime& today)
{
    // The host's history date command changes the day too; the picker must
    // not go on showing the one picked before.
    if (m_datePicker)
        m_datePicker->SetValue(pastDay.IsValid() ? pastDay : today);
    if (m_board.HasOwnFrame())
        return;
    const char* path = pastDay.IsValid() ? "./icon/history_red.png" : "./icon/history.png";
    m_toolbar->SetToolNormalBitmap(cmd::OpenAnotherWindow, LoadPngOrBlank(path));
    m_toolbar->Refresh();
}
