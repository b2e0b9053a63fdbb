// Loads the built plug-in module the way the host does and drives the
// factory it returns through the exported entry.

#include <memory>
#include <sstream>

#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>
#include <wx/dynlib.h>
#include <wx/init.h>

#include "contract/Widget.h"
#include "support/FakeHost.h"

#ifndef TICKERDECK_MODULE_PATH
#error "TICKERDECK_MODULE_PATH must name the built plug-in module"
#endif

namespace {

TEST(LoadModule, EntryReturnsAFactoryAndTakesTheLogger)
{
    wxInitializer toolkit;
    ASSERT_TRUE(toolkit.IsOk());
    wxDynamicLibrary module(TICKERDECK_MODULE_PATH, wxDL_NOW);
    ASSERT_TRUE(module.IsLoaded());
    auto load = reinterpret_cast<LoadWidgetFunction>(module.GetSymbol(kLoadWidgetSymbol));
    ASSERT_NE(nullptr, load);

    std::ostringstream out;
    auto logger = std::make_shared<spdlog::logger>(
        "host", std::make_shared<spdlog::sinks::ostream_sink_st>(out));
    testing_support::FakeHost host;

    Widget* widget = load(&host, logger);
    ASSERT_NE(nullptr, widget);
    EXPECT_EQ(&host, widget->host);
    EXPECT_STREQ("Ticker Deck", widget->GetDisplayName());
    EXPECT_STREQ("./icon/tickerdeck.png", widget->GetIconPath());
    EXPECT_TRUE(widget->IsOfferedInMenu(0));
    EXPECT_EQ(2, logger.use_count()) << "the module keeps one reference";

    widget->SetLogger(nullptr);
    EXPECT_EQ(1, logger.use_count()) << "SetLogger releases the previous logger";
    delete widget;
}

}  // namespace
