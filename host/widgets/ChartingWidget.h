#pragma once
// "Charting": a line chart of the linked instrument's recent prices.

#include "BuiltinWidget.h"

/// Factory of chart windows.
class ChartingWidget : public BuiltinWidget
{
public:
    ChartingWidget() : BuiltinWidget("Charting", "./icon/charting.png") {}

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) override;
    wxSize FrameSize() const override { return wxSize(620, 380); }
};
