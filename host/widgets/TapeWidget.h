#pragma once
// "Tape": the trades of the linked instrument as they happen.

#include "BuiltinWidget.h"

/// Factory of trade tape windows.
class TapeWidget : public BuiltinWidget
{
public:
    TapeWidget() : BuiltinWidget("Tape", "./icon/tape.png") {}

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) override;
    wxSize FrameSize() const override { return wxSize(360, 480); }
};
