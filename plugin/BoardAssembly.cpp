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
    auto alerts = std::make_unique<BoardAlerts>(board.Alerts());
    alerts->BindReachKey(board);
    board.Features().AddFeature(std::move(alerts));
    board.Features().AddFeature(std::make_unique<InstrumentFlags>());
    board.Features().AddFeature(std::make_unique<WatchlistCommands>(board));
    board.Features().AddFeature(std::make_unique<WatchlistFiles>());
    board.Features().AddFeature(std::make_unique<TypeToAdd>());
    board.Features().AddFeature(std::make_unique<PasteCodes>());
    board.Features().AddFeature(std::make_unique<TabExport>());
    board.Features().AddFeature(std::make_unique<GridMenus>());
    board.Features().AddFeature(std::make_unique<GridTickets>());
    board.Features().AddFeature(std::make_unique<GridKeys>());
    board.Features().AddFeature(std::make_unique<RowCommands>());
    board.Features().AddFeature(std::make_unique<BookmarksColumns>());
    board.Features().AddFeature(std::make_unique<TabFilterFeature>());
    board.Features().AddFeature(std::make_unique<ColourRulesFeature>());
    board.Features().AddFeature(std::make_unique<SettingsFeature>());
    board.Features().AddFeature(std::make_unique<StaleQuotes>(board));
    board.Features().AddFeature(std::make_unique<TabAlertBadges>(board));
    board.Features().AddFeature(std::make_unique<TypeToJump>());
}

Tickerdeck* AssembleBoard(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
                          void* layoutNode, int flags)
{
    return new Tickerdeck(owner, group, container, layoutSource, layoutNode, flags, InstallFeatures);
}
