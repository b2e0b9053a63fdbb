#include "MainFrame.h"

#include <algorithm>
#include <tuple>

#include <wx/aboutdlg.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/numformatter.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

#include <spdlog/spdlog.h>

#include "BoardWindowIds.h"
#include "HistoryDateDialog.h"
#include "LayoutDocument.h"
#include "Hotkeys.h"
#include "KeyMapDialog.h"
#include "NoticeBar.h"
#include "Platform.h"
#include "Screenshot.h"
#include "TerminalHost.h"
#include "TerminalSettings.h"
#include "UserFiles.h"
#include "market/MarketFeed.h"
#include "market/QuoteBook.h"
#include "contract/CommandIds.h"
#include "contract/Widget.h"
#include "files/DurableFile.h"
#include "theme/ThemeSwitch.h"

namespace {

// The work area of the display under the middle of `rect`, else under its
// corner, else the first display.
wxRect ScreenAround(const wxRect& rect)
{
    int display = wxDisplay::GetFromPoint(rect.GetPosition() + rect.GetSize() / 2);
    if (display == wxNOT_FOUND)
        display = wxDisplay::GetFromPoint(rect.GetPosition());
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

constexpr const char* kBoardName = "Ticker Deck";

enum MenuId
{
    ID_NEW_DOCKED = wxID_HIGHEST + 100,
    ID_NEW_FRAMED,
    ID_REOPEN_BOARD,
    ID_SAVE_LAYOUT,
    ID_EXPORT_EXCEL,
    ID_PRINT_PREVIEW,
    ID_PAGE_SETUP,
    ID_DARK_THEME,
    ID_LIGHT_THEME,
    ID_FIT_COLUMNS,
    ID_SCROLL_TOP,
    ID_HISTORY_DATE,
    ID_LIVE_QUOTES,
    ID_PAUSE_FEED,
    ID_RESUME_FEED,
    ID_EDIT_ALERT,
    ID_KEY_MAP,
    ID_CLOCK_TIMER,
    ID_QUIT_TIMER,
};

constexpr int kLastWidgetCommand = TerminalHost::kFirstWidgetCommand + 99;

// Status bar fields: feed, subscriptions, clock.
constexpr int kStatusFields = 3;

wxBitmap MenuIcon(const wxString& path)
{
    if (!wxFileName::FileExists(path))
        return wxNullBitmap;
    wxImage image(path, wxBITMAP_TYPE_PNG);
    if (!image.IsOk())
        return wxNullBitmap;
    return wxBitmap(image.Rescale(16, 16, wxIMAGE_QUALITY_HIGH));
}

// Over the board's own window: a framed board would otherwise vanish
// behind the main frame while the question is open.
bool AskToCloseBoard(wxWindow* container, const wxString& question)
{
    wxMessageDialog box(wxGetTopLevelParent(container), question, _("Close Window"),
                        wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    return box.ShowModal() == wxID_YES;
}

bool AskToQuitUnsaved(const wxString& reason)
{
    wxMessageDialog box(nullptr, reason + "\n\n" + _("Quit without saving?"), _("Tickerdeck Terminal"),
                        wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
    return box.ShowModal() == wxID_YES;
}

// Menus and dialogs closed at quit get this long to unwind their loops:
// a modal loop ends only once control is back in it, which a call queued at
// once can come before.
constexpr int kQuitRetryMs = 50;
constexpr int kMaxQuitDeferrals = 100;

wxMenuItem* AppendWithIcon(wxMenu* menu, int id, const wxString& label, const wxString& iconPath)
{
    auto* item = new wxMenuItem(menu, id, label);
    const wxBitmap icon = MenuIcon(iconPath);
    if (icon.IsOk())
        item->SetBitmap(icon);
    return menu->Append(item);
}

}  // namespace

wxBEGIN_EVENT_TABLE(MainFrame,
                    wxFrame) EVT_CLOSE(MainFrame::OnClose) EVT_AUI_PANE_CLOSE(MainFrame::OnPaneClose)
    EVT_TIMER(ID_CLOCK_TIMER, MainFrame::OnClockTimer) EVT_TIMER(ID_QUIT_TIMER, MainFrame::OnQuitTimer)
        EVT_MENU(ID_NEW_DOCKED, MainFrame::OnNewDocked) EVT_MENU(ID_NEW_FRAMED, MainFrame::OnNewFramed)
            EVT_MENU(ID_REOPEN_BOARD, MainFrame::OnReopenBoard) EVT_UPDATE_UI(ID_REOPEN_BOARD,
                                                                              MainFrame::OnUpdateReopenBoard)
                EVT_MENU(ID_SAVE_LAYOUT, MainFrame::OnSaveLayout) EVT_MENU(ID_EXPORT_EXCEL,
                                                                           MainFrame::OnBoardOutput)
                    EVT_MENU(ID_PRINT_PREVIEW, MainFrame::OnBoardOutput) EVT_MENU(ID_PAGE_SETUP,
                                                                                  MainFrame::OnBoardOutput)
                        EVT_MENU(wxID_EXIT, MainFrame::OnQuit) EVT_MENU(ID_DARK_THEME, MainFrame::OnTheme)
                            EVT_MENU(ID_LIGHT_THEME, MainFrame::OnTheme) EVT_MENU(ID_FIT_COLUMNS,
                                                                                  MainFrame::OnFitColumns)
                                EVT_MENU(ID_SCROLL_TOP, MainFrame::OnScrollToTop)
                                    EVT_MENU(ID_HISTORY_DATE, MainFrame::OnHistoryDate)
                                        EVT_MENU(ID_LIVE_QUOTES, MainFrame::OnLiveQuotes)
                                        EVT_MENU(ID_PAUSE_FEED, MainFrame::OnPauseFeed)
                                        EVT_MENU(ID_RESUME_FEED, MainFrame::OnResumeFeed)
                                        EVT_UPDATE_UI(ID_PAUSE_FEED, MainFrame::OnUpdateFeedItem)
                                        EVT_UPDATE_UI(ID_RESUME_FEED, MainFrame::OnUpdateFeedItem)
                                            EVT_MENU(ID_EDIT_ALERT, MainFrame::OnEditAlert)
                                                EVT_MENU_RANGE(TerminalHost::kFirstWidgetCommand,
                                                               kLastWidgetCommand, MainFrame::OnOpenWidget)
                                                    EVT_MENU(ID_KEY_MAP, MainFrame::OnKeyMap)
                                                        EVT_MENU(wxID_ABOUT, MainFrame::OnAbout)
                                                            wxEND_EVENT_TABLE()

                                                                MainFrame::MainFrame(TerminalHost& host,
                                                                                     ThemeSwitch& themes,
                                                                                     QuoteBook& quotes,
                                                                                     MarketFeed* feed)
    : wxFrame(nullptr, wxID_ANY, _("Tickerdeck Terminal"), wxDefaultPosition, wxSize(1500, 900)),
      m_host(host), m_themes(themes), m_quotes(quotes), m_feed(feed), m_clock(this, ID_CLOCK_TIMER),
      m_quitTimer(this, ID_QUIT_TIMER), m_confirmClose(AskToCloseBoard), m_confirmQuit(AskToQuitUnsaved)
{
    m_aui.SetManagedWindow(this);
    m_host.SetFrameParent(this);
    m_host.Windows().SetChangeListener([this] { UpdateStatus(); });
    m_quitRetry.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Close(m_retryForced); });
    TrackModalDialogs();

    wxIcon icon;
    const wxBitmap iconBitmap("icon/tickerdeck.png", wxBITMAP_TYPE_PNG);
    if (iconBitmap.IsOk())
    {
        icon.CopyFromBitmap(iconBitmap);
        SetIcon(icon);
    }
    SetMinSize(wxSize(640, 400));

    // The theme may be the one stored from an earlier run, not the one the
    // toolkit started with.
    SwitchToolkitStyle(m_themes.Selected() == ThemeSwitch::Choice::Dark);
    ShowMenuSeparators();
    BuildMenus();
    BuildStatusBar();
    ApplyTheme();

    RestoreWindows();
    m_aui.Update();
    m_clock.Start(1000);
    UpdateStatus();
    m_host.SetNoticeListener([this](const wxString& text) { ShowNotice(text); });
}

MainFrame::~MainFrame()
{
    m_host.SetNoticeListener(nullptr);
    m_host.Windows().SetChangeListener(nullptr);
    m_host.SetFrameParent(nullptr);
    m_aui.UnInit();
}

Widget* MainFrame::BoardWidget() const
{
    return m_host.FindWidget(kBoardName);
}

void MainFrame::RestoreWindows()
{
    size_t opened = 0;
    if (const boost::property_tree::ptree* document = m_host.LayoutDocument())
    {
        const wxRect geometry = ReadMainFrameGeometry(*document);
        if (geometry.width > 0 && geometry.height > 0)
            SetSize(FitOnScreen(geometry, ScreenAround(geometry)));
        // The records must outlive the calls below: each board reads its node
        // while it is being created.
        std::vector<WindowRecord> records = ReadWindowRecords(*document);
        for (WindowRecord& record : records)
        {
            if (record.widget != kBoardName)
                continue;
            const bool framed = (record.flags & window_flag::OwnFrame) != 0;
            wxWindow* board = framed         ? OpenFramedBoard(&record.state, record.geometry)
                              : record.dock ? OpenDockedBoardAt(&record.state, *record.dock, record.geometry.GetSize())
                                            : OpenDockedBoard(&record.state);
            opened += board != nullptr;
        }
        RestoreDockSizes(records);
        // Boards docked around a centre whose own board did not come back.
        if (opened > 0 && !m_aui.GetPane("board-centre").IsOk() && DockedPaneCount() > 0)
        {
            PromoteToCentre();
            m_aui.Update();
        }
    }
    if (opened == 0 && !OpenDockedBoard())
        ShowPlaceholder();
}

bool MainFrame::SaveLayout()
{
    auto logger = m_host.Logger();
    const std::string path = m_host.GetLayoutFilePath();
    boost::property_tree::ptree* document = m_host.LayoutDocument();
    boost::property_tree::ptree fresh;
    // A layout that exists but could not be read is the user's to mend;
    // writing over it would lose it for good.
    if (m_host.LayoutUnreadable() && wxFileName::Exists(wxString::FromUTF8(path)))
    {
        // The user was told at start, and a save from the menu says it failed.
        if (logger)
            logger->warn("not saving the layout: {} could not be read at start", path);
        return false;
    }
    if (!document)
        document = &fresh;

    Widget* boardWidget = BoardWidget();
    std::vector<WindowRecord> records;
    for (const OpenWindow& window : m_host.Windows().All())
        if (boardWidget && window.widget == boardWidget)
            records.push_back(RecordOf(window, document));
    WriteWindowRecords(*document, records);
    WriteMainFrameGeometry(*document, GetRect());
    try
    {
        WriteLayoutDocument(path, *document);
    }
    catch (const std::exception& error)
    {
        // The path and the system's reason are in the message.
        if (logger)
            logger->warn("cannot save the layout: {}", error.what());
        m_saveFailure = wxString::Format(_("The layout could not be saved: %s"), files::ShownReason(error));
        ShowNotice(m_saveFailure);
        return false;
    }
    m_saveFailure.clear();
    if (logger)
        logger->info("layout saved with {} board(s) to {}", records.size(), path);
    return true;
}

WindowRecord MainFrame::RecordOf(const OpenWindow& window, boost::property_tree::ptree* document)
{
    WindowRecord record;
    record.widget = kBoardName;
    record.flags = window.frame ? TerminalHost::kOwnFrameFlags : 0;
    record.geometry = window.frame ? window.frame->GetRect() : window.container->GetRect();
    if (!window.frame)
        record.dock = DockPlaceOf(window.container);
    window.widget->SaveWindow(window.container, document, &record.state);
    return record;
}

std::optional<DockPlace> MainFrame::DockPlaceOf(wxWindow* container)
{
    const wxAuiPaneInfo& pane = m_aui.GetPane(container);
    if (!pane.IsOk() || pane.IsFloating())
        return std::nullopt;
    DockPlace place;
    place.direction = pane.dock_direction;
    place.layer = pane.dock_layer;
    place.row = pane.dock_row;
    place.position = pane.dock_pos;
    place.proportion = pane.dock_proportion;
    if (place.direction == wxAUI_DOCK_CENTER)
        return place;  // the centre takes what the docks leave
    // The manager tells a dock's size only in its saved arrangement.
    const wxString key = wxString::Format("|dock_size(%d,%d,%d)=", place.direction, place.layer, place.row);
    const wxString perspective = m_aui.SavePerspective();
    const size_t at = perspective.find(key);
    long size = 0;
    if (at != wxString::npos && perspective.Mid(at + key.length()).BeforeFirst('|').ToLong(&size))
        place.dockSize = static_cast<int>(size);
    return place;
}

wxWindow* MainFrame::OpenDockedBoardAt(void* layoutNode, const DockPlace& place, const wxSize& size)
{
    const bool centre = place.direction == wxAUI_DOCK_CENTER;
    // A layout edited by hand may name a second centre, or an unknown dock.
    if ((centre && m_aui.GetPane("board-centre").IsOk()) || place.direction < wxAUI_DOCK_TOP ||
        place.direction > wxAUI_DOCK_CENTER)
        return OpenDockedBoard(layoutNode);
    wxAuiPaneInfo pane;
    pane.Caption(_("Ticker Deck")).CloseButton(true).MaximizeButton(true).PaneBorder(true);
    if (centre)
        return DockBoard(layoutNode, pane.Name("board-centre").CenterPane(), -1);
    pane.Name(wxString::Format("board-%d", m_paneCounter)).Direction(place.direction).Layer(place.layer)
        .Row(place.row).Position(place.position).MinSize(240, 160).Floatable(true);
    if (size.x > 0 && size.y > 0)
        pane.BestSize(size);
    if (place.proportion > 0)
        pane.dock_proportion = place.proportion;
    return DockBoard(layoutNode, pane, -1);
}

void MainFrame::RestoreDockSizes(const std::vector<WindowRecord>& records)
{
    // Docks are sized from their panes only up to a share of the frame; the
    // saved arrangement gives them the sizes the user dragged them to.
    wxString perspective = m_aui.SavePerspective();
    bool changed = false;
    for (const WindowRecord& record : records)
    {
        if (!record.dock || record.dock->dockSize <= 0 || (record.flags & window_flag::OwnFrame) != 0)
            continue;
        const DockPlace& place = *record.dock;
        const wxString key = wxString::Format("|dock_size(%d,%d,%d)=", place.direction, place.layer, place.row);
        const size_t at = perspective.find(key);
        if (at == wxString::npos)
            continue;
        const size_t from = at + key.length();
        const size_t to = perspective.find('|', from);
        perspective = perspective.Left(from) + wxString::Format("%d", place.dockSize) +
                      (to == wxString::npos ? wxString() : perspective.Mid(to));
        changed = true;
    }
    if (changed)
        m_aui.LoadPerspective(perspective, true);
}

wxWindow* MainFrame::OpenDockedBoard(void* layoutNode)
{
    // With the centre empty (its board closed, none left to take it) the
    // next board fills it, else the frame would show a hole beside it.
    const bool first = !m_aui.GetPane("board-centre").IsOk();
    wxAuiPaneInfo pane;
    pane.Caption(_("Ticker Deck")).CloseButton(true).MaximizeButton(true).PaneBorder(true);
    if (first)
        // The board shows its own title bar; a caption above it would repeat it.
        pane.Name("board-centre").CenterPane();
    else
        pane.Name(wxString::Format("board-%d", m_paneCounter)).Right().Layer(1)
            .Position(m_paneCounter).BestSize(520, 400).MinSize(240, 160).Floatable(true);
    return DockBoard(layoutNode, pane, -1);
}

wxWindow* MainFrame::DockBoard(void* layoutNode, wxAuiPaneInfo pane, int insertLevel)
{
    Widget* board = BoardWidget();
    if (!board)
        return nullptr;
    auto* container = new wxPanel(this, wxID_ANY);
    container->SetBackgroundColour(m_themes.Current().BackgroundColour());
    wxWindow* panel = board->CreateWindow(LinkGroup(), container, m_host.LayoutDocument(), layoutNode, 0);
    if (!panel)
    {
        container->Destroy();
        return nullptr;
    }
    m_host.Windows().Add(OpenWindow{board, container, panel, nullptr, LinkGroup()});
    BindBoardCommands(container);

    ++m_paneCounter;
    if (m_placeholder)
    {
        m_aui.DetachPane(m_placeholder);
        m_placeholder->Destroy();
        m_placeholder = nullptr;
        pane.Name("board-centre").CenterPane();
        insertLevel = -1;
    }
    if (insertLevel < 0)
        m_aui.AddPane(container, pane);
    else
        m_aui.InsertPane(container, pane, insertLevel);
    m_aui.Update();
    return panel;
}

wxAuiPaneInfo MainFrame::SplitPane(const wxAuiPaneInfo& source, bool beside, int& insertLevel)
{
    wxAuiPaneInfo pane;
    pane.Caption(_("Ticker Deck")).CloseButton(true).MaximizeButton(true).PaneBorder(true).Floatable(true)
        .MinSize(240, 160).Name(wxString::Format("board-%d", m_paneCounter));
    const wxSize size = source.rect.GetSize();
    pane.BestSize(beside ? wxSize(std::max(240, size.x / 2), size.y) : wxSize(size.x, std::max(160, size.y / 2)));
    const int direction = source.dock_direction;
    if (direction == wxAUI_DOCK_CENTER || source.IsFloating())
    {
        // Innermost layer: right against the board it splits.
        pane.Direction(beside ? wxAUI_DOCK_RIGHT : wxAUI_DOCK_BOTTOM).Layer(0).Row(0).Position(0);
        insertLevel = wxAUI_INSERT_ROW;
        return pane;
    }
    // Panes of one row line up along their dock: side by side in a top or
    // bottom dock, stacked in a left or right one. The next row lies further out.
    const bool sideDock = direction == wxAUI_DOCK_LEFT || direction == wxAUI_DOCK_RIGHT;
    pane.Direction(direction).Layer(source.dock_layer);
    if (beside != sideDock)
    {
        pane.Row(source.dock_row).Position(source.dock_pos + 1);
        insertLevel = wxAUI_INSERT_PANE;
    }
    else
    {
        pane.Row(source.dock_row + 1).Position(0);
        insertLevel = wxAUI_INSERT_ROW;
    }
    return pane;
}

wxWindow* MainFrame::SplitBoard(wxWindow* container, bool beside)
{
    const OpenWindow* window = m_host.Windows().FindByContainer(container);
    if (!window)
        return nullptr;
    // The new board starts as this one is now, not as it was last saved.
    WindowRecord current = RecordOf(*window, nullptr);
    if (window->frame)
    {
        const wxRect from = window->frame->GetRect();
        const wxPoint corner = beside ? wxPoint(from.GetRight() + 1, from.y) : wxPoint(from.x, from.GetBottom() + 1);
        return OpenFramedBoard(&current.state, wxRect(corner, from.GetSize()));
    }
    const wxAuiPaneInfo& source = m_aui.GetPane(container);
    if (!source.IsOk())
        return nullptr;
    int insertLevel = wxAUI_INSERT_PANE;
    const wxAuiPaneInfo pane = SplitPane(source, beside, insertLevel);
    return DockBoard(&current.state, pane, insertLevel);
}

bool MainFrame::MayCloseBoard(wxWindow* container)
{
    const OpenWindow* window = m_host.Windows().FindByContainer(container);
    if (!window ||
        !m_confirmClose(container, _("Close this board? File > Reopen Closed Board brings it back, with its tabs, filters, bookmarks and "
                                      "alerts, until the terminal quits.")))
        return false;
    // Asked again: the board may have gone while the question was open.
    window = m_host.Windows().FindByContainer(container);
    if (!window)
        return false;
    m_closedBoards.push_back(RecordOf(*window, nullptr));
    return true;
}

bool MainFrame::CloseBoard(wxWindow* container)
{
    const OpenWindow* window = m_host.Windows().FindByContainer(container);
    if (!window)
        return false;
    // A frame asks in its own close handler, whoever closes it.
    if (window->frame)
        return window->frame->Close();
    return MayCloseBoard(container) && CloseDockedBoard(container);
}

bool MainFrame::ReopenClosedBoard()
{
    if (m_closedBoards.empty())
        return false;
    // Kept until the board is open: it reads its state while it is made.
    WindowRecord record = std::move(m_closedBoards.back());
    m_closedBoards.pop_back();
    const bool framed = (record.flags & window_flag::OwnFrame) != 0;
    // A docked board goes back to its dock, row and place at the size it
    // had, as a restart brings it back.
    wxWindow* board = framed         ? OpenFramedBoard(&record.state, record.geometry)
                      : record.dock ? OpenDockedBoardAt(&record.state, *record.dock, record.geometry.GetSize())
                                    : OpenDockedBoard(&record.state);
    if (board && !framed)
        RestoreDockSizes({record});
    return board != nullptr;
}

void MainFrame::BindBoardCommands(wxWindow* container)
{
    // Deferred: the command comes from a menu of the board about to go.
    container->Bind(wxEVT_MENU, [this, container](wxCommandEvent&) {
        CallAfter([this, container] { CloseBoard(container); });
    }, board_window::Close);
    container->Bind(wxEVT_MENU, [this, container](wxCommandEvent& event) {
        const bool beside = event.GetId() == board_window::SplitVertical;
        CallAfter([this, container, beside] { SplitBoard(container, beside); });
    }, board_window::SplitVertical, board_window::SplitHorizontal);
    // What a board tells its user comes to the one strip for the whole
    // terminal, whichever window the board is in.
    container->Bind(wxEVT_MENU, [this](wxCommandEvent& event) { ShowNotice(event.GetString()); },
                    cmd::UserNotice);
    // A framed board's "Widget" menu has no main frame above it to reach.
    container->Bind(wxEVT_MENU, &MainFrame::OnOpenWidget, this, TerminalHost::kFirstWidgetCommand,
                    kLastWidgetCommand);
}

wxWindow* MainFrame::OpenFramedBoard(void* layoutNode, const wxRect& geometry)
{
    Widget* board = BoardWidget();
    if (!board)
        return nullptr;
    wxWindow* panel = m_host.Windows().OpenInFrame(board, LinkGroup(), m_host.LayoutDocument(),
                                                   TerminalHost::kOwnFrameFlags, this, layoutNode);
    const OpenWindow* window = panel ? m_host.Windows().FindByContainer(panel->GetParent()) : nullptr;
    if (window)
        BindBoardCommands(window->container);
    if (window && window->frame)
    {
        // Bound after the frame's own handler, so it runs first and can
        // keep the frame; quitting destroys frames without asking.
        wxWindow* container = window->container;
        window->frame->Bind(wxEVT_CLOSE_WINDOW, [this, container](wxCloseEvent& event) {
            if (event.CanVeto() && !MayCloseBoard(container))
            {
                event.Veto();
                return;
            }
            event.Skip();
        });
    }
    if (window && window->frame && geometry.width > 0 && geometry.height > 0)
        window->frame->SetSize(FitOnScreen(geometry, ScreenAround(geometry)));
    return panel;
}

void MainFrame::ShowNotice(const wxString& text)
{
    if (auto logger = m_host.Logger())
        logger->info("notice shown: {}", std::string(text.utf8_str()));
    if (!m_noticeBar)
    {
        m_noticeBar = new NoticeBar(this, [this] {
            m_aui.GetPane(m_noticeBar).Hide();
            m_aui.Update();
        });
        // Below the boards: a strip above them would move every row down
        // between the user's aiming and clicking.
        m_aui.AddPane(m_noticeBar, wxAuiPaneInfo().Name("notices").Bottom().Layer(10).CaptionVisible(false)
                                       .PaneBorder(false).Floatable(false).Movable(false).Resizable(false));
    }
    m_noticeBar->Add(text);
    m_aui.GetPane(m_noticeBar).Show().BestSize(m_noticeBar->GetBestSize());
    m_aui.Update();
}

wxString MainFrame::NoticeText() const
{
    return m_noticeBar && m_noticeBar->IsShown() ? m_noticeBar->Text() : wxString();
}

void MainFrame::ShowPlaceholder()
{
    const Theme& theme = m_themes.Current();
    auto* panel = new wxPanel(this, wxID_ANY);
    panel->SetBackgroundColour(theme.CellBackgroundColour());
    auto* text = new wxStaticText(panel, wxID_ANY,
                                  _("No Ticker Deck plug-in was found. Start the terminal with --plugins FOLDER."));
    text->SetForegroundColour(theme.LabelTextColour());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    sizer->Add(text, 0, wxALIGN_CENTRE);
    sizer->AddStretchSpacer();
    panel->SetSizer(sizer);
    m_placeholder = panel;
    m_aui.AddPane(panel, wxAuiPaneInfo().Name("placeholder").CenterPane());
}

size_t MainFrame::DockedPaneCount() const
{
    size_t count = 0;
    for (const OpenWindow& window : m_host.Windows().All())
        if (!window.frame)
            ++count;
    return count;
}

void MainFrame::BuildMenus()
{
    auto* bar = new wxMenuBar;
    bar->Append(BuildFileMenu(), _("&File"));
    bar->Append(BuildViewMenu(), _("&View"));
    bar->Append(BuildMarketMenu(), _("&Market"));
    bar->Append(BuildWidgetsMenu(), _("&Widgets"));
    bar->Append(BuildHelpMenu(), _("&Help"));
    SetMenuBar(bar);
}

wxMenu* MainFrame::BuildFileMenu()
{
    auto* menu = new wxMenu;
    AppendWithIcon(menu, ID_NEW_DOCKED, _("New Ticker Deck (docked)") + "\tCtrl+N", "icon/tickerdeck.png");
    AppendWithIcon(menu, ID_NEW_FRAMED, _("New Ticker Deck Window") + "\tCtrl+Shift+N", "icon/window.png");
    menu->Append(ID_REOPEN_BOARD, _("Reopen Closed Board") + "\tCtrl+Shift+T");
    menu->AppendSeparator();
    AppendWithIcon(menu, ID_SAVE_LAYOUT, _("Save Layout") + "\tCtrl+S", "icon/save.png");
    menu->AppendSeparator();
    AppendWithIcon(menu, ID_EXPORT_EXCEL, _("Export to Excel"), "icon/excel.png");
    menu->Append(ID_PAGE_SETUP, _("Page Setup..."));
    AppendWithIcon(menu, ID_PRINT_PREVIEW, _("Print Preview"), "icon/printer.png");
    menu->AppendSeparator();
    AppendWithIcon(menu, wxID_EXIT, _("Quit") + "\tCtrl+Q", "icon/quit.png");
    return menu;
}

wxMenu* MainFrame::BuildViewMenu()
{
    auto* menu = new wxMenu;
    menu->AppendRadioItem(ID_DARK_THEME, _("Dark Theme"));
    menu->AppendRadioItem(ID_LIGHT_THEME, _("Light Theme"));
    menu->Check(m_themes.Selected() == ThemeSwitch::Choice::Dark ? ID_DARK_THEME : ID_LIGHT_THEME, true);
    menu->AppendSeparator();
    menu->Append(ID_FIT_COLUMNS, _("Fit Columns"));
    menu->Append(ID_SCROLL_TOP, _("Scroll to Top"));
    return menu;
}

wxMenu* MainFrame::BuildMarketMenu()
{
    auto* menu = new wxMenu;
    AppendWithIcon(menu, ID_HISTORY_DATE, _("History Date..."), "icon/history.png");
    menu->Append(ID_LIVE_QUOTES, _("Live Quotes"));
    menu->AppendSeparator();
    menu->Append(ID_PAUSE_FEED, _("Pause Feed"));
    menu->Append(ID_RESUME_FEED, _("Resume Feed"));
    menu->AppendSeparator();
    AppendWithIcon(menu, ID_EDIT_ALERT, _("Edit Alert for Selected Row..."), "icon/alert.png");
    return menu;
}

wxMenu* MainFrame::BuildWidgetsMenu()
{
    auto* menu = new wxMenu;
    for (Widget* widget : m_host.GetWidgets())
    {
        if (!widget)
        {
            menu->AppendSeparator();
            continue;
        }
        if (widget->commandId < TerminalHost::kFirstWidgetCommand || widget->commandId > kLastWidgetCommand)
            continue;
        AppendWithIcon(menu, widget->commandId, wxGetTranslation(wxString::FromUTF8(widget->GetDisplayName())),
                       wxString::FromUTF8(widget->GetIconPath()));
    }
    return menu;
}

wxMenu* MainFrame::BuildHelpMenu()
{
    auto* menu = new wxMenu;
    menu->Append(ID_KEY_MAP, _("Key Map"));
    menu->Append(wxID_ABOUT, _("About"));
    return menu;
}

void MainFrame::BuildStatusBar()
{
    wxStatusBar* bar = CreateStatusBar(kStatusFields, wxSTB_DEFAULT_STYLE & ~wxSTB_SIZEGRIP);
    const int widths[kStatusFields] = {-1, 200, 110};
    bar->SetStatusWidths(kStatusFields, widths);
}

void MainFrame::ApplyTheme()
{
    const Theme& theme = m_themes.Current();
    SetBackgroundColour(theme.BackgroundColour());
    SetForegroundColour(theme.TextColour());
    if (wxStatusBar* bar = GetStatusBar())
    {
        bar->SetBackgroundColour(theme.MarginColour());
        bar->SetForegroundColour(theme.LabelTextColour());
        bar->Refresh();
    }

    wxAuiDockArt* art = m_aui.GetArtProvider();
    art->SetMetric(wxAUI_DOCKART_GRADIENT_TYPE, wxAUI_GRADIENT_NONE);
    art->SetMetric(wxAUI_DOCKART_CAPTION_SIZE, 24);
    art->SetMetric(wxAUI_DOCKART_SASH_SIZE, 5);
    art->SetMetric(wxAUI_DOCKART_PANE_BORDER_SIZE, 1);
    art->SetColour(wxAUI_DOCKART_BACKGROUND_COLOUR, theme.MarginColour());
    art->SetColour(wxAUI_DOCKART_SASH_COLOUR, theme.MarginColour());
    art->SetColour(wxAUI_DOCKART_BORDER_COLOUR, theme.BorderColour());
    art->SetColour(wxAUI_DOCKART_GRIPPER_COLOUR, theme.BorderColour());
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_COLOUR, theme.ActiveTabColour());
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_GRADIENT_COLOUR, theme.ActiveTabColour());
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_COLOUR, theme.ActiveTabColour());
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_GRADIENT_COLOUR, theme.ActiveTabColour());
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_TEXT_COLOUR, theme.TextColour());
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_TEXT_COLOUR, theme.LabelTextColour());
    art->SetFont(wxAUI_DOCKART_CAPTION_FONT, theme.MakeFont(0, 700, 90, false));

    for (const OpenWindow& window : m_host.Windows().All())
    {
        window.container->SetBackgroundColour(theme.BackgroundColour());
        if (window.frame)
            window.frame->SetBackgroundColour(theme.BackgroundColour());
    }
    m_aui.Update();
    Refresh();
}

