// Reading the shared watchlist store.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include "layout/WatchlistStore.h"

namespace {

using layout::InstrumentRef;
using layout::Tree;

Tree Parse(const std::string& xml)
{
    std::istringstream stream(xml);
    Tree tree;
    boost::property_tree::read_xml(stream, tree);
    return tree;
}

/// A store file that is removed again when the test ends.
class StoreFile
{
public:
    explicit StoreFile(const std::string& text)
        : m_path(std::filesystem::temp_directory_path() /
                 ("layout-store-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".xml"))
    {
        std::ofstream(m_path) << text;
    }
    ~StoreFile() { std::filesystem::remove(m_path); }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

const char* const kStore = R"(<?xml version="1.0" encoding="utf-8"?>
<application><watchlists>
  <watchlist name="Core Holdings">
    <instrument exchange="AMX" code="ARPI"/>
    <instrument exchange="" code="BDI"/>
    <instrument exchange="KTX" code="TKE"/>
  </watchlist>
  <watchlist name="core holdings"><instrument exchange="AMX" code="AI"/></watchlist>
  <group name="Core Holdings"><instrument exchange="AMX" code="ACE"/></group>
  <watchlist name="Core Holdings"><instrument exchange="RHX" code="KSS"/></watchlist>
  <watchlist><instrument exchange="AMX" code="AT"/></watchlist>
</watchlists></application>)";

TEST(LayoutStore, InstrumentsOfEveryWatchlistWithExactlyThatName)
{
    const Tree store = Parse(kStore);
    const std::vector<InstrumentRef> core = layout::StoredInstruments(store, "Core Holdings");
    ASSERT_EQ(3u, core.size());
    EXPECT_EQ((InstrumentRef{"AMX", "ARPI"}), core[0]);
    EXPECT_EQ((InstrumentRef{"KTX", "TKE"}), core[1]);
    EXPECT_EQ((InstrumentRef{"RHX", "KSS"}), core[2]);

    const std::vector<InstrumentRef> lower = layout::StoredInstruments(store, "core holdings");
    ASSERT_EQ(1u, lower.size());
    EXPECT_EQ("AI", lower[0].code);

    EXPECT_TRUE(layout::StoredInstruments(store, "Unknown").empty());
    EXPECT_EQ(1u, layout::StoredInstruments(store, "").size()) << "a nameless watchlist matches an empty name";
    EXPECT_TRUE(layout::StoredInstruments(Parse("<application/>"), "Core Holdings").empty());
}

TEST(LayoutStore, ListsNamesInStoreOrderAndNothingForABadFile)
{
    const StoreFile file(kStore);
    const std::vector<std::string> names = layout::ListWatchlistNames(file.Path());
    const std::vector<std::string> expected = {"Core Holdings", "core holdings", "Core Holdings", ""};
    EXPECT_EQ(expected, names);

    EXPECT_TRUE(layout::ListWatchlistNames("/nonexistent/watchlists.xml").empty());
    const StoreFile broken("<application><watchlists><watchlist name=\"A\">");
    EXPECT_TRUE(layout::ListWatchlistNames(broken.Path()).empty());
    const StoreFile other("<application><layout/></application>");
    EXPECT_TRUE(layout::ListWatchlistNames(other.Path()).empty());
}

TEST(LayoutStore, ReadingAMissingStoreThrows)
{
    EXPECT_THROW(layout::ReadStore("/nonexistent/watchlists.xml"), boost::property_tree::xml_parser_error);
    const StoreFile file(kStore);
    EXPECT_EQ(3u, layout::StoredInstruments(layout::ReadStore(file.Path()), "Core Holdings").size());
}

}  // namespace
