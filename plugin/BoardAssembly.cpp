#include "plugin/BoardAssembly.h"

#include <memory>

#include "alert/BoardAlerts.h"
#include "alert/StaleQuotes.h"
#include "alert/TabAlertBadges.h"
#include "board/Tickerdeck.h"
#include "dialogs/InstrumentFlags.h"
#include "watchlist/PasteCodes.h"
#include "watchlist/TypeToAdd.h"
#include "watchlist/WatchlistCommands.h"
#include "watchlist/WatchlistFiles.h"
#include "export/TabExport.h"
#include "colours/ColourRulesFeature.h"
#include "commands/BookmarksColumns.h"
#include "commands/GridKeys.h"
#include "commands/GridMenus.h"
#include "commands/GridTickets.h"
#include "commands/RowCommands.h"
#include "commands/TypeToJump.h"
#include "dialogs/SettingsFeature.h"
#include "filter/TabFilterFeature.h"

void InstallFeatures(Tickerdeck& board)
{
    FeatureRouter& features = board.Features();
    auto alerts = std::make_unique<BoardAlerts>(board.Alerts());
    alerts->BindReachKey(board);
    features.AddFeature(std::move(alerts));
    features.AddFeature(std::make_unique<InstrumentFlags>());
    features.AddFeature(std::make_unique<WatchlistCommands>(board));
    features.AddFeature(std::make_unique<WatchlistFiles>());
    features.AddFeature(std::make_unique<TypeToAdd>());
    features.AddFeature(std::make_unique<PasteCodes>());
    features.AddFeature(std::make_unique<TabExport>());
    features.AddFeature(std::make_unique<GridMenus>());
    features.AddFeature(std::make_unique<GridTickets>());
    features.AddFeature(std::make_unique<GridKeys>());
    features.AddFeature(std::make_unique<RowCommands>());
    features.AddFeature(std::make_unique<BookmarksColumns>());
    features.AddFeature(std::make_unique<TabFilterFeature>());
    features.AddFeature(std::make_unique<ColourRulesFeature>());
    features.AddFeature(std::make_unique<SettingsFeature>());
    features.AddFeature(std::make_unique<StaleQuotes>(board));
    features.AddFeature(std::make_unique<TabAlertBadges>(board));
    features.AddFeature(std::make_unique<TypeToJump>());
}

Tickerdeck* AssembleBoard(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
                          void* layoutNode, int flags)
{
    return new Tickerdeck(owner, group, container, layoutSource, layoutNode, flags, InstallFeatures);
}
