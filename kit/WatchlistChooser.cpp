#include "kit/WatchlistChooser.h"

#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "model/TextSearch.h"

namespace {

constexpr int kSearchId = wxID_HIGHEST + 1;
constexpr int kListId = wxID_HIGHEST + 2;

}  // namespace

wxBEGIN_EVENT_TABLE(WatchlistChooser, ThemedDialog)
    EVT_TEXT(kSearchId, WatchlistChooser::OnSearchText)
    EVT_LISTBOX_DCLICK(kListId, WatchlistChooser::OnChoose)
    EVT_BUTTON(wxID_OK, WatchlistChooser::OnChoose)
wxEND_EVENT_TABLE()

WatchlistChooser::WatchlistChooser(BoardOwner* owner, wxWindow* parent, const wxString& title,
                                   std::vector<wxString> names)
    : ThemedDialog(owner, parent, wxID_ANY, title, wxDefaultPosition, wxSize(320, 420),
                   ParentLock::DisableWhileShown),
      m_names(std::move(names))
{
    auto* outer = new wxBoxSizer(wxVERTICAL);
    m_search = new wxTextCtrl(this, kSearchId);
    m_search->SetHint(_("Search"));
    StyleInput(m_search);
    outer->Add(m_search, 0, wxEXPAND | wxALL, 5);

    m_list = new wxListBox(this, kListId, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    StyleInput(m_list);
    outer->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);

    outer->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    wxButtonEx* ok = MakeButton(this, wxID_OK, _("OK"));
    ok->SetDefault();  // Enter in the search field takes the first match
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(MakeButton(this, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);
    outer->Add(buttons, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 5);

    SetSizer(outer);
    Layout();
    Centre();
    ShowMatches(wxString());
    m_search->SetFocus();
}

void WatchlistChooser::ShowMatches(const wxString& text)
{
    wxArrayString shown;
    for (const wxString& name : m_names)
        if (ContainsIgnoringCase(name, text))
            shown.push_back(name);
    m_list->Set(shown);
    if (!shown.empty())
        m_list->SetSelection(0);
}

wxString WatchlistChooser::GetChosen() const
{
    const int selected = m_list->GetSelection();
    return selected == wxNOT_FOUND ? wxString() : m_list->GetString(static_cast<unsigned>(selected));
}

void WatchlistChooser::OnSearchText(wxCommandEvent& /*event*/)
{
    ShowMatches(m_search->GetValue());
}

void WatchlistChooser::OnChoose(wxCommandEvent& /*event*/)
{
    // Nothing chosen leaves the dialog open for another try.
    if (!GetChosen().empty())
        ConfirmAndClose();
}

void ChooseWatchlist(BoardOwner* owner, wxWindow* parent, const wxString& title,
                     std::vector<wxString> names, std::function<void(const wxString&)> onChosen)
{
    auto* chooser = new WatchlistChooser(owner, parent, title, std::move(names));
    chooser->ShowWithAction([chooser, onChosen = std::move(onChosen)] {
        if (onChosen)
            onChosen(chooser->GetChosen());
    });
}
