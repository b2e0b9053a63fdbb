#include "alert/AlertManager.h"

#include <cstdint>

#include <wx/intl.h>
#include <wx/sizer.h>

#include "alert/AlertIcon.h"
#include "kit/PngFile.h"
#include "controls/wxBitmapButtonEx.h"
#include "controls/wxButtonEx.h"
#include "controls/wxDataViewCtrlEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"

namespace {

/// Horizontal and vertical rules, row lines, no border, both scroll bars.
constexpr long kListStyle = wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxDV_ROW_LINES | wxBORDER_NONE | wxHSCROLL | wxVSCROLL;
static_assert(static_cast<uint32_t>(kListStyle) == 0xc020001c, "the alert list's style changed with the toolkit");

}  // namespace

wxBEGIN_EVENT_TABLE(AlertManager, ThemedDialog)
    EVT_BUTTON(wxID_OK, AlertManager::OnOk)
    EVT_DATAVIEW_SELECTION_CHANGED(AlertManager::kListId, AlertManager::OnSelectionChanged)
wxEND_EVENT_TABLE()

AlertManager::AlertManager(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                           const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::EnableOnClose),
      m_model(new AlertModel)
{
    SetIcon(AlertIcon());
    auto* outer = new wxBoxSizer(wxVERTICAL);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    CreateList();
    body->Add(m_list, 1, wxEXPAND | wxALL, 5);
    body->Add(MakeSideButtons(), 0, wxEXPAND | wxALL, 5);
    outer->Add(body, 1, wxEXPAND | wxALL, 5);

    outer->Add(MakeLine(this), 0, wxEXPAND | wxALL, 2);
    outer->Add(MakeButtonRow(), 0, wxALIGN_RIGHT | wxALL, 10);

    // The dialog keeps the size it was given.
    SetSizer(outer);
    Layout();
    Centre();
    m_editButton->Bind(wxEVT_BUTTON, &AlertManager::OnEdit, this);
    m_removeButton->Bind(wxEVT_BUTTON, &AlertManager::OnRemove, this);
}

void AlertManager::CreateList()
{
    m_list = new wxDataViewCtrlEx(this, kListId, wxDefaultPosition, wxDefaultSize, kListStyle);
    m_list->AssociateModel(m_model.get());
    m_list->AppendTextColumn(_("Instrument"), AlertModel::InstrumentColumn, wxDATAVIEW_CELL_INERT, 220,
                             wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE);
    m_list->AppendTextColumn(_("Condition"), AlertModel::ConditionColumn, wxDATAVIEW_CELL_INERT, 120,
                             static_cast<wxAlignment>(wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL),
                             wxDATAVIEW_COL_RESIZABLE);
    m_list->AppendTextColumn(_("Remark"), AlertModel::RemarkColumn, wxDATAVIEW_CELL_INERT, wxCOL_WIDTH_DEFAULT,
                             wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE);
    // Colours last: the header takes them only from columns that exist.
    if (const Theme* theme = GetTheme())
    {
        m_list->SetMarginColour(theme->MarginColour());
        m_list->SetScrollBarColour(theme->BackgroundColour());
        m_list->SetTipColour(theme->BackgroundColour());
        m_list->SetBackgroundColour(theme->CellBackgroundColour());
        m_list->SetForegroundColour(theme->TextColour());
        m_list->SetRuleColour(theme->GridLineColour());
    }
}

wxSizer* AlertManager::MakeSideButtons()
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->AddSpacer(25);
    m_editButton = new wxBitmapButtonEx(this, wxID_EDIT, LoadPngOrBlank("./icon/edit.png"));
    m_removeButton = new wxBitmapButtonEx(this, wxID_REMOVE, LoadPngOrBlank("./icon/remove.png"));
    for (wxBitmapButtonEx* button : {m_editButton, m_removeButton})
    {
        StyleButton(button);
        button->Enable(false);
        column->Add(button, 0, wxEXPAND | wxALL, 2);
    }
    return column;
}

