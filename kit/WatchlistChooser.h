#pragma once
// A searchable list of watchlist names, for menus that cannot show them all.

#include <functional>
#include <vector>

#include <wx/string.h>

#include "kit/ThemedDialog.h"

class BoardOwner;
class wxListBox;
class wxTextCtrl;

/// Themed dialog listing watchlist names under a search field; OK or a
/// double-click on a name chooses it.
class WatchlistChooser : public ThemedDialog
{
public:
    WatchlistChooser(BoardOwner* owner, wxWindow* parent, const wxString& title, std::vector<wxString> names);

    /// Lists the names containing `text`, letters compared without case.
    void ShowMatches(const wxString& text);
    /// The selected name, or empty.
    wxString GetChosen() const;

    wxTextCtrl* GetSearchField() const { return m_search; }
    wxListBox* GetList() const { return m_list; }

private:
    void OnSearchText(wxCommandEvent& event);
    void OnChoose(wxCommandEvent& event);

    std::vector<wxString> m_names;
    wxTextCtrl* m_search = nullptr;
    wxListBox* m_list = nullptr;

    wxDECLARE_EVENT_TABLE();
};

/// Opens a chooser over `names` with `parent` disabled meanwhile; calls
/// `onChosen` with the name the user picks, not at all when it is cancelled.
void ChooseWatchlist(BoardOwner* owner, wxWindow* parent, const wxString& title,
                     std::vector<wxString> names, std::function<void(const wxString&)> onChosen);
