// Costs of a whole quote board on the terminal's own market: a 20,000-row
// exchange tab opened from the shipped layout, posted quote events against
// the toolkit's floor, full repaints against a plain grid, column fitting and
// the memory a large tab holds once every row has been on screen.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "BoardWindow.h"
#include "SyntheticMarket.h"
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/panel.h>
#include <wx/region.h>
#include <wx/utils.h>

#include "ResidentMemory.h"
#include "alert/StaleQuotes.h"
#include "model/ColourRules.h"
#include "model/ColumnSpec.h"
#include "board/ComputedColumnGrid.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/FilterSet.h"
#include "contract/CommandIds.h"
#include "filter/TabFilter.h"

namespace {

using bench_support::BoardWindow;
using bench_support::FitFrameAround;
using bench_support::Ticker;
using bench_support::Tree;
using bench_support::kGridWindowSize;
using Market = bench_support::SyntheticMarket;

constexpr int kExchangeSize = Market::kExchangeSize;
using bench_support::kChangedLastBuySell;
using bench_support::kChangedWithChange;
constexpr int kBatch = 512;
constexpr int kBatchDoneId = wxID_HIGHEST + 901;

using bench_support::Flush;

/// The whole synthetic exchange with the shipped column set, sorted by Last descending.
Tree ExchangeTabNode()
{
    return bench_support::ExchangeTabNode(Market::kExchange, true);
}

/// A shown board opened from `node` on the synthetic market.
class MarketBoard : public BoardWindow
{
public:
    explicit MarketBoard(const Tree& node) { Open(Market::Get().Factory(), node); }
};

/// Runs a real event loop until a marker event, posted after a batch, comes
/// back; everything queued before it has been handled by then.
class BatchLoop
{
public:
    explicit BatchLoop(wxEvtHandler* target) : m_target(target)
    {
        m_target->Bind(wxEVT_MENU, &BatchLoop::OnBatchDone, this, kBatchDoneId);
    }
    ~BatchLoop() { m_target->Unbind(wxEVT_MENU, &BatchLoop::OnBatchDone, this, kBatchDoneId); }

    void RunUntilHandled()
    {
        wxCommandEvent done(wxEVT_MENU, kBatchDoneId);
        wxPostEvent(m_target, done);
        wxGUIEventLoop loop;
        m_loop = &loop;
        loop.Run();
        m_loop = nullptr;
    }

    long Batches() const { return m_batches; }

private:
    void OnBatchDone(wxCommandEvent&)
    {
        ++m_batches;
        if (m_loop)
            m_loop->Exit();
    }

    wxEvtHandler* m_target;
    wxGUIEventLoop* m_loop = nullptr;
    long m_batches = 0;
};

/// Counts the paints of a window and the share of it each one covered.
class PaintTally
{
public:
    explicit PaintTally(wxWindow* window) : m_window(window)
    {
        m_window->Bind(wxEVT_PAINT, &PaintTally::OnPaint, this);
    }
    ~PaintTally() { m_window->Unbind(wxEVT_PAINT, &PaintTally::OnPaint, this); }

    long Paints() const { return m_paints; }
    /// Painted area over window area, averaged over the paints.
    double PaintedShare() const
    {
        const wxSize size = m_window->GetClientSize();
        const double whole = static_cast<double>(size.x) * size.y;
        return m_paints && whole > 0 ? m_painted / m_paints / whole : 0.0;
    }

private:
    void OnPaint(wxPaintEvent& event)
    {
        ++m_paints;
        for (wxRegionIterator it(m_window->GetUpdateRegion()); it; ++it)
            m_painted += static_cast<double>(it.GetRect().width) * it.GetRect().height;
        event.Skip();
    }

    wxWindow* m_window;
    long m_paints = 0;
    double m_painted = 0.0;
};

void SetBatchCounters(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kBatch);
}

using bench_support::RisingFilter;

