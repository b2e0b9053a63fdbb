// A window that shows every extended control in a dark or light theme, so
// their colours can be checked by eye and in screenshots.

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "wxBitmapButtonEx.h"
#include "wxButtonEx.h"
#include "wxDataViewCtrlEx.h"
#include "wxFlatNotebook.h"
#include "wxGridEx.h"
#include "wxStaticLineEx.h"
#include "wxStaticTextEx.h"

namespace {

/// The colours a host theme hands to the controls.
struct Palette
{
    wxColour background, tabArea, activeTab, text, labelText, border, button, selection,
        cellBackground, gridLine;
};

Palette DarkPalette()
{
    return {wxColour("#1e2227"), wxColour("#1e2227"), wxColour("#2d333b"), wxColour("#e6e6e6"),
            wxColour("#9aa4af"), wxColour("#3b434c"), wxColour("#2d333b"), wxColour("#264f78"),
            wxColour("#15181c"), wxColour("#2a2f36")};
}

Palette LightPalette()
{
    return {wxColour("#f3f4f6"), wxColour("#e5e7eb"), wxColour("#ffffff"), wxColour("#1f2328"),
            wxColour("#57606a"), wxColour("#c7ccd1"), wxColour("#e9ecef"), wxColour("#b6d4f5"),
            wxColour("#ffffff"), wxColour("#e1e4e8")};
}

/// A small stand-in icon when the shared icon file is not there.
wxBitmap LoadIcon(const wxString& path, const wxColour& colour)
{
    if (wxFileName::FileExists(path))
    {
        wxImage image(path, wxBITMAP_TYPE_PNG);
        if (image.IsOk())
            return wxBitmap(image);
    }
    wxBitmap bitmap(16, 16);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(colour));
    dc.SetBrush(wxBrush(colour));
    for (int row = 0; row < 3; ++row)
        dc.DrawRectangle(2, 3 + row * 4, 12, 2);
    dc.SelectObject(wxNullBitmap);
    bitmap.SetMask(new wxMask(bitmap, *wxBLACK));
    return bitmap;
}

