// The host calls the factory and the theme by vtable slot, not through our
// headers. These tests call the entries by index with function types
// declared here, so a reordered or retyped virtual breaks them.

#include <cstdint>
#include <memory>

#include <gtest/gtest.h>
#include <spdlog/spdlog.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

#include "plugin/Application.h"
#include "plugin/Logger.h"
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

class WidgetSlots : public ::testing::Test
{
protected:
    void TearDown() override { ModuleLogger().reset(); }

    testing_support::FakeHost host;
    Application application{&host};
    Widget* widget = &application;
};

TEST_F(WidgetSlots, NameAndIconAnswerAtSlotsOneAndTwo)
{
    EXPECT_STREQ("Ticker Deck", VtableEntry<NameSlot>(widget, WidgetEntry(1))(widget));
    EXPECT_STREQ("./icon/tickerdeck.png", VtableEntry<NameSlot>(widget, WidgetEntry(2))(widget));
}

TEST_F(WidgetSlots, SizeLimitsAreTheInterfaceDefaults)
{
    const wxSize maxSize = VtableEntry<SizeSlot>(widget, WidgetEntry(8))(widget);
    const wxSize minSize = VtableEntry<SizeSlot>(widget, WidgetEntry(9))(widget);
    EXPECT_EQ(wxSize(2147483647, 2147483647), maxSize);
    EXPECT_EQ(wxSize(24, 24), minSize);
}

TEST_F(WidgetSlots, OfferedInMenuWhateverThePermissions)
{
    const OfferSlot offered = VtableEntry<OfferSlot>(widget, WidgetEntry(10));
    for (uint32_t permissions : {0u, 0x10u, 0xFFFFFFFFu})
        EXPECT_TRUE(offered(widget, permissions)) << permissions;
}

TEST_F(WidgetSlots, SetLoggerAtSlotSevenReplacesTheModuleLogger)
{
    auto first = std::make_shared<spdlog::logger>("first");
    auto second = std::make_shared<spdlog::logger>("second");
    ModuleLogger() = first;

    VtableEntry<LoggerSlot>(widget, WidgetEntry(7))(widget, second);

    EXPECT_EQ(second, ModuleLogger());
    EXPECT_EQ(1, first.use_count()) << "the previous logger must be released";
}

TEST(ThemeSlots, ColoursAndFontAtTheirHostSlots)
{
    testing_support::FakeTheme theme;
    const Theme* base = &theme;

    EXPECT_EQ(theme.background, VtableEntry<ColourSlot>(base, 3)(base));
    EXPECT_EQ(theme.text, VtableEntry<ColourSlot>(base, 20)(base));

    const wxFont font = VtableEntry<FontSlot>(base, 24)(base, 2, 700, 90, true);
    ASSERT_EQ(1u, theme.fontRequests.size());
    EXPECT_EQ(2, theme.fontRequests[0].sizeChange);
    EXPECT_EQ(700, theme.fontRequests[0].weight);
    EXPECT_EQ(90, theme.fontRequests[0].style);
    EXPECT_TRUE(theme.fontRequests[0].underline);
    EXPECT_TRUE(font.GetUnderlined());
}

}  // namespace