/// Ten colour rules of the kinds a trader sets: cells above, below and
/// between values, rows against another column, a computed column's cells,
/// a text rule last.
std::vector<ColourRuleSpec> TenColourRules()
{
    std::vector<ColourRuleSpec> rules;
    const auto add = [&rules](int col, int op, const char* value, int against, bool row) {
        ColourRuleSpec rule;
        rule.column = col;
        rule.op = op;
        rule.value = value;
        rule.upper = "5";
        rule.againstColumn = against;
        rule.wholeRow = row;
        rule.style.background = RuleColour::Of(0x43A047);
        rule.style.bold = row;
        rules.push_back(rule);
    };
    add(column::ChangePercent, filter_op::Above, "3", -1, false);
    add(column::ChangePercent, filter_op::Below, "-3", -1, false);
    add(column::ChangePercent, rule_op::Between, "1", -1, false);
    add(column::Last, filter_op::Above, "", column::Vwap, true);
    add(column::Last, filter_op::Below, "", column::Open, true);
    add(column::Buy, filter_op::AtLeast, "", column::Sell, false);
    add(column::CumVolume, filter_op::Above, "100000", -1, false);
    add(column::Count + 1, filter_op::Above, "0.5", -1, false);  // Spread %
    add(column::Deals, filter_op::In, "1,2,3", -1, false);
    add(column::Code, filter_op::StartsWith, "S", -1, false);
    return rules;
}

/// A scalper's four computed columns, placed right after the code so that
/// they are on screen and painted.
bool AddComputedColumns(BoardWindow& window)
{
    const ComputedColumnDef defs[] = {{"Spread", "Sell - Buy", 2},
                                      {"Spread %", "(Sell - Buy) / Last * 100", 2},
                                      {"From VWAP %", "(Last - Vwap) / Vwap * 100", 2},
                                      {"Range", "High - Low", 2}};
    for (size_t index = 0; index < std::size(defs); ++index)
    {
        FormulaRefusal why;
        if (!computed_columns::Set(*window.Board(), window.Grid(), index, defs[index], &why))
            return false;
        window.Grid()->SetColPos(column::Count + static_cast<int>(index), 1 + static_cast<int>(index));
    }
    return true;
}

/// The four computed columns and the ten rules on a tab; false when a
/// formula was refused.
bool AddColumnsAndTenRules(BoardWindow& window)
{
    if (!AddComputedColumns(window))
        return false;
    window.Board()->Looks().SetColourRules(window.Grid(), TenColourRules());
    Flush();
    return true;
}

/// The trend column shown with a full window of points on every row, and
/// bars in the cumulative volume and value columns.
void ShowPictures(BoardWindow& window)
{
    Tickerdeck* board = window.Board();
    board->Trends().StopTrendTimer();
    // As the column menu shows it: the columns fitted again, so that the
    // trend is on screen whole and not past the right edge.
    window.Grid()->ShowCol(column::Trend);
    if (board->Settings().autoFitColumns)
        board->Fitter().FitColumns(window.Grid());
    std::vector<ColourRuleSpec> bars(2);
    for (ColourRuleSpec& rule : bars)
    {
        rule.op = filter_op::AtLeast;
        rule.value = "0";
        rule.style.bar = true;
    }
    bars[0].column = column::CumVolume;
    bars[1].column = column::CumValue;
    board->Looks().SetColourRules(window.Grid(), bars);
    const std::vector<Price*>& rows = window.Table()->Rows();
    auto at = TrendSamples::Clock::time_point{};
    for (size_t point = 0; point < TrendSamples::kWindow; ++point, at += TrendSamples::kInterval)
    {
        // Lines that wander around their previous close, as a day's do.
        for (size_t row = 0; row < rows.size(); ++row)
            rows[row]->last *= 1.0 + 0.001 * (static_cast<double>((point * 7 + row) % 5) - 2.0);
        board->Trends().SampleTrends(at);
    }
    Flush();
}

