#pragma once
// The Help > Key Map window.

#include <wx/dialog.h>

/// Lists every trading hotkey beside what it does, in two aligned columns.
class KeyMapDialog : public wxDialog
{
public:
    explicit KeyMapDialog(wxWindow* parent);
};
