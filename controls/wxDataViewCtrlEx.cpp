#include "wxDataViewCtrlEx.h"

#include <wx/itemattr.h>

wxIMPLEMENT_CLASS(wxDataViewCtrlEx, wxDataViewCtrl);

wxDataViewCtrlEx::wxDataViewCtrlEx(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                   const wxSize& size, long style, const wxValidator& validator,
                                   const wxString& name)
    : wxDataViewCtrl(parent, id, pos, size, style, validator, name)
{
}

void wxDataViewCtrlEx::SetMarginColour(const wxColour& colour)
{
    m_marginColour = colour;
}

wxColour wxDataViewCtrlEx::GetMarginColour() const
{
    return m_marginColour;
}

void wxDataViewCtrlEx::SetScrollBarColour(const wxColour& colour)
{
    // The native scroll bars keep the toolkit theme; remembered for callers.
    m_scrollBarColour = colour;
}

wxColour wxDataViewCtrlEx::GetScrollBarColour() const
{
    return m_scrollBarColour;
}

void wxDataViewCtrlEx::SetTipColour(const wxColour& colour)
{
    m_tipColour = colour;
}

wxColour wxDataViewCtrlEx::GetTipColour() const
{
    return m_tipColour;
}

void wxDataViewCtrlEx::SetRuleColour(const wxColour& colour)
{
    m_ruleColour = colour;
}

wxColour wxDataViewCtrlEx::GetRuleColour() const
{
    return m_ruleColour;
}

bool wxDataViewCtrlEx::SetBackgroundColour(const wxColour& colour)
{
    if (!wxDataViewCtrl::SetBackgroundColour(colour))
        return false;
    ApplyHeaderColours();
    return true;
}

bool wxDataViewCtrlEx::SetForegroundColour(const wxColour& colour)
{
    if (!wxDataViewCtrl::SetForegroundColour(colour))
        return false;
    ApplyHeaderColours();
    return true;
}

void wxDataViewCtrlEx::ApplyHeaderColours()
{
    // Headers follow the body so a dark list does not sit under a light header.
    wxItemAttr header;
    if (UseBackgroundColour())
        header.SetBackgroundColour(m_marginColour.IsOk() ? m_marginColour : GetBackgroundColour());
    header.SetTextColour(GetForegroundColour());
    SetHeaderAttr(header);
}
