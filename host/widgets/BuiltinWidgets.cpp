#include "BuiltinWidgets.h"

#include "ChartingWidget.h"
#include "LadderWidget.h"
#include "SummaryWidget.h"
#include "TapeWidget.h"
#include "TicketWidget.h"

std::vector<std::unique_ptr<BuiltinWidget>> MakeBuiltinWidgets()
{
    std::vector<std::unique_ptr<BuiltinWidget>> widgets;
    widgets.push_back(std::make_unique<LadderWidget>());
    widgets.push_back(std::make_unique<TapeWidget>());
    widgets.push_back(std::make_unique<ChartingWidget>());
    widgets.push_back(SummaryWidget::MakeSweeper());
    widgets.push_back(SummaryWidget::MakeFillscope());
    widgets.push_back(std::make_unique<TicketWidget>());
    return widgets;
}