void RunQuoteEvents(benchmark::State& state, bool onScreen, bool filtered = false, bool coloured = false,
                    bool pictures = false)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    if (pictures)
        ShowPictures(window);
    if (window.Table()->GetNumberRows() != kExchangeSize || window.Grid()->GetSortingColumn() != column::Last)
    {
        state.SkipWithError("the board did not open the sorted exchange tab");
        return;
    }
    if (filtered)
        SetTabFilter(*window.Board(), window.Grid(), RisingFilter());
    if (coloured && !AddColumnsAndTenRules(window))
    {
        state.SkipWithError("a computed column was refused");
        return;
    }
    // A filtered tab's hidden quotes move too, and come back when they rise.
    Ticker ticker(filtered ? window.Table()->Members().List() : window.Table()->Rows());
    const int mask = filtered ? kChangedWithChange : kChangedLastBuySell;
    BatchLoop loop(window.Board());
    if (!onScreen)
        window.Board()->GetParent()->GetParent()->Hide();
    PaintTally paints(window.Grid()->GetGridWindow());
    for (auto _ : state)
    {
        // Only the handling is timed, as for the floor: the feed's own work
        // belongs to the host.
        state.PauseTiming();
        for (int i = 0; i < kBatch; ++i)
            QuoteBook::PostQuote(window.Board(), ticker.Next(), mask, true);
        state.ResumeTiming();
        loop.RunUntilHandled();
    }
    SetBatchCounters(state);
    if (filtered)
    {
        state.counters["turns_per_batch"] = ticker.Turns() / static_cast<double>(state.iterations());
        state.counters["rows_shown"] = window.Table()->GetNumberRows();
    }
    state.counters["flashing_cells"] = static_cast<double>(window.Table()->View().FlashCount());
    state.counters["paints_per_batch"] = paints.Paints() / static_cast<double>(state.iterations());
    state.counters["painted_share"] = paints.PaintedShare();
}

void BM_QuoteEvents(benchmark::State& state)
{
    RunQuoteEvents(state, true);
}

void BM_QuoteEventsTenRules(benchmark::State& state)
{
    RunQuoteEvents(state, true, false, true);
}

// The same with the trend column and two bar columns on screen.
void BM_QuoteEventsWithPictures(benchmark::State& state)
{
    RunQuoteEvents(state, true, false, false, true);
}

// Rules, computed columns and pictures with the frame hidden: what they add
// to handling a quote, apart from the repaints the paint figures measure.
void BM_QuoteEventsTenRulesOffScreen(benchmark::State& state)
{
    RunQuoteEvents(state, false, false, true);
}

void BM_QuoteEventsWithPicturesOffScreen(benchmark::State& state)
{
    RunQuoteEvents(state, false, false, false, true);
}

// Quote events for an instrument the board does not show: what reaching the
// board's handler costs before any row work, against the same floor.
void BM_QuoteEventsForNoRow(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    Price stranger;
    BatchLoop loop(window.Board());
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int i = 0; i < kBatch; ++i)
            QuoteBook::PostQuote(window.Board(), &stranger, kChangedLastBuySell, true);
        state.ResumeTiming();
        loop.RunUntilHandled();
    }
    SetBatchCounters(state);
}

// Quotes on a filtered tab: rows leave it and come back into their sorted
// place as their change turns.
void BM_QuoteEventsFiltered(benchmark::State& state)
{
    RunQuoteEvents(state, true, true);
}

// Filtering a sorted 20,000-row tab: the rows that pass, sorted again, and
// the grid told how many went.
void BM_ApplyFilterLargeTab(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    for (auto _ : state)
    {
        state.PauseTiming();
        SetTabFilter(*window.Board(), window.Grid(), nullptr);
        state.ResumeTiming();
        SetTabFilter(*window.Board(), window.Grid(), RisingFilter());
    }
    state.counters["rows_shown"] = window.Grid()->GetNumberRows();
}

// The same with the frame hidden: the handling alone, without the repaints.
void BM_QuoteEventsOffScreen(benchmark::State& state)
{
    RunQuoteEvents(state, false);
}

/// Takes menu events and does nothing with them.
class IdleSink : public wxEvtHandler
{
public:
    IdleSink()
    {
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { ++handled; }, cmd::QuoteUpdate);
    }
    long handled = 0;
};

void BM_EventFloor(benchmark::State& state)
{
    Market::Get();
    IdleSink sink;
    BatchLoop loop(&sink);
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int i = 0; i < kBatch; ++i)
        {
            wxCommandEvent event(wxEVT_MENU, cmd::QuoteUpdate);
            event.SetInt(kChangedLastBuySell);
            event.SetExtraLong(1);
            wxPostEvent(&sink, event);
        }
        state.ResumeTiming();
        loop.RunUntilHandled();
    }
    if (sink.handled != static_cast<long>(state.iterations()) * kBatch)
        state.SkipWithError("not every posted event reached the handler");
    SetBatchCounters(state);
}

/// Full repaints measured through the grid window's paint handler.
class PaintClock
{
public:
    explicit PaintClock(wxWindow* window) : m_window(window), m_tally(window) {}

