#pragma once
// How the end of an export reaches the desktop and the user, replaceable
// so that tests neither start applications nor wait on message boxes.

#include <functional>
#include <string>

#include <wx/string.h>

#include "export/DesktopFiles.h"

class wxWindow;

/// What the user is told when an export ends.
enum class ExportNoticeKind
{
    Opened,      // written and opened: a passing notification
    NotOpened,   // written, but nothing opened it: a message box
    Failed       // nothing written: the error message box
};

struct ExportDesktop
{
    /// Where workbooks are saved.
    std::function<std::string()> documentsFolder = desktop::DocumentsFolder;
    /// Opens a written workbook.
    std::function<desktop::OpenResult(const std::string&)> open = desktop::OpenWithDefaultApplication;
    /// Tells the user; `parent` is null when the board has closed meanwhile.
    std::function<void(wxWindow* parent, ExportNoticeKind kind, const wxString& message)> notify;
};

/// The desktop every export uses; notify is never empty.
ExportDesktop& TheExportDesktop();
/// Replaces it; an empty member keeps the real one.
void SetExportDesktop(ExportDesktop desktop);
