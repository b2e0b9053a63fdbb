#include "board/WriteFailure.h"

#include <spdlog/spdlog.h>
#include <wx/intl.h>
#include <wx/string.h>

#include "model/Logger.h"

void ShowWriteFailure(const std::string& detail)
{
    // The host puts whatever is logged as an error on its notice strip.
    if (const std::shared_ptr<spdlog::logger> logger = ModuleLogger())
        logger->error(
            "{}",
            std::string(wxString::Format(_("A write failed: %s"), wxString::FromUTF8(detail)).utf8_str()));
}
