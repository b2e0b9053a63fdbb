// Loading plug-in libraries: the real board module, and files that are not plug-ins.

#include <gtest/gtest.h>
#include <wx/filefn.h>

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

    std::shared_ptr<MemorySink> sink;
    PluginLoader loader;
    EXPECT_EQ(loader.LoadFolder(folder.Path(), nullptr, MakeMemoryLogger(sink)), 1u);
    ASSERT_EQ(loader.Widgets().size(), 1u);
    EXPECT_STREQ(loader.Widgets()[0]->GetDisplayName(), "Ticker Deck");
    EXPECT_TRUE(sink->Contains("libgarbage.so: not a loadable library"));
    EXPECT_TRUE(sink->Contains("libnoentry.so: no loadWidget symbol"));
    EXPECT_FALSE(sink->Contains("readme.txt"));

    PluginLoader none;
    EXPECT_EQ(none.LoadFolder("/nonexistent/plugins", nullptr, MakeMemoryLogger(sink)), 0u);
    EXPECT_TRUE(none.Widgets().empty());
    EXPECT_TRUE(sink->Contains("does not exist"));
}

}  // namespace
