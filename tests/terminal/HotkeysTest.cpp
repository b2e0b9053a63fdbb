// The hotkey table: every key maps to its host command and back to its text.

#include <set>
#include <utility>

#include <gtest/gtest.h>
#include <wx/defs.h>

#include "Hotkeys.h"

namespace {

TEST(Hotkeys, DocumentedKeysGiveTheirHostCommands)
{
    EXPECT_EQ(Hotkeys::Lookup(WXK_F2, false, false, false), 1);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F3, false, false, false), 2);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F2, false, true, false), 16);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F3, false, true, false), 17);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F5, false, false, false), 12);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F6, false, false, false), 14);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F7, false, false, false), 15);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F8, false, false, false), 13);
}

TEST(Hotkeys, EveryBindingRoundTripsThroughItsShortcutText)
{
    std::set<std::pair<int, bool>> keys;
    std::set<int> commands;
    for (const HotkeyBinding& binding : Hotkeys::Bindings())
    {
        EXPECT_TRUE(keys.insert({binding.keyCode, binding.shift}).second) << "key bound twice";
        EXPECT_TRUE(commands.insert(binding.hostCommand).second) << "command bound twice";
        const wxString text = Hotkeys::ShortcutText(binding.hostCommand);
        const bool shifted = text.StartsWith("Shift+");
        const wxString key = shifted ? text.Mid(6) : text;
        long number = 0;
        ASSERT_TRUE(key.StartsWith("F") && key.Mid(1).ToLong(&number)) << text;
        EXPECT_EQ(Hotkeys::Lookup(WXK_F1 + static_cast<int>(number) - 1, false, shifted, false),
                  binding.hostCommand)
            << text;
    }
    EXPECT_EQ(commands, (std::set<int>{1, 2, 12, 13, 14, 15, 16, 17}));
}

TEST(Hotkeys, OtherKeysAndModifiersMeanNoCommand)
{
    EXPECT_EQ(Hotkeys::Lookup(WXK_F1, false, false, false), 0);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F5, true, false, false), 0);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F5, false, false, true), 0);
    EXPECT_EQ(Hotkeys::Lookup(WXK_F5, false, true, false), 0);
    EXPECT_EQ(Hotkeys::Lookup('A', false, false, false), 0);
    EXPECT_EQ(Hotkeys::ShortcutText(3), "");
    EXPECT_EQ(Hotkeys::ShortcutText(0), "");
    EXPECT_EQ(Hotkeys::ShortcutText(12), "F5");
    EXPECT_EQ(Hotkeys::ShortcutText(17), "Shift+F3");
}

TEST(Hotkeys, KeyMapTextListsEveryBinding)
{
    const wxString text = Hotkeys::KeyMapText();
    for (const HotkeyBinding& binding : Hotkeys::Bindings())
    {
        EXPECT_NE(text.Find(Hotkeys::ShortcutText(binding.hostCommand) + " "), wxNOT_FOUND);
        EXPECT_NE(text.Find(binding.description), wxNOT_FOUND);
    }
}

}  // namespace
