#pragma once
// Putting a board window together: the shell and every feature it has.

#include <cstdint>

class BoardOwner;
class Tickerdeck;
class wxWindow;

/// Installs every feature of a board window on `board`.
void InstallFeatures(Tickerdeck& board);

/// A new board window in `container` with all its features, loaded from the
/// layout node (none: a new window).
Tickerdeck* AssembleBoard(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
                          void* layoutNode, int flags);
