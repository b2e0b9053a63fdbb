// Writing window nodes: what the reader gets back, and the order in which
// attributes and elements are written.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "support/XmlText.h"

namespace {

using layout::Tree;
using testing_support::Xml;

/// Through the XML text and back, as the element `key`.
Tree Reparse(const Tree& tree, const std::string& key = "watchlist")
{
    return testing_support::Parse(Xml(tree, key)).get_child(key);
}

layout::TabEntry CategoryTab()
{
    layout::TabEntry entry;
    entry.name = "Tech <&> \xC3\xA9";
    entry.current = false;
    entry.type = 3;
    entry.exchange = "AMX";
    entry.category = "TECH";
    for (int id = 0; id < 31; ++id)
        entry.columns.push_back({id, id * 3, id % 2 == 0, id == 6, false, 30 - id});
    entry.hasFilters = true;
    entry.filters[6] = {{2, "1.5"}, {4, "x<y"}};
    entry.filters[1] = {};
    entry.bookmarks = {{"AMX", "B"}, {"AMX", "A"}};
    return entry;
}

TEST(StoreNodeWriter, AttributesAndElementsComeInTheirStoredOrder)
{
    layout::TabEntry entry = CategoryTab();
    entry.columns.resize(1);
    entry.filters.erase(1);
    const std::string xml = Xml(layout::TabEntryTree(entry, {"No."}), "watchlist");
    EXPECT_NE(
        xml.find(
            "<watchlist name=\"Tech &lt;&amp;&gt; \xC3\xA9\" current=\"false\" type=\"3\" exchange=\"AMX\" "
            "category=\"TECH\"><columns><column id=\"0\" name=\"No.\" size=\"0\" show=\"true\" "
            "sort=\"false\" ascending=\"false\" position=\"30\"/></columns><filters><column id=\"6\">"
            "<filter condition=\"2\" value=\"1.5\" row=\"0\"/><filter condition=\"4\" value=\"x&lt;y\" "
            "row=\"0\"/></column>"
            "</filters><bookmark><instrument exchange=\"AMX\" code=\"B\"/><instrument exchange=\"AMX\" "
            "code=\"A\"/></bookmark></watchlist>"),
        std::string::npos)
        << xml;
}

TEST(StoreNodeWriter, SettingsGoInTheirOrderAndReplaceWhatIsThere)
{
    Tree node;
    node.put("setting.general.<xmlattr>.title", "Old");
    node.put("watchlists", "");
    layout::WindowSettings settings;
    settings.title = "New";
    settings.controlledByInstruments = true;
    settings.autoAddInstrument = false;
    settings.controlsOthers = true;
    layout::WriteWindowSettings(node, settings);
    const std::string xml = Xml(node);
    EXPECT_EQ(xml.substr(xml.find("<setting>")),
              "<setting><general title=\"New\" autoinstrument=\"false\" f1_change_instrument=\"true\" "
              "auto_fit_column_width=\"true\" show_volume_ink=\"false\"/><controls control_by_instrument=\"true\" "
              "control_by_order=\"false\" control_by_position=\"false\" control_instrument=\"true\" "
              "control_autoinstrument=\"false\"/></setting><watchlists/></tickerdeck>");

    layout::WindowSettings current;
    current.autoFitColumns = false;
    current.volumeInThousands = true;
    const layout::WindowSettings read = layout::ReadWindowSettings(Reparse(node, "tickerdeck"), current);
    EXPECT_EQ(read.title, "New");
    EXPECT_TRUE(read.controlledByInstruments);
    EXPECT_FALSE(read.autoAddInstrument);
    EXPECT_TRUE(read.autoFitColumns);
    EXPECT_FALSE(read.volumeInThousands);
}

TEST(StoreNodeWriter, AlertValuesAreShortAndExact)
{
    for (double value : {0.1, 1.1, 12.5, -3e-9, 123456789.125, 1e300, 0.0})
    {
        const std::string text = layout::FormatDouble(value);
        EXPECT_EQ(layout::ParseDouble(text, std::nan("")), value) << text;
        EXPECT_LE(text.size(), 24u);
    }
    EXPECT_EQ(layout::FormatDouble(1.1), "1.1");

    layout::AlertEntry alert;
    alert.instrument = {"AMX", "A"};
    alert.value = 2.25;
    alert.remark = "a \"b\"";
    const std::string xml = Xml(layout::AlertTree(alert), "alert");
    EXPECT_EQ(xml.substr(xml.find("?>") + 3),
              "<alert code=\"A\" exchange=\"AMX\" type=\"4096\" condition=\"1\" value=\"2.25\" remark=\"a &quot;b&quot;\"/>");
}

}  // namespace
