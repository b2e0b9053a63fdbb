// The terminal's layout document: the list of open windows, its atomic
// writing, and whole runs that quit and start again from what they wrote.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LayoutDocument.h"
#include "MainFrame.h"
#include "Terminal.h"
#include "TerminalHost.h"
#include "support/EventLoop.h"
#include "support/XmlText.h"

#include "TerminalTestSupport.h"

namespace {

using boost::property_tree::ptree;
using namespace terminal_test;


TEST(LayoutDocument, WindowRecordsReadBackAsWritten)
{
    ptree document = testing_support::Parse(R"(<application><layout><default><tickerdeck size-x="5"/></default>
        <windows x="1" y="2" width="300" height="200"><window widget="Old"/></windows></layout></application>)");
    WindowRecord docked;
    docked.widget = "Ticker Deck";
    docked.geometry = wxRect(0, 0, 640, 480);
    docked.state.put("watchlists.watchlist.<xmlattr>.name", "A & B");
    WindowRecord framed = docked;
    framed.flags = 0x101;
    framed.geometry = wxRect(-20, 30, 400, 500);
    WriteWindowRecords(document, {docked, framed});

    const std::vector<WindowRecord> read = ReadWindowRecords(document);
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ("Ticker Deck", read[1].widget);
    EXPECT_EQ(0x101, read[1].flags);
    EXPECT_EQ(wxRect(-20, 30, 400, 500), read[1].geometry);
    EXPECT_EQ("A & B", read[0].state.get<std::string>("watchlists.watchlist.<xmlattr>.name"));
    EXPECT_EQ(0, read[0].flags);
    EXPECT_EQ(wxRect(1, 2, 300, 200), ReadMainFrameGeometry(document)) << "the frame's place survives";
    EXPECT_EQ("5", document.get<std::string>("application.layout.default.tickerdeck.<xmlattr>.size-x"));
}

TEST(LayoutDocument, DamagedEntriesAreSkippedOrDefaulted)
{
    const ptree document = testing_support::Parse(R"(<application><layout><windows width="x">
        <window/><pane widget="Ticker Deck"/>
        <window widget="Ticker Deck" flags="one" x="99999999999" group="-3"><state><watchlists/></state></window>
      </windows></layout></application>)");
    const std::vector<WindowRecord> read = ReadWindowRecords(document);
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(0, read[0].flags);
    EXPECT_EQ(0, read[0].geometry.x);
    EXPECT_EQ(-3, read[0].group);
    EXPECT_TRUE(read[0].state.get_child_optional("watchlists"));
    EXPECT_EQ(0, ReadMainFrameGeometry(document).width);
    EXPECT_TRUE(ReadWindowRecords(ptree()).empty());
}

TEST(LayoutDocument, RewritingWhatWasReadKeepsTheFileByteForByte)
{
    TempFolder folder;
    const std::string path = folder / "layout.xml";
    WriteBytes(path, "old");
    ptree document;
    document.put("application.layout.default.tickerdeck.<xmlattr>.size-x", "360");
    document.put("application.layout.windows.window.<xmlattr>.widget", "W");
    WriteLayoutDocument(path, document);
    EXPECT_EQ("360", testing_support::Parse(ReadBytes(path)).get<std::string>("application.layout.default.tickerdeck.<xmlattr>.size-x"));
    // Written, read and written again, the file stays the same: indentation
    // read back as text must not pile up.
    const std::string once = ReadBytes(path);
    WriteLayoutDocument(path, testing_support::Parse(once));
    EXPECT_EQ(once, ReadBytes(path));
}

const char* const kStartLayout = R"(<?xml version="1.0" encoding="utf-8"?>
<application>
  <layout>
    <windows>
      <window widget="Ticker Deck" group="1" flags="0" x="0" y="0" width="600" height="400">
        <state>
          <setting><general title="Docked" auto_fit_column_width="false"/></setting>
          <watchlists>
            <watchlist name="Mine" current="false" type="1"/>
            <watchlist name="All" current="true" type="7" exchange="AMX"/>
          </watchlists>
        </state>
      </window>
      <window widget="Ticker Deck" group="1" flags="257" x="120" y="140" width="500" height="420">
        <state>
          <setting><general title="Framed" auto_fit_column_width="false"/></setting>
          <watchlists><watchlist name="Mine" type="1"><bookmark><instrument exchange="AMX" code="BDI"/></bookmark></watchlist></watchlists>
        </state>
      </window>
      <window widget="Somebody Else"/>
    </windows>
  </layout>
</application>)";

