#include "export/ExportNotice.h"

#include <wx/notifmsg.h>
#include <wx/generic/notifmsg.h>
#include <wx/msgdlg.h>

namespace {

constexpr int kNotificationSeconds = 8;

void ShowNotice(wxWindow* parent, ExportNoticeKind kind, const wxString& message)
{
    switch (kind)
    {
    case ExportNoticeKind::Opened:
    {
        // The toolkit's own popup, which needs no notification service on
        // the desktop. Its window lives only as long as the message object,
        // so the latest one is kept until the next replaces it; the last is
        // left to the end of the program, as deleting it after the toolkit
        // has shut down would reach windows that are gone.
        static wxGenericNotificationMessage* latest = nullptr;
        delete latest;
        latest = new wxGenericNotificationMessage(_("Export to Excel"), message, parent);
        latest->Show(kNotificationSeconds);
        break;
    }
    case ExportNoticeKind::NotOpened:
        wxMessageBox(message, _("Export to Excel"), wxOK | wxICON_INFORMATION, parent);
        break;
    case ExportNoticeKind::Failed:
        wxMessageBox(message, _("Export failed"), wxOK | wxICON_ERROR, parent);
        break;
    }
}

ExportDesktop RealDesktop()
{
    ExportDesktop real;
    real.notify = ShowNotice;
    return real;
}

}  // namespace

ExportDesktop& TheExportDesktop()
{
    static ExportDesktop desktop = RealDesktop();
    return desktop;
}

void SetExportDesktop(ExportDesktop desktop)
{
    const ExportDesktop real = RealDesktop();
    if (!desktop.documentsFolder)
        desktop.documentsFolder = real.documentsFolder;
    if (!desktop.open)
        desktop.open = real.open;
    if (!desktop.notify)
        desktop.notify = real.notify;
    TheExportDesktop() = std::move(desktop);
}
