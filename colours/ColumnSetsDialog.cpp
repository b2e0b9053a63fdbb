#include "colours/ColumnSetsDialog.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statline.h>
#include <wx/textctrl.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "layout/TreeValues.h"

ColumnSetsDialog::ColumnSetsDialog(BoardOwner* owner, wxWindow* parent, layout::ColumnSets& sets, Actions actions)
    : ThemedDialog(owner, parent, wxID_ANY, _("Column Sets"), wxDefaultPosition, wxSize(460, 320),
                   ParentLock::EnableOnClose),
      m_sets(sets), m_actions(std::move(actions))
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    nameRow->Add(MakeCaption(this, _("Name"), 60), 0, wxALIGN_CENTER_VERTICAL);
    m_name = new wxTextCtrl(this, wxID_ANY);
    StyleInput(m_name);
    nameRow->Add(m_name, 1, wxEXPAND);
    main->Add(nameRow, 0, wxEXPAND | wxALL, 8);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    m_list = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(220, 180));
    StyleInput(m_list);
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
        if (const layout::ColumnSet* set = Chosen())
            m_name->ChangeValue(layout::ShownName(set->name));
    });
    body->Add(m_list, 1, wxEXPAND | wxRIGHT, 8);
    auto* buttons = new wxBoxSizer(wxVERTICAL);
    const auto add = [this, buttons](const wxString& label, const wxString& tip, std::function<void()> act) {
        wxButtonEx* button = MakeButton(this, wxID_ANY, label);
        button->SetToolTip(tip);
        button->Bind(wxEVT_BUTTON, [act](wxCommandEvent&) { act(); });
        buttons->Add(button, 0, wxEXPAND | wxBOTTOM, 4);
    };
    add(_("Save Current Tab"), _("Keep this tab's columns, widths, sort and colour rules under the name"),
        [this] { SaveCurrent(); });
    add(_("Apply to This Tab"), _("Put the chosen set on the current tab"), [this] { Apply(Use::ThisTab); });
    add(_("Apply to All Tabs"), _("Put the chosen set on every tab of this board"), [this] { Apply(Use::AllTabs); });
    add(_("Use for New Tabs"), _("New tabs open with the chosen set; again to stop"), [this] { ToggleForNewTabs(); });
    add(_("Rename"), _("Give the chosen set the name typed above"), [this] { Rename(); });
    add(_("Delete"), _("Delete the chosen set"), [this] { Delete(); });
    body->Add(buttons, 0);
    main->Add(body, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
    main->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    main->Add(MakeButton(this, wxID_CANCEL, _("Close")), 0, wxALIGN_RIGHT | wxALL, 5);
    SetSizer(main);
    FitNoNarrowerThan(460);
    Centre();
    RefreshList(m_sets.sets.empty() ? std::string() : m_sets.sets.front().name);
}

void ColumnSetsDialog::RefreshList(const std::string& choose)
{
    m_list->Clear();
    for (const layout::ColumnSet& set : m_sets.sets)
    {
        const wxString name = layout::ShownName(set.name);
        m_list->Append(set.name == m_sets.forNewTabs ? wxString::Format(_("%s (new tabs)"), name) : name);
        if (set.name == choose)
            m_list->SetSelection(static_cast<int>(m_list->GetCount()) - 1);
    }
}

const layout::ColumnSet* ColumnSetsDialog::Chosen() const
{
    const int at = m_list->GetSelection();
    return at >= 0 && static_cast<size_t>(at) < m_sets.sets.size() ? &m_sets.sets[static_cast<size_t>(at)] : nullptr;
}

bool ColumnSetsDialog::TypedName(std::string* name)
{
    wxString typed = m_name->GetValue();
    typed.Trim().Trim(false);
    if (typed.empty())
    {
        ShowRefusal(m_name, _("Type a name for the set"));
        return false;
    }
    *name = layout::ToTreeText(typed);
    return true;
}

bool ColumnSetsDialog::SaveCurrent()
{
    std::string name;
    if (!TypedName(&name) || !m_actions.saveCurrent)
        return false;
    layout::ColumnSet set = m_actions.saveCurrent(name);
    // Saving under a name in use replaces that set, where it stands.
    const auto same = std::find_if(m_sets.sets.begin(), m_sets.sets.end(),
                                   [&name](const layout::ColumnSet& each) { return each.name == name; });
    if (same != m_sets.sets.end())
        *same = std::move(set);
    else
        m_sets.sets.push_back(std::move(set));
    RefreshList(name);
    return true;
}

bool ColumnSetsDialog::Apply(Use use)
{
    const layout::ColumnSet* set = Chosen();
    if (!set)
    {
        ShowRefusal(m_list, _("Choose a set first"));
        return false;
    }
    if (m_actions.apply)
        m_actions.apply(*set, use);
    return true;
}

bool ColumnSetsDialog::ToggleForNewTabs()
{
    const layout::ColumnSet* set = Chosen();
    if (!set)
    {
        ShowRefusal(m_list, _("Choose a set first"));
        return false;
    }
    const std::string name = set->name;
    m_sets.forNewTabs = m_sets.forNewTabs == name ? std::string() : name;
    RefreshList(name);
    return true;
}

bool ColumnSetsDialog::Rename()
{
    const layout::ColumnSet* set = Chosen();
    std::string name;
    if (!set)
    {
        ShowRefusal(m_list, _("Choose a set first"));
        return false;
    }
    if (!TypedName(&name))
        return false;
    if (name == set->name)
        return true;
    if (m_sets.Find(name))
    {
        ShowRefusal(m_name, _("A set of this name exists: delete it first"));
        return false;
    }
    const size_t at = static_cast<size_t>(set - m_sets.sets.data());
    if (m_sets.forNewTabs == m_sets.sets[at].name)
        m_sets.forNewTabs = name;
    m_sets.sets[at].name = name;
    RefreshList(name);
    return true;
}

bool ColumnSetsDialog::Delete()
{
    const layout::ColumnSet* set = Chosen();
    if (!set)
    {
        ShowRefusal(m_list, _("Choose a set first"));
        return false;
    }
    if (!AskYesNo(wxString::Format(_("Delete the column set \"%s\"?"), layout::ShownName(set->name)),
                  _("Delete Column Set")))
        return false;
    if (m_sets.forNewTabs == set->name)
        m_sets.forNewTabs.clear();
    m_sets.sets.erase(m_sets.sets.begin() + (set - m_sets.sets.data()));
    RefreshList(m_sets.sets.empty() ? std::string() : m_sets.sets.front().name);
    return true;
}
