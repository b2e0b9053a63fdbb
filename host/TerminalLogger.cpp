#include "TerminalLogger.h"

#include <vector>

#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/spdlog.h>

std::shared_ptr<spdlog::logger> MakeTerminalLogger(const std::string& logFile,
                                                   std::shared_ptr<spdlog::sinks::sink> extra)
{
    std::vector<spdlog::sink_ptr> sinks;
    sinks.push_back(std::make_shared<spdlog::sinks::stderr_sink_mt>());
    if (extra)
        sinks.push_back(std::move(extra));
    std::string fileProblem;
    if (!logFile.empty())
    {
        try
        {
            sinks.push_back(std::make_shared<spdlog::sinks::basic_file_sink_mt>(logFile));
        }
        catch (const spdlog::spdlog_ex& error)
        {
            fileProblem = error.what();
        }
    }
    auto logger = std::make_shared<spdlog::logger>("terminal", sinks.begin(), sinks.end());
    logger->set_level(spdlog::level::info);
    logger->flush_on(spdlog::level::info);
    if (!fileProblem.empty())
        logger->warn("log file {} unavailable: {}", logFile, fileProblem);
    return logger;
}
