// Quote cell painting: backgrounds under selection, focus and flashes, the
// name and flag icons with their fallbacks, and the trade arrows.

#include <deque>
#include <memory>

#include <gtest/gtest.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "board/ColumnSpec.h"
#include "board/IconCache.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "plugin/Records.h"
#include "support/EventLoop.h"

namespace {

using testing_support::Flush;
using testing_support::PumpUntil;

const wxColour kBackground(255, 255, 255);
const wxColour kSelection(0, 0, 200);
const wxColour kHighlight(255, 255, 0);
const wxColour kBookmark(0, 150, 150);
const wxColour kAssetBlue(0, 0, 255);
const wxColour kFlagMagenta(255, 0, 255);
const wxColour kArrowGreen(0, 200, 0);
const wxColour kArrowRed(200, 0, 0);

constexpr int kCellWidth = 120;
constexpr int kCellHeight = 24;

/// Exposes the attribute the grid itself hands to renderers.
class PaintGrid : public wxGrid
{
public:
    using wxGrid::wxGrid;
    using wxGrid::GetCellAttr;
};

void SavePng(const wxString& path, int width, int height, const wxColour& colour)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
}

/// A working folder with the icons the painter looks for.
class IconFolder
{
public:
    IconFolder()
    {
        m_previous = wxGetCwd();
        m_root = wxFileName::GetTempDir() + wxString::Format("/renderer_icons_%lu", wxGetProcessId());
        wxFileName::Mkdir(m_root + "/icon/asset", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxFileName::Mkdir(m_root + "/icon/flag", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        SavePng(m_root + "/icon/green_up.png", 8, 8, kArrowGreen);
        SavePng(m_root + "/icon/red_down.png", 8, 8, kArrowRed);
        SavePng(m_root + "/icon/asset/RT_ASSET.png", 10, 10, kAssetBlue);
        SavePng(m_root + "/icon/flag/RT_FLAG.png", 12, 12, kFlagMagenta);
        wxSetWorkingDirectory(m_root);
    }

    ~IconFolder()
    {
        wxSetWorkingDirectory(m_previous);
        wxFileName::Rmdir(m_root, wxPATH_RMDIR_RECURSIVE);
    }

private:
    wxString m_previous;
    wxString m_root;
};

class RendererTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "renderer", wxPoint(0, 0), wxSize(900, 400));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        other = new wxTextCtrl(frame, wxID_ANY);
        grid = new PaintGrid(frame, wxID_ANY);
        sizer->Add(other, 0, wxEXPAND);
        sizer->Add(grid, 1, wxEXPAND);
        frame->SetSizer(sizer);

        table = new TickerdeckTable;
        table->SetHighlightColour(kHighlight);
        table->SetBookmarkColour(kBookmark);
        renderer = new WatchlistGridCellRenderer;
        grid->SetDefaultRenderer(renderer);
        grid->SetTable(table, true, wxGrid::wxGridSelectRows);
        grid->SetBackgroundColour(kBackground);
        grid->SetDefaultCellBackgroundColour(kBackground);
        grid->SetDefaultCellTextColour(*wxBLACK);
        grid->SetSelectionBackground(kSelection);

