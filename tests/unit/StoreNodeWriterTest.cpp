// Writing window nodes: settings and alerts as the reader gets them back; a
// whole tab's order is checked against a hand-written node by the save tests.

#include <cmath>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "files/DurableFile.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "support/XmlText.h"

namespace {

using layout::Tree;
using testing_support::Xml;

TEST(StoreNodeWriter, SettingsGoInTheirOrderReplacingWhatIsThereAndAlertValuesAreShortAndExact)
{
    Tree node;
    node.put("setting.general.<xmlattr>.title", "Old");
    node.put("watchlists", "");
    layout::WindowSettings settings;
    settings.title = "New";
    settings.controlledByInstruments = true;
    settings.autoAddInstrument = false;
    settings.controlsOthers = true;
    settings.staleAfterSeconds = 45;
    layout::WriteWindowSettings(node, settings);
    const std::string xml = Xml(node);
    EXPECT_EQ(xml.substr(xml.find("<setting>")),
              "<setting><general title=\"New\" autoinstrument=\"false\" f1_change_instrument=\"true\" "
              "auto_fit_column_width=\"true\" show_volume_ink=\"false\" stale_after_seconds=\"45\"/><controls control_by_instrument=\"true\" "
              "control_by_order=\"false\" control_by_position=\"false\" control_instrument=\"true\" "
              "control_autoinstrument=\"false\"/></setting><watchlists/></tickerdeck>");

    layout::WindowSettings current;
    current.autoFitColumns = false;
    current.volumeInThousands = true;
    const layout::WindowSettings read = layout::ReadWindowSettings(testing_support::Parse(xml).get_child("tickerdeck"), current);
    EXPECT_EQ(std::tuple(wxString("New"), true, false, true, false),
              std::tuple(read.title, read.controlledByInstruments, read.autoAddInstrument,
                         read.autoFitColumns, read.volumeInThousands));

    // Alert values are short and exact.
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
    const std::string alertXml = Xml(layout::AlertTree(alert), "alert");
    EXPECT_EQ(alertXml.substr(alertXml.find("?>") + 3),
              "<alert code=\"A\" exchange=\"AMX\" type=\"4096\" condition=\"1\" value=\"2.25\" remark=\"a &quot;b&quot;\"/>");
    alert.onceEachTime = true;
    const std::string once = Xml(layout::AlertTree(alert), "alert");
    EXPECT_EQ(once.substr(once.find("?>") + 3), "<alert code=\"A\" exchange=\"AMX\" type=\"4096\" condition=\"1\" "
                                                "value=\"2.25\" remark=\"a &quot;b&quot;\" notify=\"once\"/>");
}

TEST(StoreNodeWriter, TheDefaultBoardKeepsAFilterOnceEveryShapeReadsWholeAndOneThatOpensNoBoardIsFound)
{
    const std::string list(100000, 'C');
    const std::string filters = R"(<filters><column id="2"><filter condition="5" value=")" + list + R"(" row="0"/>)"
                                "</column></filters>";
    // The window's first tab holds another filter: the default must point at the tab holding its own.
    const std::string other = R"(<filters><column id="2"><filter condition="5" value="C" row="0"/></column></filters>)";
    const auto file = [&other](const std::string& board, const std::string& defaultTab, const std::string& windowTab) {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application><layout><default><tickerdeck" + board +
               "><watchlists><watchlist>" + defaultTab + "</watchlist></watchlists></tickerdeck></default>"
               "<windows><window><state><watchlists><watchlist>" + other + "</watchlist>"
               "<watchlist name=\"\" current=\"true\" type=\"1\">"
               "<columns/>" + windowTab + "</watchlist></watchlists></state></window></windows></layout></application>";
    };
    const layout::TabEntry written{"", true, 1, "", "", {}, true, {{2, {{5, list, 0}}}}, {}, {}, {}};  // id after conditions
    Tree document = testing_support::Parse(file("", filters, ""));
    document.get_child("application.layout.windows.window.state.watchlists").back().second =
        layout::TabEntryTree(written, {});
    const std::string shared = file("", R"(<filters window="1" watchlist="2"/>)", filters);
    EXPECT_EQ(shared, files::XmlText(files::WithDefaultBoardShared(document), 0));
    // Older files hold the default whole, or as the number of a window holding all of it.
    for (const std::string& text : {shared, file("", filters, filters), file(" window=\"1\"", "", filters)})
    {
        Tree read = testing_support::Parse(text);
        files::ExpandDefaultBoard(read);
        const Tree& tab = read.get_child("application.layout.default.tickerdeck.watchlists").back().second;
        EXPECT_EQ(list, tab.get("filters.column.filter.<xmlattr>.value", ""));
    }

    // A default board that opens no board: kept as a window the file does not
    // hold, as a stub, or not there at all.
    using Fault = files::DefaultBoardFault;
    const auto fault = [](const std::string& board, const std::string& windowState) {
        Tree document = testing_support::Parse("<application><layout>" + board + "<windows><window><state>" +
                                               windowState + "</state></window></windows></layout></application>");
        files::ExpandDefaultBoard(document);
        return files::FindDefaultBoardFault(document);
    };
    for (const char* window : {"99", "0", "-1", "2", "2147483648", "abc", ""})
    {
        const Fault found = fault(std::string("<default><tickerdeck window=\"") + window + "\"/></default>", "<watchlists/>");
        EXPECT_EQ(Fault::UnknownWindow, found.kind) << window;
        EXPECT_EQ(window, found.window);
    }
    EXPECT_EQ(Fault::NoTabs, fault("<default><tickerdeck size-x=\"9\"><setting/></tickerdeck></default>", "<watchlists/>").kind);
    EXPECT_EQ(Fault::NoTabs, fault("<default><tickerdeck window=\"1\"/></default>", "<setting/>").kind)
        << "the window it names holds no tabs either";
    EXPECT_EQ(Fault::Missing, fault("", "<watchlists/>").kind);
    EXPECT_EQ(Fault::None, fault("<default><tickerdeck window=\"1\"/></default>", "<watchlists/>").kind);
    EXPECT_EQ(Fault::None, fault("<default><tickerdeck><watchlists/></tickerdeck></default>", "").kind);
}

}  // namespace