void MainFrame::SelectTheme(bool dark)
{
    if (!m_themes.Select(dark ? ThemeSwitch::Choice::Dark : ThemeSwitch::Choice::Light))
        return;
    // Menus, scroll bars and date pickers are the toolkit's to draw.
    SwitchToolkitStyle(dark);
    ShowMenuSeparators();
    ApplyTheme();
    m_host.ApplyThemeToDialogs();
    m_host.PostToOpenWindows(cmd::ThemeChanged);
    if (wxMenuBar* bar = GetMenuBar())
        bar->Check(dark ? ID_DARK_THEME : ID_LIGHT_THEME, true);
    RememberTheme();
}

void MainFrame::RememberTheme()
{
    const std::string name = m_themes.Selected() == ThemeSwitch::Choice::Light ? "light" : "dark";
    try
    {
        WriteStoredTheme(m_host.Files().SettingsPath(), name);
    }
    catch (const std::exception& error)
    {
        if (auto logger = m_host.Logger())
            logger->error("cannot save the theme: {}", error.what());
        ShowNotice(wxString::Format(_("The chosen theme could not be kept for the next start: %s"),
                                    files::ShownReason(error)));
    }
}

void MainFrame::ShowHistoryDate(const wxString& date)
{
    // Boards treat today's date as live quotes, and so does the status bar.
    m_historyDate = date == wxString::FromUTF8(QuoteBook::Today()) ? wxString() : date;
    m_host.PostToOpenWindows(cmd::HistoryDate, date);
    UpdateStatus();
    if (auto logger = m_host.Logger())
        logger->info("boards asked to show {}", std::string(date.utf8_str()));
}

