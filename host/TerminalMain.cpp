#include "TerminalApp.h"

wxIMPLEMENT_APP(TerminalApp);
