#include "StallProbe.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kTickMs = 5;
constexpr long kDefaultThresholdMs = 50;

long long WallMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::unique_ptr<StallProbe> StallProbe::FromEnvironment()
{
    const char* path = std::getenv("TICKERDECK_STALL_LOG");
    if (!path || !*path)
        return nullptr;
    std::FILE* log = std::fopen(path, "a");
    if (!log)
        return nullptr;
    long threshold = kDefaultThresholdMs;
    if (const char* given = std::getenv("TICKERDECK_STALL_MS"))
        threshold = std::max(1L, std::strtol(given, nullptr, 10));
    auto probe = std::make_unique<StallProbe>(log, std::chrono::milliseconds(threshold));
    probe->Start(kTickMs);
    return probe;
}

StallProbe::StallProbe(std::FILE* log, std::chrono::milliseconds threshold)
    : m_log(log), m_threshold(threshold), m_lastTick(std::chrono::steady_clock::now())
{
}

StallProbe::~StallProbe()
{
    Stop();
    std::fclose(m_log);
}

void StallProbe::Notify()
{
    const auto now = std::chrono::steady_clock::now();
    const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_lastTick);
    m_lastTick = now;
    if (gap < m_threshold)
        return;
    // Wall-clock stamps, so that a script driving the window can match
    // each block to the command it sent.
    std::fprintf(m_log, "%lld stall %lld ms\n", WallMilliseconds(), static_cast<long long>(gap.count()));
    std::fflush(m_log);
}
