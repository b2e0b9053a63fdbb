#include "plugin/BoardAssembly.h"

#include <memory>

#include "alert/BoardAlerts.h"
#include "board/Tickerdeck.h"
#include "dialogs/InstrumentFlags.h"
#include "watchlist/WatchlistCommands.h"
#include "watchlist/TabExport.h"

void InstallFeatures(Tickerdeck& board)
{
    board.AddFeature(std::make_unique<BoardAlerts>(board.Alerts()));
    board.AddFeature(std::make_unique<InstrumentFlags>());
    board.AddFeature(std::make_unique<WatchlistCommands>(board));
    board.AddFeature(std::make_unique<TabExport>());
}

Tickerdeck* AssembleBoard(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
                          void* layoutNode, int flags)
{
    return new Tickerdeck(owner, group, container, layoutSource, layoutNode, flags, InstallFeatures);
}
