// The library's only exported symbol; everything else stays hidden.

#include <memory>

#include "plugin/Application.h"

extern "C" __attribute__((visibility("default"))) Widget* loadWidget(
    Host* host, std::shared_ptr<spdlog::logger> logger)
{
    return CreateApplication(host, std::move(logger));
}