const char* const kStartStore = R"(<?xml version="1.0" encoding="utf-8"?>
<application><watchlists><watchlist name="Mine"><instrument exchange="AMX" code="ARPI"/><instrument exchange="AMX" code="BDI"/></watchlist></watchlists></application>)";

/// A quiet terminal on the layout and store files in `folder`.
TerminalOptions FileOptions(const TempFolder& folder)
{
    TerminalOptions options = QuietOptions(folder);
    options.layoutFile = folder / "layout.xml";
    options.storeFile = folder / "store.xml";
    return options;
}

/// Runs a terminal on those files until its --quit-after timer closes it.
void RunUntilQuit(const TempFolder& folder)
{
    TerminalOptions options = FileOptions(folder);
    options.quitAfter = 1.5;
    Terminal terminal(options);
    terminal.Start();
    ASSERT_NE(terminal.Host().FindWidget("Ticker Deck"), nullptr) << "board module not found in plugins/";
    ASSERT_TRUE(terminal.Frame());
    EXPECT_EQ(2u, terminal.Host().Windows().All().size()) << "both listed boards come back, nothing else";
    EXPECT_EQ(1u, terminal.Frame()->DockedPaneCount());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }, 15000));
    terminal.Shutdown();
}

TEST(LayoutDocumentRun, QuittingWritesWhatStartingReadsByteForByte)
{
    TempFolder folder;
    WriteBytes(folder / "layout.xml", kStartLayout);
    WriteBytes(folder / "store.xml", kStartStore);

    RunUntilQuit(folder);
    const std::string firstLayout = ReadBytes(folder / "layout.xml");
    EXPECT_EQ(kStartStore, ReadBytes(folder / "store.xml")) << "unchanged watchlists leave the store alone";

    const ptree written = testing_support::Parse(firstLayout);
    const std::vector<WindowRecord> windows = ReadWindowRecords(written);
    ASSERT_EQ(2u, windows.size());
    EXPECT_EQ(0, windows[0].flags);
    EXPECT_EQ(0x101, windows[1].flags);
    EXPECT_EQ(wxSize(500, 420), windows[1].geometry.GetSize());
    EXPECT_EQ("Docked", windows[0].state.get<std::string>("setting.general.<xmlattr>.title"));
    EXPECT_EQ("Framed", windows[1].state.get<std::string>("setting.general.<xmlattr>.title"));
    const ptree& docked = windows[0].state.get_child("watchlists");
    ASSERT_EQ(2u, docked.size());
    EXPECT_EQ("Atlantic Markets Exchange (AMX)", std::next(docked.begin())->second.get<std::string>("<xmlattr>.name"));
    EXPECT_EQ("true", std::next(docked.begin())->second.get<std::string>("<xmlattr>.current"));
    EXPECT_EQ("BDI", windows[1].state.get<std::string>("watchlists.watchlist.bookmark.instrument.<xmlattr>.code"));
    // The framed board is also the default for boards that bring no state.
    EXPECT_EQ("Framed", written.get<std::string>("application.layout.default.tickerdeck.setting.general.<xmlattr>.title"));
    EXPECT_EQ("500", written.get<std::string>("application.layout.default.tickerdeck.<xmlattr>.size-x"));

    RunUntilQuit(folder);
    EXPECT_EQ(firstLayout, ReadBytes(folder / "layout.xml")) << "a restart changes nothing";
    EXPECT_EQ(kStartStore, ReadBytes(folder / "store.xml"));
}

TEST(LayoutDocumentRun, AnUnreadableLayoutIsNotOverwritten)
{
    TempFolder folder;
    WriteBytes(folder / "layout.xml", "<application><layout>");
    WriteBytes(folder / "store.xml", kStartStore);
    Terminal terminal(FileOptions(folder));
    terminal.Start();
    ASSERT_TRUE(terminal.Frame());
    EXPECT_EQ(1u, terminal.Frame()->DockedPaneCount()) << "one plain board";
    EXPECT_FALSE(terminal.Frame()->SaveLayout());
    terminal.Frame()->Close();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }));
    terminal.Shutdown();
    EXPECT_EQ("<application><layout>", ReadBytes(folder / "layout.xml"));
}

}  // namespace