/// The gallery window.
class GalleryFrame : public wxFrame
{
public:
    GalleryFrame(const Palette& palette, long page)
        : wxFrame(nullptr, wxID_ANY, _("Controls gallery"), wxDefaultPosition, wxSize(1000, 680)),
          m_palette(palette)
    {
        SetBackgroundColour(palette.background);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(BuildToolBar(), 0, wxEXPAND);
        wxFlatNotebook* notebook = BuildNotebook();
        sizer->Add(notebook, 1, wxEXPAND);
        if (page >= 0)
            notebook->SetSelection(static_cast<size_t>(page));
        SetSizer(sizer);
    }

private:
    wxToolBar* BuildToolBar()
    {
        auto* toolbar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER);
        toolbar->SetBackgroundColour(m_palette.background);
        auto* title = new wxStaticTextEx(toolbar, wxID_ANY, _("Ticker Deck"));
        title->SetForegroundColour(m_palette.text);
        title->SetFont(wxFont(wxFontInfo(9).Bold()));
        toolbar->AddControl(title);
        toolbar->AddStretchableSpace();
        toolbar->AddTool(wxID_ADD, wxEmptyString, LoadIcon("./icon/add.png", m_palette.text));
        toolbar->AddTool(wxID_PREFERENCES, wxEmptyString,
                         LoadIcon("./icon/setting.png", m_palette.text));
        toolbar->Realize();
        // GTK draws the toolbar from its theme unless the colour is set once realized.
        toolbar->SetBackgroundColour(m_palette.background);
        return toolbar;
    }

    wxFlatNotebook* BuildNotebook()
    {
        auto* notebook = new wxFlatNotebook(this, 7160, wxDefaultPosition, wxSize(23, 23),
                                            wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE);
        notebook->SetPadding(wxSize(10, 10));
        notebook->SetBorderColour(m_palette.border);
        notebook->SetBackgroundColour(m_palette.background);
        notebook->SetTabAreaColour(m_palette.tabArea);
        notebook->SetActiveTabColour(m_palette.activeTab);
        notebook->SetActiveTabTextColour(m_palette.text);
        notebook->SetNonActiveTabTextColour(m_palette.labelText);
        m_images.Add(LoadIcon("./icon/list.png", m_palette.labelText));
        notebook->SetImageList(&m_images);

        auto* grid = BuildGrid(notebook);
        notebook->AddPage(grid->GetSplitter(), _("Favourites"), true, 0);
        notebook->AddPage(BuildFormPage(notebook), _("Buttons and labels"), false);
        notebook->AddPage(BuildDataView(notebook), _("Data view"), false);
        for (const char* name : {"AMX", "RHX", "KTX", "HBX", "Growth Board", "Index 100", "Tech 30",
                                 "Energy", "Utilities", "Materials", "Financials", "Telecom"})
            notebook->AddPage(BuildGrid(notebook)->GetSplitter(), name, false, 0);
        return notebook;
    }

    wxGridEx* BuildGrid(wxWindow* parent)
    {
        auto* grid = new wxGridEx(parent, wxID_ANY, wxPoint(0, 0), wxSize(400, 300),
                                  wxHSCROLL | wxVSCROLL);
        grid->CreateGrid(8, 7);
        grid->SetRowLabelSize(40);
        const char* headers[] = {"Code", "Name", "Last", "Change", "Bid", "Ask", "Volume"};
        for (int col = 0; col < 7; ++col)
            grid->SetColLabelValue(col, headers[col]);
        const char* rows[][7] = {
            {"ORCA", "Orcadia Systems", "189.84", "+1.21", "189.83", "189.85", "52,114"},
            {"HLX", "Helix Biotech", "411.22", "-2.10", "411.20", "411.25", "18,220"},
            {"QNT", "Quantix Semis", "903.56", "+12.30", "903.50", "903.60", "44,018"},
            {"MRDN", "Meridian Retail", "178.15", "+0.42", "178.14", "178.16", "30,552"},
            {"LUMA", "Luma Networks", "151.77", "-0.35", "151.76", "151.78", "21,903"},
            {"BRWK", "Brightwork Media", "497.11", "+3.02", "497.05", "497.15", "12,410"},
            {"VOLT", "Voltaris Motors", "171.05", "-4.44", "171.00", "171.07", "98,765"},
            {"STRM", "Streamline Studios", "610.20", "+0.00", "610.10", "610.30", "3,211"}};
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 7; ++col)
                grid->SetCellValue(row, col, rows[row][col]);
        grid->SetMarginColour(m_palette.background);
        grid->SetScrollBarColour(m_palette.background);
        grid->SetTipColour(m_palette.background);
        grid->SetDefaultCellTextColour(m_palette.text);
        grid->SetDefaultCellBackgroundColour(m_palette.cellBackground);
        grid->SetBackgroundColour(m_palette.cellBackground);
        grid->SetForegroundColour(m_palette.text);
        grid->SetGridLineColour(m_palette.gridLine);
        grid->SetLabelBackgroundColour(m_palette.background);
        grid->SetLabelTextColour(m_palette.labelText);
        grid->SetSelectionBackground(m_palette.selection);
        grid->SetSelectionForeground(m_palette.text);
        grid->SelectRow(2);
        return grid;
    }

    wxButtonEx* ThemedButton(wxWindow* parent, wxWindowID id, const wxString& label)
    {
        auto* button = new wxButtonEx(parent, id, label);
        ApplyButtonColours(button);
        return button;
    }

    void ApplyButtonColours(wxButtonEx* button)
    {
        button->SetBackgroundColour(m_palette.activeTab);
        button->SetNormalColour(m_palette.button);
        button->SetBorderColour(m_palette.border);
        button->SetFocusedColour(m_palette.selection);
        button->SetTextColour(m_palette.text);
        button->SetDisabledTextColour(m_palette.labelText);
    }

    wxWindow* BuildFormPage(wxWindow* parent)
    {
        auto* page = new wxPanel(parent);
        page->SetBackgroundColour(m_palette.activeTab);
        auto* sizer = new wxBoxSizer(wxVERTICAL);

        auto* heading = new wxStaticTextEx(page, wxID_ANY, _("Labels"));
        heading->SetForegroundColour(m_palette.text);
        heading->SetFont(wxFont(wxFontInfo(11).Bold()));
        sizer->Add(heading, 0, wxALL, 10);
        auto* secondary = new wxStaticTextEx(page, wxID_ANY, _("A secondary label in the label colour"));
        secondary->SetForegroundColour(m_palette.labelText);
        sizer->Add(secondary, 0, wxLEFT | wxRIGHT, 10);

        auto* line = new wxStaticLineEx(page);
        line->SetBackgroundColour(m_palette.border);
        sizer->Add(line, 0, wxEXPAND | wxALL, 10);

        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(ThemedButton(page, wxID_OK, _("OK")), 0, wxALL, 5);
        auto* cancel = ThemedButton(page, wxID_CANCEL, _("Cancel"));
        row->Add(cancel, 0, wxALL, 5);
        auto* disabled = ThemedButton(page, wxID_ANY, _("Disabled"));
        disabled->Disable();
        row->Add(disabled, 0, wxALL, 5);
        auto* vertical = new wxStaticLineEx(page, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                            wxLI_VERTICAL);
        vertical->SetBackgroundColour(m_palette.border);
        row->Add(vertical, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
        const wxBitmap icon = LoadIcon("./icon/edit.png", m_palette.text);
        auto* edit = new wxBitmapButtonEx(page, wxID_EDIT, icon);
        ApplyButtonColours(edit);
        row->Add(edit, 0, wxALL, 5);
        auto* remove = new wxBitmapButtonEx(page, wxID_REMOVE, icon);
        ApplyButtonColours(remove);
        remove->Disable();
        row->Add(remove, 0, wxALL, 5);
        sizer->Add(row, 0, wxLEFT, 5);

        auto* line2 = new wxStaticLineEx(page);
        line2->SetBackgroundColour(m_palette.border);
        sizer->Add(line2, 0, wxEXPAND | wxALL, 10);

        auto* inner = new wxFlatNotebook(page, wxID_ANY, wxDefaultPosition, wxSize(-1, 120),
                                         wxFLATNB_FLAT_TABS | wxFLATNB_PAGE_BORDER);
        inner->SetPadding(wxSize(10, 10));
        inner->SetBorderColour(m_palette.border);
        inner->SetBackgroundColour(m_palette.background);
        inner->SetTabAreaColour(m_palette.activeTab);
        inner->SetActiveTabColour(m_palette.background);
        inner->SetActiveTabTextColour(m_palette.text);
        inner->SetNonActiveTabTextColour(m_palette.labelText);
        for (const wxString& name : {_("General"), _("Controls")})
        {
            auto* settings = new wxPanel(inner);
            settings->SetBackgroundColour(m_palette.background);
            auto* text = new wxStaticTextEx(settings, wxID_ANY, name + _(" settings page"), wxPoint(12, 12));
            text->SetForegroundColour(m_palette.text);
            inner->AddPage(settings, name);
        }
        sizer->Add(inner, 1, wxEXPAND | wxALL, 10);
        page->SetSizer(sizer);
        cancel->SetFocus();
        return page;
    }

    wxWindow* BuildDataView(wxWindow* parent)
    {
        auto* view = new wxDataViewCtrlEx(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                          wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxDV_ROW_LINES | wxBORDER_NONE);
        view->SetMarginColour(m_palette.background);
        view->SetScrollBarColour(m_palette.background);
        view->SetTipColour(m_palette.background);
        view->SetRuleColour(m_palette.gridLine);
        view->SetBackgroundColour(m_palette.cellBackground);
        view->SetForegroundColour(m_palette.text);
        m_model = new wxDataViewListStore;
        view->AssociateModel(m_model.get());
        view->AppendTextColumn(_("Exchange"), 0, wxDATAVIEW_CELL_INERT, 120);
        view->AppendTextColumn(_("Code"), 1, wxDATAVIEW_CELL_INERT, 100);
        view->AppendTextColumn(_("Name"), 2, wxDATAVIEW_CELL_INERT, 200);
        m_model->AppendColumn("string");
        m_model->AppendColumn("string");
        m_model->AppendColumn("string");
        const char* rows[][3] = {{"AMX", "ORCA", "Orcadia Systems"}, {"AMX", "HLX", "Helix Biotech"},
                                 {"RHX", "KRNW", "Kronwerk Industrie"}, {"HBX", "01188", "Harbour Lights"}};
        for (const auto& row : rows)
        {
            wxVector<wxVariant> values;
            for (const char* value : row)
                values.push_back(wxVariant(wxString(value)));
            m_model->AppendItem(values);
        }
        return view;
    }

    Palette m_palette;
    wxFlatNotebookImageList m_images;
    wxObjectDataPtr<wxDataViewListStore> m_model;
};

