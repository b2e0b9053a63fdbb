// "Export to Excel" end to end: the workbook a spreadsheet reader finds, where
// it goes and what the user is told.

#include <cstdlib>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/cmndata.h>
#include <wx/artprov.h>
#include <wx/intl.h>

#include "board/ComputedColumnGrid.h"
#include "export/ExportJob.h"
#include "export/ExportNotice.h"
#include "export/GridPreview.h"
#include "export/TabExport.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/TrendSamples.h"
#include "support/BoardFixture.h"
#include "support/RuleSpec.h"

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

/// The `kind` line of a cell with the key words: "cell" gives "n|s\tformat\tvalue",
/// "look" gives "font=RRGGBB fill=RRGGBB bold", what it has of them; "none" without.
std::string Line(const std::string& book, int row, int col, const char* kind)
{
    const std::string key = std::string("\n") + kind + "\t" + std::to_string(row) + "\t" + std::to_string(col) + "\t";
    const size_t at = book.find(key);
    if (at == std::string::npos)
        return "none";
    const size_t start = at + key.size();
    return book.substr(start, book.find('\n', start) - start);
}

std::string Cell(const std::string& book, int row, int col) { return Line(book, row, col, "cell"); }
std::string Look(const std::string& book, int row, int col) { return Line(book, row, col, "look"); }

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

struct Notice
{
    wxWindow* parent;
    ExportNoticeKind kind;
    wxString message;
};