void MainFrame::ScheduleQuit(double seconds, const wxString& screenshotPath)
{
    m_screenshotPath = screenshotPath;
    m_unattendedQuit = true;
    m_quitTimer.StartOnce(std::max(1, static_cast<int>(seconds * 1000.0)));
}

void MainFrame::QuitUnattended()
{
    m_unattendedQuit = true;
    Close();
}

wxString FeedRateText(double rate)
{
    // %g turns a million into "1e+06".
    return wxNumberFormatter::ToString(rate, 2,
                                       wxNumberFormatter::Style_WithThousandsSep | wxNumberFormatter::Style_NoTrailingZeroes);
}

wxString MainFrame::FeedStatusText() const
{
    // Plain ASCII: a narrow literal beyond it converts to nothing in the C locale.
    if (!m_historyDate.empty())
    {
        wxDateTime day;
        const wxString shown = day.ParseFormat(m_historyDate, "%Y%m%d") ? day.FormatISODate() : m_historyDate;
        return m_feedPaused ? wxString::Format(_("History: quotes of %s, feed paused"), shown)
                            : wxString::Format(_("History: quotes of %s"), shown);
    }
    if (m_feedPaused)
        return _("Live: feed paused");
    if (m_feed && m_feed->IsRunning() && m_feed->Rate() > 0.0)
        return wxString::Format(_("Live: %s updates/s"), FeedRateText(m_feed->Rate()));
    return _("Live: feed stopped");
}

