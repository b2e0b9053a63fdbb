#pragma once
// "Ticket": a small order ticket for the linked instrument.

#include "BuiltinWidget.h"

/// Factory of order ticket windows.
class TicketWidget : public BuiltinWidget
{
public:
    TicketWidget() : BuiltinWidget("Ticket", "./icon/ticket_buy.png") {}

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) override;
    wxSize FrameSize() const override { return wxSize(340, 330); }
};