class ExcelExport : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        fs::create_directories(documents);
        SetEnvironment("XDG_DOCUMENTS_DIR", documents.string());
        ExportDesktop desktop;
        desktop.open = [this](const std::string& path) {
            opened.push_back(path);
            return desktop::OpenResult::Opened;
        };
        desktop.notify = [this](wxWindow* parent, ExportNoticeKind kind, const wxString& message) {
            notices.push_back({parent, kind, message});
        };
        SetExportDesktop(desktop);
        board = CreateBoard();
    }

    void TearDown() override
    {
        SetExportDesktop({});
        // Later tests of the run see the environment they started with.
        for (auto saved = savedEnvironment.rbegin(); saved != savedEnvironment.rend(); ++saved)
        {
            if (saved->second)
                setenv(saved->first.c_str(), saved->second->c_str(), 1);
            else
                unsetenv(saved->first.c_str());
        }
        BoardFixture::TearDown();
    }

    void SetEnvironment(const std::string& name, const std::string& value)
    {
        const char* previous = std::getenv(name.c_str());
        savedEnvironment.emplace_back(name, previous ? std::optional<std::string>(previous) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

    /// Posts the command the grid menus and the terminal send; waits for its outcome.
    const Notice& Export()
    {
        const size_t before = notices.size();
        PostCommand(board, cmd::ExportExcel);
        EXPECT_TRUE(PumpUntil([&] { return notices.size() > before; }, 20000));
        return notices.back();
    }

    Instrument* Quoted(const std::string& code, double last, int deals)
    {
        Instrument* instrument = host.AddInstrument(code);
        Price* price = host.PriceOf(instrument);
        price->last = last;
        price->deals = deals;
        price->tradeDate = "20260102";
        return instrument;
    }

    /// What a spreadsheet reader finds in a workbook, as tests/scripts/read-workbook.py
    /// prints it: "sheet\tname", then "column\tindex\tformat" and
    /// "cell\trow\tcol\tn|s|f\tformat\tvalue" lines (f: a formula), numbers in Python's repr.
    std::string ReadWorkbook(const fs::path& path) const
    {
        const fs::path text = folder / "workbook.txt";
        EXPECT_EQ(0, std::system((std::string(TICKERDECK_PYTHON) + " " + TICKERDECK_WORKBOOK_READER + " '" +
                                  path.string() + "' > '" + text.string() + "'").c_str()));
        return ReadBytes(text);
    }

    fs::path documents = folder / "Documents";
    std::vector<std::string> opened;
    std::vector<Notice> notices;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
};

TEST_F(ExcelExport, WritesTheShownColumnsAndFilteredRowsInOrderWithNumbersAsNumbersInAnyLocale)
{
    wxLocale english(wxLANGUAGE_ENGLISH_US, wxLOCALE_DONT_LOAD_DEFAULT);   // "1,234.50"
    Instrument* low = Quoted("LOW", 12.5, 7);
    Instrument* high = Quoted("HIGH", 1234.5, 12345);
    Instrument* dropped = Quoted("GONE", 99.0, 1);
    grid = AddTab(board, {low, high, dropped, Quoted("ZERO", 0.0, 0)}, "Core Holdings");
    grid->HideCol(column::Status);
    grid->HideCol(column::Open);
    grid->SetColPos(column::Flag, 0);   // where a column is shown does not matter
    HideCode(board, grid, "GONE");
    grid->SetSortingColumn(column::Last, false);
    board->Sorting().RearrangeRows(grid);

    const Notice& notice = Export();
    ASSERT_EQ(ExportNoticeKind::Opened, notice.kind) << notice.message;
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(documents, fs::path(opened[0]).parent_path());
    EXPECT_EQ(0u, fs::path(opened[0]).filename().string().rfind("Core Holdings 20", 0));
    const std::string book = ReadWorkbook(opened[0]);
    EXPECT_EQ(0u, book.rfind("sheet\tCore Holdings\n", 0)) << book;

    std::vector<int> ids;
    for (int col = 0; col < column::Count; ++col)
        if (col != column::Status && col != column::Open && !IsDrawnColumn(col))  // drawn ones start hidden
            ids.push_back(col);
    auto at = [&](int id) { return static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin()); };
    for (int id : ids)
        EXPECT_TRUE(wxString::FromUTF8(Cell(book, 0, at(id))).EndsWith("\t" + ColumnLabel(id))) << id;
    // Text columns are marked as text, so a reader keeps a code like "0012" as typed.
    EXPECT_NE(std::string::npos, book.find("\ncolumn\t" + std::to_string(at(column::Code)) + "\t@\n"));
    EXPECT_EQ(std::string::npos, book.find("\ncolumn\t" + std::to_string(at(column::Last)) + "\t"));
    EXPECT_EQ((std::vector<std::string>{"s\t@\tHIGH", "s\t@\tLOW", "s\t@\tZERO", "none"}),
              (std::vector<std::string>{Cell(book, 1, at(column::Code)), Cell(book, 2, at(column::Code)),
                                        Cell(book, 3, at(column::Code)), Cell(book, 4, at(column::Code))}));
    // Numbers keep the look the grid gives them: the instrument's two decimals.
    EXPECT_EQ("n\t#,##0.00\t1234.5", Cell(book, 1, at(column::Last)));
    EXPECT_EQ("n\t#,##0\t12345.0", Cell(book, 1, at(column::Deals)));
    EXPECT_EQ("n\tGeneral\t2.0", Cell(book, 2, at(column::No)));
    EXPECT_EQ("none", Cell(book, 3, at(column::Last))) << "blank stays blank";
    EXPECT_EQ("s\t@\t2026-01-02", Cell(book, 1, at(column::Date)));

    if (!wxLocale::IsAvailable(wxLANGUAGE_GERMAN))
        GTEST_SKIP() << "no German locale on this system (scripts/deps.sh makes one)";
    wxLocale german(wxLANGUAGE_GERMAN, wxLOCALE_DONT_LOAD_DEFAULT); // "1.234,50": a reader refuses "1234,5"
    ASSERT_EQ(ExportNoticeKind::Opened, Export().kind);
    EXPECT_EQ("n\t#,##0.00\t1234.5", Cell(ReadWorkbook(opened.at(1)), 1, at(column::Last)));
}

TEST_F(ExcelExport, EachCellKeepsTheFillAndFontItsColourRulesGiveIt)
{
    Instrument* low = Quoted("LOW", 12.5, 7);
    Instrument* high = Quoted("HIGH", 1234.5, 12345);
    grid = AddTab(board, {low, high, Quoted("ZERO", 0.0, 0)}, "Coloured");
    board->Looks().SetColourRules(grid, {Rule(column::Last, filter_op::Above, "100", {RuleColour::Of(0xE53935), {}, true}),
                                         Rule(column::Deals, filter_op::AtLeast, "7", {{}, RuleColour::Of(0x43A047)}, true)});

    ASSERT_EQ(ExportNoticeKind::Opened, Export().kind);
    const std::string book = ReadWorkbook(opened.at(0));
    EXPECT_EQ("fill=43A047", Look(book, 1, column::Last)) << book;
    EXPECT_EQ("font=E53935 bold", Look(book, 2, column::Last)) << "the cell rule's style wins over the row's";
    EXPECT_EQ("fill=43A047", Look(book, 2, column::Code)) << "a cell rule takes its own cell only";
    EXPECT_EQ("fill=43A047", Look(book, 1, column::Status)) << "an empty cell of a coloured row keeps its fill";
    EXPECT_EQ("none", Look(book, 3, column::Last));
    EXPECT_EQ("n\t#,##0.00\t1234.5", Cell(book, 2, column::Last)) << "the number keeps its format under a look";

    // The worker reads rules on a computed column from its own copy of the formulas.
    FormulaRefusal why;
    ASSERT_TRUE(computed_columns::Set(*board, grid, 0, {"Double", "Last * 2", 1}, &why));
    board->Looks().SetColourRules(grid, {Rule(column::Count, filter_op::Above, "1000", {RuleColour::Of(0x1E88E5), {}})});
    ASSERT_EQ(ExportNoticeKind::Opened, Export().kind);
    const std::string withComputed = ReadWorkbook(opened.at(1));
    const int at = column::Count - 1;  // the hidden trend column is not exported
    ASSERT_EQ("s\tGeneral\tDouble", Cell(withComputed, 0, at)) << withComputed;
    EXPECT_EQ("n\t#,##0.0\t2469.0", Cell(withComputed, 2, at));
    EXPECT_EQ("font=1E88E5", Look(withComputed, 2, at));
    EXPECT_EQ("none", Look(withComputed, 1, at));
}

