// First-run seeding of the user's files and the search for the asset folder.

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "AssetFolder.h"
#include "UserFiles.h"

#include "TerminalTestSupport.h"

namespace {

using terminal_test::ReadFile;
using terminal_test::TempFolder;
using terminal_test::WriteFile;

TEST(UserFiles, FirstRunCopiesTheShippedDefaults)
{
    TempFolder temp;
    WriteFile(temp / "ship/layout.xml", "<layout/>");
    WriteFile(temp / "ship/watchlists.xml", "<store/>");
    UserFiles files(temp / "config/deep", "", "");
    EXPECT_EQ(files.LayoutPath(), temp / "config/deep/layout.xml");
    EXPECT_EQ(files.StorePath(), temp / "config/deep/watchlists.xml");
    EXPECT_EQ(files.LogPath(), temp / "config/deep/terminal.log");

    EXPECT_EQ(files.Seed(temp / "ship/layout.xml", temp / "ship/watchlists.xml"), "");
    EXPECT_EQ(ReadFile(files.LayoutPath()), "<layout/>");
    EXPECT_EQ(ReadFile(files.StorePath()), "<store/>");
}

TEST(UserFiles, TheUsersOwnFilesAreNeverOverwritten)
{
    TempFolder temp;
    WriteFile(temp / "ship/layout.xml", "<shipped/>");
    WriteFile(temp / "ship/watchlists.xml", "<shipped/>");
    WriteFile(temp / "config/layout.xml", "<mine/>");
    UserFiles files(temp / "config", "", "");
    EXPECT_EQ(files.Seed(temp / "ship/layout.xml", temp / "ship/watchlists.xml"), "");
    EXPECT_EQ(ReadFile(files.LayoutPath()), "<mine/>");
    EXPECT_EQ(ReadFile(files.StorePath()), "<shipped/>");
}

TEST(UserFiles, OverridesReplaceTheConfigFolderFiles)
{
    TempFolder temp;
    WriteFile(temp / "ship/layout.xml", "<l/>");
    WriteFile(temp / "ship/watchlists.xml", "<s/>");
    UserFiles files(temp / "config", temp / "elsewhere/my-layout.xml", temp / "elsewhere/my-store.xml");
    EXPECT_EQ(files.LayoutPath(), temp / "elsewhere/my-layout.xml");
    EXPECT_EQ(files.StorePath(), temp / "elsewhere/my-store.xml");
    EXPECT_EQ(files.Seed(temp / "ship/layout.xml", temp / "ship/watchlists.xml"), "");
    EXPECT_EQ(ReadFile(files.LayoutPath()), "<l/>");
    EXPECT_FALSE(wxFileExists(wxString::FromUTF8(temp / "config/layout.xml")));
}

TEST(UserFiles, AMissingShippedDefaultIsReportedNotHidden)
{
    TempFolder temp;
    WriteFile(temp / "ship/watchlists.xml", "<s/>");
    UserFiles files(temp / "config", "", "");
    const std::string problem = files.Seed(temp / "ship/nope.xml", temp / "ship/watchlists.xml");
    EXPECT_NE(problem.find("nope.xml"), std::string::npos) << problem;
    EXPECT_EQ(ReadFile(files.StorePath()), "<s/>") << "the other file is still seeded";
}

TEST(AssetFolder, FoundBesideTheProgramOrAboveIt)
{
    TempFolder temp;
    wxFileName::Mkdir(wxString::FromUTF8(temp / "app/icon"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(wxString::FromUTF8(temp / "app/sound"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(wxString::FromUTF8(temp / "app/bin/debug"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);

    EXPECT_EQ(FindAssetFolder(temp / "app", "").value_or(""), temp / "app");
    EXPECT_EQ(FindAssetFolder(temp / "app/bin/debug", "").value_or(""), temp / "app");
}

TEST(AssetFolder, CurrentFolderIsTheFallbackAndNeedsBothFolders)
{
    TempFolder temp;
    wxFileName::Mkdir(wxString::FromUTF8(temp / "cwd/icon"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(wxString::FromUTF8(temp / "cwd/sound"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(wxString::FromUTF8(temp / "half/icon"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(wxString::FromUTF8(temp / "exe"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);

    EXPECT_FALSE(IsAssetFolder(temp / "half"));
    EXPECT_EQ(FindAssetFolder(temp / "exe", temp / "cwd").value_or(""), temp / "cwd");
    EXPECT_FALSE(FindAssetFolder(temp / "exe", temp / "half").has_value());
}

}  // namespace
