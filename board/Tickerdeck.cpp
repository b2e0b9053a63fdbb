#include "board/Tickerdeck.h"

#include "board/BoardColours.h"

#include <algorithm>

#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "kit/BoardNotice.h"
#include "kit/BoardOwner.h"
#include "kit/PngFile.h"
#include "board/TickerdeckTable.h"
#include "board/TabFill.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "controls/wxStaticTextEx.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Theme.h"

// clang-format off
wxBEGIN_EVENT_TABLE(Tickerdeck, wxPanel)
    EVT_FLATNOTEBOOK_PAGE_CHANGED(cmd::Notebook, Tickerdeck::OnTabActivated)
    EVT_MENU(cmd::InstrumentLink, Tickerdeck::OnLinkReceived)
    EVT_MENU(cmd::QuoteUpdate, Tickerdeck::OnQuoteUpdate)
    EVT_MENU(cmd::ThemeChanged, Tickerdeck::OnBoardCommand)
    EVT_MENU(cmd::ScrollToTop, Tickerdeck::OnBoardCommand)
    EVT_MENU(cmd::FitAllColumns, Tickerdeck::OnBoardCommand)
    EVT_GRID_CELL_LEFT_CLICK(Tickerdeck::OnCellLeftClick)
    EVT_GRID_CELL_LEFT_DCLICK(Tickerdeck::ForwardGridEvent)
    EVT_GRID_LABEL_RIGHT_CLICK(Tickerdeck::ForwardGridEvent)
    EVT_GRID_CELL_RIGHT_CLICK(Tickerdeck::ForwardGridEvent)
    EVT_GRID_COL_SORT(Tickerdeck::OnColumnSort)
    EVT_MENU(cmd::RowCommandFirst, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::RowCommandSecond, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::DeleteInstrument, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::DeleteTab, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::EditWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::NewWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::RenameWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::PrintPreview, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::PageSetup, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::Settings, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ColourRules, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::SaveColumnSet, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ApplyColumnSet, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::WatchlistCommand, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ExportExcel, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::OpenLadder, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::OpenTape, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::OpenSweeper, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::OpenCharting, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::OpenFillscope, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::AlertSetup, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::AlertList, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::AlertFired, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::EditFilter, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::RemoveFilter, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ToggleBookmark, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ClearBookmarks, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ShowInstrumentFlags, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ExportWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ImportWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::ToggleAutoFit, Tickerdeck::OnBoardCommand)
    EVT_MENU(cmd::FitColumns, Tickerdeck::OnBoardCommand)
    EVT_MENU(cmd::OpenAnotherWindow, Tickerdeck::OnBoardCommand)
    EVT_MENU(cmd::HistoryDate, Tickerdeck::OnBoardCommand)
    // The toolbar tools again; the first matching entry above wins, these
    // keep the table in step with the host's own copy of it.
    EVT_MENU(cmd::NewWatchlist, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::AlertList, Tickerdeck::ForwardCommand)
    EVT_MENU(cmd::Settings, Tickerdeck::ForwardCommand)
    EVT_DATE_CHANGED(wxID_ANY, Tickerdeck::OnDatePicked)
    EVT_MENU(cmd::PauseSorting, Tickerdeck::OnBoardCommand)
    EVT_IDLE(Tickerdeck::OnIdle)
wxEND_EVENT_TABLE()
    // clang-format on

    Tickerdeck::Tickerdeck(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
                           void* layoutNode, int flags, const FeatureInstaller& installFeatures)
    : wxPanel(container, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER),
      m_owner(owner), m_group(group), m_flags(flags), m_imageList(std::make_unique<wxFlatNotebookImageList>())
{
    Bind(wxEVT_DESTROY, &Tickerdeck::OnDestroy, this);
    if (Theme* theme = GetTheme())
        SetFont(theme->NormalFont());

    m_looks = std::make_unique<TabLooks>(*this);
    m_quotes = std::make_unique<QuoteDrain>(*this);
    m_sorting = std::make_unique<TabSorting>(*this);
    m_fitter = std::make_unique<ColumnFitter>(*this);
    m_features = std::make_unique<FeatureRouter>(*this);
    CreateToolbar();
    m_notice = new BoardNotice(this);
    m_rows = std::make_unique<BoardRows>(*this);
    if (Theme* theme = GetTheme())
        m_notice->ApplyTheme(*theme);
    CreateNotebook();

    // The notice lies over the toolbar's free space, outside the sizer: a
    // strip of its own would push every row down when a notice comes.
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_toolbar, 0, wxEXPAND);
    sizer->Add(m_notebook, 1, wxEXPAND);
    SetSizer(sizer);
    m_toolbar->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        PlaceNotice();
        event.Skip();
    });

    m_trends = std::make_unique<TrendSampler>(*this);

    // Features are in place before the load: what it restores (tabs,
    // alerts) may already reach them.
    if (installFeatures)
        installFeatures(*this);
    Load(layoutSource, layoutNode);
}

