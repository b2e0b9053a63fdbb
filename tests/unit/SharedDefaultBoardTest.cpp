// The layout's default board stored once beside the windows: the shape
// written when a board opened from it differs, and every shape read back.

#include <string>

#include <gtest/gtest.h>

#include "layout/DurableFile.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "support/XmlText.h"

namespace {

std::string Layout(const std::string& defaultTab, const std::string& windowTab, const std::string& board = "")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application><layout><default><tickerdeck size-x=\"9\"" +
           board + "><watchlists><watchlist><columns/>" + defaultTab +
           "</watchlist></watchlists></tickerdeck></default><windows><window><state><watchlists><watchlist/>"
           "<watchlist name=\"\" current=\"true\" type=\"1\"><columns/>" +
           windowTab + "</watchlist></watchlists></state></window></windows></layout></application>";
}

TEST(SharedDefaultBoard, AFilterABoardOpenedFromTheDefaultHoldsIsWrittenOnceAndEveryShapeReadsWhole)
{
    const std::string list(100000, 'C');
    const std::string filters = R"(<filters><column id="2"><filter condition="5" value=")" + list +
                                R"(" row="0"/></column></filters>)";
    layout::TabEntry written;  // the writer puts a column's id after its conditions
    written.hasFilters = true;
    written.filters = {{2, {{5, list, 0}}}};
    boost::property_tree::ptree document = testing_support::Parse(Layout(filters, ""));
    document.get_child("application.layout.windows.window.state.watchlists").back().second =
        layout::TabEntryTree(written, {});
    const std::string shared = Layout(R"(<filters window="1" watchlist="2"/>)", filters);
    EXPECT_EQ(shared, layout::XmlText(layout::WithDefaultBoardShared(document), 0));

    // Older files hold the default whole, or as the number of a window holding all of it.
    const std::string whole = Layout(filters, filters);
    const std::string windowWhole = Layout("", filters, " window=\"1\"");
    const std::string dangling = Layout(R"(<filters window="1" watchlist="3"/>)", filters);
    testing_support::TempFolder folder;
    for (const std::string* text : {&shared, &whole, &windowWhole, &dangling})
    {
        testing_support::WriteBytes(folder.Path() / "layout.xml", *text);
        const auto board = layout::ReadXmlFile((folder.Path() / "layout.xml").string())
                               .get_child("application.layout.default.tickerdeck");
        EXPECT_EQ("9", board.get<std::string>("<xmlattr>.size-x"));
        const auto& tab = board.get_child("watchlists").back().second;
        EXPECT_EQ(text == &dangling ? "" : list, tab.get("filters.column.filter.<xmlattr>.value", ""));
        EXPECT_EQ(text == &dangling, !tab.get_child_optional("filters")) << "a reference to no tab goes";
    }
}

}  // namespace
