// The watchlist store operations and the way the store file is replaced.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include "layout/DurableFile.h"
#include "layout/WatchlistStore.h"

namespace {

namespace fs = std::filesystem;
using layout::InstrumentRef;
using layout::Tree;

Tree Parse(const std::string& xml)
{
    std::istringstream stream(xml);
    Tree tree;
    boost::property_tree::read_xml(stream, tree);
    return tree;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> Names(const Tree& store)
{
    std::vector<std::string> names;
    for (const auto& [key, watchlist] : store.get_child("application.watchlists"))
        if (key == "watchlist")
            names.push_back(watchlist.get<std::string>("<xmlattr>.name", ""));
    return names;
}

/// A folder of its own per test, removed afterwards.
class StoreFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("store-ops-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "watchlists.xml";
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    size_t FilesInFolder() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator())); }

    fs::path folder;
    fs::path path;
};

const char* const kTwoOfOneName = R"(<application><watchlists>
<watchlist name="Core"><instrument exchange="AMX" code="A"/></watchlist>
<watchlist name="core"><instrument exchange="AMX" code="B"/></watchlist>
<watchlist name="Core" extra="x"><instrument exchange="AMX" code="C"/></watchlist>
</watchlists></application>)";

TEST(StoreOperations, WriteWatchlistRefillsEveryWatchlistOfThatNameAndNoOther)
{
    Tree store = Parse(kTwoOfOneName);
    const std::vector<InstrumentRef> rows{{"KTX", "T1"}, {"AMX", "A"}};
    EXPECT_TRUE(layout::WriteWatchlist(store, "Core", rows));

    EXPECT_EQ(layout::StoredInstruments(store, "Core"),
              (std::vector<InstrumentRef>{{"KTX", "T1"}, {"AMX", "A"}, {"KTX", "T1"}, {"AMX", "A"}}));
    EXPECT_EQ(layout::StoredInstruments(store, "core"), (std::vector<InstrumentRef>{{"AMX", "B"}}));
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Core", "core", "Core"}));
    // Emptied means emptied: attributes other than the name go too.
    const Tree& third = std::next(store.get_child("application.watchlists").begin(), 2)->second;
    EXPECT_FALSE(third.get_optional<std::string>("<xmlattr>.extra"));
}

TEST(StoreOperations, WriteWatchlistReportsWhetherAnythingChanged)
{
    Tree store = Parse(R"(<application><watchlists><watchlist name="W"><instrument exchange="AMX" code="A"/>)"
                       R"(<instrument exchange="AMX" code="A"/></watchlist></watchlists></application>)");
    const Tree before = store;
    EXPECT_FALSE(layout::WriteWatchlist(store, "W", {{"AMX", "A"}, {"AMX", "A"}}));
    EXPECT_EQ(store, before);
    EXPECT_TRUE(layout::WriteWatchlist(store, "W", {{"AMX", "A"}}));
    EXPECT_TRUE(layout::WriteWatchlist(store, "W", {}));
    EXPECT_TRUE(layout::StoredInstruments(store, "W").empty());
    EXPECT_EQ(Names(store), (std::vector<std::string>{"W"}));
}

TEST(StoreOperations, NewWatchlistsAreAppendedAndThePathIsCreated)
{
    Tree empty;
    EXPECT_TRUE(layout::WriteWatchlist(empty, "First", {{"AMX", "A"}}));
    layout::AppendWatchlist(empty, "Second", {});
    EXPECT_EQ(Names(empty), (std::vector<std::string>{"First", "Second"}));

    Tree store = Parse(kTwoOfOneName);
    layout::WriteWatchlist(store, "Zeta", {{"AMX", "Z"}});
    EXPECT_EQ(Names(store).back(), "Zeta");
    // A new watchlist holds its instruments and then its name.
    const Tree& added = store.get_child("application.watchlists").back().second;
    EXPECT_EQ(added.begin()->first, "instrument");
    EXPECT_EQ(added.back().first, "<xmlattr>");
}

