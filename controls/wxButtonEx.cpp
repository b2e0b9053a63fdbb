#include "wxButtonEx.h"

#include <algorithm>

#include <wx/dataview.h>
#include <wx/dcbuffer.h>
#include <wx/dialog.h>
#include <wx/settings.h>
#include <wx/srchctrl.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

wxIMPLEMENT_CLASS(wxButtonEx, wxControl);

namespace {

constexpr int kMinWidth = 75;
constexpr int kMinHeight = 25;
constexpr int kHorizontalMargin = 12;
constexpr int kVerticalMargin = 6;
// Gap between the face's edge and the focus ring inside it.
constexpr int kFocusRingInset = 3;

bool IsEnterKey(int keyCode)
{
    return keyCode == WXK_RETURN || keyCode == WXK_NUMPAD_ENTER;
}

// wxDynamicCast downcasts before it checks, which the undefined-behaviour
// sanitizer rightly rejects; ask the class info first instead.
template <typename T>
T* AsKind(wxWindow* window)
{
    return window && window->IsKindOf(wxCLASSINFO(T)) ? static_cast<T*>(window) : nullptr;
}

bool IsSpaceKey(int keyCode)
{
    return keyCode == WXK_SPACE || keyCode == WXK_NUMPAD_SPACE;
}

}  // namespace

wxButtonEx::wxButtonEx(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style, const wxValidator& validator,
                       const wxString& name)
    : wxControl(parent, id, pos, size, style | wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE, validator,
                name),
      m_normalColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)),
      m_borderColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)),
      m_focusedColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)),
      m_textColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)),
      m_disabledTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(label);
    SetInitialSize(size);

    Bind(wxEVT_PAINT, &wxButtonEx::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &wxButtonEx::OnEraseBackground, this);
    Bind(wxEVT_LEFT_DOWN, &wxButtonEx::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &wxButtonEx::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &wxButtonEx::OnLeftUp, this);
    Bind(wxEVT_MOTION, &wxButtonEx::OnMotion, this);
    Bind(wxEVT_ENTER_WINDOW, &wxButtonEx::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &wxButtonEx::OnLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &wxButtonEx::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &wxButtonEx::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &wxButtonEx::OnKeyUp, this);
    Bind(wxEVT_SET_FOCUS, &wxButtonEx::OnFocusChange, this);
    Bind(wxEVT_KILL_FOCUS, &wxButtonEx::OnFocusChange, this);
    BindTopLevelKeys();
}

wxButtonEx::~wxButtonEx()
{
    if (HasCapture())
        ReleaseMouse();
    UnbindTopLevelKeys();
}

void wxButtonEx::BindTopLevelKeys()
{
    // Escape and Enter are seen first by the top-level window's char hook; a
    // dialog only forwards them to native buttons, so we listen there ourselves.
    m_topLevel = AsKind<wxTopLevelWindow>(wxGetTopLevelParent(this));
    if (m_topLevel)
        m_topLevel->Bind(wxEVT_CHAR_HOOK, &wxButtonEx::OnTopLevelCharHook, this);
}

void wxButtonEx::UnbindTopLevelKeys()
{
    if (m_topLevel)
        m_topLevel->Unbind(wxEVT_CHAR_HOOK, &wxButtonEx::OnTopLevelCharHook, this);
    m_topLevel = nullptr;
}

void wxButtonEx::SetNormalColour(const wxColour& colour)
{
    m_normalColour = colour;
    Refresh();
}

wxColour wxButtonEx::GetNormalColour() const
{
    return m_normalColour;
}

void wxButtonEx::SetBorderColour(const wxColour& colour)
{
    m_borderColour = colour;
    Refresh();
}

wxColour wxButtonEx::GetBorderColour() const
{
    return m_borderColour;
}

void wxButtonEx::SetFocusedColour(const wxColour& colour)
{
    m_focusedColour = colour;
    Refresh();
}

wxColour wxButtonEx::GetFocusedColour() const
{
    return m_focusedColour;
}

