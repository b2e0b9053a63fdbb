#include "colours/ColourRulesDialog.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/numformatter.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "contract/Theme.h"
#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"

namespace {

constexpr int kChoiceWidth = 150;

const char* const kPaletteNames[] = {
    wxTRANSLATE("Red"),    wxTRANSLATE("Green"), wxTRANSLATE("Blue"),  wxTRANSLATE("Orange"),
    wxTRANSLATE("Purple"), wxTRANSLATE("Teal"),  wxTRANSLATE("Amber"), wxTRANSLATE("Grey"),
};

wxColour ToColour(uint32_t rgb)
{
    return wxColour(static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                    static_cast<unsigned char>(rgb));
}

wxString HexText(uint32_t rgb)
{
    return wxString::Format("#%06x", rgb);
}

}  // namespace

const std::vector<uint32_t>& ColourRulesDialog::Palette()
{
    // Mid tones: dark enough for a light grid, light enough for a dark one,
    // and under white or black text alike as a background.
    static const std::vector<uint32_t> palette{0xE53935, 0x43A047, 0x1E88E5, 0xFB8C00,
                                               0x8E24AA, 0x00ACC1, 0xFDD835, 0x9E9E9E};
    return palette;
}

ColourRulesDialog::ColourRulesDialog(BoardOwner* owner, wxGridTableBase* columns, wxWindow* parent,
                                     const std::vector<ColourRuleSpec>& rules, const wxString& tabText)
    : ThemedDialog(owner, parent, wxID_ANY, wxString::Format(_("Colour Rules of %s"), tabText), wxDefaultPosition,
                   wxSize(720, 420), ParentLock::EnableOnClose),
      m_columns(columns), m_rules(rules)
{
    for (int col = 0; col < columns->GetNumberCols(); ++col)
        if (!RuleOperatorsFor(col).empty())
        {
            m_columnIds.push_back(col);
            if (IsQuantityColumn(col))
                m_numberIds.push_back(col);
        }
    for (const ColourRuleSpec& rule : rules)
        for (const RuleColour* colour : {&rule.style.text, &rule.style.background})
            if (colour->set && std::find(Palette().begin(), Palette().end(), colour->rgb) == Palette().end() &&
                std::find(m_custom.begin(), m_custom.end(), colour->rgb) == m_custom.end())
                m_custom.push_back(colour->rgb);

    auto* main = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(MakeListColumn(this), 1, wxEXPAND | wxALL, 5);
    body->Add(MakeEditor(this), 0, wxEXPAND | wxALL, 5);
    main->Add(body, 1, wxEXPAND);
    m_allTabs = new wxCheckBox(this, wxID_ANY, _("Apply to all tabs of this board"));
    main->Add(m_allTabs, 0, wxLEFT | wxRIGHT, 10);
    main->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    const OkCancelRow buttons = MakeOkCancelRow();
    m_ok = buttons.ok;
    m_ok->Bind(wxEVT_BUTTON, &ColourRulesDialog::OnOk, this);
    main->Add(buttons.sizer, 0, wxALIGN_RIGHT | wxALL, 5);
    m_allTabs->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateOk(); });
    if (const Theme* theme = GetTheme())
        m_allTabs->SetForegroundColour(theme->TextColour());

    SetSizer(main);
    FitNoNarrowerThan(720);
    Centre();
    RefreshList();
    if (!m_rules.empty())
        m_list->SetSelection(0);
    ShowRule();
}

bool ColourRulesDialog::ForAllTabs() const
{
    return m_allTabs->GetValue();
}