TEST_F(ExcelExport, TheTrendIsItsChangeAsANumberAndABarColumnKeepsItsNumbersUnderADataBar)
{
    Instrument* rising = Quoted("UP", 10.0, 1);
    Instrument* fresh = Quoted("NEW", 5.0, 1);
    grid = AddTab(board, {rising, fresh}, "Bars");
    for (int col = 0; col < column::Count; ++col)
        if (col != column::Code && col != column::CumVolume)
            grid->HideCol(col);
    grid->ShowCol(column::Trend);
    host.PriceOf(rising)->cumVolume = 1500;
    host.PriceOf(fresh)->cumVolume = 300;
    board->Trends().StopTrendTimer();
    board->Trends().SampleTrends(TrendSamples::Clock::time_point{});
    host.PriceOf(rising)->last = 10.25;
    board->Trends().SampleTrends(TrendSamples::Clock::time_point{} + TrendSamples::kInterval);
    board->Looks().SetColourRules(grid, {Rule(column::CumVolume, filter_op::Above, "100", {{}, {}, false, true})});
    // Taken a row at a time, as a long tab is: each row keeps its own trend.
    board->Features().FindFeature<TabExport>()->SetTakingBounds(0, 1);

    ASSERT_EQ(ExportNoticeKind::Opened, Export().kind);
    const std::string book = ReadWorkbook(opened.at(0));
    // Columns in id order: Code, Cum Vol, Trend.
    EXPECT_EQ("n\t#,##0\t1500.0", Cell(book, 1, 1)) << "the bar column keeps its numbers";
    EXPECT_EQ("n\t#,##0.00\t0.25", Cell(book, 1, 2)) << book;
    EXPECT_EQ("n\t#,##0.00\t0.0", Cell(book, 2, 2)) << "an unchanged price changed by 0";
    EXPECT_NE(std::string::npos, book.find("\ndatabar\tB2:B3\n")) << book;
    EXPECT_EQ(std::string::npos, book.find("databar\tC")) << "only the column with bars";
}

TEST_F(ExcelExport, AFailureNamesTheFolderAndReasonAMissingFolderIsMadeNoFileIsLeftAndThePageSetUpIsKept)
{
    AddTab(board, {Quoted("AAA", 1.0, 1)}, "Core Holdings");
    auto expectFailure = [&](const fs::path& where, const char* reason)
    {
        const Notice notice = Export();
        EXPECT_EQ(ExportNoticeKind::Failed, notice.kind);
        EXPECT_EQ("Cannot write to " + where.string() + ": " + reason, notice.message.utf8_string());
    };
    if (geteuid() != 0)   // permissions do not hold back the superuser
    {
        fs::permissions(documents, fs::perms::owner_read | fs::perms::owner_exec);
        expectFailure(documents, "Permission denied");
        EXPECT_TRUE(FilesIn(documents).empty());
    }
    WriteBytes(folder / "a-file", "");
    SetEnvironment("XDG_DOCUMENTS_DIR", (folder / "a-file").string());
    expectFailure(folder / "a-file", "Not a directory");
    EXPECT_TRUE(opened.empty());

    SetEnvironment("XDG_DOCUMENTS_DIR", (folder / "new" / "Documents").string());
    EXPECT_EQ(ExportNoticeKind::Opened, Export().kind) << "a documents folder not made yet is made";
    EXPECT_EQ(1u, FilesIn(folder / "new" / "Documents").size());

    // The page set-up is kept in the layout for the preview.
    bool cancel = true;
    board->Features().FindFeature<TabExport>()->SetPageSetupRunner(
        [&cancel](wxWindow*, wxPageSetupDialogData& data)
        {
            data.GetPrintData().SetPaperId(wxPAPER_A3);
            data.GetPrintData().SetOrientation(wxLANDSCAPE);
            return !cancel;
        });
    PostCommand(board, cmd::PageSetup);
    EXPECT_EQ(0, board->Settings().printPaper) << "a cancelled setup changes nothing";
    cancel = false;
    PostCommand(board, cmd::PageSetup);

    layout::Tree node;
    layout::WriteWindowSettings(node, board->Settings());
    const wxPrintData page = PrintDataOf(layout::ReadWindowSettings(node, layout::WindowSettings()));
    EXPECT_EQ(wxPAPER_A3, page.GetPaperId());
    EXPECT_EQ(wxLANDSCAPE, page.GetOrientation());
}

