// The shared watchlist store: reading it, the operations on it, and the way
// the store file is replaced.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "files/DurableFile.h"
#include "layout/UnresolvedRefs.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "layout/WindowNodeReader.h"
#include "support/XmlText.h"

namespace {

namespace fs = std::filesystem;
using layout::InstrumentRef;
using layout::Tree;

using testing_support::Parse;
using testing_support::ReadBytes;

/// A folder of its own per test, removed afterwards.
class StoreFolder : public ::testing::Test
{
protected:
    void Write(const std::string& text) { testing_support::WriteBytes(path.string(), text); }
    std::string Read() const { return testing_support::ReadBytes(path.string()); }
    size_t FilesInFolder() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator())); }

    testing_support::TempFolder temp{"store-ops"};
    fs::path folder = temp.Path();
    fs::path path = folder / "watchlists.xml";
};

const char* const kTwoOfOneName = R"(<application><watchlists>
<watchlist name="Core"><instrument exchange="AMX" code="A"/></watchlist>
<watchlist name="core"><instrument exchange="AMX" code="B"/></watchlist>
<watchlist name="Core" extra="x"><instrument exchange="AMX" code="C"/></watchlist>
</watchlists></application>)";

const char* const kMixedStore = R"(<application><watchlists>
      <watchlist name="Core"><instrument exchange="AMX" code="A"/><instrument exchange="" code="NOEX"/></watchlist>
      <watchlist name="core"><instrument exchange="AMX" code="B"/></watchlist>
      <group name="Core"><instrument exchange="AMX" code="G"/></group>
      <watchlist name="Core"><instr exchange="AMX" code="I"/><instrument exchange="AMX"/><instrument exchange="KTX" code="C"/></watchlist>
      <watchlist><instrument exchange="AMX" code="N"/></watchlist>
    </watchlists></application>)";

TEST(StoreReading, InstrumentsOfEveryWatchlistWithExactlyThatName)
{
    const Tree store = Parse(kMixedStore);
    EXPECT_EQ(store::StoredInstruments(store, "Core"), (std::vector<InstrumentRef>{{"AMX", "A"}, {"KTX", "C"}}))
        << "other elements, instruments missing a part and a group of the same name are no members";
    EXPECT_EQ(store::StoredInstruments(store, "core"), (std::vector<InstrumentRef>{{"AMX", "B"}}));
    EXPECT_EQ(store::StoredInstruments(store, ""), (std::vector<InstrumentRef>{{"AMX", "N"}}));
    EXPECT_TRUE(store::StoredInstruments(Parse("<application/>"), "Core").empty());
}

TEST_F(StoreFolder, TheStoreIsWrittenOneElementALineKeepingWhatItDoesNotKnowWithBreaksInNamesAsReferences)
{
    Write("<application>\n\n  <other  keep=\"1\">text &amp; more</other><watchlists>\n    "
          "<!--mine--><watchlist name=\"W\">"
          "\n\n      <instrument exchange=\"AMX\" code=\"A\"/>   </watchlist>\n  "
          "</watchlists>\n</application>\n");
    store::WatchlistStoreService store([this] { return path.string(); });
    store.Add("W", {{"KTX", "B&\"<"}});
    EXPECT_EQ(Read(), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<application>\n"
                      "  <other keep=\"1\">text &amp; more</other>\n"
                      "  <watchlists>\n"
                      "    <!--mine-->\n"
                      "    <watchlist name=\"W\">\n"
                      "      <instrument exchange=\"AMX\" code=\"A\"/>\n"
                      "      <instrument exchange=\"KTX\" code=\"B&amp;&quot;&lt;\"/>\n"
                      "    </watchlist>\n"
                      "  </watchlists>\n"
                      "</application>\n");

    // Written raw, a line break in an attribute reads as a space in any
    // conforming reader, and "A\nB" would collide with "A B".
    const std::string name = std::string("A\nB\tC\rD \x01 E&#10;F");
    Write("<application><note>kept\nas text</note></application>");
    store::WatchlistStoreService named([this] { return path.string(); });
    named.Create(name, {{"AMX", "A"}});
    const std::string text = Read();
    EXPECT_NE(text.find("name=\"A&#10;B&#9;C&#13;D \x01 E&amp;#10;F\""), std::string::npos) << text;
    EXPECT_NE(text.find("<note>kept\nas text</note>"), std::string::npos) << text;
    const std::vector<store::StoredWatchlist> read = store::ReadStoredWatchlists(path.string());
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(name, read[0].name);

    // A NUL would cut the name short; it is refused with the file unchanged.
    EXPECT_THROW(named.Create(std::string("a\0b", 3), {{"AMX", "B"}}), std::runtime_error);
    EXPECT_EQ(text, Read());
}