void MainFrame::UpdateStatus()
{
    wxStatusBar* bar = GetStatusBar();
    if (!bar)
        return;
    bar->SetStatusText(FeedStatusText(), 0);
    bar->SetStatusText(wxString::Format(_("Subscriptions: %zu"), m_quotes.SubscriptionCount()), 1);
    bar->SetStatusText(wxDateTime::Now().FormatISOTime(), 2);
}

void MainFrame::OnClose(wxCloseEvent& event)
{
    // A menu or dialog open now runs a loop of its own, which would go on
    // waiting inside a frame that is gone: close them and quit once control
    // is back in the main loop.
    const bool closedSome = CloseMenusAndModalDialogs();
    if ((closedSome || InsideNestedEventLoop()) && m_quitDeferrals++ < kMaxQuitDeferrals)
    {
        const bool force = !event.CanVeto();
        if (!force)
            event.Veto();
        m_retryForced = force;
        m_quitRetry.StartOnce(kQuitRetryMs);
        return;
    }
    m_quitDeferrals = 0;
    // Every normal way out saves first, while every board is still there.
    // A layout left unsaved on purpose (unreadable at start, the user was
    // told then) is no failure to ask about.
    if (!SaveLayout() && !m_saveFailure.empty() && !MayQuitUnsaved(event))
    {
        event.Veto();
        return;
    }
    m_clock.Stop();
    m_quitTimer.Stop();
    m_quitRetry.Stop();
    if (m_feed)
        m_feed->Stop();
    m_host.LeaveQuotes();
    // Every widget forgets its windows first; destroying them afterwards lets
    // each window release its own subscriptions on its destroy event.
    for (const OpenWindow& window : m_host.Windows().CloseAll())
        if (window.frame)
            window.frame->Destroy();
    Destroy();
}