wxSizer* ColourRulesDialog::MakeListColumn(wxWindow* parent)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_list = new wxListBox(parent, wxID_ANY, wxDefaultPosition, wxSize(320, 220));
    StyleInput(m_list);
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { ShowRule(); });
    column->Add(m_list, 1, wxEXPAND);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const auto add = [this, parent, row](const wxString& label, const wxString& tip, std::function<void()> act)
    {
        wxButtonEx* button = MakeButton(parent, wxID_ANY, label);
        button->SetToolTip(tip);
        button->Bind(wxEVT_BUTTON, [act](wxCommandEvent&) { act(); });
        row->Add(button, 0, wxTOP | wxRIGHT, 4);
    };
    add(_("Add"), _("Add a rule below the chosen one"), [this] { AddRule(); });
    add(_("Remove"), _("Remove the chosen rule"), [this] { RemoveRule(); });
    add(_("Up"), _("The first rule that matches wins: move this one up"), [this] { MoveRule(-1); });
    add(_("Down"), _("Move the chosen rule down"), [this] { MoveRule(1); });
    column->Add(row, 0);
    m_problem = MakeValueLabel(parent);
    if (const Theme* theme = GetTheme())
        m_problem->SetForegroundColour(theme->DownColour());
    column->Add(m_problem, 0, wxEXPAND | wxTOP, 4);
    return column;
}

wxChoice* ColourRulesDialog::MakeColourChoice(wxWindow* parent)
{
    auto* choice = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1));
    choice->Append(_("None"));
    for (const char* name : kPaletteNames)
        choice->Append(wxGetTranslation(name));
    for (uint32_t rgb : m_custom)
        choice->Append(HexText(rgb));
    choice->Append(_("Custom..."));
    return choice;
}

wxSizer* ColourRulesDialog::MakeEditor(wxWindow* parent)
{
    auto* grid = new wxFlexGridSizer(2, 4, 6);
    const auto add = [this, parent, grid](const wxString& caption, wxWindow* field)
    {
        grid->Add(MakeCaption(parent, caption, 110), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 0, wxEXPAND);
        StyleInput(field);
        field->Bind(wxEVT_CHOICE, [this, field](wxCommandEvent&) { ReadEditor(field); });
        field->Bind(wxEVT_TEXT, [this, field](wxCommandEvent&) { ReadEditor(field); });
    };
    wxArrayString labels;
    for (int col : m_columnIds)
        labels.Add(m_columns->GetColLabelValue(col));
    m_column = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1), labels);
    add(_("Column"), m_column);
    m_condition = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1));
    add(_("Condition"), m_condition);
    wxArrayString against;
    against.Add(_("a value"));
    for (int col : m_numberIds)
        against.Add(m_columns->GetColLabelValue(col));
    m_against = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1), against);
    add(_("Compared with"), m_against);
    m_value = new wxTextCtrl(parent, wxID_ANY);
    add(_("Value"), m_value);
    m_upper = new wxTextCtrl(parent, wxID_ANY);
    add(_("And"), m_upper);
    m_textColour = MakeColourChoice(parent);
    add(_("Text colour"), m_textColour);
    m_background = MakeColourChoice(parent);
    add(_("Background"), m_background);
    m_bold = new wxCheckBox(parent, wxID_ANY, _("Bold"));
    grid->AddSpacer(1);
    grid->Add(m_bold);
    m_bold->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ReadEditor(m_bold); });
    m_bar = new wxCheckBox(parent, wxID_ANY, _("Bar in number cells"));
    grid->AddSpacer(1);
    grid->Add(m_bar);
    m_bar->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ReadEditor(m_bar); });
    m_target = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1));
    m_target->Append(_("The cell"));
    m_target->Append(_("The whole row"));
    add(_("Colours"), m_target);

    m_preview = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, 24));
    m_previewText = new wxStaticText(m_preview, wxID_ANY, wxNumberFormatter::ToString(1234.5, 2),
                                     wxPoint(6, 4));
    grid->Add(MakeCaption(parent, _("Preview"), 110), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_preview, 0, wxEXPAND);
    if (const Theme* theme = GetTheme())
    {
        m_bold->SetForegroundColour(theme->TextColour());
        m_bar->SetForegroundColour(theme->TextColour());
    }
    return grid;
}

int ColourRulesDialog::Chosen() const
{
    const int at = m_list->GetSelection();
    return at >= 0 && static_cast<size_t>(at) < m_rules.size() ? at : -1;
}