wxSizer* AlertManager::MakeButtonRow()
{
    const OkCancelRow row = MakeOkCancelRow();
    m_ok = row.ok;
    row.cancel->SetFocus();
    return row.sizer;
}

void AlertManager::SetAlerts(const PriceAlertMap& alerts)
{
    for (const auto& [instrument, alert] : alerts)
        if (alert)
            m_model->Append(alert.get());
}

void AlertManager::ApplyChanges(PriceAlertMap& alerts)
{
    for (const auto& [instrument, staged] : m_staged)
    {
        // An instrument whose alert went meanwhile is skipped.
        const auto entry = alerts.find(instrument);
        if (entry != alerts.end() && entry->second.get() == staged)
            alerts.erase(entry);
    }
    m_staged.clear();
}

void AlertManager::OnClosing()
{
    // A closed list lives on until the next idle time and may still be
    // asked to draw its rows; by then their alerts may be gone.
    m_model->Clear();
    m_staged.clear();
    m_editedAlert = nullptr;
}

void AlertManager::ForgetAlert(const PriceAlert* alert)
{
    const int row = m_model->RowOf(alert);
    if (row >= 0)
        m_model->RemoveRow(static_cast<unsigned int>(row));
    for (auto staged = m_staged.begin(); staged != m_staged.end();)
        staged = staged->second == alert ? m_staged.erase(staged) : std::next(staged);
    if (m_editedAlert == alert)
    {
        m_editedAlert = nullptr;
        if (m_editDialog)
            m_editDialog->Close(true);
    }
    UpdateRowButtons();
}

int AlertManager::SelectedRow() const
{
    const wxDataViewItem item = m_list->GetSelection();
    if (!item.IsOk())
        return -1;
    const unsigned int row = m_model->GetRow(item);
    return row < m_model->GetCount() ? static_cast<int>(row) : -1;
}

void AlertManager::UpdateRowButtons()
{
    const bool selected = SelectedRow() >= 0;
    m_editButton->Enable(selected);
    m_removeButton->Enable(selected);
    m_editButton->Refresh();
    m_removeButton->Refresh();
}

void AlertManager::EditSelected()
{
    const int row = SelectedRow();
    PriceAlert* alert = row >= 0 ? m_model->AlertAt(static_cast<unsigned int>(row)) : nullptr;
    if (!alert)
        return;
    auto* dialog = new PriceAlertSetup(GetOwner(), this, wxID_ANY, _("Edit Alert"), wxDefaultPosition,
                                       wxSize(340, 240));
    m_editDialog = dialog;
    m_editedAlert = alert;
    dialog->SetAlert(*alert);
    dialog->ShowWithAction([this, dialog] {
        // The record is live: the edit counts at once, whatever the list's
        // OK or Cancel does later.
        if (!m_editedAlert)
            return;
        dialog->GetAlert(*m_editedAlert);
        const int edited = m_model->RowOf(m_editedAlert);
        if (edited >= 0)
            m_model->RowChanged(static_cast<unsigned int>(edited));
        m_list->Refresh();
    });
}

void AlertManager::DeleteSelected()
{
    const int row = SelectedRow();
    PriceAlert* alert = row >= 0 ? m_model->AlertAt(static_cast<unsigned int>(row)) : nullptr;
    if (!alert)
        return;
    if (!AskYesNo(_("Delete the selected alert?"), _("Delete Alert")))
        return;
    m_staged[alert->instrument] = alert;
    m_model->RemoveRow(static_cast<unsigned int>(row));
    m_list->Refresh();
    m_ok->Enable(true);
    m_ok->Refresh();
    UpdateRowButtons();
}

void AlertManager::OnSelectionChanged(wxDataViewEvent& /*event*/)
{
    UpdateRowButtons();
}

void AlertManager::OnEdit(wxCommandEvent& /*event*/)
{
    EditSelected();
}

void AlertManager::OnRemove(wxCommandEvent& /*event*/)
{
    DeleteSelected();
}

void AlertManager::OnOk(wxCommandEvent& /*event*/)
{
    ConfirmAndClose();
}