bool MainFrame::MayQuitUnsaved(const wxCloseEvent& event)
{
    // Nobody to ask: the quit goes on, and the exit code tells.
    if (m_unattendedQuit || !event.CanVeto())
    {
        m_quitUnsaved = true;
        return true;
    }
    return m_confirmQuit(m_saveFailure);
}

void MainFrame::PromoteToCentre()
{
    // The centre would stay an empty hole. The board docked nearest to it
    // takes it: one stacked against the closed board, not one further out
    // that happened to open first.
    wxAuiPaneInfo* nearest = nullptr;
    auto distance = [](const wxAuiPaneInfo& pane) {
        return std::make_tuple(pane.IsFloating(), pane.dock_layer, pane.dock_row, pane.dock_pos);
    };
    for (const OpenWindow& window : m_host.Windows().All())
    {
        wxAuiPaneInfo& pane = m_aui.GetPane(window.container);
        if (!window.frame && pane.IsOk() && (!nearest || distance(pane) < distance(*nearest)))
            nearest = &pane;
    }
    if (nearest)
        nearest->Name("board-centre").CenterPane();
}

bool MainFrame::CloseDockedBoard(wxWindow* container)
{
    const OpenWindow* window = m_host.Windows().FindByContainer(container);
    if (!window || window->frame)
        return false;
    const bool centre = m_aui.GetPane(container).dock_direction == wxAUI_DOCK_CENTER;
    m_host.Windows().Close(container);
    m_aui.DetachPane(container);
    container->Destroy();
    if (centre)
        PromoteToCentre();
    m_aui.Update();
    return true;
}