TEST_F(StoreFolder, ReplacingKeepsNoTemporaryFilesTheOldPermissionsAndSymbolicLinksAndRefusesAFolder)
{
    Write("old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    files::ReplaceFileContents(path.string(), "new contents");
    EXPECT_EQ(ReadBytes(path), "new contents");
    EXPECT_EQ(FilesInFolder(), 1u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_read, fs::perms::others_read);

    // Through a symbolic link, its file is updated and the link kept.
    fs::remove(path);
    const fs::path real = folder / "real" / "store.xml";
    testing_support::WriteBytes(real, "old");
    fs::create_symlink(real, path);
    files::ReplaceFileContents(path.string(), "new");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ("new", ReadBytes(real));

    // A dangling relative link gets its file made where it points.
    const fs::path dangling = folder / "dangling.xml";
    fs::create_symlink(fs::path("real") / "later.xml", dangling);
    files::ReplaceFileContents(dangling.string(), "first");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ("first", ReadBytes(folder / "real" / "later.xml"));

    // A path taken by a folder is an error, which works for every user,
    // where permissions do not bind (root).
    fs::create_directories(folder / "taken" / "inside");
    const size_t entries = FilesInFolder();
    EXPECT_THROW(files::ReplaceFileContents((folder / "taken").string(), "new"), std::runtime_error);
    EXPECT_TRUE(fs::is_directory(folder / "taken" / "inside"));
    EXPECT_EQ(entries, FilesInFolder()) << "no temporary file is left";
    EXPECT_THROW(files::ReplaceFileContents((folder / "absent" / "w.xml").string(), "new"), std::runtime_error);
    EXPECT_FALSE(fs::exists(folder / "absent")) << "a missing folder is not created";
}

/// What `read` refuses the file with, or "accepted".
std::string RefusalOf(const std::function<void()>& read)
{
    try
    {
        read();
    }
    catch (const files::UnreadableFile& error)
    {
        return error.what();
    }
    return "accepted";
}

std::string NestedStore(int depth)
{
    std::string text = "<application>";
    for (int i = 0; i < depth; ++i)
        text += "<watchlist>";
    for (int i = 0; i < depth; ++i)
        text += "</watchlist>";
    return text + "</application>";
}

// Tabs are filled by a reader that builds no tree; it must find what the
// tree finds and refuse what the tree reader refuses, with the same words.
TEST_F(StoreFolder, HostileFilesAreRefusedBeforeParsingAndNamedByBothReaders)
{
    const std::string utf16("\xFF\xFE<\0a\0/\0>\0", 10);
    for (const std::string& hostile : {NestedStore(100000), NestedStore(64), utf16, std::string("<foo/><application/>"),
                                       std::string("<foo><watchlists/></foo>"), std::string(),
                                       std::string("<application>\n<watchlists>\n<a x=\"1></a>"),
                                       std::string("<application a=\"&#0;\"/>"), std::string("x")})
    {
        Write(hostile);
        const std::string expected = RefusalOf([this] { store::ReadStore(path.string()); });
        const std::string actual = RefusalOf([this] { store::ReadStoredWatchlists(path.string()); });
        EXPECT_NE(expected.find(path.string()), std::string::npos) << expected << " for " << hostile.substr(0, 40);
        EXPECT_EQ(actual, expected) << hostile.substr(0, 40);
    }
    // The layout reader takes any root but shares the guard.
    Write(NestedStore(100000));
    EXPECT_THROW(layout::ReadXmlFile(path.string()), files::UnreadableFile);
    fs::create_directories(folder / "folder.xml");
    EXPECT_THROW(layout::ReadXmlFile((folder / "folder.xml").string()), files::UnreadableFile);

    Write("<!-- kept by hand --><application>" + NestedStore(62) + "</application>");
    EXPECT_NO_THROW(store::ReadStore(path.string())) << "comments and real depths are fine";

    const std::string commented = std::string(kMixedStore).replace(13, 0, "<!-- x --><watchlists/>");
    for (const std::string& text : {std::string(kMixedStore), std::string(kTwoOfOneName), commented,
                                    std::string("<application a='1'><watchlists><watchlist name='E'/></watchlists></application>")})
    {
        Write(text);
        const Tree tree = store::ReadStore(path.string());
        const std::vector<store::StoredWatchlist> read = store::ReadStoredWatchlists(path.string());
        for (const char* name : {"Core", "core", "", "E", "Unknown"})
            EXPECT_EQ(store::StoredInstruments(read, name), store::StoredInstruments(tree, name)) << name << " in " << text;
    }
}

TEST_F(StoreFolder, UnreadableFilesPipesAndLinksGoAsideWholeDevicesAndHugeFilesAreRefusedUnread)
{
    Write("garbage");
    const std::string first = files::SetAsideUnreadable(path.string());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(folder, fs::path(first).parent_path());
    EXPECT_EQ("garbage", ReadBytes(first));
    Write("more garbage");
    const std::string second = files::SetAsideUnreadable(path.string());
    EXPECT_NE(first, second) << "an earlier one is never replaced";
    EXPECT_EQ("garbage", ReadBytes(first));
    EXPECT_EQ("more garbage", ReadBytes(second));

    // Neither reader may wait for a pipe's writer or read a device or a huge
    // file into memory; a link or pipe goes aside, a device itself never.
    const fs::path huge = folder / "huge.xml";
    testing_support::WriteBytes(huge, "<application>");
    fs::resize_file(huge, files::kMaxUserFileBytes + 1); // sparse: no disk taken
    const fs::path zero = folder / "zero.xml";
    fs::create_symlink("/dev/zero", zero);
    const fs::path pipe = folder / "pipe.xml";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600));
    for (const auto& [file, reason] :
         {std::pair(huge, "larger than 64 MB"), std::pair(zero, "is not a regular file"),
          std::pair(pipe, "is not a regular file")})
        EXPECT_EQ(file.string() + ": " + reason,
                  RefusalOf([&file = file] { store::ReadStoredWatchlists(file.string()); }));
    EXPECT_FALSE(files::SetAsideUnreadable(zero.string()).empty());
    EXPECT_FALSE(files::SetAsideUnreadable(pipe.string()).empty());
    EXPECT_FALSE(fs::exists(fs::symlink_status(zero)) || fs::exists(fs::symlink_status(pipe)));
    EXPECT_EQ("", files::SetAsideUnreadable("/dev/zero"));
    EXPECT_TRUE(fs::exists("/dev/zero"));
}

