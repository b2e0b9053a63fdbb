#include "model/Logger.h"

#include <spdlog/spdlog.h>

std::shared_ptr<spdlog::logger>& ModuleLogger()
{
    // A function-local static avoids depending on the static initialisation
    // order of the host's own loggers.
    static std::shared_ptr<spdlog::logger> logger;
    return logger;
}

void LogException(const char* context, const std::exception& e)
{
    const std::shared_ptr<spdlog::logger> logger = ModuleLogger();
    if (!logger)
        return;
    // Passed as arguments, not as the format string, so braces in an
    // exception text cannot break the formatting.
    logger->log(spdlog::level::critical, "[Tickerdeck] {}{}", context ? context : "", e.what());
}

void LogInfo(const std::string& message)
{
    const std::shared_ptr<spdlog::logger> logger = ModuleLogger();
    if (logger)
        logger->log(spdlog::level::info, "[Tickerdeck] {}", message);
}

void LogError(const std::string& message)
{
    const std::shared_ptr<spdlog::logger> logger = ModuleLogger();
    if (logger)
        logger->log(spdlog::level::err, "[Tickerdeck] {}", message);
}
