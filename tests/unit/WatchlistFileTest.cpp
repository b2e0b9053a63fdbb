// Watchlist files: what the writer produces, checked against text written
// out by hand, and what the reader makes of friendly and hostile files.

#include <gtest/gtest.h>

#include "store/WatchlistFile.h"

namespace {

using layout::InstrumentRef;
using store::WatchlistFileContents;
using Refs = std::vector<InstrumentRef>;

// Spreadsheet programs run a cell beginning with = + - @ (or a tab or carriage
// return before one) as a formula; such fields go out behind an apostrophe.
TEST(WatchlistFile, WritesRfc4180CsvWithFormulaLookingFieldsAsTextAndReadsItBack)
{
    EXPECT_EQ(store::WatchlistCsv({{"AMX", "ARPI", "Atlas, \"A\""}, {"KTX", "TKE", " lead"}, {"RHX", "KSS", ""}}),
              "exchange,code,name\r\nAMX,ARPI,\"Atlas, \"\"A\"\"\"\r\nKTX,TKE,\" lead\"\r\nRHX,KSS,\r\n");
    EXPECT_EQ(store::WatchlistCsv({{"AMX", "=1+1", "=HYPERLINK(\"http://x\",\"y\")"},
                                    {"+X", "-2+3", "+cmd|' /C calc'!A0"},
                                    {"@A", "KSS", "@SUM(1+1)"},
                                    {"RHX", "'=A1", "\t=1"},
                                    {"RHX", "\r-1", "'quoted' - =not a formula"}}),
              "exchange,code,name\r\n"
              "AMX,'=1+1,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"\r\n"
              "'+X,'-2+3,'+cmd|' /C calc'!A0\r\n"
              "'@A,KSS,'@SUM(1+1)\r\n"
              "RHX,''=A1,'\t=1\r\n"
              "RHX,\"'\r-1\",'quoted' - =not a formula\r\n");

    // What it wrote reads back.
    const Refs refs = {{"AMX", "A,B"}, {"KTX", "Q\"T"}, {"", "LINE\nBREAK"}, {"RHX", "KSS"},
                       {"=X", "-2+3"}, {"@A", "'=A1"}, {"RHX", "''+1"}, {"AMX", "\t=1"}, {"AMX", "'"}, {"AMX", "'KSS"}};
    std::vector<store::WatchlistFileRow> rows;
    for (const InstrumentRef& ref : refs)
        rows.push_back({ref.exchange, ref.code, "x\r\ny"});
    const WatchlistFileContents read = store::ReadWatchlistText(store::WatchlistCsv(rows));
    EXPECT_EQ(read.problem, WatchlistFileContents::None);
    EXPECT_EQ(read.entries, refs);
}

struct FileCase
{
    const char* what;
    std::string text;
    WatchlistFileContents::Problem problem;
    size_t line;
    Refs entries;
};

std::string TenMegabytesOfCodes()
{
    std::string text;
    while (text.size() < (10u << 20))
        text += "AB\n";
    return text;
}

TEST(WatchlistFile, ReadsWhatUsersHandOver)
{
    using P = WatchlistFileContents;
    const FileCase cases[] = {
        {"empty", "", P::Empty, 0, {}},
        {"header only", "exchange,code,name\r\n\r\n", P::Empty, 0, {}},
        {"NUL byte", std::string("KSS\0ARPI", 8), P::NotText, 0, {}},
        {"UTF-16", "\xff\xfeK\0S\0", P::NotText, 0, {}},
        {"quote left open", "exchange,code,name\nAMX,ARPI,ok\nAMX,\"KSS,x\nRHX,B,c\n", P::OpenQuote, 3, {}},
        {"header quote left open", "\"exchange,code\nAMX,KSS", P::OpenQuote, 1, {}},
        {"one megabyte line", std::string(1u << 20, 'A'), P::EntryTooLong, 1, {}},
        {"long code after a quoted line end", "code,name\nKSS,\"two\nlines\"\n" + std::string(65, 'C') + ",x\n",
         P::EntryTooLong, 4, {}},
        {"ten megabytes", TenMegabytesOfCodes(), P::TooManyEntries, store::kMaxFileEntries + 1, {}},
        {"byte order mark and CRLF", "\xEF\xBB\xBF" "exchange,code,name\r\nAMX,ARPI,\"Atlas\r\nRidge\"\r\nRHX,KSS,K\r\n",
         P::None, 0, {{"AMX", "ARPI"}, {"RHX", "KSS"}}},
        {"columns in another order", "Name, Code ,EXCHANGE\n\"x, y\", KSS ,RHX\n,,\nn,ARPI\nNOPE\n", P::None, 0,
         {{"RHX", "KSS"}, {"", "ARPI"}, {"", "NOPE"}}},
        {"apostrophes a spreadsheet program wrote", "code,exchange\n'=1+1,'@A\n\"'-2\",RHX\n'KSS,'\n", P::None, 0,
         {{"@A", "=1+1"}, {"RHX", "-2"}, {"'", "'KSS"}}},
        {"plain list", "\xEF\xBB\xBFKSS, AMX:ORCA\r\nNOPE;\"X\"\n\n", P::None, 0,
         {{"", "KSS"}, {"AMX", "ORCA"}, {"", "NOPE"}, {"", "X"}}},
    };
    for (const FileCase& test : cases)
    {
        const WatchlistFileContents read = store::ReadWatchlistText(test.text);
        EXPECT_EQ(read.problem, test.problem) << test.what;
        EXPECT_EQ(read.line, test.line) << test.what;
        EXPECT_EQ(read.entries, test.entries) << test.what;
    }
}

}  // namespace
