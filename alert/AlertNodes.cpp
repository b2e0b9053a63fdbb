#include "alert/AlertNodes.h"

#include <memory>

#include <boost/property_tree/ptree.hpp>

#include "contract/Host.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"

namespace alert_nodes {

void SaveAlerts(const PriceAlertMap& alerts, layout::Tree& node)
{
    layout::Tree written;
    for (const auto& [instrument, alert] : alerts)
    {
        if (!instrument || !alert)
            continue;
        layout::AlertEntry entry;
        // The instrument the alert is filed under is the one that counts.
        entry.instrument = {instrument->exchange, instrument->code};
        entry.field = static_cast<int>(alert->field);
        entry.comparison = static_cast<int>(alert->comparison);
        entry.value = alert->threshold;
        entry.remark = alert->remark;
        entry.onceEachTime = alert->onceEachTime;
        written.add_child("alert", layout::AlertTree(entry));
    }
    node.put_child("alerts", written);
}

void RestoreAlerts(const layout::Tree& node, Host& host, PriceAlertMap& alerts)
{
    for (const layout::AlertEntry& alert : layout::ReadAlertEntries(node))
        if (Instrument* instrument = host.FindInstrument(alert.instrument.code.c_str(),
                                                         alert.instrument.exchange.c_str()))
            alerts[instrument] = std::make_unique<PriceAlert>(
                PriceAlert{instrument, static_cast<uint32_t>(alert.field), static_cast<uint32_t>(alert.comparison),
                           alert.value, alert.remark, alert.onceEachTime});
}

}  // namespace alert_nodes
