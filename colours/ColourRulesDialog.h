#pragma once
// The dialog in which the user edits the colour rules of one tab.

#include <vector>

#include "kit/ThemedDialog.h"
#include "model/ColourRules.h"

class wxCheckBox;
class wxChoice;
class wxGridTableBase;
class wxListBox;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

/// An ordered list of rules beside the editor of the chosen one, with a
/// preview of its style; rules that cannot be used are listed, marked.
class ColourRulesDialog : public ThemedDialog
{
public:
    /// Colours readable on the light and the dark theme alike.
    static const std::vector<uint32_t>& Palette();

    /// `columns` gives the column labels; the dialog only reads it.
    ColourRulesDialog(BoardOwner* owner, wxGridTableBase* columns, wxWindow* parent,
                      const std::vector<ColourRuleSpec>& rules, const wxString& tabText);

    /// The rules as OK left them.
    const std::vector<ColourRuleSpec>& Rules() const { return m_rules; }
    /// Whether the rules go to every tab of the board.
    bool ForAllTabs() const;

    // The controls, for tests.
    wxListBox* GetList() const { return m_list; }
    wxChoice* GetColumnChoice() const { return m_column; }
    wxChoice* GetConditionChoice() const { return m_condition; }
    wxChoice* GetAgainstChoice() const { return m_against; }
    wxTextCtrl* GetValueField() const { return m_value; }
    wxTextCtrl* GetUpperField() const { return m_upper; }
    wxChoice* GetTextColourChoice() const { return m_textColour; }
    wxChoice* GetBackgroundChoice() const { return m_background; }
    wxCheckBox* GetBoldBox() const { return m_bold; }
    wxCheckBox* GetBarBox() const { return m_bar; }
    wxChoice* GetTargetChoice() const { return m_target; }
    wxCheckBox* GetAllTabsBox() const { return m_allTabs; }
    wxButtonEx* GetOkButton() const { return m_ok; }
    wxPanel* GetPreview() const { return m_preview; }
    /// Adds a rule after the chosen one and chooses it.
    void AddRule();
    void RemoveRule();
    /// Moves the chosen rule up (-1) or down (+1).
    void MoveRule(int by);
    /// The refusal shown on a field the rule cannot read, empty when none.
    const wxString& Refusal() const { return m_refusal; }

private:
    wxSizer* MakeListColumn(wxWindow* parent);
    wxSizer* MakeEditor(wxWindow* parent);
    wxChoice* MakeColourChoice(wxWindow* parent);
    int Chosen() const;
    wxString Describe(const ColourRuleSpec& rule) const;
    void RefreshList();
    /// Shows the chosen rule in the editor.
    void ShowRule();
    /// Takes the editor's fields into the chosen rule.
    void ReadEditor(wxWindow* changed);
    void OfferConditions(int col, int op);
    RuleColour ColourOf(wxChoice* choice, const RuleColour& before);
    void SelectColour(wxChoice* choice, const RuleColour& colour);
    void UpdatePreview();
    void UpdateOk();
    void OnOk(wxCommandEvent& event);

    wxGridTableBase* m_columns;
    std::vector<ColourRuleSpec> m_rules;
    std::vector<int> m_columnIds;     // the id of each column item
    std::vector<int> m_numberIds;     // the id of each "against" item after "a value": quantities
    std::vector<int> m_ops;           // the code of each condition item
    std::vector<uint32_t> m_custom;   // custom colours picked, listed after the palette
    bool m_showing = false;           // the editor is being filled, not edited
    wxString m_refusal;

    wxListBox* m_list = nullptr;
    wxChoice* m_column = nullptr;
    wxChoice* m_condition = nullptr;
    wxChoice* m_against = nullptr;
    wxTextCtrl* m_value = nullptr;
    wxTextCtrl* m_upper = nullptr;
    wxChoice* m_textColour = nullptr;
    wxChoice* m_background = nullptr;
    wxCheckBox* m_bold = nullptr;
    wxCheckBox* m_bar = nullptr;
    wxChoice* m_target = nullptr;
    wxCheckBox* m_allTabs = nullptr;
    wxPanel* m_preview = nullptr;
    wxStaticText* m_previewText = nullptr;
    wxStaticText* m_problem = nullptr;
    wxButtonEx* m_ok = nullptr;
};
