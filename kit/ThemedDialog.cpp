#include "kit/ThemedDialog.h"

#include <algorithm>
#include <utility>

#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "kit/BoardOwner.h"
#include "kit/RefusalBalloon.h"
#include "contract/Host.h"
#include "contract/Theme.h"

namespace {

bool AskWithMessageBox(wxWindow* parent, const wxString& message, const wxString& caption)
{
    wxMessageDialog box(parent, message, caption, ThemedDialog::kQuestionStyle);
    return box.ShowModal() == wxID_YES;
}

}  // namespace

wxBEGIN_EVENT_TABLE(ThemedDialog, wxDialog)
    EVT_CLOSE(ThemedDialog::OnClose)
    EVT_BUTTON(wxID_CANCEL, ThemedDialog::OnCancel)
    EVT_CHAR_HOOK(ThemedDialog::OnCharHook)
wxEND_EVENT_TABLE()

ThemedDialog::ThemedDialog(BoardOwner* owner, wxWindow* parent, wxWindowID /*id*/,
                           const wxString& title, const wxPoint& pos, const wxSize& size,
                           ParentLock parentLock, long style)
    : wxDialog(parent, wxID_ANY, title, pos, size, style),
      m_owner(owner),
      m_parentLock(parentLock),
      m_question(AskWithMessageBox)
{
    if (Host* host = GetHost())
        host->AttachDialog(this);
    if (Theme* theme = GetTheme())
        SetBackgroundColour(theme->BackgroundColour());
}

Host* ThemedDialog::GetHost() const
{
    return m_owner ? m_owner->BoardHost() : nullptr;
}

Theme* ThemedDialog::GetTheme() const
{
    Host* host = GetHost();
    return host ? host->GetTheme() : nullptr;
}

void ThemedDialog::ShowWithAction(Action action)
{
    if (m_parentLock == ParentLock::DisableWhileShown && GetParent())
        GetParent()->Enable(false);
    ShowOnScreen();
    // Labels filled while the dialog was hidden may report their size only now.
    GrowToFitContents();
    confirmAction = std::move(action);
    OnShownWithAction();
}

void ThemedDialog::ConfirmAndClose()
{
    if (m_closing)
        return;
    // Moved out first: the action may lead to this dialog being closed.
    Action action = std::move(confirmAction);
    confirmAction = nullptr;
    if (action)
        action();
    Close();
}

void ThemedDialog::OnClose(wxCloseEvent& /*event*/)
{
    if (m_closing)
        return;
    m_closing = true;
    confirmAction = nullptr;
    if (m_parentLock != ParentLock::Untouched && GetParent())
        GetParent()->Enable(true);
    if (Action handler = std::move(m_closeHandler))
        handler();
    OnClosing();
    SetReturnCode(wxID_CANCEL);
    EndDialog(wxID_CANCEL);
    Destroy();
}

void ThemedDialog::OnCancel(wxCommandEvent& /*event*/)
{
    Close();
}

void ThemedDialog::OnCharHook(wxKeyEvent& event)
{
    // Dialogs without a Cancel button close on Escape too; those with one
    // get the key through that button first.
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE)
        Close();
    else
        event.Skip();
}

void ThemedDialog::StyleButton(wxButtonEx* button) const
{
    const Theme* theme = GetTheme();
    if (!theme)
        return;
    button->SetBackgroundColour(theme->BackgroundColour());
    button->SetNormalColour(theme->ButtonColour());
    button->SetBorderColour(theme->BorderColour());
    button->SetFocusedColour(theme->SelectionColour());
    button->SetTextColour(theme->TextColour());
    button->SetDisabledTextColour(theme->LabelTextColour());
}

void ThemedDialog::ShowRefusal(wxWindow* field, const wxString& message) const
{
    RefusalBalloon* balloon = nullptr;
    for (wxWindow* child : field->GetChildren())
        if (auto* earlier = dynamic_cast<RefusalBalloon*>(child))
            balloon = earlier;
    if (!balloon)
        balloon = new RefusalBalloon(field, GetTheme());
    balloon->ShowMessage(message);
}

wxButtonEx* ThemedDialog::MakeButton(wxWindow* parent, wxWindowID id, const wxString& label,
                                     const wxSize& size) const
{
    auto* button = new wxButtonEx(parent, id, label, wxDefaultPosition, size);
    StyleButton(button);
    return button;
}

ThemedDialog::OkCancelRow ThemedDialog::MakeOkCancelRow()
{
    OkCancelRow row{new wxBoxSizer(wxHORIZONTAL), MakeButton(this, wxID_OK, _("OK")),
                    MakeButton(this, wxID_CANCEL, _("Cancel"))};
    row.ok->Enable(false);
    row.ok->SetDefault();
    row.sizer->Add(row.ok, 0, wxALL, 5);
    row.sizer->Add(row.cancel, 0, wxALL, 5);
    return row;
}

wxStaticLineEx* ThemedDialog::MakeLine(wxWindow* parent) const
{
    auto* line = new wxStaticLineEx(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    if (const Theme* theme = GetTheme())
        line->SetBackgroundColour(theme->BorderColour());
    return line;
}

wxStaticText* ThemedDialog::MakeCaption(wxWindow* parent, const wxString& text, int width) const
{
    auto* caption = new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxSize(width, -1),
                                     wxST_NO_AUTORESIZE);
    caption->Wrap(-1);
    if (const Theme* theme = GetTheme())
        caption->SetForegroundColour(theme->LabelTextColour());
    return caption;
}

int ThemedDialog::CaptionWidth(std::initializer_list<wxString> captions, int least) const
{
    constexpr int kMargin = 4;
    int width = least;
    for (const wxString& caption : captions)
        width = std::max(width, GetTextExtent(caption).x + kMargin);
    return width;
}

void ThemedDialog::StyleInput(wxWindow* input) const
{
    if (const Theme* theme = GetTheme())
    {
        input->SetBackgroundColour(theme->CellBackgroundColour());
        input->SetForegroundColour(theme->TextColour());
    }
}

void ThemedDialog::FitNoNarrowerThan(int width)
{
    Fit();
    if (GetSize().x < width)
        SetSize(wxSize(width, GetSize().y));
    Layout();
}

wxStaticText* ThemedDialog::MakeValueLabel(wxWindow* parent) const
{
    auto* label = new wxStaticText(parent, wxID_ANY, wxString());
    if (const Theme* theme = GetTheme())
        label->SetForegroundColour(theme->TextColour());
    return label;
}

void ThemedDialog::GrowToFitContents()
{
    wxSizer* sizer = GetSizer();
    if (!sizer)
        return;
    const wxSize needed = sizer->ComputeFittingWindowSize(this);
    const wxSize current = GetSize();
    if (needed.x > current.x || needed.y > current.y)
        SetSize(wxSize(std::max(needed.x, current.x), std::max(needed.y, current.y)));
    Layout();
}

bool ThemedDialog::AskYesNo(const wxString& message, const wxString& caption)
{
    return m_question && m_question(this, message, caption);
}

void ThemedDialog::CloseOrphaned()
{
    if (IsClosing())
        return;
    DropConfirmAction();
    SetCloseHandler(nullptr);
    wxWindow* parent = GetParent();
    if (parent && parent->IsBeingDeleted())
        return;
    Close(true);
}