TEST(StoreOperations, AppendToWatchlistAddsOnlyWhatIsMissing)
{
    Tree store = Parse(kTwoOfOneName);
    const Tree before = store;
    EXPECT_FALSE(layout::AppendToWatchlist(store, "Core", {"AMX", "A"}));
    EXPECT_EQ(store, before);

    // Comparisons are exact: another case is another instrument.
    EXPECT_TRUE(layout::AppendToWatchlist(store, "Core", {"AMX", "a"}));
    EXPECT_EQ(layout::StoredInstruments(store, "Core"),
              (std::vector<InstrumentRef>{{"AMX", "A"}, {"AMX", "a"}, {"AMX", "C"}}));

    EXPECT_TRUE(layout::AppendToWatchlist(store, "Fresh", {"KTX", "T"}));
    EXPECT_EQ(Names(store).back(), "Fresh");
    EXPECT_EQ(layout::StoredInstruments(store, "Fresh"), (std::vector<InstrumentRef>{{"KTX", "T"}}));
}

TEST(StoreOperations, ReplaceWatchlistRenamesInPlaceOrAppends)
{
    Tree store = Parse(kTwoOfOneName);
    layout::ReplaceWatchlist(store, "core", "Renamed", {{"AMX", "R"}});
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Core", "Renamed", "Core"}));
    EXPECT_EQ(layout::StoredInstruments(store, "Renamed"), (std::vector<InstrumentRef>{{"AMX", "R"}}));

    layout::ReplaceWatchlist(store, "Missing", "New", {{"AMX", "N"}});
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Core", "Renamed", "Core", "New"}));
}

TEST(StoreOperations, StoreTextHasNoIndentationAndAUtf8Declaration)
{
    Tree store;
    layout::AppendWatchlist(store, "W", {{"AMX", "A"}});
    EXPECT_EQ(layout::StoreText(store),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<application><watchlists><watchlist name=\"W\"><instrument exchange=\"AMX\" code=\"A\"/>"
              "</watchlist></watchlists></application>");
}

TEST_F(StoreFolder, NamesWithMarkupAndNonAsciiSurviveTheFile)
{
    const std::string name = "Fonds <\xC3\xA9t\xC3\xA9> & \"Aktien\" 'n' \xE6\xA0\xAA";
    Tree store;
    layout::AppendWatchlist(store, name, {{"A&B", "<C>"}});
    layout::WriteStore(path.string(), store);

    const Tree read = layout::ReadStore(path.string());
    EXPECT_EQ(layout::ListWatchlistNames(path.string()), (std::vector<std::string>{name}));
    EXPECT_EQ(layout::StoredInstruments(read, name), (std::vector<InstrumentRef>{{"A&B", "<C>"}}));
}

TEST_F(StoreFolder, AHundredThousandInstrumentsRoundTripQuickly)
{
    std::vector<InstrumentRef> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({"X" + std::to_string(i % 7), "C" + std::to_string(i)});
    Tree store;
    const auto start = std::chrono::steady_clock::now();
    layout::WriteWatchlist(store, "Big", rows);
    layout::WriteStore(path.string(), store);
    Tree read = layout::ReadStore(path.string());
    EXPECT_FALSE(layout::WriteWatchlist(read, "Big", rows));
    EXPECT_TRUE(layout::AppendToWatchlist(read, "Big", {"X9", "C9"}));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(layout::StoredInstruments(layout::ReadStore(path.string()), "Big"), rows);
    // Generous for unoptimised and sanitizer builds; a per-row search of
    // the tree would take minutes.
    EXPECT_LT(elapsed, std::chrono::seconds(30));
}