void MainFrame::OnPaneClose(wxAuiManagerEvent& event)
{
    // The pane's board is closed like any other; the manager must not just
    // hide it. Asking waits until the manager is done with its event.
    wxWindow* container = event.GetPane()->window;
    if (!m_host.Windows().FindByContainer(container))
        return;
    event.Veto();
    CallAfter([this, container] { CloseBoard(container); });
}

void MainFrame::OnClockTimer(wxTimerEvent&)
{
    UpdateStatus();
}

void MainFrame::OnQuitTimer(wxTimerEvent&)
{
    if (!m_screenshotPath.empty())
    {
        const std::vector<wxString> files = CaptureTopLevelWindows(this, m_screenshotPath);
        if (auto logger = m_host.Logger())
            logger->info("saved {} screenshot(s) to {}", files.size(), std::string(m_screenshotPath.utf8_str()));
    }
    Close();
}

void MainFrame::OnNewDocked(wxCommandEvent&)
{
    OpenDockedBoard();
}

void MainFrame::OnNewFramed(wxCommandEvent&)
{
    OpenFramedBoard();
}

void MainFrame::OnReopenBoard(wxCommandEvent&)
{
    ReopenClosedBoard();
}

void MainFrame::OnUpdateReopenBoard(wxUpdateUIEvent& event)
{
    event.Enable(!m_closedBoards.empty());
}