        instrument.name = "Widget Works";
        instrument.flag = "RT_FLAG";
        instrument.assetId = "RT_ASSET";
        price.instrument = &instrument;
        price.last = 10.0;
        table->AppendMember(&price);
        wxGridTableMessage appended(table, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1);
        grid->ProcessTableMessage(appended);
        frame->Show();
        Flush();
    }

    void TearDown() override
    {
        table->DeleteFlashTimers();
        frame->Destroy();
        Flush();
    }

    wxImage Paint(int row, int col, bool selected)
    {
        wxBitmap bitmap(kCellWidth, kCellHeight);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxBLACK_BRUSH);
            dc.Clear();
            wxGridCellAttrPtr attr(grid->GetCellAttr(row, col));
            renderer->Draw(*grid, *attr, dc, wxRect(0, 0, kCellWidth, kCellHeight), row, col, selected);
        }
        return bitmap.ConvertToImage();
    }

    static wxColour At(const wxImage& image, int x, int y)
    {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    /// Left-most column holding a pixel of neither colour, or -1.
    static int FirstForeignColumn(const wxImage& image, const wxColour& a, const wxColour& b, int from = 0)
    {
        for (int x = from; x < image.GetWidth(); ++x)
            for (int y = 0; y < image.GetHeight(); ++y)
                if (At(image, x, y) != a && At(image, x, y) != b)
                    return x;
        return -1;
    }

    void Flash(int col)
    {
        wxCommandEvent event(wxEVT_MENU, 7011);
        event.SetClientData(&price);
        event.SetInt(~0);
        event.SetExtraLong(1);
        table->UpdateRow(event);
        ASSERT_NE(table->FlashTimerAt(0, col), nullptr);
    }

    bool FocusGrid()
    {
        grid->GetGridWindow()->SetFocus();
        return PumpUntil([&] { return grid->HasFocus(); }, 1000);
    }

    bool FocusElsewhere()
    {
        other->SetFocus();
        return PumpUntil([&] { return !grid->HasFocus(); }, 1000);
    }

    IconFolder icons;
    wxFrame* frame = nullptr;
    wxTextCtrl* other = nullptr;
    PaintGrid* grid = nullptr;
    TickerdeckTable* table = nullptr;
    WatchlistGridCellRenderer* renderer = nullptr;
    Instrument instrument;
    Price price;
};

TEST_F(RendererTest, BackgroundFollowsSelectionFocusAndFlash)
{
    // Amplitude 0 is blank, so the whole cell shows its background.
    EXPECT_EQ(At(Paint(0, column::Amplitude, false), 5, 5), kBackground);
    Flash(column::Amplitude);
    EXPECT_EQ(At(Paint(0, column::Amplitude, false), 5, 5), kHighlight);

    ASSERT_TRUE(FocusElsewhere());
    EXPECT_EQ(At(Paint(0, column::Amplitude, true), 5, 5), kHighlight);
    if (!FocusGrid())
        GTEST_SKIP() << "the display gives the grid no keyboard focus";
    EXPECT_EQ(At(Paint(0, column::Amplitude, true), 5, 5), kSelection);
}

TEST_F(RendererTest, RowNumberCellNeverShowsSelection)
{
    table->Bookmarks().insert(&instrument);
    FocusGrid();
    EXPECT_EQ(At(Paint(0, column::No, true), 1, 1), kBookmark);
    table->Bookmarks().clear();
    EXPECT_EQ(At(Paint(0, column::No, true), 1, 1), kBackground);
}

TEST_F(RendererTest, DisabledGridPaintsPlainBackground)
{
    Flash(column::Amplitude);
    grid->Disable();
    EXPECT_EQ(At(Paint(0, column::Amplitude, true), 5, 5), kBackground);
    EXPECT_EQ(At(Paint(0, column::Amplitude, false), 5, 5), kBackground);
    grid->Enable();
    EXPECT_EQ(At(Paint(0, column::Amplitude, false), 5, 5), kHighlight);
}

TEST_F(RendererTest, NameShowsAssetIconThenFlagThenIndentlessText)
{
    wxImage image = Paint(0, column::Name, false);
    EXPECT_EQ(At(image, kCellHeight / 2, kCellHeight / 2), kAssetBlue);
    EXPECT_EQ(At(image, (kCellHeight - 10) / 2, (kCellHeight - 10) / 2), kAssetBlue);
    EXPECT_EQ(At(image, (kCellHeight - 10) / 2 - 1, kCellHeight / 2), kBackground);
    EXPECT_GE(FirstForeignColumn(image, kBackground, kAssetBlue, kCellHeight), kCellHeight + 3);
    EXPECT_NE(FirstForeignColumn(image, kBackground, kAssetBlue, kCellHeight), -1);

    instrument.assetId = "RT_NO_SUCH_ASSET";
    image = Paint(0, column::Name, false);
    EXPECT_EQ(At(image, kCellHeight / 2, kCellHeight / 2), kFlagMagenta);

    instrument.flag = "RT_NO_SUCH_FLAG";
    image = Paint(0, column::Name, false);
    const int textStart = FirstForeignColumn(image, kBackground, kBackground);
    EXPECT_GE(textStart, 3);
    EXPECT_LT(textStart, 8);
}