    /// Returns false when no paint came.
    bool RepaintAll()
    {
        const long before = m_tally.Paints();
        m_window->Refresh(false);
        m_window->Update();
        for (int spin = 0; m_tally.Paints() == before && spin < 1000; ++spin)
            wxYield();
        return m_tally.Paints() != before;
    }

private:
    wxWindow* m_window;
    PaintTally m_tally;
};

void RunPaint(benchmark::State& state, wxGrid* grid)
{
    PaintClock clock(grid->GetGridWindow());
    clock.RepaintAll();
    bool painted = true;
    for (auto _ : state)
        painted = clock.RepaintAll() && painted;
    if (!painted)
        state.SkipWithError("the grid window was not repainted");
    const wxSize size = grid->GetGridWindow()->GetClientSize();
    int shown = 0, left = 0;
    for (int pos = 0; pos < grid->GetNumberCols(); ++pos)
    {
        const int col = grid->GetColAt(pos);
        if (left < size.x && grid->GetColSize(col) > 0)
            ++shown;
        left += grid->GetColSize(col);
    }
    state.counters["columns_shown"] = shown;
    state.counters["columns_width"] = left;
    state.counters["width"] = size.x;
    state.counters["height"] = size.y;
}

void BM_PaintBoardGrid(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    RunPaint(state, window.Grid());
}

// The same tab with ten colour rules: they are evaluated for the cells on screen only.
void BM_PaintBoardGridTenRules(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    if (!AddColumnsAndTenRules(window))
    {
        state.SkipWithError("a computed column was refused");
        return;
    }
    RunPaint(state, window.Grid());
}

void BM_PaintBoardGridWithPictures(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    ShowPictures(window);
    RunPaint(state, window.Grid());
}

/// A plain grid with a string table holding the board's visible texts in the
/// board's geometry: the same columns, widths, order, row height and font.
class PlainGridWindow
{
public:
    explicit PlainGridWindow(wxGridEx* board)
        : m_frame(new wxFrame(nullptr, wxID_ANY, "Plain", wxPoint(0, 0), wxSize(1700, 1000))),
          m_grid(new wxGrid(m_frame, wxID_ANY))
    {
        TickerdeckTable* table = Tickerdeck::TableOf(board);
        const int rows = kGridWindowSize.y / board->GetDefaultRowSize() + 2;
        const int cols = table->GetNumberCols();
        m_grid->CreateGrid(rows, cols);
        m_grid->HideRowLabels();
        m_grid->SetColLabelSize(board->GetColLabelSize());
        m_grid->SetDefaultRowSize(board->GetDefaultRowSize(), true);
        m_grid->SetDefaultCellFont(board->GetDefaultCellFont());
        m_grid->SetLabelFont(board->GetLabelFont());
        wxArrayInt order(cols);
        for (int col = 0; col < cols; ++col)
        {
            m_grid->SetColSize(col, board->GetColSize(col));
            order[board->GetColPos(col)] = col;
        }
        m_grid->SetColumnsOrder(order);
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col)
                m_grid->SetCellValue(row, col, table->GetValue(row, col));
        m_frame->Show();
        Flush();
        FitFrameAround(m_frame, m_grid->GetGridWindow(), kGridWindowSize);
    }

    ~PlainGridWindow()
    {
        m_frame->Destroy();
        Flush();
    }

    wxGrid* Grid() const { return m_grid; }

private:
    wxFrame* m_frame;
    wxGrid* m_grid;
};

void BM_PaintPlainGrid(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    PlainGridWindow plain(window.Grid());
    RunPaint(state, plain.Grid());
}

