#include "export/GridPreview.h"

#include <cstdint>

#include <langinfo.h>

#include <wx/cmndata.h>
#include <wx/icon.h>
#include <wx/msgdlg.h>
#include <wx/print.h>

#include "controls/wxGridEx.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridPrintout.h"
#include "model/ColumnSpec.h"

namespace {

const wxSize kPreviewSize(680, 480);

/// A4, or US letter where the locale's paper is that tall (279 mm).
wxPaperSize LocalePaper()
{
#ifdef _NL_PAPER_HEIGHT
    const auto height = reinterpret_cast<intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT));
    if (height == 279)
        return wxPAPER_LETTER;
#endif
    return wxPAPER_A4;
}

} // namespace

wxPrintData PrintDataOf(const layout::WindowSettings& settings)
{
    wxPrintData data;
    data.SetOrientation(settings.printLandscape ? wxLANDSCAPE : wxPORTRAIT);
    data.SetQuality(wxPRINT_QUALITY_HIGH);
    data.SetPaperId(settings.printPaper != 0 ? static_cast<wxPaperSize>(settings.printPaper) : LocalePaper());
    return data;
}

void KeepPrintData(const wxPrintData& data, layout::WindowSettings& settings)
{
    settings.printPaper = data.GetPaperId() != wxPAPER_NONE ? static_cast<int>(data.GetPaperId()) : 0;
    settings.printLandscape = data.GetOrientation() == wxLANDSCAPE;
}

wxPreviewFrame* ShowGridPreview(wxGridEx* grid, const wxString& title, wxWindow* parent,
                                const wxPrintData& page)
{
    wxPrintData data = page;
    // The preview owns both printouts: one to show, one to print from it.
    // A page across without the row's number, code and name would leave
    // its figures unidentifiable.
    const auto printout = [grid, &title]
    {
        auto* made = new wxGridPrintout(grid, title);
        made->SetRepeatedColumns({column::No, column::Code, column::Name});
        // The colour rules print as they show; the theme's own colours do not.
        made->SetCellLook([grid](int row, int col, wxColour* text, wxColour* fill, bool* bold) {
            const TickerdeckTable* table = Tickerdeck::TableOf(grid);
            const ColourRuleSet* rules = table->Styler().GetColourRuleSet();
            const Price* price = table->RowPrice(row);
            const RuleStyle* style = rules && price ? rules->StyleFor(*price, col) : nullptr;
            if (!style)
                return false;
            const auto colour = [](const RuleColour& rule) {
                return rule.set ? wxColour(static_cast<unsigned char>(rule.rgb >> 16),
                                           static_cast<unsigned char>(rule.rgb >> 8), static_cast<unsigned char>(rule.rgb))
                                : wxColour();
            };
            *text = colour(style->text);
            *fill = colour(style->background);
            *bold = style->bold;
            return true;
        });
        return made;
    };
    auto* preview = new wxPrintPreview(printout(), printout(), &data);
    if (!preview->IsOk())
    {
        delete preview;
        wxMessageBox(_("There was a problem previewing.\nPerhaps your current printer is not set correctly?"),
                     _("Previewing"), wxOK, parent);
        return nullptr;
    }
    auto* frame = new wxPreviewFrame(preview, parent, _("Print Preview"), wxDefaultPosition, kPreviewSize,
                                     wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT);
    frame->Centre();
    wxIcon icon;
    const wxBitmap printer("icon/printer.png", wxBITMAP_TYPE_PNG);
    if (printer.IsOk())
    {
        icon.CopyFromBitmap(printer);
        frame->SetIcon(icon);
    }
    frame->Initialize();
    frame->Show();
    return frame;
}