// How names are cut and cleaned is checked where they are made (ExportTexts).
TEST_F(ExcelExport, LongNamesAreShortenedAnEmptyTabKeepsItsHeaderQuickExportsMakeTwoFilesAndAKilledExportsFileIsCleared)
{
    // The hidden file of an export whose process is gone.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    const fs::path stale = documents / (".tickerdeck-export-" + std::to_string(gone) + "-0-1");
    WriteBytes(stale, "half a workbook");

    std::string tab;
    for (int i = 0; i < 100; ++i)
        tab += "株";   // three bytes each: the cut must not split one
    AddTab(board, {}, wxString::FromUTF8(tab));
    const Notice& notice = Export();
    ASSERT_EQ(ExportNoticeKind::Opened, notice.kind) << notice.message;
    const std::string name = fs::path(opened.back()).filename().string();
    EXPECT_LE(name.size(), 255u) << name;
    EXPECT_EQ(0u, name.rfind(tab.substr(0, 30), 0)) << name;
    EXPECT_EQ(".xlsx", fs::path(name).extension()) << "the date and the ending stay";
    EXPECT_EQ(std::string::npos, name.find('(')) << "only a later file of a name is numbered";
    EXPECT_EQ("none", Cell(ReadWorkbook(opened.back()), 1, column::Code)) << "the header alone";
    EXPECT_FALSE(fs::exists(stale));

    Instrument* odd = Quoted("Ä&<B>", 1.0, 1);
    odd->name = "Société \"Générale\" & <Fils> 株式";
    // A spreadsheet program would run these as formulas, were they written as such.
    Instrument* formula = Quoted("=1+1", 2.0, 1);
    formula->name = "=HYPERLINK(\"http://x\",\"y\")";
    AddTab(board, {odd, formula}, wxString::FromUTF8("Étoile"));
    PostCommand(board, cmd::ExportExcel);
    PostCommand(board, cmd::ExportExcel);
    ASSERT_TRUE(PumpUntil([&] { return notices.size() == 3; }, 20000));
    ASSERT_EQ(3u, opened.size());
    EXPECT_NE(opened[1], opened[2]);
    EXPECT_EQ(3u, FilesIn(documents).size());
    const std::string book = ReadWorkbook(opened[2]);
    EXPECT_EQ(0u, book.rfind("sheet\tÉtoile\n", 0)) << book;
    EXPECT_EQ("s\t@\t" + odd->name, Cell(book, 1, column::Name));
    EXPECT_EQ("s\t@\t" + odd->code, Cell(book, 1, column::Code));
    EXPECT_EQ("s\t@\t" + formula->name, Cell(book, 2, column::Name));
    EXPECT_EQ("s\t@\t=1+1", Cell(book, 2, column::Code));
}

TEST_F(ExcelExport, WithoutARegisteredApplicationTheFileStaysAndTheMessageSaysSo)
{
    // The toolkit reads the desktop's file types once, at its first icon: let
    // it read them before they are emptied, as in a running terminal.
    wxArtProvider::GetBitmap(wxART_MISSING_IMAGE, wxART_MENU);
    // The desktop's registry of applications, emptied for this process.
    const fs::path empty = folder / "no-applications";
    fs::create_directories(empty);
    SetEnvironment("XDG_DATA_HOME", empty.string());
    SetEnvironment("XDG_DATA_DIRS", empty.string());
    SetEnvironment("XDG_CONFIG_HOME", empty.string());
    SetEnvironment("XDG_CONFIG_DIRS", empty.string());
    ExportDesktop desktop = TheExportDesktop();
    desktop.open = desktop::OpenWithDefaultApplication;
    SetExportDesktop(desktop);

    AddTab(board, {Quoted("AAA", 1.0, 1)}, "Core Holdings");
    const Notice& notice = Export();
    EXPECT_EQ(ExportNoticeKind::NotOpened, notice.kind);
    const std::vector<fs::path> files = FilesIn(documents);
    ASSERT_EQ(1u, files.size());
    EXPECT_TRUE(notice.message.Contains(wxString::FromUTF8(files[0].string()))) << notice.message;
}