wxString ColourRulesDialog::Describe(const ColourRuleSpec& rule) const
{
    const wxString problem = ColourRuleProblem(rule);
    if (!rule.verbatim.empty())
    {
        wxString stored;
        for (const auto& [key, value] : rule.verbatim)
            stored += wxString::Format("%s=\"%s\" ", wxString::FromUTF8(key), wxString::FromUTF8(value));
        return wxString::Format(_("(unreadable) %s"), stored.Trim());
    }
    wxString operand;
    if (rule.againstColumn >= 0)
        operand = m_columns->GetColLabelValue(rule.againstColumn);
    else
    {
        operand = ShownOperand(rule.value, IsNumberColumn(rule.column));
        if (rule.op == rule_op::Between)
            operand = wxString::Format(_("%s and %s"), operand, ShownOperand(rule.upper, true));
    }
    const char* op = RuleOperatorText(rule.op);
    const wxString text = wxString::Format(
        "%s %s %s: %s", rule.column >= 0 && rule.column < m_columns->GetNumberCols() ? m_columns->GetColLabelValue(rule.column) : wxString("?"),
        op ? wxGetTranslation(op) : wxString("?"), operand, rule.wholeRow ? _("row") : _("cell"));
    return problem.empty() ? text : wxString::Format(_("(not used) %s"), text);
}

void ColourRulesDialog::RefreshList()
{
    const int chosen = m_list->GetSelection();
    m_list->Clear();
    for (const ColourRuleSpec& rule : m_rules)
        m_list->Append(Describe(rule));
    if (chosen >= 0 && static_cast<size_t>(chosen) < m_rules.size())
        m_list->SetSelection(chosen);
}

void ColourRulesDialog::OfferConditions(int col, int op)
{
    m_ops = RuleOperatorsFor(col);
    m_condition->Clear();
    for (int code : m_ops)
        m_condition->Append(wxGetTranslation(RuleOperatorText(code)));
    const auto at = std::find(m_ops.begin(), m_ops.end(), op);
    m_condition->SetSelection(at == m_ops.end() ? 0 : static_cast<int>(at - m_ops.begin()));
}

void ColourRulesDialog::SelectColour(wxChoice* choice, const RuleColour& colour)
{
    if (!colour.set)
    {
        choice->SetSelection(0);
        return;
    }
    const auto inPalette = std::find(Palette().begin(), Palette().end(), colour.rgb);
    if (inPalette != Palette().end())
    {
        choice->SetSelection(1 + static_cast<int>(inPalette - Palette().begin()));
        return;
    }
    auto custom = std::find(m_custom.begin(), m_custom.end(), colour.rgb);
    if (custom == m_custom.end())
    {
        m_custom.push_back(colour.rgb);
        for (wxChoice* each : {m_textColour, m_background})
            each->Insert(HexText(colour.rgb), static_cast<unsigned>(each->GetCount() - 1));
        custom = m_custom.end() - 1;
    }
    choice->SetSelection(1 + static_cast<int>(Palette().size() + (custom - m_custom.begin())));
}

RuleColour ColourRulesDialog::ColourOf(wxChoice* choice, const RuleColour& before)
{
    const int at = choice->GetSelection();
    const int palette = static_cast<int>(Palette().size());
    if (at <= 0)
        return RuleColour();
    if (at <= palette)
        return RuleColour::Of(Palette()[static_cast<size_t>(at - 1)]);
    if (at <= palette + static_cast<int>(m_custom.size()))
        return RuleColour::Of(m_custom[static_cast<size_t>(at - 1 - palette)]);
    // "Custom...": the toolkit's colour picker, starting from the colour before.
    wxColourData data;
    if (before.set)
        data.SetColour(ToColour(before.rgb));
    wxColourDialog picker(this, &data);
    RuleColour picked = before;
    if (picker.ShowModal() == wxID_OK)
    {
        const wxColour colour = picker.GetColourData().GetColour();
        picked = RuleColour::Of((static_cast<uint32_t>(colour.Red()) << 16) |
                                (static_cast<uint32_t>(colour.Green()) << 8) | colour.Blue());
    }
    SelectColour(choice, picked);
    return picked;
}

