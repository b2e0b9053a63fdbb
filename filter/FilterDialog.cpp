#include "filter/FilterDialog.h"

#include <algorithm>

#include <wx/combobox.h>
#include <wx/grid.h>
#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "kit/PngFile.h"
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
    if (m_columnIds.empty())
        for (int col = 1; col < m_columns->GetNumberCols(); ++col)
            if (FilterKindOf(col) != FilterKind::None) // a condition there would hide nothing
                m_columnIds.push_back(col);
    for (int col : m_columnIds)
        columnLabels.Add(m_columns->GetColLabelValue(col));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_empty = Row();
    m_empty.column = new wxComboBox(m_box, wxID_ANY, wxString(), wxDefaultPosition, wxSize(kComboWidth, -1),
                                    columnLabels, wxCB_READONLY);
    m_empty.condition = new wxComboBox(m_box, wxID_ANY, wxString(), wxDefaultPosition,
                                       wxSize(kComboWidth, -1), wxArrayString(), wxCB_READONLY);
    m_empty.content = new wxTextCtrl(m_box, wxID_ANY);
    m_empty.clear = MakeButton(m_box, wxID_ANY, _("Clear"));
    m_empty.clear->SetToolTip(_("Clear this condition"));
    OfferConditionsFor(m_empty);
    for (wxWindow* input : {static_cast<wxWindow*>(m_empty.column), static_cast<wxWindow*>(m_empty.condition),
                            static_cast<wxWindow*>(m_empty.content)})
    {
        // The theme's input colours rather than the system's: a light field
        // in a dark dialog would hide the theme's light text.
        StyleInput(input);
        input->Bind(wxEVT_TEXT,
                    [this](wxCommandEvent& event)
                    {
                        MarkChanged(dynamic_cast<wxWindow*>(event.GetEventObject()));
                        event.Skip();
                    });
    }
    m_empty.column->Bind(wxEVT_COMBOBOX, &FilterDialog::OnComboChosen, this);
    m_empty.condition->Bind(wxEVT_COMBOBOX, &FilterDialog::OnComboChosen, this);
    m_empty.clear->Bind(wxEVT_BUTTON,
                        [this](wxCommandEvent& event)
                        {
                            if (Row* row = FindRow(event.GetEventObject()))
                                ClearRow(*row);
                        });
    row->Add(m_empty.column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    row->Add(m_empty.condition, 0, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    row->Add(m_empty.content, 1, wxALIGN_CENTER_VERTICAL | wxALL, 1);
    row->Add(m_empty.clear, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxLEFT, 1);
    row->AddSpacer(6); // clear of the box's right edge
    m_rowsSizer->Add(row, 0, wxEXPAND, 0);
    m_rowsSizer->Layout();
}

FilterDialog::Row* FilterDialog::FindRow(const wxObject* control)
{
    const auto holds = [control](const Row& row)
    {
        return control == row.column || control == row.condition || control == row.content ||
               control == row.clear;
    };
    if (holds(m_empty))
        return &m_empty;
    for (Row& row : m_filled)
        if (holds(row))
            return &row;
    return nullptr;
}

int FilterDialog::ColumnOf(const Row& row) const
{
    const int item = row.column->GetSelection();
    return item > 0 && static_cast<size_t>(item) <= m_columnIds.size() ? m_columnIds[item - 1] : 0;
}

int FilterDialog::OperatorOf(const Row& row)
{
    const int item = row.condition->GetSelection();
    return item > 0 && static_cast<size_t>(item) <= row.operators.size() ? row.operators[item - 1] : 0;
}

void FilterDialog::OfferConditionsFor(Row& row)
{
    // Before a column is chosen every condition is offered; after, those
    // that say something about the column.
    const int col = ColumnOf(row);
    const std::vector<int> offered = FilterOperatorsFor(col > 0 ? FilterKindOf(col) : FilterKind::Text);
    if (offered == row.operators)
        return;
    const int chosen = OperatorOf(row);
    row.operators = offered;
    wxArrayString texts;
    texts.Add(wxString());
    for (int code : offered)
        texts.Add(wxGetTranslation(FilterOperatorText(code)));
    row.condition->Set(texts);
    const auto kept = std::find(offered.begin(), offered.end(), chosen);
    row.condition->SetSelection(kept == offered.end() ? 0 : static_cast<int>(kept - offered.begin()) + 1);
}

void FilterDialog::ClearRow(Row& row)
{
    row.column->SetSelection(0);
    OfferConditionsFor(row);
    row.condition->SetSelection(0);
    row.content->ChangeValue(wxString());
    MarkChanged();
}

void FilterDialog::FillNewestRow()
{
    m_filled.push_back(m_empty);
    AddEmptyRow();
    GrowToFitContents();
}

void FilterDialog::MarkChanged(wxWindow* changed)
{
    m_changed = true;
    CheckContents(changed);
}

bool FilterDialog::CheckContents(wxWindow* typedIn)
{
    bool readable = true;
    const Theme* theme = GetTheme();
    const auto check = [&](const Row& row)
    {
        const wxString refusal =
            FilterOperandRefusal(ColumnOf(row), OperatorOf(row), row.content->GetValue().utf8_string());
        const bool refused = !refusal.empty();
        const wxColour text =
            theme ? (refused ? theme->DownColour() : theme->TextColour())
                  : wxSystemSettings::GetColour(refused ? wxSYS_COLOUR_HOTLIGHT : wxSYS_COLOUR_WINDOWTEXT);
        if (row.content->GetForegroundColour() != text)
        {
            row.content->SetForegroundColour(text);
            row.content->Refresh();
        }
        if (row.content->GetToolTipText() != refusal)
            row.content->SetToolTip(refusal);
        if (refused && typedIn &&
            (typedIn == row.content || typedIn == row.condition || typedIn == row.column))
            ShowRefusal(row.content, refusal);
        readable = readable && !refused;
    };
    for (const Row& row : m_filled)
        check(row);
    m_ok->Enable(m_changed && readable);
    m_ok->Refresh();
    return readable;
}

void FilterDialog::OnShownWithAction()
{
    // A loaded condition that cannot be read is pointed out at once.
    for (const Row& row : m_filled)
    {
        const wxString refusal =
            FilterOperandRefusal(ColumnOf(row), OperatorOf(row), row.content->GetValue().utf8_string());
        if (!refusal.empty())
        {
            ShowRefusal(row.content, refusal);
            return;
        }
    }
}

void FilterDialog::OnComboChosen(wxCommandEvent& event)
{
    Row* row = FindRow(event.GetEventObject());
    if (row && event.GetEventObject() == row->column)
        OfferConditionsFor(*row);
    // Only a column picked in the newest row opens a row below it.
    if (event.GetEventObject() == m_empty.column && !m_empty.column->GetValue().empty())
        FillNewestRow();
    MarkChanged(dynamic_cast<wxWindow*>(event.GetEventObject()));
    event.Skip();
}

void FilterDialog::SetFilters(const FilterSet& filters)
{
    struct Shown
    {
        int col;
        const FilterCondition* condition;
    };
    std::vector<Shown> shown;
    for (const auto& [col, conditions] : filters.GetColumns())
        for (const FilterCondition& condition : conditions)
            shown.push_back(Shown{col, &condition});
    // Rows come back where the user entered them; a layout without row
    // numbers keeps the columns' order.
    std::stable_sort(shown.begin(), shown.end(),
                     [](const Shown& a, const Shown& b) { return a.condition->row < b.condition->row; });
    const NumberWriting writing = NumberWriting::OfLocale();
    for (const Shown& entry : shown)
    {
        const auto column = std::find(m_columnIds.begin(), m_columnIds.end(), entry.col);
        const std::vector<int> offered = FilterOperatorsFor(FilterKindOf(entry.col));
        const auto op = std::find(offered.begin(), offered.end(), entry.condition->condition);
        if (column == m_columnIds.end() || op == offered.end())
            continue; // a hand-edited layout may hold what no row can show
        m_empty.column->SetSelection(static_cast<int>(column - m_columnIds.begin()) + 1);
        OfferConditionsFor(m_empty);
        m_empty.condition->SetSelection(static_cast<int>(op - offered.begin()) + 1);
        m_empty.content->ChangeValue(wxString::FromUTF8(
            TypedOperand(entry.col, entry.condition->condition, entry.condition->value, writing)));
        FillNewestRow();
    }
    if (!m_filled.empty())
        MarkChanged();
    Fit();
}

FilterSet::Columns FilterDialog::BuildColumns() const
{
    FilterSet::Columns columns;
    const NumberWriting writing = NumberWriting::OfLocale();
    int shownAt = 0;
    for (const Row& row : m_filled)
    {
        const int col = ColumnOf(row);
        const int code = OperatorOf(row);
        if (col <= 0 || code <= 0)
            continue;
        const std::string typed = row.content->GetValue().utf8_string();
        // OK is refused while an operand cannot be read.
        columns[col].push_back(FilterCondition{code, KeptOperand(col, code, typed, writing).value_or(typed), shownAt++});
    }
    return columns;
}

void FilterDialog::OnOk(wxCommandEvent& /*event*/)
{
    if (!CheckContents(nullptr))
        return;
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
