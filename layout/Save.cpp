// Writing a board back into the host's layout document.

#include "board/Tickerdeck.h"

// Nothing is written yet; the host's document keeps what it had.
void Tickerdeck::Save(void* /*layoutSource*/, void* /*layoutNode*/) {}
