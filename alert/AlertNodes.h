#pragma once
// A board's price alerts in its window node.

#include "layout/TreeValues.h"
#include "model/PriceAlert.h"

class Host;

namespace alert_nodes {

/// Replaces the node's "alerts" with one "alert" per alert of `alerts`, in
/// the map's order.
void SaveAlerts(const PriceAlertMap& alerts, layout::Tree& node);
/// Adds the node's alerts of instruments `host` knows to `alerts`; a later
/// alert of an instrument replaces an earlier one.
void RestoreAlerts(const layout::Tree& node, Host& host, PriceAlertMap& alerts);

}  // namespace alert_nodes
