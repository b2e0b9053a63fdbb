#pragma once
// The board window tests' shared stage: a shown frame with a host container,
// a recording host that knows two exchanges, temporary layout and store
// files, the module log captured, and helpers to build boards directly or
// from layout XML.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "filter/TabFilter.h"
#include "kit/RefusalBalloon.h"
#include "model/ColumnSpec.h"
#include "model/Logger.h"
#include "plugin/Application.h"
#include "store/WatchlistStore.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"
#include "support/HideInstruments.h"
#include "support/QuoteEvent.h"
#include "support/UserInput.h"
#include "support/XmlText.h"
#include "watchlist/ControlKey.h"

namespace testing_support {

class BoardFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(40, 40), wxSize(900, 600));
        container = new wxPanel(frame);
        // What the boards tell the user reaches the host through their container.
        container->Bind(wxEVT_MENU, [this](wxCommandEvent& event) { notices.push_back(event.GetString()); },
                        cmd::UserNotice);
        frame->Show();

        auto logger = std::make_shared<spdlog::logger>("board-test", std::make_shared<spdlog::sinks::ostream_sink_st>(log));
        logger->set_pattern("%v");
        ModuleLogger() = logger;

        host.layoutFilePath = (folder / "layout.xml").string();
        host.applicationFilePath = (folder / "watchlists.xml").string();
        BuildMarkets();
    }

    void TearDown() override
    {
        // Filters lent from a test's stack are gone; paints while the boards go read them.
        for (wxWindow* child : container->GetChildren())
            if (auto* board = dynamic_cast<Tickerdeck*>(child))
                for (wxGridEx* grid : board->Tabs().Grids())
                    Tickerdeck::TableOf(grid)->Filter().Set(nullptr);
        // Loaded boards go before their frame, the way the host closes them:
        // one torn down inside the frame's destructor relays out its
        // notebook against a frame that is no longer one.
        for (Tickerdeck* board : boards)
            board->Destroy();
        boards.clear();
        if (frame)
            frame->Destroy();
        Flush();
        SetControlKeyProbe({});
        ModuleLogger().reset();
    }

    // AMX: four instruments, a sector kind with Technology (BDI, ARPI) and an
    // unnamed MISC category; KTX: two instruments, no categories.
    void BuildMarkets()
    {
        arpi = host.AddInstrument("ARPI", "AMX");
        bdi = host.AddInstrument("BDI", "AMX");
        cdg = host.AddInstrument("CDG", "AMX");
        ai = host.AddInstrument("AI", "AMX");
        tke = host.AddInstrument("TKE", "KTX");
        ksm = host.AddInstrument("KSM", "KTX");
        host.exchanges.resize(2);
        Exchange& amx = host.exchanges[0];
        amx.code = "AMX";
        amx.name = "Atlantic Markets Exchange";
        amx.instruments = {arpi, bdi, cdg, ai};
        amx.groups[0].categories = {Category{"TECH", {bdi, arpi}}, Category{"MISC", {cdg}}};
        amx.groups[0].displayNames["TECH"] = "Technology";
        host.exchanges[1].code = "KTX";
        host.exchanges[1].name = "Kanto Exchange";
        host.exchanges[1].instruments = {tke, ksm};
    }

    Tickerdeck* CreateBoard(int flags = 0, uint64_t group = 1)
    {
        return static_cast<Tickerdeck*>(application.CreateWindow(group, container, nullptr, nullptr, flags));
    }

    /// A tab showing `instruments`, subscribed the way loading does it.
    wxGridEx* AddTab(Tickerdeck* board, const std::vector<Instrument*>& instruments, const wxString& label,
                     bool select = true)
    {
        wxGridEx* grid = board->Tabs().CreateGrid();
        board->Rows().SubscribeRows(instruments, grid);
        board->Tabs().AddPage(grid, label, select);
        return grid;
    }

    /// Gives each instrument's live quote the last price paired with it.
    void SetLasts(const std::vector<std::pair<Instrument*, double>>& lasts)
    {
        for (const auto& [instrument, last] : lasts)
            host.PriceOf(instrument)->last = last;
    }

    /// Sorts a tab by the last price the way a header click leaves it: arrow and rows.
    static void SortByLast(wxGridEx* grid, bool ascending)
    {
        grid->SetSortingColumn(column::Last, ascending);
        Tickerdeck::TableOf(grid)->Order().SortRows(column::Last, ascending);
    }

    /// Filters a tab's rows now, as applying a filter from its dialog does; null shows all.
    static void ApplyFilter(wxGridEx* grid, FilterSet* filter)
    {
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->Filter().Set(filter);
        table->RebuildRowsFromMembers();
        SyncRowCount(grid);
    }

    /// Gives a tab the board's filter hiding the instrument `code`, as the filter dialog does.
    static void HideCode(Tickerdeck* board, wxGridEx* grid, const char* code)
    {
        SetTabFilter(*board, grid,
                     std::make_unique<FilterSet>(FilterSet::Columns{{column::Code, {{filter_op::Differs, code}}}}));
    }

    /// Gives `instrument` the last price `last` and lets `target` handle the
    /// host's quote of it.
    void QuoteLast(Tickerdeck* target, Instrument* instrument, double last)
    {
        host.PriceOf(instrument)->last = last;
        PostQuote(target, host.PriceOf(instrument), kLastMask);
        Flush();
    }

    /// Hides every column of `grid` but `shown`.
    static void ShowOnly(wxGrid* grid, std::initializer_list<int> shown)
    {
        for (int col = 0; col < grid->GetNumberCols(); ++col)
            if (std::find(shown.begin(), shown.end(), col) == shown.end())
                grid->HideCol(col);
    }

    static std::vector<int> SelectedRows(const wxGrid* grid)
    {
        const wxArrayInt rows = grid->GetSelectedRows();
        return std::vector<int>(rows.begin(), rows.end());
    }

    static std::vector<Instrument*> InstrumentsShown(const wxGridEx* grid)
    {
        std::vector<Instrument*> shown;
        for (Price* price : Tickerdeck::TableOf(grid)->Rows())
            shown.push_back(price->instrument);
        return shown;
    }

    /// A board loaded into `into` (the fixture's container by default).
    Tickerdeck* LoadBoard(const Tree* source, const Tree* node, int flags = 0, wxWindow* into = nullptr)
    {
        auto* board = static_cast<Tickerdeck*>(application.CreateWindow(
            1, into ? into : container, const_cast<Tree*>(source), const_cast<Tree*>(node), flags));
        boards.push_back(board);
        return board;
    }

    Tickerdeck* LoadNode(const std::string& inner, int flags = 0, wxWindow* into = nullptr)
    {
        nodes.push_back(std::make_unique<Tree>(Node(inner)));
        return LoadBoard(nullptr, nodes.back().get(), flags, into);
    }

    static Tree Saved(Tickerdeck* board, Tree* source = nullptr)
    {
        Tree node;
        board->Save(source, &node);
        return node;
    }

    static std::vector<wxString> PageLabels(Tickerdeck* board)
    {
        std::vector<wxString> labels(board->Tabs().Notebook()->GetPageCount());
        for (size_t page = 0; page < labels.size(); ++page)
            labels[page] = board->Tabs().Notebook()->GetPageText(page);
        return labels;
    }

    static wxGridEx* GridOfPage(Tickerdeck* board, size_t page)
    {
        wxWindow* window = board->Tabs().Notebook()->GetPage(page);
        for (wxGridEx* grid : board->Tabs().Grids())
            if (grid->GetSplitter() == window)
                return grid;
        return nullptr;
    }

    static TickerdeckTable* TableOfPage(Tickerdeck* board, size_t page)
    {
        return Tickerdeck::TableOf(GridOfPage(board, page));
    }

    static std::vector<Instrument*> Shown(Tickerdeck* board, size_t page)
    {
        return InstrumentsShown(GridOfPage(board, page));
    }

    void WriteStore(const std::string& watchlists)
    {
        WriteBytes(host.applicationFilePath, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application><watchlists>" +
                                                 watchlists + "</watchlists></application>");
    }

    std::string StoreBytes() const { return ReadBytes(host.applicationFilePath); }

    /// Identifies the file object: an atomic replacement gives a new one.
    ino_t StoreIdentity() const
    {
        struct stat info = {};
        return ::stat(host.applicationFilePath.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    std::vector<layout::InstrumentRef> Stored(const std::string& name) const
    {
        return store::StoredInstruments(store::ReadStore(host.applicationFilePath), name);
    }

    /// What the boards told the user so far, one notice a line, once the
    /// posted notices have arrived.
    std::string Notices()
    {
        Flush();
        std::string text;
        for (const wxString& notice : notices)
            text += notice.utf8_string() + "\n";
        return text;
    }

    /// The text of a balloon shown under `window`, when its label is wide enough for the whole of it.
    static wxString BalloonTextShownInFull(wxWindow* window, bool inBalloon = false)
    {
        for (wxWindow* child : window->GetChildren())
        {
            const bool balloon = inBalloon || (dynamic_cast<RefusalBalloon*>(child) && child->IsShown());
            auto* label = dynamic_cast<wxStaticText*>(child);
            if (balloon && label && label->GetSize().x >= label->GetTextExtent(label->GetLabelText()).x)
                return label->GetLabelText();
            if (const wxString text = BalloonTextShownInFull(child, balloon); !text.empty())
                return text;
        }
        return {};
    }

    static void HoldControl(bool down)
    {
        SetControlKeyProbe([down] { return down; });
    }

    FakeHost host;
    Application application{&host};
    wxFrame* frame = nullptr;
    wxPanel* container = nullptr;
    std::ostringstream log;
    std::vector<wxString> notices;
    TempFolder temp{"tickerdeck-board"};
    std::filesystem::path folder = temp.Path();
    std::vector<std::unique_ptr<Tree>> nodes;
    std::vector<Tickerdeck*> boards;
    /// The board and tab a test works on, when it has one.
    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
    Instrument* arpi = nullptr;
    Instrument* bdi = nullptr;
    Instrument* cdg = nullptr;
    Instrument* ai = nullptr;
    Instrument* tke = nullptr;
    Instrument* ksm = nullptr;
};

/// Clicks the dialog's button `id` and delivers what the click queued.
inline void ClickAndFlush(wxWindow* dialog, int id)
{
    ASSERT_TRUE(Click(dialog, id));
    Flush();
}

/// Posts a host command to `window` and lets it be handled.
inline void PostCommand(wxWindow* window, int id, const wxString& text = wxString())
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetString(text);
    wxPostEvent(window, event);
    Flush();
}

}  // namespace testing_support
