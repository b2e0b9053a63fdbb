// Loading plug-in libraries: the real board module, and files that are not plug-ins.

#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <wx/filefn.h>

#include <sstream>

#include "PluginLoader.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

TEST(PluginLoader, FilesThatAreNotPluginsAndAMissingFolderAreLoggedAndSkipped)
{
    TempFolder folder;
    WriteBytes(folder / "libgarbage.so", "this is not a shared library");
    ASSERT_TRUE(wxCopyFile("/usr/lib/x86_64-linux-gnu/libz.so.1", wxString::FromUTF8(folder / "libnoentry.so")));
    WriteBytes(folder / "readme.txt", "not even named like a library");
    ASSERT_TRUE(wxCopyFile("plugins/libtickerdeck.so", wxString::FromUTF8(folder / "libzz-board.so")));

    std::ostringstream log;
    const auto logger = std::make_shared<spdlog::logger>("test", std::make_shared<spdlog::sinks::ostream_sink_st>(log));
    PluginLoader loader;
    EXPECT_EQ(loader.LoadFolder(folder.Path(), nullptr, logger), 1u);
    ASSERT_EQ(loader.Widgets().size(), 1u);
    EXPECT_STREQ(loader.Widgets()[0]->GetDisplayName(), "Ticker Deck");
    EXPECT_NE(log.str().find("libgarbage.so: not a loadable library"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("libnoentry.so: no loadWidget symbol"), std::string::npos) << log.str();
    EXPECT_EQ(log.str().find("readme.txt"), std::string::npos) << log.str();

    PluginLoader none;
    EXPECT_EQ(none.LoadFolder("/nonexistent/plugins", nullptr, logger), 0u);
    EXPECT_TRUE(none.Widgets().empty());
    EXPECT_NE(log.str().find("does not exist"), std::string::npos) << log.str();
}

}  // namespace
