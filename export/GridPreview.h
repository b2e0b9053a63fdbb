#pragma once
// The print preview frame of a tab's grid.

#include <wx/string.h>

class wxGridEx;
class wxPreviewFrame;
class wxWindow;

/// Shows a preview of the grid's pages on US legal paper, portrait, in a
/// frame floating on `parent`; null after telling the user when no preview
/// can be made.
wxPreviewFrame* ShowGridPreview(wxGridEx* grid, const wxString& title, wxWindow* parent);
