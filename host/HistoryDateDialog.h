#pragma once
// Asks for the trading day whose quotes the boards should show.

#include <wx/datetime.h>
#include <wx/dialog.h>

class wxDatePickerCtrl;
class Theme;

/// Small modal dialog with a date picker; today means live quotes.
class HistoryDateDialog : public wxDialog
{
public:
    HistoryDateDialog(wxWindow* parent, const Theme& theme, const wxDateTime& initial);

    wxDateTime GetDate() const;

private:
    wxDatePickerCtrl* m_picker;
};
