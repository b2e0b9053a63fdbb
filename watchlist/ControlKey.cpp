#include "watchlist/ControlKey.h"

#include <wx/utils.h>

namespace {

std::function<bool()>& Probe()
{
    static std::function<bool()> probe;
    return probe;
}

}  // namespace

bool IsControlKeyDown()
{
    if (Probe())
        return Probe()();
    return wxGetKeyState(WXK_CONTROL);
}

void SetControlKeyProbe(std::function<bool()> probe)
{
    Probe() = std::move(probe);
}
