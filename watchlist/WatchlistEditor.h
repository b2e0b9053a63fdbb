#pragma once
// The dialog in which a user composes a watchlist from the host's catalogue.

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include <wx/dataview.h>

#include "kit/ThemedDialog.h"
#include "contract/Records.h"
#include "watchlist/EditorModels.h"
#include "watchlist/InstrumentCatalogue.h"

class Tickerdeck;
class wxDataViewCtrlEx;
class wxSearchCtrl;
class wxTextCtrl;

/// The catalogue tree with its search on the left, the name field and the
/// chosen instruments on the right; Save checks the name and runs the
/// opener's action, which reads the result.
class WatchlistEditor : public ThemedDialog
{
public:
    static constexpr int kSearchId = 7160;
    static constexpr int kCatalogueId = 7162;
    static constexpr int kListId = 7163;

    /// Stores what Save hands over; false keeps the editor open (the
    /// action has told the user why).
    using SaveAction = std::function<bool()>;
    /// Asks whether to throw away what the user composed; true for Yes.
    using DiscardQuestion = std::function<bool(wxWindow* parent, const wxString& message)>;

    WatchlistEditor(BoardOwner* owner, Tickerdeck& board, wxWindow* parent, const wxString& title,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(700, 400));
    ~WatchlistEditor() override;

    /// The watchlist's name before editing; empty for a new one.
    void SetFormerName(const wxString& name);
    const wxString& GetFormerName() const { return m_formerName; }
    /// Names Save refuses besides the open tabs' labels: the stored
    /// watchlists other than this one.
    void SetExcludedNames(const std::vector<wxString>& names);
    void SetInstruments(std::vector<Instrument*> instruments) { m_chosen->Assign(std::move(instruments)); }
    /// Lists entries the host does not know today after the instruments.
    void SetUnknown(std::vector<layout::InstrumentRef> unknown);

    /// Filters the catalogue as typing `text` into the search field does.
    void Search(const wxString& text);
    /// Activating a catalogue row: an exchange opens or closes, an
    /// instrument joins the list.
    void ActivateCatalogueRow(unsigned row);
    /// Activating a list row takes its instrument out.
    void ActivateListRow(unsigned row);
    /// Shows the editor; Save runs `action` with the result in place.
    void ShowToSave(SaveAction action);
    /// Checks the name and, when it is free, runs the save action and
    /// closes. Returns false when the name was refused or the action failed.
    bool Save();

    const wxString& GetNewName() const { return m_newName; }
    const std::vector<Instrument*>& GetResult() const { return m_result; }
    /// Why Save refused the name last; empty when it did not.
    const wxString& GetNameError() const { return m_nameError; }
    /// True when the name or the list differs from what the editor was shown with.
    bool HasUnsavedChanges() const;
    /// Replaces the question box asked before changes are discarded (tests answer).
    void SetDiscardQuestion(DiscardQuestion question) { m_discardQuestion = std::move(question); }

    wxTextCtrl* GetNameField() const { return m_nameField; }
    wxSearchCtrl* GetSearchField() const { return m_search; }
    wxStaticText* GetSearchHint() const { return m_searchHint; }
    const CatalogueModel& GetCatalogueModel() const { return *m_catalogueModel; }
    const ChosenListModel& GetListModel() const { return *m_chosen; }

protected:
    void OnClosing() override { m_saveAction = nullptr; }
    void OnShownWithAction() override;

private:
    void CreateControls();
    wxDataViewCtrlEx* MakeView(wxWindowID id);
    wxString RefusalOf(const wxString& name) const;

    void OnSearchText(wxCommandEvent& event);
    void OnCatalogueActivated(wxDataViewEvent& event);
    void OnListActivated(wxDataViewEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnCloseRequest(wxCloseEvent& event);
    void OnSearchKey(wxKeyEvent& event);

    Tickerdeck& m_board;
    InstrumentCatalogue m_catalogue;
    wxString m_formerName;
    wxString m_newName;
    std::vector<Instrument*> m_result;
    SaveAction m_saveAction;
    std::set<wxString> m_excluded;
    wxString m_nameError;
    // What the editor was shown with; closing it otherwise asks first.
    wxString m_shownName;
    std::vector<Instrument*> m_shownInstruments;
    std::size_t m_shownUnknown = 0;
    DiscardQuestion m_discardQuestion;
    wxObjectDataPtr<CatalogueModel> m_catalogueModel;
    wxObjectDataPtr<ChosenListModel> m_chosen;
    wxTextCtrl* m_nameField = nullptr;
    wxSearchCtrl* m_search = nullptr;
    wxStaticText* m_searchHint = nullptr; // shown while the search holds one character
    wxDataViewCtrlEx* m_catalogueView = nullptr;
    wxDataViewCtrlEx* m_listView = nullptr;

    wxDECLARE_EVENT_TABLE();
};
