// Quote cell painting: colour rules under flashes, the selection and
// bookmarks, a figure too wide for its cell, the name and flag icons with
// their fallbacks, the trade arrows, and the text extents kept between paints.

#include <algorithm>

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/image.h>

#include "kit/TextExtentCache.h"
#include "model/TrendSamples.h"
#include "support/QuoteGridFixture.h"
#include "support/RuleSpec.h"
#include "support/TempFolder.h"

namespace {

using namespace testing_support;

const wxColour kAssetBlue(0, 0, 255);
const wxColour kFlagMagenta(255, 0, 255);
const wxColour kArrowGreen(0, 200, 0);
const wxColour kArrowRed(200, 0, 0);
constexpr int kCellWidth = 120;
constexpr int kCellHeight = 24;
constexpr int kArrowSize = 8;

void SavePng(const wxString& path, int size, const wxColour& colour)
{
    wxImage image(size, size);
    image.SetRGB(wxRect(0, 0, size, size), colour.Red(), colour.Green(), colour.Blue());
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
}

bool SamePixels(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
}

/// A working folder with the icons the painter looks for.
class IconFolder
{
public:
    IconFolder() : m_previous(wxGetCwd())
    {
        const wxString root = wxString(m_folder.Path().string());
        wxFileName::Mkdir(root + "/icon/asset", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxFileName::Mkdir(root + "/icon/flag", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        SavePng(root + "/icon/green_up.png", kArrowSize, kArrowGreen);
        SavePng(root + "/icon/red_down.png", kArrowSize, kArrowRed);
        SavePng(root + "/icon/asset/RT_ASSET.png", 10, kAssetBlue);
        SavePng(root + "/icon/flag/RT_FLAG.png", 12, kFlagMagenta);
        wxSetWorkingDirectory(root);
    }
    ~IconFolder() { wxSetWorkingDirectory(m_previous); }

private:
    TempFolder m_folder{"renderer-icons"};
    wxString m_previous;
};

class Renderer : public QuoteGridFixture
{
protected:
    void SetUp() override
    {
        QuoteGridFixture::SetUp();
        price = Add(10.0);
        instrument = price->instrument;
        instrument->name = "Widget Works";
        instrument->flag = "RT_FLAG";
        instrument->assetId = "RT_ASSET";
    }

    wxImage Paint(int col, bool selected, int width = kCellWidth)
    {
        wxBitmap bitmap(width, kCellHeight);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxBLACK_BRUSH);
            dc.Clear();
            wxGridCellAttrPtr attr(grid->GetCellAttr(0, col));
            renderer->Draw(*grid, *attr, dc, wxRect(0, 0, width, kCellHeight), 0, col, selected);
        }
        return bitmap.ConvertToImage();
    }

