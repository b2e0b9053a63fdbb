#include "filter/FilterDialog.h"

#include <wx/combobox.h>
#include <wx/grid.h>
#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "board/PngFile.h"
#include "contract/Theme.h"
#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"

namespace {

constexpr int kComboWidth = 120;

bool IsEnterKey(const wxKeyEvent& event)
{
    return event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER;
}

}  // namespace

wxBEGIN_EVENT_TABLE(FilterDialog, ThemedDialog)
    EVT_BUTTON(wxID_OK, FilterDialog::OnOk)
    EVT_CHAR_HOOK(FilterDialog::OnCharHook)
wxEND_EVENT_TABLE()

FilterDialog::FilterDialog(BoardOwner* owner, wxGridTableBase* columns, wxWindow* parent, wxWindowID id,
                           const wxString& title, const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::EnableOnClose), m_columns(columns)
{
    wxIcon icon;
    icon.CopyFromBitmap(LoadPngOrBlank("./icon/tab.png"));
    SetIcon(icon);
    const Theme* theme = GetTheme();

    auto* main = new wxBoxSizer(wxVERTICAL);
    m_box = new wxStaticBox(this, wxID_ANY, wxString());
    m_rowsSizer = new wxStaticBoxSizer(m_box, wxVERTICAL);
    if (theme)
    {
        m_box->SetBackgroundColour(theme->ActiveTabColour());
        m_box->SetForegroundColour(theme->TextColour());
    }
    m_rowsSizer->AddSpacer(5);
    auto* header = new wxBoxSizer(wxHORIZONTAL);
    const auto addHeader = [this, header, theme](const wxString& text, int width, int proportion) {
        auto* label = new wxStaticText(m_box, wxID_ANY, text, wxDefaultPosition, wxSize(width, -1));
        if (theme)
            label->SetForegroundColour(theme->TextColour());
        header->Add(label, proportion, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    };
    addHeader(_("Column"), kComboWidth, 0);
    addHeader(_("Condition"), kComboWidth, 0);
    addHeader(_("Content"), -1, 1);
    m_rowsSizer->Add(header, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    main->Add(m_rowsSizer, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);

    main->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    const OkCancelRow buttons = MakeOkCancelRow();
    m_ok = buttons.ok;
    wxButtonEx* cancel = buttons.cancel;
    main->Add(buttons.sizer, 0, wxALIGN_RIGHT | wxALL, 5);

    AddEmptyRow();
    // Keys typed in the rows reach the box before the dialog and its default button.
    m_box->Bind(wxEVT_CHAR_HOOK, &FilterDialog::OnRowsCharHook, this);
    SetSizer(main);
    SetMinSize(size);
    Fit();
    Centre();
    cancel->SetFocus();
}

void FilterDialog::SetBoxLabel(const wxString& label)
{
    m_box->SetLabel(label);
}

void FilterDialog::AddEmptyRow()
{
    wxArrayString columnLabels;
    columnLabels.Add(wxString());
    for (int col = 1; col < m_columns->GetNumberCols(); ++col)
        columnLabels.Add(m_columns->GetColLabelValue(col));
    wxArrayString conditions;
    conditions.Add(wxString());
    for (int code = filter_op::AtLeast; code <= filter_op::Last; ++code)
        conditions.Add(wxGetTranslation(FilterOperatorText(code)));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_empty.column = new wxComboBox(m_box, wxID_ANY, wxString(), wxDefaultPosition, wxSize(kComboWidth, -1),
                                    columnLabels, wxCB_READONLY);
    m_empty.condition = new wxComboBox(m_box, wxID_ANY, wxString(), wxDefaultPosition, wxSize(kComboWidth, -1),
                                       conditions, wxCB_READONLY);
    m_empty.content = new wxTextCtrl(m_box, wxID_ANY);
    for (wxWindow* input : {static_cast<wxWindow*>(m_empty.column), static_cast<wxWindow*>(m_empty.condition),
                            static_cast<wxWindow*>(m_empty.content)})
    {
        // The theme's input colours rather than the system's: a light field
        // in a dark dialog would hide the theme's light text.
        StyleInput(input);
        input->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
            MarkChanged();
            event.Skip();
        });
    }
    m_empty.column->Bind(wxEVT_COMBOBOX, &FilterDialog::OnComboChosen, this);
    m_empty.condition->Bind(wxEVT_COMBOBOX, &FilterDialog::OnComboChosen, this);
    row->Add(m_empty.column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    row->Add(m_empty.condition, 0, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    row->Add(m_empty.content, 1, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    m_rowsSizer->Add(row, 0, wxEXPAND, 0);
    m_rowsSizer->Layout();
}

void FilterDialog::FillNewestRow()
{
    m_filled.push_back(m_empty);
    AddEmptyRow();
    GrowToFitContents();
}

void FilterDialog::MarkChanged()
{
    m_ok->Enable(true);
    m_ok->Refresh();
}

void FilterDialog::OnComboChosen(wxCommandEvent& event)
{
    MarkChanged();
    // Only a column picked in the newest row opens a row below it.
    if (event.GetEventObject() == m_empty.column && !m_empty.column->GetValue().empty())
        FillNewestRow();
    event.Skip();
}

void FilterDialog::SetFilters(const FilterSet& filters)
{
    for (const auto& [col, conditions] : filters.GetColumns())
    {
        for (const FilterCondition& condition : conditions)
        {
            const bool known = col > 0 && col < m_columns->GetNumberCols() && FilterOperatorText(condition.condition);
            if (!known)
                continue;  // a hand-edited layout may hold what no row can show
            m_empty.column->SetSelection(col);
            m_empty.condition->SetSelection(condition.condition);
            m_empty.content->ChangeValue(wxString::FromUTF8(condition.value));
            FillNewestRow();
        }
    }
    if (!m_filled.empty())
        MarkChanged();
    Fit();
}

FilterSet::Columns FilterDialog::BuildColumns() const
{
    FilterSet::Columns columns;
    for (const Row& row : m_filled)
    {
        const int col = row.column->GetSelection();
        const int code = row.condition->GetSelection();
        if (col <= 0 || code <= 0)
            continue;
        columns[col].push_back(FilterCondition{code, row.content->GetValue().utf8_string()});
    }
    return columns;
}

void FilterDialog::OnOk(wxCommandEvent& /*event*/)
{
    m_result = std::make_unique<FilterSet>(BuildColumns());
    ConfirmAndClose();
}

bool FilterDialog::IsLastField(const wxObject* window) const
{
    // The newest filled row's content completes the filter; the empty row
    // below it counts for nothing, so Enter there confirms the same filter.
    return window == m_empty.content || (!m_filled.empty() && window == m_filled.back().content);
}

void FilterDialog::OnRowsCharHook(wxKeyEvent& event)
{
    if (!IsEnterKey(event))
        event.Skip();
    else if (IsLastField(event.GetEventObject()))
        m_ok->Click();
    // Enter anywhere else in the rows would apply a half-typed filter.
}

void FilterDialog::OnCharHook(wxKeyEvent& event)
{
    // Nor does Enter press a focused button.
    if (!IsEnterKey(event))
        event.Skip();
}
