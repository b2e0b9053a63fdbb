#pragma once
// The label a tab of an exchange's category or of a whole exchange carries.

#include <optional>
#include <string>
#include <vector>

#include "contract/Records.h"

namespace layout {

/// "<category display name or key> (<exchange code>)" for types 2 to 6,
/// "<exchange name> (<exchange code>)" for type 7; nothing when the host
/// has no such exchange or category, or the type is not one of those.
std::optional<std::string> ComposeTabLabel(const ExchangeList& exchanges, int type,
                                           const std::string& exchange, const std::string& category);

/// The instruments of that category or exchange in the exchange's order;
/// null under the same conditions as ComposeTabLabel.
const std::vector<Instrument*>* InstrumentsOfSource(const ExchangeList& exchanges, int type,
                                                    const std::string& exchange, const std::string& category);

}  // namespace layout