// Parsing costs a node per element and attribute, a tree node hundreds of
// bytes: files dense with markup are refused before either is built, the
// tree's bound far lower than the scanner's. A store of a million
// instruments holds three million of them.
TEST_F(StoreFolder, DocumentsDenseWithMarkupAreRefusedBeforeParsing)
{
    const auto dense = [](std::size_t items) {
        std::string text = "<application>\n<watchlists>\n<watchlist";
        text.reserve(text.size() + 5 * items + 64);
        for (std::size_t i = 3; i < items; ++i)
            text += " a=''";
        return text + "/>\n</watchlists>\n</application>";
    };
    Write(dense(files::kMaxTreeItems + 1));
    EXPECT_EQ(path.string() + ":3: more than 1000000 elements and attributes",
              RefusalOf([this] { store::ReadStore(path.string()); }));
    EXPECT_NO_THROW(store::ReadStoredWatchlists(path.string())) << "within the scanner's bound";

    Write(dense(files::kMaxScannedItems + 1));
    EXPECT_EQ(path.string() + ":3: more than 4000000 elements and attributes",
              RefusalOf([this] { store::ReadStoredWatchlists(path.string()); }));
}

TEST_F(StoreFolder, OnlyOurOwnStaleTemporaryFilesAreRemovedAndKillingAWriterMidWayLeavesAWholeStore)
{
    Write("kept");
    for (const char* stale : {".watchlists.xmla1B2c3", ".watchlists.xmlZz9yY8"})
        testing_support::WriteBytes(folder / stale, "torn");
    for (const char* other : {".watchlists.xmlshort", ".other.xmla1B2c3", "watchlists.xmla1B2c3", ".watchlists.xml.a1B2c"})
        testing_support::WriteBytes(folder / other, "someone else's");
    EXPECT_EQ(2, files::RemoveStaleTemporaries(path.string()));
    EXPECT_EQ(5u, FilesInFolder());
    EXPECT_EQ("kept", ReadBytes(path));

    // Two versions, the larger taking a while to write.
    const std::string smallText = "small";
    const std::string largeText(1 << 20, 'L');
    Write(smallText);

    for (int round = 0; round < 6; ++round)
    {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0)
        {
            for (int i = 0;; ++i)
                files::ReplaceFileContents(path.string(), i % 2 ? smallText : largeText);
        }
        ::usleep(static_cast<useconds_t>(20000 + 17000 * round));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);

        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(bytes == smallText || bytes == largeText) << "round " << round << ": " << bytes.size() << " bytes";
    }
    files::RemoveStaleTemporaries(path.string());
    EXPECT_EQ(5u, FilesInFolder()) << "whatever the killed writer left half-done is cleared, and only that";
}