Tickerdeck::~Tickerdeck()
{
    // A plain delete reaches wxWindow's destructor only after our members are
    // gone; tearing down here keeps the destroy handler on a whole object.
    SendDestroyEvent();
    if (m_notebook)
        m_notebook->SetImageList(nullptr);
}

std::shared_ptr<store::WatchlistStoreService> Tickerdeck::GetStore() const
{
    return m_owner ? m_owner->WatchlistStore() : nullptr;
}

Host* Tickerdeck::GetHost() const
{
    return m_owner ? m_owner->BoardHost() : nullptr;
}

Theme* Tickerdeck::GetTheme() const
{
    Host* host = GetHost();
    return host ? host->GetTheme() : nullptr;
}

bool Tickerdeck::HasOwnFrame() const
{
    return (m_flags & window_flag::OwnFrame) != 0;
}

wxWindow* Tickerdeck::GetOwnerFrame() const
{
    if (HasOwnFrame())
        return GetParent() ? GetParent()->GetParent() : nullptr;
    // The host hands its frame over as the link group value.
    return reinterpret_cast<wxWindow*>(static_cast<uintptr_t>(m_group));
}

namespace {

/// A flat horizontal bar without the divider line above it.
constexpr long kToolbarStyle = wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER;
static_assert(kToolbarStyle == 548, "the toolbar's style changed with the toolkit");

/// Flat tabs with a line under the tab strip.
constexpr long kNotebookStyle = wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE;
static_assert(kNotebookStyle == 72, "the notebook's style changed with the controls library");

// Two bars on the tab of a paused sort.
wxBitmap PauseMark()
{
    constexpr int kSide = 16;
    wxImage image(kSide, kSide);
    image.InitAlpha();
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
        {
            const bool bar = y >= 3 && y < 13 && ((x >= 4 && x < 7) || (x >= 9 && x < 12));
            image.SetRGB(x, y, 128, 128, 128);
            image.SetAlpha(x, y, bar ? 255 : 0);
        }
    return wxBitmap(image);
}

}  // namespace

void Tickerdeck::CreateToolbar()
{
    m_toolbar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, kToolbarStyle);
    // The theme colour paints the whole bar; erasing first only flickers.
    m_toolbar->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});

    if (HasOwnFrame())
        AddFramedTools();
    else
        AddDockedTools();

    m_toolbar->AddTool(cmd::Settings, wxString(), LoadPngOrBlank("./icon/setting.png"));
    m_toolbar->Realize();
}

void Tickerdeck::PlaceNotice()
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

void Tickerdeck::AddFramedTools()
{
    if (auto* frame = wxDynamicCast(GetParent()->GetParent(), wxFrame))
    {
        wxIcon icon;
        icon.CopyFromBitmap(LoadPngOrBlank("./icon/tickerdeck.png"));
        frame->SetIcon(icon);
    }
    ApplyToolbarColours(m_toolbar, GetTheme());
    m_toolbar->AddStretchableSpace();
    m_toolbar->AddTool(cmd::NewWatchlist, wxString(), LoadPngOrBlank("./icon/add.png"));
    m_toolbar->AddTool(cmd::AlertList, wxString(), LoadPngOrBlank("./icon/alert.png"));
    m_toolbar->AddTool(cmd::FitColumns, wxString(), LoadPngOrBlank("./icon/fit.png"));
    m_datePicker = new wxDatePickerCtrl(m_toolbar, cmd::DatePicker, wxDefaultDateTime,
                                        wxDefaultPosition, wxSize(-1, 20), wxDP_DROPDOWN,
                                        wxDefaultValidator, "datectrl");
    m_toolbar->AddControl(m_datePicker);
}

void Tickerdeck::AddDockedTools()
{
    m_titleLabel = new wxStaticTextEx(m_toolbar, wxID_ANY, _("Ticker Deck"));
    ApplyTitleLabelStyle(m_titleLabel, GetTheme());
    // The host shows its own window menu on a right click of the title.
    m_titleLabel->Bind(wxEVT_RIGHT_UP, [](wxMouseEvent& event) {
        event.ResumePropagation(999);
        event.Skip();
    });
    // The toolbar ends right clicks itself; one that started on the title is
    // handed on so it keeps travelling up to the host.
    m_toolbar->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
        if (event.GetEventObject() == m_titleLabel)
            ProcessWindowEvent(event);
        else
            event.Skip();
    });
    m_toolbar->AddControl(m_titleLabel);
    m_toolbar->AddStretchableSpace();
    m_toolbar->AddTool(cmd::NewWatchlist, wxString(), LoadPngOrBlank("./icon/add.png"));
    m_toolbar->AddTool(cmd::AlertList, wxString(), LoadPngOrBlank("./icon/alert.png"));
    m_toolbar->AddTool(cmd::FitColumns, wxString(), LoadPngOrBlank("./icon/fit.png"));
    m_toolbar->AddTool(cmd::OpenAnotherWindow, wxString(), LoadPngOrBlank("./icon/history.png"));
    ApplyToolbarColours(m_toolbar, GetTheme());
}