void ColourRulesDialog::ShowRule()
{
    const int at = Chosen();
    const bool editable = at >= 0 && m_rules[static_cast<size_t>(at)].verbatim.empty();
    for (wxWindow* field : std::initializer_list<wxWindow*>{m_column, m_condition, m_against, m_value, m_upper,
                                                            m_textColour, m_background, m_bold, m_bar, m_target})
        field->Enable(editable);
    m_problem->SetLabel(at >= 0 ? ColourRuleProblem(m_rules[static_cast<size_t>(at)]) : wxString());
    if (!editable)
    {
        UpdatePreview();
        return;
    }
    m_showing = true;
    const ColourRuleSpec& rule = m_rules[static_cast<size_t>(at)];
    const auto column = std::find(m_columnIds.begin(), m_columnIds.end(), rule.column);
    m_column->SetSelection(column == m_columnIds.end() ? wxNOT_FOUND : static_cast<int>(column - m_columnIds.begin()));
    OfferConditions(rule.column, rule.op);
    const auto against = std::find(m_numberIds.begin(), m_numberIds.end(), rule.againstColumn);
    m_against->SetSelection(against == m_numberIds.end() ? 0 : 1 + static_cast<int>(against - m_numberIds.begin()));
    m_value->ChangeValue(ShownOperand(rule.value, IsNumberColumn(rule.column)));
    m_upper->ChangeValue(ShownOperand(rule.upper, true));
    SelectColour(m_textColour, rule.style.text);
    SelectColour(m_background, rule.style.background);
    m_bold->SetValue(rule.style.bold);
    m_bar->SetValue(rule.style.bar);
    m_target->SetSelection(rule.wholeRow ? 1 : 0);
    m_showing = false;
    ReadEditor(nullptr);
}

void ColourRulesDialog::ReadEditor(wxWindow* changed)
{
    const int at = Chosen();
    if (m_showing || at < 0 || !m_rules[static_cast<size_t>(at)].verbatim.empty())
        return;
    ColourRuleSpec& rule = m_rules[static_cast<size_t>(at)];
    const int columnAt = m_column->GetSelection();
    const int col = columnAt >= 0 ? m_columnIds[static_cast<size_t>(columnAt)] : rule.column;
    if (changed == m_column && col != rule.column)
    {
        rule.column = col;
        OfferConditions(col, rule.op);
    }
    const int opAt = m_condition->GetSelection();
    rule.op = opAt >= 0 && static_cast<size_t>(opAt) < m_ops.size() ? m_ops[static_cast<size_t>(opAt)] : rule.op;
    const bool numbers = IsNumberColumn(col);
    const bool withColumn = IsQuantityColumn(col) && ComparesWithColumn(rule.op);
    const int againstAt = m_against->GetSelection();
    rule.againstColumn = withColumn && againstAt > 0 ? m_numberIds[static_cast<size_t>(againstAt - 1)] : -1;
    m_against->Enable(withColumn);
    m_value->Enable(rule.againstColumn < 0);
    m_upper->Enable(rule.op == rule_op::Between);
    if (changed == m_textColour)
        rule.style.text = ColourOf(m_textColour, rule.style.text);
    if (changed == m_background)
        rule.style.background = ColourOf(m_background, rule.style.background);
    rule.style.bold = m_bold->GetValue();
    rule.style.bar = m_bar->GetValue();
    rule.wholeRow = m_target->GetSelection() == 1;

    // Numbers are read as the filter reads them; what does not read is
    // refused on its field and keeps the rule's last readable operand.
    m_refusal.clear();
    wxWindow* refused = nullptr;
    const bool list = rule.op == filter_op::In || rule.op == filter_op::NotIn;
    if (rule.againstColumn >= 0)
        rule.value.clear();
    else if (!numbers)
        rule.value = m_value->GetValue().utf8_string();
    else if (!StoredOperand(m_value->GetValue(), list, &rule.value))
    {
        refused = m_value;
        m_refusal = FilterOperandRefusal(col, list ? rule.op : filter_op::Above, m_value->GetValue().utf8_string());
    }
    if (!refused && rule.op == rule_op::Between && rule.againstColumn < 0 &&
        !StoredOperand(m_upper->GetValue(), false, &rule.upper))
    {
        refused = m_upper;
        m_refusal = FilterOperandRefusal(col, filter_op::Above, m_upper->GetValue().utf8_string());
    }
    if (rule.op != rule_op::Between)
        rule.upper.clear();
    if (refused && m_refusal.empty())
        m_refusal = _("Type a number");
    if (refused && changed == refused)
        ShowRefusal(refused, m_refusal);
    for (wxTextCtrl* field : {m_value, m_upper})
        field->SetToolTip(field == refused ? m_refusal : wxString());
    m_list->SetString(static_cast<unsigned>(at), Describe(rule));
    m_problem->SetLabel(refused ? m_refusal : ColourRuleProblem(rule));
    UpdatePreview();
    UpdateOk();
}