TEST_F(ExcelExport, TheTabIsCopiedAtTheCommandAndABoardClosedMeanwhileTakesItsExportAlong)
{
    Instrument* first = Quoted("I0", 1.0, 0);
    AddTab(board, {first, Quoted("I1", 2.0, 1)}, "Copied");
    wxCommandEvent command(wxEVT_MENU, cmd::ExportExcel);
    board->GetEventHandler()->ProcessEvent(command);
    host.PriceOf(first)->last = 999.0;   // a quote after the command is not exported
    ASSERT_TRUE(PumpUntil([&] { return !notices.empty(); }, 20000));
    const std::string book = ReadWorkbook(opened.at(0));
    EXPECT_EQ("n\t#,##0.00\t1.0", Cell(book, 1, column::Last));
    EXPECT_EQ("s\t@\tI1", Cell(book, 2, column::Code));

    // Closed while writing: nothing is told to a board that is gone, and
    // nothing unfinished is left in the folder.
    std::vector<Instrument*> many;
    for (int i = 0; i < 20000; ++i)
        many.push_back(Quoted("M" + std::to_string(i), i, i));
    AddTab(board, many, "Closing");
    const size_t before = notices.size();
    board->GetEventHandler()->ProcessEvent(command);
    auto* exports = board->Features().FindFeature<TabExport>();
    ASSERT_TRUE(exports);
    ASSERT_FALSE(exports->RunningExports().empty());
    const std::weak_ptr<ExportJob> job = exports->RunningExports().front();
    board->Destroy();
    board = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return job.expired(); }, 20000));
    Flush();
    EXPECT_EQ(before, notices.size());
    EXPECT_EQ(std::vector<fs::path>{opened.at(0)}, FilesIn(documents)) << "the first workbook only";
}

TEST_F(ExcelExport, ALongTabIsCopiedInSlicesInItsOrderAtTheCommandWithoutRowsLetGoOfMeanwhile)
{
    std::vector<Instrument*> list;
    for (int i = 0; i < 7; ++i)
        list.push_back(Quoted("S" + std::to_string(i), 10.0 + i, i));
    grid = AddTab(board, list, "Sliced");
    SortByLast(grid, false);
    auto* exports = board->Features().FindFeature<TabExport>();
    exports->SetTakingBounds(3, 2);
    wxCommandEvent command(wxEVT_MENU, cmd::ExportExcel);
    board->GetEventHandler()->ProcessEvent(command);
    ASSERT_EQ(1u, exports->RunningExports().size());
    EXPECT_EQ(2u, exports->RunningExports().front()->RowsTaken()) << "one slice at the command, the rest later";
    board->Rows().DropRows(grid, {host.PriceOf(list[1])});
    SortByLast(grid, true);
    ASSERT_TRUE(PumpUntil([&] { return !notices.empty(); }, 20000));
    const std::string book = ReadWorkbook(opened.at(0));
    std::string codes;
    for (int row = 1; row <= 7; ++row)
        codes += Cell(book, row, column::Code) + ";";
    EXPECT_EQ("s\t@\tS6;s\t@\tS5;s\t@\tS4;s\t@\tS3;s\t@\tS2;s\t@\tS0;none;", codes);

    // Stopped from its progress window while copying: nothing written, nothing told.
    board->GetEventHandler()->ProcessEvent(command);
    exports->RunningExports().at(0)->Cancel();
    EXPECT_TRUE(PumpUntil([&] { return exports->RunningExports().empty(); }, 5000));

    // The tab closed while copying: its quotes may be gone, so the export stops and says so.
    board->GetEventHandler()->ProcessEvent(command);
    board->Tabs().Remove(grid);
    ASSERT_TRUE(PumpUntil([&] { return notices.size() == 2; }, 5000));
    EXPECT_EQ(ExportNoticeKind::Failed, notices.back().kind);
    EXPECT_EQ("The export of Sliced stopped: the tab was closed before its rows were copied.", notices.back().message);
    EXPECT_TRUE(exports->RunningExports().empty());
    Flush();
    EXPECT_EQ(2u, notices.size());
    EXPECT_EQ(std::vector<fs::path>{opened.at(0)}, FilesIn(documents));
}

}  // namespace