    static wxColour At(const wxImage& image, int x, int y)
    {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    /// Left-most column from `from` holding a pixel of neither colour, or -1.
    static int FirstForeignColumn(const wxImage& image, const wxColour& a, const wxColour& b, int from = 0)
    {
        for (int x = from; x < image.GetWidth(); ++x)
            for (int y = 0; y < image.GetHeight(); ++y)
                if (At(image, x, y) != a && At(image, x, y) != b)
                    return x;
        return -1;
    }

    /// The background the painter chose, where a blank cell shows nothing else.
    wxColour Background(bool selected, int col = column::Amplitude) { return At(Paint(col, selected), 5, 5); }

    IconFolder icons;
    Price* price = nullptr;
    Instrument* instrument = nullptr;
};

TEST_F(Renderer, ColourRulesPaintUnderTheFlashTheSelectionAndTheBookmark)
{
    table->Styler().SetColourRules({Rule(column::Last, filter_op::Above, "5", {{}, RuleColour::Of(0x00AA00)}, true),
                           Rule(column::Amplitude, filter_op::AtMost, "0", {{}, RuleColour::Of(0xAA0000), true})});
    const wxColour green(0, 0xAA, 0);
    const wxColour red(0xAA, 0, 0);
    EXPECT_EQ(Background(false), red) << "a cell rule beats an earlier row rule";
    EXPECT_EQ(Background(false, column::Sector), green);
    EXPECT_EQ(wxGridCellAttrPtr(grid->GetCellAttr(0, column::Amplitude))->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(Background(true, column::Sector), kSelection) << "the selection shows over a rule";
    table->Members().Bookmarks().insert(instrument);
    EXPECT_EQ(Background(false, column::No), kBookmark) << "and so does a bookmark";
    EXPECT_EQ(Background(true, column::No), kBookmark) << "the row number never shows the selection";
    Quote(price, ~0);
    ASSERT_TRUE(table->View().IsFlashing(0, column::Amplitude));
    EXPECT_EQ(Background(false), kHighlight) << "and a flash";
    EXPECT_EQ(Background(true), kHighlight) << "on a selected row too";
    const wxImage framed = Paint(column::Amplitude, true);
    EXPECT_EQ(At(framed, kCellWidth / 2, 0), kText) << "a flashing selected row keeps its frame";
    EXPECT_EQ(At(framed, kCellWidth / 2, kCellHeight - 1), kText);

    table->Styler().SetColourRules({});
    EXPECT_EQ(Background(false, column::Sector), kBackground);
    EXPECT_FALSE(wxGridCellAttrPtr(grid->GetCellAttr(0, column::Amplitude))->HasFont()) << "bold goes with its rule";
}

TEST_F(Renderer, AFigureTooWideForItsCellShowsTheMarkWholeNotItsLastDigits)
{
    uint32_t cutOff = 0;
    table->View().SetCutOffHandler([&cutOff](uint32_t columns) { cutOff |= columns; });
    constexpr int kNarrow = 60;
    price->cumValue = 184887094.60;
    const wxImage mark = Paint(column::CumValue, false, kNarrow);
    price->cumValue = 999999999.99;
    EXPECT_TRUE(SamePixels(Paint(column::CumValue, false, kNarrow), mark))
        << "cut short, figures would differ";
    price->cumValue = 0.0;
    EXPECT_FALSE(SamePixels(Paint(column::CumValue, false, kNarrow), mark)) << "the mark shows";
    price->cumValue = 1.5;
    EXPECT_FALSE(SamePixels(Paint(column::CumValue, false, kNarrow), mark)) << "a figure that fits shows";

    instrument->sector = "An Extraordinarily Long Sector Name";
    Paint(column::Sector, false, kNarrow); // texts are cut, figures not
    Flush();
    EXPECT_EQ(uint32_t{1} << column::CumValue, cutOff)
        << "the table hears of the cut figure once the paint is over";
}

TEST_F(Renderer, ABestSizeIsTheTextsExtentInTheCellsFontWhateverTheDCHeldAndFollowsTheText)
{
    wxBitmap bitmap(10, 10);
    wxMemoryDC dc(bitmap);
    wxGridCellAttrPtr attr(grid->GetCellAttr(0, column::Sector));
    const auto bestWidth = [&] {
        dc.SetFont(wxFontInfo(30).Family(wxFONTFAMILY_ROMAN));  // what a paint may have left in it
        return renderer->GetBestSize(*grid, *attr, dc, 0, column::Sector).x;
    };
    const auto extent = [&bitmap](const wxFont& font, const wxString& text) {
        wxMemoryDC measuring(bitmap);
        measuring.SetFont(font);
        return measuring.GetTextExtent(text).x;
    };
    instrument->sector = "Utilities";
    EXPECT_EQ(extent(attr->GetFont(), "Utilities"), bestWidth());
    instrument->sector = "Utilities and Water Works";
    EXPECT_EQ(extent(attr->GetFont(), "Utilities and Water Works"), bestWidth()) << "a changed text is measured anew";
    const wxFont bold = attr->GetFont().Bold();
    attr->SetFont(bold);
    EXPECT_EQ(extent(bold, "Utilities and Water Works"), bestWidth()) << "a rule's bold cell, in bold";
}

TEST_F(Renderer, NameShowsAssetIconThenFlagThenIndentlessTextFlagShowsItsIconOrCodeAndTradeTypeItsArrow)
{
    wxImage flag = Paint(column::Flag, false);
    EXPECT_EQ(At(flag, kCellWidth / 2, kCellHeight / 2), kFlagMagenta);
    EXPECT_EQ(FirstForeignColumn(flag, kBackground, kFlagMagenta), -1) << "the icon without text";

    wxImage image = Paint(column::Name, false);
    EXPECT_EQ(At(image, (kCellHeight - 10) / 2, (kCellHeight - 10) / 2), kAssetBlue) << "centred in a square";
    EXPECT_EQ(At(image, (kCellHeight - 10) / 2 - 1, kCellHeight / 2), kBackground);
    EXPECT_GE(FirstForeignColumn(image, kBackground, kAssetBlue), kCellHeight) << "the text past the icon's square";
    EXPECT_NE(FirstForeignColumn(image, kBackground, kAssetBlue), -1);

    instrument->assetId = "RT_NO_SUCH_ASSET";
    EXPECT_EQ(At(Paint(column::Name, false), kCellHeight / 2, kCellHeight / 2), kFlagMagenta);

    instrument->flag = "RT_NO_SUCH_FLAG";
    instrument->code = "Widget"; // the same first letter as the name
    EXPECT_EQ(FirstForeignColumn(Paint(column::Code, false), kBackground, kBackground),
              FirstForeignColumn(Paint(column::Name, false), kBackground, kBackground))
        << "without icons the name starts where plain texts do";
    EXPECT_NE(FirstForeignColumn(Paint(column::Flag, false), kBackground, kBackground), -1)
        << "the flag code as text";

    price->tradeType = '+';
    image = Paint(column::TradeType, false);
    EXPECT_EQ(At(image, kCellWidth / 2, kCellHeight / 2), kArrowGreen);
    EXPECT_EQ(FirstForeignColumn(image, kBackground, kBackground), (kCellWidth - kArrowSize) / 2)
        << "centred";
    EXPECT_EQ(FirstForeignColumn(image, kBackground, kArrowGreen), -1) << "no \"+\" text";

    price->tradeType = '-';
    EXPECT_EQ(At(Paint(column::TradeType, false), kCellWidth / 2, kCellHeight / 2), kArrowRed);
    for (char other : {'*', ' ', 'B'})
    {
        price->tradeType = other;
        EXPECT_EQ(FirstForeignColumn(Paint(column::TradeType, false), kBackground, kBackground), -1) << other;
    }
}

TEST_F(Renderer, ATrendCellLooksAsItsLineDrawnOverTheCellWhetherItsPictureIsKeptOrDrawnAgain)
{
    constexpr int kWidth = 100;
    TrendSamples samples;
    price->prevClose = 10.0;
    auto at = TrendSamples::Clock::time_point{};
    const auto sample = [&](double last) {
        price->last = last;
        samples.Take({price}, at);
        at += TrendSamples::kInterval;
    };
    for (double last : {10.0, 10.4, 9.7, 10.9})
        sample(last);
    // The cell painted without a line, and the line drawn straight onto it.
    const auto expected = [&](bool selected) {
        table->Order().SetTrendSamples(nullptr);
        wxBitmap bitmap(Paint(column::Trend, selected, kWidth));
        table->Order().SetTrendSamples(&samples);
        wxGridCellAttrPtr attr(grid->GetCellAttr(0, column::Trend));
        table->Styler().RestyleForPaint(*attr, 0, column::Trend);
        const WatchlistGridCellRenderer::TrendColours colours{kUp, kDown, attr->GetTextColour(),
                                                              attr->GetBackgroundColour()};
        {
            wxMemoryDC dc(bitmap);
            WatchlistGridCellRenderer::DrawTrend(dc, wxRect(0, 0, kWidth, kCellHeight), samples.Points(price),
                                                 price->prevClose, colours);
        }
        return bitmap.ConvertToImage();
    };
    const wxImage plain = expected(false);
    EXPECT_TRUE(SamePixels(Paint(column::Trend, false, kWidth), plain)) << "drawn";
    EXPECT_TRUE(SamePixels(Paint(column::Trend, false, kWidth), plain)) << "kept";
    sample(11.5);
    const wxImage moved = expected(false);
    EXPECT_FALSE(SamePixels(moved, plain));
    EXPECT_TRUE(SamePixels(Paint(column::Trend, false, kWidth), moved)) << "a new point draws it again";
    EXPECT_TRUE(SamePixels(Paint(column::Trend, true, kWidth), expected(true))) << "selected: not the plain picture";
}

TEST(TextExtentCacheTest, ExtentsFollowTheFontOfTheDCAndFontsTakingTurnsKeepTheirTexts)
{
    wxBitmap bitmap(10, 10);
    wxMemoryDC dc(bitmap);
    const wxFont small(wxFontInfo(8));
    const wxFont large(wxFontInfo(20).Bold());
    TextExtentCache cache;
    const auto check = [&](const wxFont& font, const wxString& text) {
        dc.SetFont(font);
        EXPECT_EQ(cache.Extent(dc, text), dc.GetTextExtent(text)) << text << " in " << font.GetPointSize();
    };
    // Plain and bold rows take turns; an equal font made anew is the same font.
    for (int round = 0; round < 2; ++round)
        for (const wxFont& font : {small, large, wxFont(wxFontInfo(8))})
            for (const wxString text : {"1,234.50", "WDGT", "-0.03533"})
                check(font, text);
    EXPECT_EQ(6u, cache.Size()) << "each font measures each text once";

    // More fonts than it keeps: the ones used longest ago go with their texts.
    for (int points = 9; points < 9 + static_cast<int>(TextExtentCache::kFonts); ++points)
        check(wxFont(wxFontInfo(points)), "WDGT");
    EXPECT_EQ(TextExtentCache::kFonts, cache.Size());
    check(large, "WDGT");
    check(small, "-0.03533");
}

}  // namespace