bool SaveScreenshot(wxWindow* window, const wxString& path)
{
    const wxRect rect = window->GetScreenRect();
    wxBitmap shot(rect.width, rect.height);
    wxMemoryDC memory(shot);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    return shot.SaveFile(path, wxBITMAP_TYPE_PNG);
}

/// Parses the options, shows the gallery and optionally shoots and quits.
class GalleryApp : public wxApp
{
public:
    void OnInitCmdLine(wxCmdLineParser& parser) override
    {
        wxApp::OnInitCmdLine(parser);
        parser.AddOption("", "theme", _("dark or light"));
        parser.AddOption("", "screenshot", _("PNG file to write after start-up"));
        parser.AddOption("", "page", _("index of the page to show"), wxCMD_LINE_VAL_NUMBER);
        parser.AddOption("", "quit-after", _("seconds before quitting"), wxCMD_LINE_VAL_NUMBER);
    }

    bool OnCmdLineParsed(wxCmdLineParser& parser) override
    {
        parser.Found("theme", &m_theme);
        parser.Found("screenshot", &m_screenshot);
        parser.Found("quit-after", &m_quitAfter);
        parser.Found("page", &m_page);
        return wxApp::OnCmdLineParsed(parser);
    }

    bool OnInit() override
    {
        if (!wxApp::OnInit())
            return false;
        wxInitAllImageHandlers();
        auto* frame = new GalleryFrame(m_theme == "light" ? LightPalette() : DarkPalette(), m_page);
        frame->Show();
        const long shotDelayMs = 1500;
        if (!m_screenshot.empty())
        {
            m_shotTimer.Bind(wxEVT_TIMER, [this, frame](wxTimerEvent&) {
                if (!SaveScreenshot(frame, m_screenshot))
                    wxLogError(_("Could not write %s"), m_screenshot);
            });
            m_shotTimer.StartOnce(shotDelayMs);
        }
        if (m_quitAfter > 0)
        {
            m_quitTimer.Bind(wxEVT_TIMER, [frame](wxTimerEvent&) { frame->Close(true); });
            m_quitTimer.StartOnce(static_cast<int>(m_quitAfter * 1000));
        }
        return true;
    }

private:
    wxString m_theme = "dark";
    wxString m_screenshot;
    long m_quitAfter = 0;
    long m_page = -1;
    wxTimer m_shotTimer;
    wxTimer m_quitTimer;
};

}  // namespace

wxIMPLEMENT_APP(GalleryApp);