/// Times opening `node`'s exchange tab, window creation and teardown aside;
/// the first opening in the process is reported apart.
void RunOpenExchangeTab(benchmark::State& state, const std::string& name, const Tree& node)
{
    Market::Get().AcquireAllQuotes();
    {
        BoardWindow first;
        bench_support::ReportFirstUse(state, name, [&] { first.Open(Market::Get().Factory(), node); });
    }
    for (auto _ : state)
    {
        state.PauseTiming();
        auto window = std::make_unique<BoardWindow>();
        state.ResumeTiming();
        window->Open(Market::Get().Factory(), node);
        state.PauseTiming();
        if (window->Rows() != kExchangeSize)
        {
            // A skipped run must not resume its clock.
            state.SkipWithError("the exchange tab is not complete");
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
}

void BM_OpenExchangeTab(benchmark::State& state)
{
    RunOpenExchangeTab(state, "open", ExchangeTabNode());
}

// Opening without auto fit separates what fitting costs from the rest.
void BM_OpenExchangeTabWithoutFit(benchmark::State& state)
{
    Tree node = ExchangeTabNode();
    node.put("setting.general.<xmlattr>.auto_fit_column_width", "false");
    RunOpenExchangeTab(state, "open without fit", node);
}

// The toolkit's own auto-sizing, which measures every cell of every row:
// what fitting a large tab cost before it measured a bounded sample.
void BM_ToolkitAutoSizeLargeTab(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    for (auto _ : state)
        window.Grid()->AutoSizeColumns(false);
}

void BM_FitColumnsLargeTab(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    for (auto _ : state)
        window.Board()->Fitter().FitColumns(window.Grid());
}

/// Whether each row in `shown` counts as stale.
std::vector<bool> StaleMarks(const Tickerdeck& board, const QuoteGridView::Area& shown)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(board.Tabs().CurrentGrid());
    std::vector<bool> marks;
    for (int row = shown.firstRow; row <= shown.lastRow; ++row)
        marks.push_back(board.Quotes().Ages().IsStale(table->RowPrice(row)));
    return marks;
}

// The once-a-second stale check on a sorted 20,000-row tab with a stale
// time of one second: the rows on screen take turns to move, each every
// other second, so that every check turns marks on and off. Only the check
// is timed; what it repaints is painted later, as any update is.
void BM_StaleCheck(benchmark::State& state)
{
    const Tree node = ExchangeTabNode();
    MarketBoard window(node);
    window.SizeGridWindow();
    window.Board()->Settings().staleAfterSeconds = 1;
    auto* stale = window.Board()->Features().FindFeature<StaleQuotes>();
    auto at = std::chrono::steady_clock::time_point{};
    stale->SetClocks([&at] { return at; }, [] { return wxDateTime::Now(); });
    const QuoteGridView::Area shown = window.Table()->View().VisibleArea();
    std::vector<Price*> onScreen;
    for (int row = shown.firstRow; row <= shown.lastRow; ++row)
        onScreen.push_back(window.Table()->RowPrice(row));
    double turned = 0;
    size_t second = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        at += std::chrono::seconds(1);
        // The quotes keep their prices: the rows stay where they are.
        for (size_t row = ++second % 2; row < onScreen.size(); row += 2)
            QuoteBook::PostQuote(window.Board(), onScreen[row], kChangedLastBuySell, false);
        wxTheApp->ProcessPendingEvents();
        const std::vector<bool> before = StaleMarks(*window.Board(), window.Table()->View().VisibleArea());
        state.ResumeTiming();
        stale->Check();
        state.PauseTiming();
        const std::vector<bool> after = StaleMarks(*window.Board(), window.Table()->View().VisibleArea());
        for (size_t row = 0; row < std::min(before.size(), after.size()); ++row)
            turned += before[row] != after[row];
        state.ResumeTiming();
    }
    state.counters["rows_on_screen"] = static_cast<double>(onScreen.size());
    state.counters["marks_turned_per_check"] = turned / static_cast<double>(state.iterations());
}

// Scrolls page by page through every row with a paint at each stop, so that
// whatever the grid and table keep per row or per cell has been created.
bool ScrollThroughEveryRow(wxGrid* grid)
{
    PaintClock clock(grid->GetGridWindow());
    const int rowsPerPage = std::max(1, kGridWindowSize.y / grid->GetDefaultRowSize());
    bool painted = true;
    for (int row = 0; row < grid->GetNumberRows(); row += rowsPerPage)
    {
        grid->Scroll(0, row * grid->GetDefaultRowSize());
        painted = clock.RepaintAll() && painted;
        // A user's scrolling goes through the event loop, which reads the
        // display's events as they come; without it they pile up in the
        // display connection's queue and count as the board's memory.
        Flush(1);
    }
    grid->Scroll(0, grid->GetNumberRows() * grid->GetDefaultRowSize());
    return clock.RepaintAll() && painted;
}