void wxButtonEx::SetTextColour(const wxColour& colour)
{
    m_textColour = colour;
    Refresh();
}

wxColour wxButtonEx::GetTextColour() const
{
    return m_textColour;
}

void wxButtonEx::SetDisabledTextColour(const wxColour& colour)
{
    m_disabledTextColour = colour;
    Refresh();
}

wxColour wxButtonEx::GetDisabledTextColour() const
{
    return m_disabledTextColour;
}

void wxButtonEx::SetDefault()
{
    if (m_topLevel)
    {
        // Only one default per window: the previous one loses the role.
        if (auto* previous = AsKind<wxButtonEx>(m_topLevel->GetDefaultItem()))
            if (previous != this)
            {
                previous->m_isDefault = false;
                previous->Refresh();
            }
        m_topLevel->SetDefaultItem(this);
    }
    m_isDefault = true;
    Refresh();
}

bool wxButtonEx::IsDefault() const
{
    return m_isDefault;
}

bool wxButtonEx::Click()
{
    if (!IsEnabled())
        return false;
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    event.SetString(GetLabelText());
    ProcessWindowEvent(event);
    return true;
}

void wxButtonEx::SetLabel(const wxString& label)
{
    if (label == GetLabel())
        return;
    wxControl::SetLabel(label);
    InvalidateBestSize();
    Refresh();
}

wxSize wxButtonEx::DoGetBestSize() const
{
    wxClientDC dc(const_cast<wxButtonEx*>(this));
    dc.SetFont(GetFont());
    wxCoord width = 0;
    wxCoord height = 0;
    dc.GetMultiLineTextExtent(GetLabelText(), &width, &height);
    return wxSize(std::max(kMinWidth, width + 2 * kHorizontalMargin),
                  std::max(kMinHeight, height + 2 * kVerticalMargin));
}

wxColour wxButtonEx::CurrentTextColour() const
{
    return IsEnabled() ? m_textColour : m_disabledTextColour;
}

void wxButtonEx::DoEnable(bool enable)
{
    wxControl::DoEnable(enable);
    if (!enable)
    {
        m_pressed = false;
        m_spaceDown = false;
        if (HasCapture())
            ReleaseMouse();
    }
    Refresh();
}

bool wxButtonEx::IsEscapeButton() const
{
    const auto* dialog = AsKind<wxDialog>(m_topLevel);
    if (!dialog)
        return false;
    const int escapeId = dialog->GetEscapeId();
    if (escapeId == wxID_NONE)
        return false;
    return GetId() == (escapeId == wxID_ANY ? wxID_CANCEL : escapeId);
}

bool wxButtonEx::UsesEnter(wxWindow* typedIn)
{
    if (!typedIn)
        return false;
    if (AsKind<wxButtonEx>(typedIn))
        return true;  // a focused button activates itself
    if (AsKind<wxSearchCtrl>(typedIn))
        return true;  // Enter starts the search
    if (const auto* text = AsKind<wxTextCtrl>(typedIn))
        return text->IsMultiLine() || text->HasFlag(wxTE_PROCESS_ENTER);
    // A data view activates its row on Enter; the key may come from the
    // window inside it that draws the rows.
    for (wxWindow* window = typedIn; window && !window->IsTopLevel(); window = window->GetParent())
        if (AsKind<wxDataViewCtrl>(window))
            return true;
    return typedIn->HasFlag(wxWANTS_CHARS);
}

void wxButtonEx::OnTopLevelCharHook(wxKeyEvent& event)
{
    event.Skip();
    if (!IsShownOnScreen() || !IsEnabled())
        return;
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE && IsEscapeButton())
    {
        event.Skip(false);
        Click();
    }
    else if (IsEnterKey(key) && m_isDefault)
    {
        // The hook travels up from the window the key was typed in.
        wxObject* source = event.GetEventObject();
        wxWindow* typedIn =
            source && source->IsKindOf(wxCLASSINFO(wxWindow)) ? static_cast<wxWindow*>(source) : FindFocus();
        if (UsesEnter(typedIn))
            return;
        event.Skip(false);
        Click();
    }
}