void MainFrame::OnSaveLayout(wxCommandEvent&)
{
    SetStatusText(SaveLayout() ? _("Layout saved") : _("The layout could not be saved"), 0);
}

void MainFrame::OnBoardOutput(wxCommandEvent& event)
{
    // The board's own commands, for its current tab.
    const int id = event.GetId();
    m_host.PostToActiveWindow(id == ID_EXPORT_EXCEL ? cmd::ExportExcel
                              : id == ID_PAGE_SETUP ? cmd::PageSetup
                                                    : cmd::PrintPreview);
}

void MainFrame::OnQuit(wxCommandEvent&)
{
    Close();
}

void MainFrame::OnTheme(wxCommandEvent& event)
{
    SelectTheme(event.GetId() == ID_DARK_THEME);
}

void MainFrame::OnFitColumns(wxCommandEvent&)
{
    m_host.PostToOpenWindows(cmd::FitAllColumns);
}

void MainFrame::OnEditAlert(wxCommandEvent&)
{
    // The board's own command: it opens the setup for its selected row.
    m_host.PostToActiveWindow(cmd::AlertSetup);
}

void MainFrame::OnScrollToTop(wxCommandEvent&)
{
    m_host.PostToOpenWindows(cmd::ScrollToTop);
}

void MainFrame::OnHistoryDate(wxCommandEvent&)
{
    wxDateTime shown = wxDateTime::Today();
    if (!m_historyDate.empty())
        shown.ParseFormat(m_historyDate, "%Y%m%d");
    HistoryDateDialog dialog(this, m_themes.Current(), shown);
    if (dialog.ShowModal() == wxID_OK && dialog.GetDate().IsValid())
        ShowHistoryDate(dialog.GetDate().Format("%Y%m%d"));
}

