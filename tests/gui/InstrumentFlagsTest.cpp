// A row's status or corporate-action flags shown as read-only check boxes
// from the host's resource panels, each dialog matching its own column.

#include <wx/checkbox.h>
#include <wx/xrc/xmlres.h>

#include "dialogs/InstrumentFlags.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

/// A resource panel named `name` holding a check box per label.
std::string Panel(const std::string& name, std::initializer_list<const char*> labels)
{
    std::string xml = "<object class=\"wxPanel\" name=\"" + name + "\"><object class=\"wxBoxSizer\">";
    for (const char* label : labels)
        xml += std::string("<object class=\"sizeritem\"><object class=\"wxCheckBox\"><label>") + label +
               "</label></object></object>";
    return xml + "</object></object>";
}

class InstrumentFlagsBoard : public BoardFixture
{
protected:
    static void SetUpTestSuite() { wxXmlResource::Get()->InitAllHandlers(); }

    void SetUp() override
    {
        BoardFixture::SetUp();
        // "open" sits inside "Pre-open"; "pre" differs from it only in case.
        WriteBytes(panels, "<resource xmlns=\"http://www.wxwidgets.org/wxxrc\" version=\"2.5.3.0\">" +
                               Panel("INSTR.STATUS", {"Pre-open", "open", "pre", "Halted", "SSR"}) +
                               Panel("INSTR.CA", {"XD", "Halted"}) + "</resource>");
        ASSERT_TRUE(wxXmlResource::Get()->Load(panels.string()));
        arpi->tradingStatus = "Pre-open;SSR";
        bdi->tradingStatus = "Halted";
        bdi->corporateAction = "XD 0.42";
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        AddTab(board, {arpi, bdi, cdg}, "Core");
        Flush();
    }

    void TearDown() override
    {
        BoardFixture::TearDown();
        wxXmlResource::Get()->Unload(panels.string());
    }

    InstrFlagsDialog* ShowFlags(int column, int row)
    {
        wxCommandEvent event(wxEVT_MENU, cmd::ShowInstrumentFlags);
        event.SetInt(column);
        event.SetClientData(Tickerdeck::TableOf(board->Tabs().CurrentGrid())->RowPrice(row));
        wxPostEvent(board, event);
        Flush();
        return board->Features().FindFeature<InstrumentFlags>()->OpenDialog();
    }

    /// Label -> (ticked, enabled) of every box in the dialog's panel.
    static std::map<wxString, std::pair<bool, bool>> Boxes(InstrFlagsDialog* dialog)
    {
        std::map<wxString, std::pair<bool, bool>> boxes;
        std::function<void(wxWindow*)> walk = [&](wxWindow* window) {
            for (wxWindow* child : window->GetChildren())
            {
                if (auto* box = wxDynamicCast(child, wxCheckBox))
                    boxes[box->GetLabel()] = {box->IsChecked(), box->IsEnabled()};
                walk(child);
            }
        };
        walk(dialog->GetFlagPanel());
        return boxes;
    }

    std::filesystem::path panels = folder / "flags.xrc";
};

TEST_F(InstrumentFlagsBoard, StatusAndCorporateActionBoxesTickByTheirOwnTextStayDisabledAndEmptyTextsOpenNothing)
{
    InstrFlagsDialog* dialog = ShowFlags(column::Status, 0);
    ASSERT_NE(nullptr, wxDynamicCast(dialog, InstrStatusDialog));
    EXPECT_FALSE(frame->IsEnabled());
    const auto boxes = Boxes(dialog);
    const std::map<wxString, bool> expected = {
        {"Pre-open", true}, {"open", true}, {"pre", false}, {"Halted", false}, {"SSR", true}};
    ASSERT_EQ(expected.size(), boxes.size());
    for (const auto& [label, ticked] : expected)
    {
        EXPECT_EQ(ticked, boxes.at(label).first) << label;
        EXPECT_FALSE(boxes.at(label).second) << label << " must not be editable";
    }

    PressButton(dialog, wxID_OK);
    Flush();
    EXPECT_EQ(nullptr, board->Features().FindFeature<InstrumentFlags>()->OpenDialog());

    // Corporate-action boxes match the row's corporate action, not its status.
    dialog = ShowFlags(column::CorporateAction, 1);
    ASSERT_NE(nullptr, wxDynamicCast(dialog, InstrCADialog));
    EXPECT_EQ("XD 0.42", dialog->GetFlagText());
    EXPECT_TRUE(Boxes(dialog).at("XD").first);
    EXPECT_FALSE(Boxes(dialog).at("Halted").first) << "the row's status text must not tick corporate actions";

    PressKey(dialog, WXK_ESCAPE);
    Flush();
    EXPECT_EQ(nullptr, board->Features().FindFeature<InstrumentFlags>()->OpenDialog());

    // Empty texts, other columns and missing rows open nothing.
    EXPECT_EQ(nullptr, ShowFlags(column::CorporateAction, 0)) << "ARPI has no corporate action";
    EXPECT_EQ(nullptr, ShowFlags(column::Status, 2)) << "CDG has no status";
    EXPECT_EQ(nullptr, ShowFlags(column::Status, 3));
}

TEST_F(InstrumentFlagsBoard, ADoubleClickShowsItsInstrumentsFlagsThoughQueuedQuotesMoveItsRow)
{
    grid = board->Tabs().CurrentGrid();
    SetLasts({{arpi, 3}, {bdi, 2}, {cdg, 1}});
    SortByLast(grid, true);
    grid->SelectRow(1);
    // A quote queued ahead of the double click takes BDI below ARPI.
    host.PriceOf(bdi)->last = 10;
    PostQuote(board, host.PriceOf(bdi), kLastMask);
    SendGridEvent(grid, wxEVT_GRID_CELL_LEFT_DCLICK, 1, column::Status);
    Flush();
    ASSERT_EQ(arpi, Tickerdeck::TableOf(grid)->RowPrice(1)->instrument);
    InstrFlagsDialog* dialog = board->Features().FindFeature<InstrumentFlags>()->OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Halted", dialog->GetFlagText()) << "BDI's";
}

}  // namespace