void Tickerdeck::CreateNotebook()
{
    m_notebook = new wxFlatNotebook(this, cmd::Notebook, wxDefaultPosition, wxSize(23, 23), kNotebookStyle,
                                    "Flat Notebook");
    m_notebook->SetPadding(wxSize(10, 10));
    ApplyNotebookColours(m_notebook, GetTheme());
    m_imageList->Add(LoadPngOrBlank("./icon/list.png"));
    m_imageList->Add(PauseMark());
    m_notebook->SetImageList(m_imageList.get());
    m_notebook->SetTabToolTipSource([this](size_t index) { return m_looks->TabToolTip(index); });
}

void Tickerdeck::ApplyTitle(const wxString& text)
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
    wxWindow* container = GetParent();
    if (auto* frame = wxDynamicCast(container ? container->GetParent() : nullptr, wxFrame))
        frame->SetTitle(text);
}

void Tickerdeck::AddTabPage(wxGridEx* grid, const wxString& label, bool select)
{
    m_notebook->AddPage(grid->GetSplitter(), label, select);
    // The first page is shown without a page-changed event; whatever page
    // the notebook shows is the one that gets the quotes.
    const int shown = m_notebook->GetSelection();
    wxWindow* shownPage = shown == wxNOT_FOUND ? nullptr : m_notebook->GetPage(static_cast<size_t>(shown));
    if (GridOfPage(shownPage) != m_currentGrid)
        FollowNotebookSelection();
}

TickerdeckTable* Tickerdeck::TableOf(const wxGridEx* grid)
{
    return grid ? static_cast<TickerdeckTable*>(grid->GetTable()) : nullptr;
}

namespace {

// The whole text must be a date; "20240105x" is as unusable as "abc".
wxDateTime ParseDateText(const wxString& text)
{
    wxDateTime date;
    wxString::const_iterator end;
    if (!date.ParseFormat(text, "%Y%m%d", &end) || end != text.end())
        return wxDateTime();
    return date;
}

}  // namespace

void Tickerdeck::OnQuoteUpdate(wxCommandEvent& event)
{
    m_quotes->OnQuoteUpdate(event);
}

void Tickerdeck::OnBoardCommand(wxCommandEvent& event)
{
    switch (event.GetId())
    {
    case cmd::ThemeChanged:
        ApplyTheme();
        break;
    case cmd::ScrollToTop:
        for (wxGridEx* grid : m_grids)
            grid->Scroll(0, 0);
        break;
    case cmd::ToggleAutoFit:
        m_settings.autoFitColumns = !m_settings.autoFitColumns;
        if (m_settings.autoFitColumns)
            m_fitter->FitAllColumns();
        break;
    case cmd::FitAllColumns:
    case cmd::FitColumns:
        m_fitter->FitAllColumns();
        break;
    case cmd::OpenAnotherWindow:
        OnOpenAnotherWindow();
        break;
    case cmd::HistoryDate:
        m_rows->SetHistoryDate(ParseDateText(event.GetString()));
        break;
    case cmd::PauseSorting:
        if (wxGridEx* grid = m_currentGrid)
            m_sorting->SetSortPaused(grid, !TableOf(grid)->IsSortPaused());
        break;
    default:
        event.Skip();
    }
}

void Tickerdeck::OnDatePicked(wxDateEvent& event)
{
    m_rows->SetHistoryDate(event.GetDate());
}

void Tickerdeck::ShowHistoryDate(const wxDateTime& pastDay, const wxDateTime& today)
{
    // The host's history date command changes the day too; the picker must
    // not go on showing the one picked before.
    if (m_datePicker)
        m_datePicker->SetValue(pastDay.IsValid() ? pastDay : today);
    if (HasOwnFrame())
        return;
    const char* path = pastDay.IsValid() ? "./icon/history_red.png" : "./icon/history.png";
    m_toolbar->SetToolNormalBitmap(cmd::OpenAnotherWindow, LoadPngOrBlank(path));
    m_toolbar->Refresh();
}

void Tickerdeck::OnDestroy(wxWindowDestroyEvent& event)
{
    event.Skip();
    // Destroy events of child windows travel up to us as well.
    if (event.GetEventObject() != this || m_destroyed)
        return;
    m_destroyed = true;
    if (m_owner)
        m_owner->ForgetPanel(this);
    m_rows->ReleaseAll();
    m_currentGrid = nullptr;
}

void Tickerdeck::ForwardCommand(wxCommandEvent& event)
{
    m_features->ForwardCommand(event);
}

void Tickerdeck::ForwardGridEvent(wxGridEvent& event)
{
    const wxEventType type = event.GetEventType();
    const BoardEventKind kind = type == wxEVT_GRID_CELL_LEFT_DCLICK    ? BoardEventKind::CellDoubleClick
                                : type == wxEVT_GRID_LABEL_RIGHT_CLICK ? BoardEventKind::LabelRightClick
                                                                       : BoardEventKind::CellRightClick;
    m_features->ForwardGridEvent(kind, event);
}

void Tickerdeck::OnIdle(wxIdleEvent& event)
{
    m_features->OnIdle(event);
}