const char* const kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application>\n  <watchlists>\n";
const char* const kFooter = "  </watchlists>\n</application>\n";

/// A list as the service writes it, between kHeader and kFooter.
std::string Listed(const std::string& name, const std::vector<InstrumentRef>& refs)
{
    std::string text = "    <watchlist name=\"" + name + "\"" + (refs.empty() ? "/>\n" : ">\n");
    for (const InstrumentRef& ref : refs)
        text += "      <instrument exchange=\"" + ref.exchange + "\" code=\"" + ref.code + "\"/>\n";
    return refs.empty() ? text : text + "    </watchlist>\n";
}

/// A service on the folder's store with a clock the test moves.
class StoreService : public StoreFolder
{
protected:
    StoreService()
    {
        store.Observe(
            [this](const store::StoreChange& change) { heard.emplace_back(change.kind, change.names); });
    }

    using Heard = std::vector<std::pair<store::StoreChange::Kind, std::vector<std::string>>>;
    std::chrono::steady_clock::time_point now{};
    store::WatchlistStoreService store{[this] { return path.string(); }, [this] { return now; }};
    Heard heard;  // the kind and the names of each change told
};

// Editors and sync tools replace a file by deleting and writing it again.
TEST_F(StoreService, AFileThatGoesIsWaitedForItsListsStayAndWritesAreRefusedUntilItIsBelievedGone)
{
    const std::string lists = kHeader + Listed("L", {{"AMX", "A"}}) + Listed("M", {}) + kFooter;
    Write(lists);
    ASSERT_TRUE(store.Has("L"));
    fs::remove(path);
    for (int check = 0; check < 2; ++check)
    {
        now += std::chrono::seconds(2);
        EXPECT_TRUE(store.Refresh());
        EXPECT_EQ((std::vector<std::string>{"L", "M"}), store.Names());
        EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "A"}}), store.Instruments("L"));
    }
    EXPECT_THROW(store.Add("L", {{"AMX", "B"}}), std::runtime_error);
    EXPECT_FALSE(fs::exists(path)) << "written now, the other program's file would replace it";

    Write(lists);
    EXPECT_TRUE(store.Refresh());
    EXPECT_TRUE(heard.empty()) << "it came back as it was: no list went, nothing to tell";

    // Unreadable while it is being written: nothing changes either.
    Write("<application><watchlists><watch");
    EXPECT_FALSE(store.Refresh());
    EXPECT_THROW(store.Instruments("L"), files::UnreadableFile);
    Write(lists);
    EXPECT_TRUE(store.Has("L"));
    EXPECT_TRUE(heard.empty());

    // Gone for good only after enough looks spread over enough time; even
    // then no list counts as deleted, so no tab lets go of its list.
    fs::remove(path);
    for (int check = 1; check < store::WatchlistStoreService::kMissingChecks + 3; ++check)
        EXPECT_TRUE(store.Has("L")) << "check " << check << " within the grace";
    now += store::WatchlistStoreService::kMissingGrace;
    EXPECT_FALSE(store.Has("L"));
    EXPECT_EQ((Heard{{store::StoreChange::Reloaded, {}}}), heard);
    store.Add("L", {{"AMX", "B"}});
    EXPECT_EQ(kHeader + Listed("L", {{"AMX", "B"}}) + kFooter, Read());
}