TEST_F(StoreFolder, ReplacingKeepsNoTemporaryFilesAndTheOldPermissions)
{
    Write("old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    layout::ReplaceFileContents(path.string(), "new contents");
    EXPECT_EQ(ReadBytes(path), "new contents");
    EXPECT_EQ(FilesInFolder(), 1u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(StoreFolder, AFailedWriteLeavesTheOldFileWhole)
{
    const std::string original = "<application><watchlists><watchlist name=\"Keep\"/></watchlists></application>";
    Write(original);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not bind this user";

    Tree store = layout::ReadStoreForUpdate(path.string());
    layout::AppendWatchlist(store, "New", {{"AMX", "A"}});
    EXPECT_THROW(layout::WriteStore(path.string(), store), std::runtime_error);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(StoreFolder, AStorePathTakenByAFolderIsAnErrorAndNothingIsLeftBehind)
{
    // Works for every user, where permissions do not bind (root).
    fs::create_directories(path / "inside");
    EXPECT_THROW(layout::WriteStore(path.string(), Tree()), std::runtime_error);
    EXPECT_TRUE(fs::is_directory(path / "inside"));
    EXPECT_EQ(FilesInFolder(), 1u) << "no temporary file is left";
    EXPECT_THROW(layout::ReadStoreForUpdate(path.string()), std::exception);
}

TEST_F(StoreFolder, AMissingFolderIsAnErrorAndNothingIsCreated)
{
    const fs::path missing = folder / "absent" / "watchlists.xml";
    EXPECT_THROW(layout::WriteStore(missing.string(), Tree()), std::runtime_error);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    EXPECT_THROW(layout::ReadStore(missing.string()), std::exception);
    EXPECT_TRUE(layout::ListWatchlistNames(missing.string()).empty());
}

TEST_F(StoreFolder, AMissingStoreReadsAsEmptyForWritersButACorruptOneThrows)
{
    EXPECT_TRUE(layout::ReadStoreForUpdate(path.string()).empty());

    for (const char* corrupt : {"not xml at all", "<application><watchlists>", "<a><b x=\"1></b></a>", "\x01"})
    {
        Write(corrupt);
        EXPECT_THROW(layout::ReadStoreForUpdate(path.string()), std::exception) << corrupt;
        EXPECT_EQ(ReadBytes(path), corrupt);
    }
}

TEST_F(StoreFolder, WrongElementsAndBadAttributesAreNotWatchlists)
{
    Write(R"(<application><watchlists><list name="L"><instrument exchange="A" code="B"/></list>)"
          R"(<watchlist name="W"><instr exchange="A" code="B"/><instrument exchange="A"/>)"
          R"(<instrument code="Z" exchange="Y" position="-4"/></watchlist></watchlists></application>)");
    const Tree store = layout::ReadStore(path.string());
    EXPECT_EQ(layout::ListWatchlistNames(path.string()), (std::vector<std::string>{"W"}));
    EXPECT_EQ(layout::StoredInstruments(store, "W"), (std::vector<InstrumentRef>{{"Y", "Z"}}));
    EXPECT_TRUE(layout::StoredInstruments(store, "L").empty());
}

TEST_F(StoreFolder, KillingAWriterMidWayLeavesAWholeStore)
{
    // Two versions large enough that a write takes a while.
    Tree small;
    layout::AppendWatchlist(small, "Small", {{"AMX", "A"}});
    Tree large;
    std::vector<InstrumentRef> rows;
    for (int i = 0; i < 20000; ++i)
        rows.push_back({"AMX", "C" + std::to_string(i)});
    layout::AppendWatchlist(large, "Large", rows);
    layout::WriteStore(path.string(), small);
    const std::string smallText = layout::StoreText(small);
    const std::string largeText = layout::StoreText(large);

    for (int round = 0; round < 6; ++round)
    {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0)
        {
            for (int i = 0;; ++i)
                layout::ReplaceFileContents(path.string(), i % 2 ? smallText : largeText);
        }
        ::usleep(static_cast<useconds_t>(20000 + 17000 * round));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);

        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(bytes == smallText || bytes == largeText) << "round " << round << ": " << bytes.size() << " bytes";
    }
}

}  // namespace
