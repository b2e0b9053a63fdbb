// First-run seeding of the user's files and the search for the asset folder.

#include <filesystem>

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "AssetFolder.h"
#include "CommandLine.h"
#include "UserFiles.h"

#include "TerminalTestSupport.h"

namespace {

using terminal_test::ReadBytes;
using terminal_test::TempFolder;
using terminal_test::WriteBytes;

TEST(UserFiles, TheUsersOwnFilesAreNeverOverwrittenAndAMissingDefaultIsReported)
{
    TempFolder temp;
    WriteBytes(temp / "ship/layout.xml", "<shipped/>");
    WriteBytes(temp / "ship/watchlists.xml", "<shipped/>");
    WriteBytes(temp / "config/layout.xml", "<mine/>");
    UserFiles files(temp / "config", "", "");
    EXPECT_EQ(files.Seed(temp / "ship/layout.xml", temp / "ship/watchlists.xml"), "");
    EXPECT_EQ(ReadBytes(files.LayoutPath()), "<mine/>");
    EXPECT_EQ(ReadBytes(files.StorePath()), "<shipped/>");

    UserFiles fresh(temp / "fresh", "", "");
    const std::string problem = fresh.Seed(temp / "ship/nope.xml", temp / "ship/watchlists.xml");
    EXPECT_NE(problem.find("nope.xml"), std::string::npos) << "a missing shipped default is reported: " << problem;
    EXPECT_EQ(ReadBytes(fresh.StorePath()), "<shipped/>") << "the other file is still seeded";

    // A link to nowhere is seeded through, and stays a link.
    std::filesystem::create_directories(temp / "linked");
    std::filesystem::create_symlink(temp / "elsewhere.xml", temp / "linked/watchlists.xml");
    UserFiles linked(temp / "linked", "", "");
    EXPECT_EQ(linked.Seed(temp / "ship/layout.xml", temp / "ship/watchlists.xml"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(linked.StorePath()));
    EXPECT_EQ(ReadBytes(temp / "elsewhere.xml"), "<shipped/>");
}

TEST(AssetFolder, FoundBesideOrAboveTheProgramOrInItsInstalledTreeThenInTheCurrentFolderAndNeedsBothFolders)
{
    TempFolder temp;
    for (const char* folder : {"app/icon", "app/sound", "app/bin/debug", "cwd/icon", "cwd/sound", "half/icon",
                               "exe", "usr/bin", "usr/share/tickerdeck/icon", "usr/share/tickerdeck/sound",
                               "usr/lib/tickerdeck/plugins"})
        wxFileName::Mkdir(wxString::FromUTF8(temp / folder), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    EXPECT_EQ(FindAssetFolder(temp / "app", "").value_or(""), temp / "app");
    EXPECT_EQ(FindAssetFolder(temp / "app/bin/debug", "").value_or(""), temp / "app");
    EXPECT_EQ(FindAssetFolder(temp / "exe", temp / "cwd").value_or(""), temp / "cwd");
    EXPECT_FALSE(FindAssetFolder(temp / "exe", temp / "half").has_value());

    EXPECT_EQ(FindAssetFolder(temp / "usr/bin", temp / "cwd").value_or(""), temp / "usr/share/tickerdeck");
    TerminalOptions installed;
    ResolveDefaultFolders(installed, temp / "usr/bin", temp / "home");
    EXPECT_EQ(installed.pluginDir, temp / "usr/lib/tickerdeck/plugins");
    TerminalOptions built;
    ResolveDefaultFolders(built, temp / "app", temp / "home");
    EXPECT_EQ(built.pluginDir, temp / "app/plugins") << "a build tree's folder, even while it is missing";
}

}  // namespace