void MainFrame::OnLiveQuotes(wxCommandEvent&)
{
    ShowHistoryDate(wxString::FromUTF8(QuoteBook::Today()));
}

void MainFrame::OnPauseFeed(wxCommandEvent&)
{
    SetFeedPaused(true);
}

void MainFrame::OnResumeFeed(wxCommandEvent&)
{
    SetFeedPaused(false);
}

void MainFrame::SetFeedPaused(bool paused)
{
    if (!m_feed || paused == m_feedPaused)
        return;
    m_feedPaused = paused;
    if (paused)
        m_feed->Stop();
    else
        m_feed->Start();
    UpdateStatus();
    if (auto logger = m_host.Logger())
        logger->info("feed {}", paused ? "paused" : "resumed");
}

void MainFrame::OnUpdateFeedItem(wxUpdateUIEvent& event)
{
    // Without a feed (a rate of 0) there is nothing to pause or resume.
    event.Enable(m_feed && m_feedPaused == (event.GetId() == ID_RESUME_FEED));
}

void MainFrame::OnOpenWidget(wxCommandEvent& event)
{
    if (Widget* widget = m_host.WidgetByCommand(event.GetId()))
        m_host.OpenWidget(widget, LinkGroup(), LinkGroup(), open_mode::Plain);
}

void MainFrame::OnKeyMap(wxCommandEvent&)
{
    KeyMapDialog keyMap(this);
    keyMap.ShowModal();
}

void MainFrame::OnAbout(wxCommandEvent&)
{
    wxAboutDialogInfo info;
    info.SetName(_("Tickerdeck Terminal"));
    info.SetVersion(TICKERDECK_VERSION);
    info.SetDescription(_("A desktop trading terminal that hosts the Ticker Deck quote board and its "
                          "companion widgets on a simulated market."));
    wxAboutBox(info, this);
}
