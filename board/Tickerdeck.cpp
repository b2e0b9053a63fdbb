#include "board/Tickerdeck.h"

#include "board/BoardColours.h"

#include <wx/dateevt.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/sizer.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "kit/BoardNotice.h"
#include "kit/BoardOwner.h"
#include "board/TickerdeckTable.h"
#include "board/TabFill.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
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
      m_owner(owner), m_group(group), m_flags(flags)
{
    Bind(wxEVT_DESTROY, &Tickerdeck::OnDestroy, this);
    if (Theme* theme = GetTheme())
        SetFont(theme->NormalFont());

    m_looks = std::make_unique<TabLooks>(*this);
    m_quotes = std::make_unique<QuoteDrain>(*this);
    m_sorting = std::make_unique<TabSorting>(*this);
    m_fitter = std::make_unique<ColumnFitter>(*this);
    m_features = std::make_unique<FeatureRouter>(*this);
    m_toolbar = std::make_unique<BoardToolbar>(*this);
    m_rows = std::make_unique<BoardRows>(*this);
    m_tabs = std::make_unique<BoardTabs>(*this);
    m_links = std::make_unique<BoardLinks>(*this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_toolbar->Bar(), 0, wxEXPAND);
    sizer->Add(m_tabs->Notebook(), 1, wxEXPAND);
    SetSizer(sizer);

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
        for (wxGridEx* grid : m_tabs->Grids())
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
        m_links->OpenAnotherWindow();
        break;
    case cmd::HistoryDate:
        m_rows->SetHistoryDate(ParseDateText(event.GetString()));
        break;
    case cmd::PauseSorting:
        if (wxGridEx* grid = m_tabs->CurrentGrid())
            m_sorting->SetSortPaused(grid, !TableOf(grid)->Order().IsSortPaused());
        break;
    default:
        event.Skip();
    }
}

void Tickerdeck::OnDatePicked(wxDateEvent& event)
{
    m_rows->SetHistoryDate(event.GetDate());
}

void Tickerdeck::OnTabActivated(wxFlatNotebookEvent& /*event*/)
{
    m_tabs->FollowSelection();
}

void Tickerdeck::OnColumnSort(wxGridEvent& event)
{
    m_sorting->OnColumnSort(event);
}

void Tickerdeck::OnCellLeftClick(wxGridEvent& event)
{
    m_links->SendClickedRow(event);
}

void Tickerdeck::OnLinkReceived(wxCommandEvent& event)
{
    m_links->Receive(event);
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
    m_tabs->ForgetCurrentGrid();
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