TEST_F(RendererTest, TradeTypeDrawsArrowsOnlyForUpAndDownTicks)
{
    price.tradeType = '+';
    wxImage image = Paint(0, column::TradeType, false);
    EXPECT_EQ(At(image, kCellWidth / 2, kCellHeight / 2), kArrowGreen);
    EXPECT_EQ(FirstForeignColumn(image, kBackground, kBackground), kCellWidth / 2 - 4);
    EXPECT_EQ(FirstForeignColumn(image, kBackground, kArrowGreen), -1);  // no "+" text

    price.tradeType = '-';
    image = Paint(0, column::TradeType, false);
    EXPECT_EQ(At(image, kCellWidth / 2, kCellHeight / 2), kArrowRed);

    for (char other : {'*', ' ', 'B'})
    {
        price.tradeType = other;
        EXPECT_EQ(FirstForeignColumn(Paint(0, column::TradeType, false), kBackground, kBackground), -1)
            << "trade type " << other;
    }
}

TEST_F(RendererTest, FlagColumnShowsIconWithoutTextOrTheCodeAsText)
{
    wxImage image = Paint(0, column::Flag, false);
    EXPECT_EQ(At(image, kCellWidth / 2, kCellHeight / 2), kFlagMagenta);
    EXPECT_EQ(FirstForeignColumn(image, kBackground, kFlagMagenta), -1);

    instrument.flag = "RT_NO_SUCH_FLAG";
    image = Paint(0, column::Flag, false);
    EXPECT_NE(FirstForeignColumn(image, kBackground, kBackground), -1);
}

TEST_F(RendererTest, OrdinaryCellsDrawTableTextRightAligned)
{
    price.last = 1.5;
    const wxImage image = Paint(0, column::Last, false);
    const int first = FirstForeignColumn(image, kBackground, kBackground);
    ASSERT_NE(first, -1);
    EXPECT_GT(first, kCellWidth / 2);  // right aligned, short text
    int last = -1;
    for (int x = kCellWidth - 1; x >= 0 && last < 0; --x)
        for (int y = 0; y < kCellHeight; ++y)
            if (At(image, x, y) != kBackground)
                last = x;
    EXPECT_LE(last, kCellWidth - 3);
    EXPECT_GE(last, kCellWidth - 8);
}

TEST_F(RendererTest, BestSizeWidensNameColumnAndCloneKeepsThePainter)
{
    wxClientDC dc(grid->GetGridWindow());
    wxGridCellAttrPtr attr(grid->GetCellAttr(0, column::Name));
    wxGridCellStringRenderer plain;
    const wxSize base = plain.GetBestSize(*grid, *attr, dc, 0, column::Name);
    EXPECT_EQ(renderer->GetBestSize(*grid, *attr, dc, 0, column::Name), wxSize(base.x + 25, base.y));
    wxGridCellAttrPtr codeAttr(grid->GetCellAttr(0, column::Code));
    EXPECT_EQ(renderer->GetBestSize(*grid, *codeAttr, dc, 0, column::Code),
              plain.GetBestSize(*grid, *codeAttr, dc, 0, column::Code));

    std::unique_ptr<wxGridCellRenderer, void (*)(wxGridCellRenderer*)> copy(renderer->Clone(),
                                                                         [](wxGridCellRenderer* r) { r->DecRef(); });
    EXPECT_NE(dynamic_cast<WatchlistGridCellRenderer*>(copy.get()), nullptr);
}

TEST(IconCacheTest, MissingFilesAreInvalidAndChangedFilesAreReread)
{
    const wxString path = wxFileName::CreateTempFileName("iconcache");
    wxRemoveFile(path);
    IconCache cache;
    EXPECT_FALSE(cache.Load(path).IsOk());

    SavePng(path, 4, 4, kAssetBlue);
    const wxBitmap& first = cache.Load(path);
    ASSERT_TRUE(first.IsOk());
    EXPECT_EQ(first.GetWidth(), 4);

    SavePng(path, 6, 6, kAssetBlue);
    const wxDateTime later = wxDateTime::Now() + wxTimeSpan::Minutes(1);
    wxFileName(path).SetTimes(nullptr, &later, nullptr);
    EXPECT_EQ(cache.Load(path).GetWidth(), 6);

    wxRemoveFile(path);
    EXPECT_FALSE(cache.Load(path).IsOk());
}

}  // namespace
