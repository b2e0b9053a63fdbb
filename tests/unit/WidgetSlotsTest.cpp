// The host calls the factory and the theme by vtable slot, not through our
// headers: these tests call the entries by index with function types declared
// here, so a reordered or retyped virtual breaks them. Also the one log line
// a failed load or save leaves in the host's log.

#include <cstdint>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

#include "plugin/Application.h"
#include "model/Logger.h"
#include "support/FakeHost.h"

namespace {

// Itanium C++ ABI: a virtual destructor fills two entries (complete and
// deleting), so interface slot N >= 1 is vtable entry N + 1.
constexpr int WidgetEntry(int slot)
{
    return slot == 0 ? 0 : slot + 1;
}

template <typename Function>
Function VtableEntry(const void* object, int entry)
{
    void* const* vtable = *static_cast<void* const* const*>(object);
    return reinterpret_cast<Function>(vtable[entry]);
}

using NameSlot = const char* (*)(void*);
using SizeSlot = wxSize (*)(void*);
using OfferSlot = bool (*)(void*, uint32_t);
using LoggerSlot = void (*)(void*, std::shared_ptr<spdlog::logger>);
using ColourSlot = wxColour (*)(const void*);
using FontSlot = wxFont (*)(const void*, int, int, int, bool);

std::shared_ptr<spdlog::logger> MakeLogger(std::ostringstream& out, const char* name = "host")
{
    auto logger = std::make_shared<spdlog::logger>(name, std::make_shared<spdlog::sinks::ostream_sink_st>(out));
    logger->set_pattern("%l|%v");
    return logger;
}

class WidgetSlots : public ::testing::Test
{
protected:
    void TearDown() override { ModuleLogger().reset(); }

    testing_support::FakeHost host;
    Application application{&host};
    Widget* widget = &application;
};

TEST_F(WidgetSlots, NameIconSizeLimitsMenuOfferAndLoggerAnswerAtTheirSlotsAndLoadingInstallsTheHostLogger)
{
    EXPECT_STREQ("Ticker Deck", VtableEntry<NameSlot>(widget, WidgetEntry(1))(widget));
    EXPECT_STREQ("./icon/tickerdeck.png", VtableEntry<NameSlot>(widget, WidgetEntry(2))(widget));
    EXPECT_EQ(wxSize(2147483647, 2147483647), VtableEntry<SizeSlot>(widget, WidgetEntry(8))(widget));
    EXPECT_EQ(wxSize(24, 24), VtableEntry<SizeSlot>(widget, WidgetEntry(9))(widget));
    EXPECT_TRUE(VtableEntry<OfferSlot>(widget, WidgetEntry(10))(widget, 0u));

    std::ostringstream original;
    std::ostringstream replaced;
    auto previous = MakeLogger(replaced, "previous");
    ModuleLogger() = previous;
    std::unique_ptr<Widget> loaded(CreateApplication(&host, MakeLogger(original)));
    EXPECT_EQ(&host, loaded->host);
    EXPECT_EQ(1, previous.use_count()) << "the earlier logger must be released";

    std::ostringstream latest;
    auto next = MakeLogger(latest, "latest");
    VtableEntry<LoggerSlot>(widget, WidgetEntry(7))(widget, next);
    EXPECT_EQ(next, ModuleLogger());
    LogException("Tickerdeck::Load error:", std::runtime_error("No such node (watchlists)"));
    EXPECT_EQ("critical|[Tickerdeck] Tickerdeck::Load error:No such node (watchlists)\n", latest.str());
    EXPECT_TRUE(original.str().empty()) << "the replaced logger must not receive lines";
}

/// The terminal's theme, recording what the font slot is asked for.
struct FontProbeTheme : PaletteTheme
{
    FontProbeTheme() : PaletteTheme("probe", testing_support::DistinctPalette()) {}
    wxFont MakeFont(int sizeChange, int weight, int style, bool underline) const override
    {
        asked = {sizeChange, weight, style, underline ? 1 : 0};
        return wxFont();
    }
    mutable std::vector<int> asked;
};

}  // namespace
