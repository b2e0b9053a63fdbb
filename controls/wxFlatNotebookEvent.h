#pragma once

#include <wx/bookctrl.h>

#include "ControlsApi.h"

/// Page-change and tab context-menu notification of a wxFlatNotebook.
class CONTROLS_API wxFlatNotebookEvent : public wxBookCtrlEvent
{
public:
    explicit wxFlatNotebookEvent(wxEventType type = wxEVT_NULL, int id = 0, int selection = -1,
                                 int oldSelection = -1)
        : wxBookCtrlEvent(type, id, selection, oldSelection)
    {
    }

    wxEvent* Clone() const override { return new wxFlatNotebookEvent(*this); }

private:
    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(wxFlatNotebookEvent);
};

wxDECLARE_EXPORTED_EVENT(CONTROLS_API, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, wxFlatNotebookEvent);
wxDECLARE_EXPORTED_EVENT(CONTROLS_API, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING, wxFlatNotebookEvent);
wxDECLARE_EXPORTED_EVENT(CONTROLS_API, wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, wxFlatNotebookEvent);

typedef void (wxEvtHandler::*wxFlatNotebookEventFunction)(wxFlatNotebookEvent&);
#define wxFlatNotebookEventHandler(func) wxEVENT_HANDLER_CAST(wxFlatNotebookEventFunction, func)

#define EVT_FLATNOTEBOOK_PAGE_CHANGED(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, id, wxFlatNotebookEventHandler(fn))
#define EVT_FLATNOTEBOOK_PAGE_CHANGING(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING, id, wxFlatNotebookEventHandler(fn))
#define EVT_FLATNOTEBOOK_CONTEXT_MENU(id, fn) \
    wx__DECLARE_EVT1(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, id, wxFlatNotebookEventHandler(fn))