void wxButtonEx::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Render(dc);
}

void wxButtonEx::Render(wxDC& dc)
{
    const wxRect client = GetClientRect();
    const wxColour around = UseBackgroundColour() || !GetParent() ? GetBackgroundColour()
                                                                   : GetParent()->GetBackgroundColour();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(around));
    dc.DrawRectangle(client);

    const bool focused = IsEnabled() && HasFocus();
    wxColour face = focused || (IsEnabled() && m_hover) ? m_focusedColour : m_normalColour;
    if (IsPressed())
        face = face.ChangeLightness(85);
    const int borderWidth = m_isDefault ? 2 : 1;
    dc.SetBrush(wxBrush(face));
    dc.SetPen(wxPen(m_borderColour, borderWidth));
    wxRect faceRect = client;
    faceRect.Deflate(borderWidth / 2, borderWidth / 2);
    dc.DrawRoundedRectangle(faceRect, 2);
    if (focused)
    {
        // The tint alone can be too faint (a light theme's selection colour
        // is pale); a ring in the text colour shows on any face whose label
        // is readable.
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(m_textColour, 1, wxPENSTYLE_DOT));
        dc.DrawRectangle(wxRect(faceRect).Deflate(kFocusRingInset));
    }
    DrawContents(dc, wxRect(faceRect).Deflate(borderWidth + 1));
}

void wxButtonEx::DrawContents(wxDC& dc, const wxRect& face)
{
    dc.SetFont(GetFont());
    dc.SetTextForeground(CurrentTextColour());
    wxRect textRect = face;
    if (IsPressed())
        textRect.Offset(0, 1);
    dc.DrawLabel(GetLabelText(), textRect, wxALIGN_CENTER);
}

void wxButtonEx::OnLeftDown(wxMouseEvent& event)
{
    if (!IsEnabled())
        return;
    if (AcceptsFocus() && !HasFocus())
        SetFocus();
    m_pressed = true;
    m_pointerInside = true;
    if (IsShownOnScreen() && !HasCapture())
        CaptureMouse();
    Refresh();
    event.Skip(false);
}

void wxButtonEx::OnLeftUp(wxMouseEvent& event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (HasCapture())
        ReleaseMouse();
    m_pointerInside = GetClientRect().Contains(event.GetPosition());
    Refresh();
    if (wasPressed && m_pointerInside)
        Click();
}

void wxButtonEx::OnMotion(wxMouseEvent& event)
{
    const bool inside = GetClientRect().Contains(event.GetPosition());
    if (inside != m_pointerInside || inside != m_hover)
    {
        m_pointerInside = inside;
        m_hover = inside;
        Refresh();
    }
    event.Skip();
}

void wxButtonEx::OnEnter(wxMouseEvent& event)
{
    m_hover = true;
    m_pointerInside = true;
    Refresh();
    event.Skip();
}

void wxButtonEx::OnLeave(wxMouseEvent& event)
{
    m_hover = false;
    m_pointerInside = false;
    Refresh();
    event.Skip();
}

void wxButtonEx::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_pressed = false;
    Refresh();
}

void wxButtonEx::OnKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (IsSpaceKey(key))
    {
        m_spaceDown = true;
        m_pressed = m_pointerInside = true;
        Refresh();
    }
    else if (IsEnterKey(key))
        Click();
    else
        event.Skip();
}

void wxButtonEx::OnKeyUp(wxKeyEvent& event)
{
    if (IsSpaceKey(event.GetKeyCode()) && m_spaceDown)
    {
        // Like a native button, Space fires when it is released.
        m_spaceDown = false;
        m_pressed = false;
        Refresh();
        Click();
    }
    else
        event.Skip();
}

void wxButtonEx::OnFocusChange(wxFocusEvent& event)
{
    if (event.GetEventType() == wxEVT_KILL_FOCUS)
    {
        m_spaceDown = false;
        m_pressed = false;
    }
    Refresh();
    event.Skip();
}
