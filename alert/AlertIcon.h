#pragma once
// The icon of the alert dialogs, loaded from ./icon relative to the working directory.

#include <wx/icon.h>

/// "./icon/alert.png" as an icon; an empty icon when the file is missing.
wxIcon AlertIcon();
