#include "board/SaveAlerts.h"

#include <boost/property_tree/ptree.hpp>

#include "board/Tickerdeck.h"
#include "layout/WindowNodeWriter.h"

namespace layout {

void SaveAlerts(Tickerdeck& board, Tree& node)
{
    Tree alerts;
    for (const auto& [instrument, alert] : board.Alerts())
    {
        if (!instrument || !alert)
            continue;
        AlertEntry entry;
        // The instrument the alert is filed under is the one that counts.
        entry.instrument = {instrument->exchange, instrument->code};
        entry.field = static_cast<int>(alert->field);
        entry.comparison = static_cast<int>(alert->comparison);
        entry.value = alert->threshold;
        entry.remark = alert->remark;
        entry.onceEachTime = alert->onceEachTime;
        alerts.add_child("alert", AlertTree(entry));
    }
    node.put_child("alerts", alerts);
}

}  // namespace layout