/// Cells that carry an attribute of their own in the table's provider.
int StoredCellAttributes(TickerdeckTable* table)
{
    wxGridCellAttrProvider* provider = table->GetAttrProvider();
    int stored = 0;
    for (int row = 0; provider && row < table->GetNumberRows(); ++row)
        for (int col = 0; col < table->GetNumberCols(); ++col)
            if (wxGridCellAttr* attr = provider->GetAttr(row, col, wxGridCellAttr::Cell))
            {
                ++stored;
                attr->DecRef();
            }
    return stored;
}

// One pass in a fresh process (bench/run filters it out of the other runs):
// memory the allocator has once handed out stays resident, which would hide
// the growth that this measures.
// What the host keeps per subscribed record (its map of listeners), measured
// as the board's rows are: one listener on every record of a book of its own.
// The book stays, so that the board's growth reuses none of its memory.
double HostBytesPerRow(std::unique_ptr<QuoteBook>& book, wxEvtHandler& listener)
{
    book = std::make_unique<QuoteBook>(Market::Get().Instruments());
    const std::vector<Instrument*>& instruments = Market::Get().Synthetic().instruments;
    for (Instrument* instrument : instruments)
        book->Acquire(instrument, std::string());
    const size_t before = bench::ResidentBytes();
    for (Instrument* instrument : instruments)
        book->Subscribe(&listener, instrument, std::string(), nullptr);
    return (static_cast<double>(bench::ResidentBytes()) - static_cast<double>(before)) /
           static_cast<double>(instruments.size());
}

void MeasureBytesPerRow(benchmark::State& state, bool computed, const Tree& node = ExchangeTabNode())
{
    Market::Get().AcquireAllQuotes();
    wxEvtHandler hostListener;
    std::unique_ptr<QuoteBook> hostBook;
    const double hostPerRow = HostBytesPerRow(hostBook, hostListener);
    for (auto _ : state)
    {
        auto window = std::make_unique<BoardWindow>();
        const size_t before = bench::ResidentBytes();
        window->Open(Market::Get().Factory(), node);
        window->SizeGridWindow();
        if (computed && !AddComputedColumns(*window))
            state.SkipWithError("a computed column was refused");
        const size_t opened = bench::ResidentBytes();
        if (!ScrollThroughEveryRow(window->Grid()))
            state.SkipWithError("the grid was not repainted while scrolling");
        const size_t scrolled = bench::ResidentBytes();
        const double rows = window->Table()->GetNumberRows();
        // The board's own share: the host's records of who listens are the terminal's.
        const double withHost = (static_cast<double>(scrolled) - static_cast<double>(before)) / rows;
        state.counters["bytes_per_row"] = withHost - hostPerRow;
        state.counters["rows"] = rows;
        state.counters["grown_mb"] = (static_cast<double>(scrolled) - static_cast<double>(before)) / (1024.0 * 1024.0);
        state.counters["host_bytes_per_row"] = hostPerRow;
        state.counters["scroll_bytes_per_row"] = (static_cast<double>(scrolled) - static_cast<double>(opened)) / rows;
        state.counters["stored_cell_attributes"] = StoredCellAttributes(window->Table());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void BM_BytesPerRow(benchmark::State& state)
{
    MeasureBytesPerRow(state, false);
}

// A category of about a quarter of the exchange (its first liquidity
// tier): against the whole exchange, each the first board of its process,
// it tells the memory a further row costs from what a board costs with
// none.
void BM_BytesPerRowQuarterTab(benchmark::State& state)
{
    MeasureBytesPerRow(state, false,
                       bench_support::OneTabNode(
                           {{"name", "T1"}, {"type", "5"}, {"exchange", Market::kExchange}, {"category", "T1"}}, true));
}

// The same tab with four computed columns on screen, every row painted.
void BM_BytesPerRowComputed(benchmark::State& state)
{
    MeasureBytesPerRow(state, true);
}

BENCHMARK(BM_QuoteEventsForNoRow)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEvents)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsTenRules)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsWithPictures)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsFiltered)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ApplyFilterLargeTab)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsOffScreen)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsTenRulesOffScreen)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventsWithPicturesOffScreen)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_EventFloor)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PaintPlainGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PaintBoardGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PaintBoardGridTenRules)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PaintBoardGridWithPictures)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenExchangeTab)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_OpenExchangeTabWithoutFit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_ToolkitAutoSizeLargeTab)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_FitColumnsLargeTab)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StaleCheck)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BytesPerRow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_BytesPerRowQuarterTab)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_BytesPerRowComputed)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv, [] { Market::Close(); });
}
