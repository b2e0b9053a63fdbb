// Texts of an export: numbers read back from cell texts, sheet and file
// names the formats accept, and the documents folder the desktop names.

#include <gtest/gtest.h>

#include "model/ColumnSpec.h"
#include "model/ShownNumber.h"
#include "model/TabSheet.h"
#include "export/DesktopFiles.h"

namespace {

const NumberSeparators kEnglish{wxUniChar(','), wxUniChar('.')};
const NumberSeparators kGerman{wxUniChar('.'), wxUniChar(',')};
const NumberSeparators kFrench{wxUniChar(0x202F), wxUniChar(',')};   // narrow no-break space
const NumberSeparators kUngrouped{wxUniChar(0), wxUniChar('.')};

TEST(ShownNumber, GroupedSignedAndLocalTextsReadAsTheirValuesAndAnythingElseStaysText)
{
    for (const auto& [text, value] : {std::pair{"1,234,567.25", 1234567.25}, {"-1,234.5", -1234.5}, {"+0.25", 0.25},
                                      {"17", 17.0}})
        EXPECT_EQ(value, ParseShownNumber(text, kEnglish)) << text;
    EXPECT_EQ(1234.5, ParseShownNumber("1.234,5", kGerman));
    EXPECT_EQ(1234.5, ParseShownNumber(wxString::FromUTF8("1\u202F234,5"), kFrench));
    EXPECT_EQ(1234.5, ParseShownNumber("1234.5", kUngrouped));

    // Anything else stays text.
    for (const char* text : {"", "+", "-", "abc", "1.2.3", "12,34", "1,2345", ",123", "1,234,56", "1,23.5", "1.5%",
                             "2026-01-02", "1e5", " 1", "--1"})
        EXPECT_FALSE(ParseShownNumber(text, kEnglish)) << text;
    EXPECT_FALSE(ParseShownNumber("1,5", kUngrouped));
}

TEST(NumberFormats, PricesShowTheInstrumentsDecimalsOrWhatTheGridShowsWithoutThem)
{
    Instrument instrument;
    Price quote;
    quote.instrument = &instrument;
    const QuoteFormat plain;
    const auto format = [&](int decimals, int columnId, double value) {
        instrument.decimals = decimals;
        return sheet::NumberFormatOf(columnId, quote, plain, value);
    };
    // The grid shows "1,708" and "1,708.50", "190" and "190.25".
    EXPECT_EQ("#,##0", format(0, column::Last, 1708.0));
    EXPECT_EQ("#,##0", format(0, column::Change, -3.0));
    EXPECT_EQ("#,##0.00", format(2, column::Last, 1708.5));
    EXPECT_EQ("#,##0.000", format(3, column::Vwap, 1.0));
    EXPECT_EQ("#,##0", format(-1, column::Last, 190.0));
    EXPECT_EQ("#,##0", format(-1, column::PrevClose, -190.0));
    EXPECT_EQ("#,##0.#####", format(-1, column::Buy, 190.25));
    EXPECT_EQ("#,##0.#####", format(-1, column::Sell, 0.00001));
    quote.instrument = nullptr;
    EXPECT_EQ("#,##0", sheet::NumberFormatOf(column::High, quote, plain, 7.0));
    // The other columns do not follow the instrument.
    quote.instrument = &instrument;
    EXPECT_EQ("#,##0", format(0, column::CumVolume, 1500.0));
    EXPECT_EQ("#,##0.#####", format(0, column::BuyVolume, 0.5));
    EXPECT_EQ("#,##0.000", sheet::NumberFormatOf(column::SellVolume, quote, QuoteFormat{true, {}}, 1.5));
    EXPECT_EQ("+#,##0.00;-#,##0.00;0.00", format(0, column::ChangePercent, 1.0));
    EXPECT_EQ("#,##0.00", format(0, column::CumValue, 3.0));
    EXPECT_EQ("#,##0", format(2, column::Deals, 12.0));
}

TEST(ExportNames, SheetNamesAreCutAndCleanedFileNamesKeepEverythingUsable)
{
    const std::string forty = "Banks/Insurers: Europe & Asia <2026> all";
    EXPECT_EQ("Banks_Insurers_ Europe & Asia <", sheet::SheetName(forty));
    EXPECT_EQ("Banks_Insurers_ Europe & Asia _2026_ all", sheet::FileNameStem(forty));
    EXPECT_EQ("a_b_c_d_e_", sheet::SheetName("a[b]c*d?e\\"));
    EXPECT_EQ("quoted", sheet::SheetName("'quoted'"));
    EXPECT_EQ("Sheet1", sheet::SheetName("  "));
    EXPECT_EQ("Sheet1", sheet::SheetName("history"));
    // 31 characters, not bytes: non-ASCII names are not cut short.
    const std::string accented = "\xC3\xA9" + std::string(40, 'x');
    EXPECT_EQ(wxString::FromUTF8(accented).Left(31), wxString::FromUTF8(sheet::SheetName(accented)));
    const std::string smiling = std::string(30, 'x') + "\xF0\x9F\x98\x80";
    EXPECT_EQ(std::string(30, 'x'), sheet::SheetName(smiling)) << "beyond the basic plane a character takes two units";
    EXPECT_EQ("Export", sheet::FileNameStem(".."));
}

TEST(DocumentsFolder, TheUserDirsEntryIsFoundWithHomeExpanded)
{
    const std::string file = "# written by xdg-user-dirs-update\n"
                             "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                             "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ("/home/ana/Dokumente", desktop::DocumentsFolderIn(file, "/home/ana"));
    EXPECT_EQ("/data/docs", desktop::DocumentsFolderIn("XDG_DOCUMENTS_DIR=\"/data/docs\"\n", "/home/ana"));
    EXPECT_EQ("", desktop::DocumentsFolderIn("XDG_DOCUMENTS_DIR=\"relative\"\n", "/home/ana"));
    EXPECT_EQ("", desktop::DocumentsFolderIn("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/ana"));
}

}  // namespace
