#pragma once
// "Ladder": the order-book depth of the linked instrument.

#include "BuiltinWidget.h"

/// Factory of depth ladder windows.
class LadderWidget : public BuiltinWidget
{
public:
    LadderWidget() : BuiltinWidget("Ladder", "./icon/ladder.png") {}

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) override;
    wxSize FrameSize() const override { return wxSize(320, 470); }
};