// Another program or an older version may have stored two lists of one
// name; the tab shows both, so every operation on the name works on both.
TEST_F(StoreService, ListsSharingANameAreReadAsOneAndMergedIntoTheFirstAtTheFirstWriteOfThatName)
{
    const std::string twice = "<application><watchlists>"
                              "<watchlist name=\"L\"><instrument exchange=\"AMX\" code=\"A\"/>"
                              "<instrument exchange=\"AMX\" code=\"B\"/></watchlist>"
                              "<watchlist name=\"O\"><instrument exchange=\"AMX\" code=\"O\"/></watchlist>"
                              "<watchlist name=\"L\"><instrument exchange=\"AMX\" code=\"B\"/>"
                              "<instrument exchange=\"AMX\" code=\"C\"/><instrument exchange=\"\" code=\"N\"/>"
                              "</watchlist></watchlists></application>";
    const InstrumentRef a{"AMX", "A"}, b{"AMX", "B"}, c{"AMX", "C"}, n{"", "N"}, o{"AMX", "O"},
        d{"AMX", "D"};
    struct Case
    {
        const char* what;
        std::function<void()> operation;
        std::string lists;
    };
    const std::vector<Case> cases{
        {"remove", [&] { store.Remove("L", {c}); }, Listed("L", {a, b, n}) + Listed("O", {o})},
        {"move", [&] { store.Move("L", "O", {c}); }, Listed("L", {a, b, n}) + Listed("O", {o, c})},
        {"edit", [&] { store.Edit("L", "L", {a, b, c}, {c, a}); }, Listed("L", {c, a, n}) + Listed("O", {o})},
        {"reorder", [&] { store.Reorder("L", {c, b, a}); }, Listed("L", {c, b, a, n}) + Listed("O", {o})},
        {"add", [&] { store.Add("L", {d}); }, Listed("L", {a, b, c, n, d}) + Listed("O", {o})},
        {"rename", [&] { store.Rename("L", "R"); }, Listed("R", {a, b, c, n}) + Listed("O", {o})},
        {"delete", [&] { store.Delete("L"); }, Listed("O", {o})}};
    for (const Case& test : cases)
    {
        Write(twice);
        ASSERT_EQ((std::vector<InstrumentRef>{a, b, b, c}), store.Instruments("L")) << test.what;
        test.operation();
        EXPECT_EQ(kHeader + test.lists + kFooter, Read()) << test.what;
    }
    Write(twice);
    store.Remove("L", {{"AMX", "Z"}});
    EXPECT_EQ(twice, Read()) << "no write, no merge";
}

TEST_F(StoreService, AReorderPlacesWhatItNamesInItsOrderAmongWhatOthersAddedAndWritesNothingWhenTheOrderStands)
{
    const InstrumentRef a{"AMX", "A"}, b{"AMX", "B"}, c{"AMX", "C"};
    Write(kHeader + Listed("L", {a, b, {"KTX", "X"}, c, a}) + kFooter);
    // X came from another writer since the board read the list; Z was
    // taken out by one.
    store.Reorder("L", {c, {"AMX", "Z"}, a, b});
    EXPECT_EQ(kHeader + Listed("L", {c, a, {"KTX", "X"}, a, b}) + kFooter, Read());
    EXPECT_EQ((Heard{{store::StoreChange::Changed, {"L"}}}), heard);

    const auto identity = files::IdentityOf(path.string());
    store.Reorder("L", {c, a, b});
    store.Reorder("Gone", {c});
    EXPECT_TRUE(identity == files::IdentityOf(path.string())) << "nothing to change, nothing written";
    EXPECT_EQ(1u, heard.size());
}

TEST(UnresolvedRefs, FollowTheirStoredNeighbourWhereverTheRowsWent)
{
    const InstrumentRef a{"AMX", "A"}, b{"AMX", "B"}, c{"AMX", "C"}, lead{"SYN", "LEAD"}, x{"SYN", "X"},
        y{"SYN", "Y"};
    const layout::UnresolvedRefs unresolved({lead, a, x, b, y, c},
                                            [](const InstrumentRef& ref) { return ref.exchange != "SYN"; });
    using Refs = std::vector<InstrumentRef>;
    EXPECT_EQ((Refs{lead, a, x, b, y, c}), unresolved.MergeInto({a, b, c}));
    EXPECT_EQ((Refs{lead, c, b, y, a, x}), unresolved.MergeInto({c, b, a})) << "moved rows take theirs along";
    EXPECT_EQ((Refs{lead, x, y, c}), unresolved.MergeInto({c})) << "removed rows leave theirs to the row before";
    EXPECT_EQ((Refs{lead, a, x, b, y}), unresolved.MergeInto({a, x, b})) << "a reference shown again is not doubled";
    EXPECT_EQ((Refs{lead, a, x, b, y, a}), unresolved.MergeInto({a, b, a})) << "a row shown twice carries them once";
    EXPECT_EQ((Refs{a}), layout::UnresolvedRefs({a}, [](const InstrumentRef&) { return true; }).MergeInto({a}));
}

}  // namespace
