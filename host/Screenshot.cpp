#include "Screenshot.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/toplevel.h>

wxString NumberedScreenshotPath(const wxString& path, int n)
{
    if (n <= 0)
        return path;
    wxFileName name(path);
    name.SetName(wxString::Format("%s-%d", name.GetName(), n));
    if (!name.HasExt())
        name.SetExt("png");
    return name.GetFullPath();
}

bool CaptureWindow(wxWindow* window, const wxString& path)
{
    if (!window || !window->IsShown())
        return false;
    window->Update();
    const wxRect area = window->GetScreenRect();
    if (area.IsEmpty())
        return false;
    // Read from the screen so the menu bar and status bar come along.
    wxBitmap bitmap(area.GetSize(), 24);
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    }
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    return bitmap.SaveFile(path, wxBITMAP_TYPE_PNG);
}

std::vector<wxString> CaptureTopLevelWindows(wxWindow* mainWindow, const wxString& path)
{
    std::vector<wxString> written;
    if (CaptureWindow(mainWindow, path))
        written.push_back(path);
    int n = 1;
    for (wxWindow* window : wxTopLevelWindows)
    {
        if (window == mainWindow || !window->IsShown() || window->IsBeingDeleted())
            continue;
        const wxString numbered = NumberedScreenshotPath(path, n);
        if (CaptureWindow(window, numbered))
        {
            written.push_back(numbered);
            ++n;
        }
    }
    return written;
}