void ColourRulesDialog::UpdatePreview()
{
    const Theme* theme = GetTheme();
    const int at = Chosen();
    const RuleStyle style = at >= 0 ? m_rules[static_cast<size_t>(at)].style : RuleStyle();
    const wxColour background =
        style.background.set ? ToColour(style.background.rgb)
                             : (theme ? theme->CellBackgroundColour() : m_preview->GetParent()->GetBackgroundColour());
    const wxColour text = style.text.set ? ToColour(style.text.rgb)
                                         : (theme ? theme->TextColour() : m_preview->GetParent()->GetForegroundColour());
    m_preview->SetBackgroundColour(background);
    m_previewText->SetBackgroundColour(background);
    m_previewText->SetForegroundColour(text);
    wxFont font = m_previewText->GetFont();
    font.SetWeight(style.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    m_previewText->SetFont(font);
    m_preview->Refresh();
}

void ColourRulesDialog::UpdateOk()
{
    m_ok->Enable(m_refusal.empty());
}

void ColourRulesDialog::AddRule()
{
    const int at = Chosen();
    ColourRuleSpec rule;
    if (at >= 0 && m_rules[static_cast<size_t>(at)].verbatim.empty())
        rule.column = m_rules[static_cast<size_t>(at)].column;
    rule.value = "0";
    rule.style.text = RuleColour::Of(Palette()[0]);
    const size_t place = at >= 0 ? static_cast<size_t>(at) + 1 : m_rules.size();
    m_rules.insert(m_rules.begin() + static_cast<std::ptrdiff_t>(place), rule);
    m_list->Insert(Describe(rule), static_cast<unsigned>(place));
    m_list->SetSelection(static_cast<int>(place));
    ShowRule();
    m_value->SetFocus();
    m_value->SelectAll();
}

void ColourRulesDialog::RemoveRule()
{
    const int at = Chosen();
    if (at < 0)
        return;
    m_rules.erase(m_rules.begin() + at);
    m_list->Delete(static_cast<unsigned>(at));
    if (!m_rules.empty())
        m_list->SetSelection(std::min(at, static_cast<int>(m_rules.size()) - 1));
    m_refusal.clear();
    ShowRule();
    UpdateOk();
}

void ColourRulesDialog::MoveRule(int by)
{
    const int at = Chosen();
    const int to = at + by;
    if (at < 0 || to < 0 || to >= static_cast<int>(m_rules.size()))
        return;
    std::swap(m_rules[static_cast<size_t>(at)], m_rules[static_cast<size_t>(to)]);
    m_list->SetString(static_cast<unsigned>(at), Describe(m_rules[static_cast<size_t>(at)]));
    m_list->SetString(static_cast<unsigned>(to), Describe(m_rules[static_cast<size_t>(to)]));
    m_list->SetSelection(to);
    ShowRule();
}

void ColourRulesDialog::OnOk(wxCommandEvent&)
{
    if (!m_refusal.empty())
        return;
    ConfirmAndClose();
}
