#include "watchlist/WatchlistEditor.h"

#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "kit/BoardOwner.h"
#include "board/Tickerdeck.h"
#include "contract/Host.h"
#include "contract/Theme.h"
#include "controls/wxButtonEx.h"
#include "controls/wxDataViewCtrlEx.h"
#include "controls/wxFlatNotebook.h"
#include "model/TextSearch.h"

namespace {

constexpr int kNameWidth = 240;
constexpr long kViewStyle = wxDV_MULTIPLE | wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxDV_ROW_LINES | wxHSCROLL | wxVSCROLL;

InstrumentCatalogue CatalogueOf(BoardOwner* owner)
{
    Host* host = owner ? owner->BoardHost() : nullptr;
    if (!host)
        return InstrumentCatalogue({}, {});
    return InstrumentCatalogue(host->GetInstruments(), host->GetExchanges());
}

bool AskToDiscard(wxWindow* parent, const wxString& message)
{
    // No is preselected: a stray Enter keeps the composed list.
    wxMessageDialog box(parent, message, parent ? parent->GetLabel() : wxString(),
                        wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
    return box.ShowModal() == wxID_YES;
}

// Any search is specific enough to show every exchange's matches at
// once: one character finds only codes of that letter.
bool ExpandsResults(const wxString& text)
{
    return !text.empty();
}

}  // namespace

wxBEGIN_EVENT_TABLE(WatchlistEditor, ThemedDialog)
    EVT_TEXT(WatchlistEditor::kSearchId, WatchlistEditor::OnSearchText)
    EVT_DATAVIEW_ITEM_ACTIVATED(WatchlistEditor::kCatalogueId, WatchlistEditor::OnCatalogueActivated)
    EVT_DATAVIEW_ITEM_ACTIVATED(WatchlistEditor::kListId, WatchlistEditor::OnListActivated)
    EVT_BUTTON(wxID_OK, WatchlistEditor::OnSave)
    EVT_CLOSE(WatchlistEditor::OnCloseRequest)
wxEND_EVENT_TABLE()

WatchlistEditor::WatchlistEditor(BoardOwner* owner, Tickerdeck& board, wxWindow* parent, const wxString& title,
                                 const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, wxID_ANY, title, pos, size, ParentLock::DisableWhileShown),
      m_board(board),
      m_catalogue(CatalogueOf(owner)),
      m_discardQuestion(AskToDiscard),
      m_catalogueModel(new CatalogueModel),
      m_chosen(new ChosenListModel)
{
    CreateControls();
    m_catalogueModel->Show(m_catalogue.Search(wxString()), false);
}

WatchlistEditor::~WatchlistEditor()
{
    // The views go with the dialog's children; they must let go of the
    // models first, which this object owns.
    m_catalogueView->AssociateModel(nullptr);
    m_listView->AssociateModel(nullptr);
}

void WatchlistEditor::CreateControls()
{
    m_search = new wxSearchCtrl(this, kSearchId);
    m_search->ShowSearchButton(true);
    m_search->ShowCancelButton(false);
    // The key reaches the focused field before the dialog, where Cancel takes Escape.
    m_search->Bind(wxEVT_CHAR_HOOK, &WatchlistEditor::OnSearchKey, this);
    StyleInput(m_search);
    m_catalogueView = MakeView(kCatalogueId);
    m_catalogueView->AssociateModel(m_catalogueModel.get());
    m_catalogueView->AppendTextColumn(_("Code"), CatalogueModel::CodeColumn, wxDATAVIEW_CELL_INERT, 120);
    // Fixed widths: sizing a column to its contents measures every row.
    m_catalogueView->AppendIconTextColumn(_("Name"), CatalogueModel::NameColumn, wxDATAVIEW_CELL_INERT,
                                          kNameWidth, wxALIGN_LEFT,
                                          wxDATAVIEW_COL_RESIZABLE | wxDATAVIEW_COL_REORDERABLE);

    m_searchHint = new wxStaticText(this, wxID_ANY, _("type two characters to search"));
    if (const Theme* theme = GetTheme())
        m_searchHint->SetForegroundColour(theme->LabelTextColour());
    m_searchHint->Hide();

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(m_search, 0, wxEXPAND | wxALL, 2);
    left->Add(m_searchHint, 0, wxLEFT | wxRIGHT, 4);
    left->Add(m_catalogueView, 1, wxEXPAND | wxALL, 2);

    m_nameField = new wxTextCtrl(this, wxID_ANY);
    StyleInput(m_nameField);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    auto* caption = new wxStaticText(this, wxID_ANY, _("Watchlist:"));
    if (const Theme* theme = GetTheme())
        caption->SetForegroundColour(theme->LabelTextColour());
    nameRow->Add(caption, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    nameRow->Add(m_nameField, 1, wxEXPAND | wxALL, 2);

    m_listView = MakeView(kListId);
    m_listView->AssociateModel(m_chosen.get());
    m_listView->AppendTextColumn(_("Exchange"), ChosenListModel::ExchangeColumn, wxDATAVIEW_CELL_INERT, 60);
    m_listView->AppendTextColumn(_("Code"), ChosenListModel::CodeColumn, wxDATAVIEW_CELL_INERT, 70);
    m_listView->AppendIconTextColumn(_("Name"), ChosenListModel::NameColumn, wxDATAVIEW_CELL_INERT,
                                     kNameWidth, wxALIGN_LEFT,
                                     wxDATAVIEW_COL_RESIZABLE | wxDATAVIEW_COL_REORDERABLE);

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(nameRow, 0, wxEXPAND);
    right->Add(m_listView, 1, wxEXPAND | wxALL, 2);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(left, 1, wxEXPAND);
    columns->Add(right, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    wxButtonEx* save = MakeButton(this, wxID_OK, _("Save"));
    save->SetDefault();  // Enter in the name field saves
    buttons->Add(save, 0, wxALL, 5);
    buttons->Add(MakeButton(this, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);

    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(columns, 1, wxEXPAND | wxALL, 5);
    outer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizer(outer);
    Layout();
    Centre();
    m_search->SetFocus();
}

wxDataViewCtrlEx* WatchlistEditor::MakeView(wxWindowID id)
{
    auto* view = new wxDataViewCtrlEx(this, id, wxDefaultPosition, wxDefaultSize, kViewStyle);
    if (const Theme* theme = GetTheme())
    {
        view->SetMarginColour(theme->MarginColour());
        view->SetScrollBarColour(theme->BackgroundColour());
        view->SetTipColour(theme->BackgroundColour());
        view->SetBackgroundColour(theme->CellBackgroundColour());
        view->SetForegroundColour(theme->TextColour());
        view->SetAlternateRowColour(theme->BackgroundColour());
        view->SetRuleColour(theme->GridLineColour());
    }
    return view;
}

void WatchlistEditor::SetFormerName(const wxString& name)
{
    m_formerName = name;
    m_nameField->ChangeValue(name);
}

void WatchlistEditor::SetExcludedNames(const std::vector<wxString>& names)
{
    m_excluded.clear();
    wxArrayString excluded;
    for (const wxString& name : names)
        if (name != m_formerName)
        {
            m_excluded.insert(name);
            excluded.push_back(name);
        }
    wxTextValidator validator(wxFILTER_EXCLUDE_LIST);
    validator.SetExcludes(excluded);
    m_nameField->SetValidator(validator);
}

void WatchlistEditor::Search(const wxString& text)
{
    // One character finds a code of that one letter only; anything more
    // would list most of the catalogue, so the user is told what to type.
    const bool oneCharacter = text.length() == 1;
    if (m_searchHint->IsShown() != oneCharacter)
    {
        m_searchHint->Show(oneCharacter);
        Layout();
    }
    m_catalogueModel->Show(m_catalogue.Search(text), ExpandsResults(text));
}

void WatchlistEditor::ActivateCatalogueRow(unsigned row)
{
    if (m_catalogueModel->Toggle(row))
        return;
    if (m_chosen->Add(m_catalogueModel->InstrumentAt(row)))
        m_listView->Refresh();
}

void WatchlistEditor::ActivateListRow(unsigned row)
{
    m_chosen->RemoveAt(row);
}

// A name is free unless it is empty, another tab's label, or the name of
// another stored watchlist: a second record of one name would make later
// edits of either rewrite the other.
wxString WatchlistEditor::RefusalOf(const wxString& name) const
{
    if (name.empty())
        return _("Watchlist name cannot be empty.");
    if (name == m_formerName)
        return wxString();
    // Only stored names, and names that differ in case alone read as one in
    // every menu; a watchlist may be named like an exchange's tab.
    for (const wxString& excluded : m_excluded)
        if (SameIgnoringCase(excluded, name))
            return _("A watchlist of that name already exists, please choose another name.");
    return wxString();
}

bool WatchlistEditor::Save()
{
    m_newName = TrimmedName(m_nameField->GetValue());
    m_nameError = RefusalOf(m_newName);
    if (!m_nameError.empty())
    {
        ShowRefusal(m_nameField, m_nameError);
        return false;
    }
    m_result = m_chosen->Instruments();
    if (m_saveAction && !m_saveAction())
        return false;
    m_saveAction = nullptr;
    // Saved: nothing is left to ask about.
    Close(true);
    return true;
}

void WatchlistEditor::ShowToSave(SaveAction action)
{
    m_saveAction = std::move(action);
    ShowWithAction(nullptr);
}

void WatchlistEditor::OnSearchText(wxCommandEvent& /*event*/)
{
    Search(m_search->GetValue());
}

void WatchlistEditor::OnCatalogueActivated(wxDataViewEvent& event)
{
    if (event.GetItem().IsOk())
        ActivateCatalogueRow(m_catalogueModel->GetRow(event.GetItem()));
}

void WatchlistEditor::OnListActivated(wxDataViewEvent& event)
{
    if (event.GetItem().IsOk())
        ActivateListRow(m_chosen->GetRow(event.GetItem()));
}

void WatchlistEditor::OnSave(wxCommandEvent& /*event*/)
{
    Save();
}

void WatchlistEditor::OnShownWithAction()
{
    m_shownName = m_nameField->GetValue();
    m_shownInstruments = m_chosen->Instruments();
}

bool WatchlistEditor::HasUnsavedChanges() const
{
    return m_nameField->GetValue() != m_shownName || m_chosen->Instruments() != m_shownInstruments ||
           m_chosen->Unknown().size() != m_shownUnknown;
}

void WatchlistEditor::SetUnknown(std::vector<layout::InstrumentRef> unknown)
{
    m_shownUnknown = unknown.size();
    m_chosen->SetUnknown(std::move(unknown));
}

void WatchlistEditor::OnCloseRequest(wxCloseEvent& event)
{
    // Escape, Cancel and the close box all come here; a list composed with
    // care is not thrown away without a word.
    if (event.CanVeto() && !IsClosing() && HasUnsavedChanges() && m_discardQuestion &&
        !m_discardQuestion(this, _("Discard the changes to this watchlist?")))
    {
        event.Veto();
        return;
    }
    event.Skip();
}

void WatchlistEditor::OnSearchKey(wxKeyEvent& event)
{
    // Escape in a search that holds text clears the search; only the next
    // one goes on to close the editor.
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE && !m_search->IsEmpty())
    {
        m_search->Clear();
        return;
    }
    event.Skip();
}
