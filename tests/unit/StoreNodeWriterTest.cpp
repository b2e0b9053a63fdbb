// Writing window nodes: what the reader gets back, and the order of what is written.

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"

namespace {

using layout::Tree;

std::string Xml(const Tree& tree)
{
    std::ostringstream text;
    boost::property_tree::write_xml(text, tree, boost::property_tree::xml_writer_make_settings<std::string>(' ', 0));
    return text.str();
}

// Through the XML text and back, as the element `key`.
Tree Reparse(const Tree& tree, const std::string& key = "watchlist")
{
    Tree wrapped;
    wrapped.add_child(key, tree);
    std::istringstream stream(Xml(wrapped));
    Tree parsed;
    boost::property_tree::read_xml(stream, parsed);
    return parsed.get_child(key);
}

bool SameEntry(const layout::TabEntry& a, const layout::TabEntry& b)
{
    auto columnsEqual = [](const layout::ColumnEntry& x, const layout::ColumnEntry& y) {
        return x.id == y.id && x.size == y.size && x.show == y.show && x.sort == y.sort &&
               x.ascending == y.ascending && x.position == y.position;
    };
    if (a.columns.size() != b.columns.size())
        return false;
    for (size_t i = 0; i < a.columns.size(); ++i)
        if (!columnsEqual(a.columns[i], b.columns[i]))
            return false;
    auto filtersEqual = [](const auto& x, const auto& y) {
        if (x.size() != y.size())
            return false;
        for (auto i = x.begin(), j = y.begin(); i != x.end(); ++i, ++j)
        {
            if (i->first != j->first || i->second.size() != j->second.size())
                return false;
            for (size_t k = 0; k < i->second.size(); ++k)
                if (i->second[k].condition != j->second[k].condition || i->second[k].value != j->second[k].value)
                    return false;
        }
        return true;
    };
    return a.name == b.name && a.current == b.current && a.type == b.type && a.exchange == b.exchange &&
           a.category == b.category && a.hasFilters == b.hasFilters && filtersEqual(a.filters, b.filters) &&
           a.bookmarks == b.bookmarks;
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

TEST(StoreNodeWriter, TabEntriesReadBackAsWritten)
{
    const layout::TabEntry written = CategoryTab();
    const layout::TabEntry read = layout::ReadTabEntry(Reparse(layout::TabEntryTree(written, {})));
    EXPECT_TRUE(SameEntry(read, written));

    layout::TabEntry stored;
    stored.name = "W";
    const layout::TabEntry storedRead = layout::ReadTabEntry(Reparse(layout::TabEntryTree(stored, {})));
    EXPECT_TRUE(SameEntry(storedRead, stored));
    EXPECT_FALSE(storedRead.hasFilters);
}

TEST(StoreNodeWriter, AttributesAndElementsComeInTheirStoredOrder)
{
    layout::TabEntry entry = CategoryTab();
    entry.columns.resize(1);
    entry.filters.erase(1);
    Tree wrapped;
    wrapped.add_child("watchlist", layout::TabEntryTree(entry, {"No."}));
    const std::string xml = Xml(wrapped);
    EXPECT_NE(xml.find("<watchlist name=\"Tech &lt;&amp;&gt; \xC3\xA9\" current=\"false\" type=\"3\" exchange=\"AMX\" "
                       "category=\"TECH\"><columns><column id=\"0\" name=\"No.\" size=\"0\" show=\"true\" "
                       "sort=\"false\" ascending=\"false\" position=\"30\"/></columns><filters><column id=\"6\">"
                       "<filter condition=\"2\" value=\"1.5\"/><filter condition=\"4\" value=\"x&lt;y\"/></column>"
                       "</filters><bookmark><instrument exchange=\"AMX\" code=\"B\"/><instrument exchange=\"AMX\" "
                       "code=\"A\"/></bookmark></watchlist>"),
              std::string::npos)
        << xml;
}

TEST(StoreNodeWriter, ExchangeAndCategoryOnlyWhereTheTypeHasThem)
{
    layout::TabEntry entry;
    entry.name = "N";
    entry.exchange = "AMX";
    entry.category = "C";
    for (int type : {1, 7, 9, -1})
    {
        entry.type = type;
        const Tree tree = layout::TabEntryTree(entry, {});
        EXPECT_EQ(tree.get_optional<std::string>("<xmlattr>.exchange").has_value(), type == 7) << type;
        EXPECT_FALSE(tree.get_optional<std::string>("<xmlattr>.category")) << type;
    }
    entry.type = 6;
    EXPECT_EQ(layout::TabEntryTree(entry, {}).get<std::string>("<xmlattr>.category"), "C");
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
    layout::WriteWindowSettings(node, settings, true);
    EXPECT_EQ(Xml(node).substr(Xml(node).find("<setting>")),
              "<setting><general title=\"New\" autoinstrument=\"false\" f1_change_instrument=\"true\" "
              "auto_fit_column_width=\"true\" show_volume_ink=\"false\"/><controls control_by_instrument=\"true\" "
              "control_by_order=\"false\" control_by_position=\"false\" control_instrument=\"true\" "
              "control_autoinstrument=\"false\"/></setting><watchlists/>");

    const layout::WindowSettings read = layout::ReadWindowSettings(Reparse(node, "tickerdeck"), false, true);
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
    Tree alerts;
    alerts.add_child("alert", layout::AlertTree(alert));
    const std::string xml = Xml(alerts);
    EXPECT_EQ(xml.substr(xml.find("?>") + 3),
              "<alert code=\"A\" exchange=\"AMX\" type=\"4096\" condition=\"1\" value=\"2.25\" remark=\"a &quot;b&quot;\"/>");
}

}  // namespace
