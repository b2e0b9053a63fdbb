#pragma once
// The dialog that saves, applies, renames and deletes a board's column sets.

#include <functional>
#include <string>

#include "kit/ThemedDialog.h"
#include "layout/LayoutEntries.h"

class wxListBox;
class wxTextCtrl;

/// A name field over the list of the board's sets, and a button per command.
/// It works on the board's sets directly: each button is done at once.
class ColumnSetsDialog : public ThemedDialog
{
public:
    /// What the buttons do with a set, for the feature to carry out.
    enum class Use
    {
        ThisTab,
        AllTabs
    };
    struct Actions
    {
        std::function<layout::ColumnSet(const std::string& name)> saveCurrent;  // the current tab as a set
        std::function<void(const layout::ColumnSet&, Use)> apply;
    };

    ColumnSetsDialog(BoardOwner* owner, wxWindow* parent, layout::ColumnSets& sets, Actions actions);

    wxTextCtrl* GetNameField() const { return m_name; }
    wxListBox* GetList() const { return m_list; }

    /// The buttons' commands; false, with the reason on the name field or
    /// the list, when they cannot be done.
    bool SaveCurrent();
    bool Apply(Use use);
    bool ToggleForNewTabs();
    bool Rename();
    bool Delete();

private:
    void RefreshList(const std::string& choose);
    const layout::ColumnSet* Chosen() const;
    /// The name typed, trimmed; refused on the field when empty.
    bool TypedName(std::string* name);

    layout::ColumnSets& m_sets;
    Actions m_actions;
    wxTextCtrl* m_name = nullptr;
    wxListBox* m_list = nullptr;
};
