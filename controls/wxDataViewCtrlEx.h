#pragma once

#include <wx/dataview.h>

#include "ControlsApi.h"

/// A data-view control that carries the theme colours the board's dialogs set.
class CONTROLS_API wxDataViewCtrlEx : public wxDataViewCtrl
{
public:
    wxDataViewCtrlEx(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = 0,
                     const wxValidator& validator = wxDefaultValidator,
                     const wxString& name = wxDataViewCtrlNameStr);

    void SetMarginColour(const wxColour& colour);
    wxColour GetMarginColour() const;
    void SetScrollBarColour(const wxColour& colour);
    wxColour GetScrollBarColour() const;
    void SetTipColour(const wxColour& colour);
    wxColour GetTipColour() const;
    /// Colour of the row and column rules.
    void SetRuleColour(const wxColour& colour);
    wxColour GetRuleColour() const;

    bool SetBackgroundColour(const wxColour& colour) override;
    bool SetForegroundColour(const wxColour& colour) override;

private:
    void ApplyHeaderColours();

    wxColour m_marginColour;
    wxColour m_scrollBarColour;
    wxColour m_tipColour;
    wxColour m_ruleColour;

    wxDECLARE_CLASS(wxDataViewCtrlEx);
};
