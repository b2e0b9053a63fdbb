#pragma once
// The print preview frame of a tab's grid.

#include <wx/string.h>

#include "layout/LayoutEntries.h"

class wxGridEx;
class wxPreviewFrame;
class wxPrintData;
class wxWindow;

/// The page the settings name: their paper on its side or upright; without
/// a paper of their own, the one the locale uses (A4, or US letter).
wxPrintData PrintDataOf(const layout::WindowSettings& settings);
/// Writes the paper and orientation of `data` into `settings`.
void KeepPrintData(const wxPrintData& data, layout::WindowSettings& settings);

/// Shows a preview of the grid's pages on the page of `data` in a frame
/// floating on `parent`; null after telling the user when no preview can
/// be made.
wxPreviewFrame* ShowGridPreview(wxGridEx* grid, const wxString& title, wxWindow* parent,
                                const wxPrintData& data);
