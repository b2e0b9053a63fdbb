// The one line a failed load or save leaves in the host's log.

#include <memory>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include "plugin/Application.h"
#include "plugin/Logger.h"
#include "support/FakeHost.h"

namespace {

std::shared_ptr<spdlog::logger> MakeLogger(std::ostringstream& out, const char* name = "host")
{
    auto sink = std::make_shared<spdlog::sinks::ostream_sink_st>(out);
    auto logger = std::make_shared<spdlog::logger>(name, sink);
    logger->set_pattern("%l|%v");
    logger->set_level(spdlog::level::trace);
    return logger;
}

class ModuleLoggerTest : public ::testing::Test
{
protected:
    void TearDown() override { ModuleLogger().reset(); }

    std::ostringstream out;
};

TEST_F(ModuleLoggerTest, WritesOneCriticalLineWithContextAndReason)
{
    ModuleLogger() = MakeLogger(out);
    LogException("Tickerdeck::Load error:", std::runtime_error("No such node (watchlists)"));
    EXPECT_EQ("critical|[Tickerdeck] Tickerdeck::Load error:No such node (watchlists)\n", out.str());
}

TEST_F(ModuleLoggerTest, BracesInTheReasonAreWrittenAsIs)
{
    ModuleLogger() = MakeLogger(out);
    LogException("write watchlist config error:", std::runtime_error("bad {} {0} text"));
    EXPECT_EQ("critical|[Tickerdeck] write watchlist config error:bad {} {0} text\n", out.str());
}

TEST_F(ModuleLoggerTest, SilentWhenTheLevelIsAboveCritical)
{
    auto logger = MakeLogger(out);
    logger->set_level(spdlog::level::off);
    ModuleLogger() = logger;
    LogException("ctx:", std::runtime_error("boom"));
    EXPECT_TRUE(out.str().empty()) << out.str();

    logger->set_level(spdlog::level::critical);
    LogException("ctx:", std::runtime_error("boom"));
    EXPECT_EQ("critical|[Tickerdeck] ctx:boom\n", out.str());
}

TEST_F(ModuleLoggerTest, SilentAndSafeWithoutALogger)
{
    ModuleLogger().reset();
    EXPECT_NO_THROW(LogException("ctx:", std::runtime_error("boom")));
}

TEST_F(ModuleLoggerTest, LoadingInstallsTheHostLoggerAndSetLoggerReplacesIt)
{
    std::ostringstream replaced;
    auto original = MakeLogger(out, "original");
    auto previous = MakeLogger(replaced, "previous");
    ModuleLogger() = previous;
    testing_support::FakeHost host;

    std::unique_ptr<Widget> widget(CreateApplication(&host, original));
    EXPECT_EQ(&host, widget->host);
    EXPECT_STREQ("Ticker Deck", widget->GetDisplayName());
    EXPECT_EQ(original, ModuleLogger());
    EXPECT_EQ(1, previous.use_count()) << "the earlier logger must be released";

    std::ostringstream latest;
    widget->SetLogger(MakeLogger(latest, "latest"));
    LogException("ctx:", std::runtime_error("after"));
    EXPECT_EQ("critical|[Tickerdeck] ctx:after\n", latest.str());
    EXPECT_TRUE(out.str().empty()) << "the replaced logger must not receive lines";
}

}  // namespace
