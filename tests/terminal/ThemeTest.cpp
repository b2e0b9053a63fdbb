// The terminal's themes: complete, readable and switchable.

#include <functional>

#include <gtest/gtest.h>

#include "theme/ThemeSwitch.h"

namespace {

double Luminance(const wxColour& colour)
{
    return 0.2126 * colour.Red() + 0.7152 * colour.Green() + 0.0722 * colour.Blue();
}

using Slot = std::function<wxColour(const Theme&)>;

// Surfaces that text is drawn on.
const std::vector<std::pair<const char*, Slot>>& BackgroundSlots()
{
    static const std::vector<std::pair<const char*, Slot>> slots = {
        {"Background", [](const Theme& t) { return t.BackgroundColour(); }},
        {"ActiveTab", [](const Theme& t) { return t.ActiveTabColour(); }},
        {"Margin", [](const Theme& t) { return t.MarginColour(); }},
        {"CellBackground", [](const Theme& t) { return t.CellBackgroundColour(); }},
        {"Selection", [](const Theme& t) { return t.SelectionColour(); }},
        {"Bookmark", [](const Theme& t) { return t.BookmarkColour(); }},
        {"Button", [](const Theme& t) { return t.ButtonColour(); }},
    };
    return slots;
}

TEST(Theme, EveryDeclaredColourIsValid)
{
    DarkTheme dark;
    LightTheme light;
    for (const Theme* theme : {static_cast<const Theme*>(&dark), static_cast<const Theme*>(&light)})
    {
        const wxColour colours[] = {
            theme->Reserved0(),  theme->Reserved1(),         theme->Reserved2(),       theme->BackgroundColour(),
            theme->ActiveTabColour(), theme->MarginColour(), theme->Reserved6(),       theme->BorderColour(),
            theme->Reserved8(),  theme->GridLineColour(),    theme->CellBackgroundColour(), theme->Reserved11(),
            theme->SelectionColour(), theme->BookmarkColour(), theme->UpColour(),      theme->DownColour(),
            theme->Reserved16(), theme->Reserved17(),        theme->Reserved18(),      theme->LabelTextColour(),
            theme->TextColour(), theme->ButtonColour()};
        for (const wxColour& colour : colours)
            EXPECT_TRUE(colour.IsOk());
        EXPECT_TRUE(theme->NormalFont().IsOk());
        EXPECT_TRUE(theme->GridFont().IsOk());
    }
}

TEST(Theme, DarkBackgroundsAreDarkerThanTheirText)
{
    DarkTheme dark;
    for (const auto& [name, slot] : BackgroundSlots())
    {
        EXPECT_LT(Luminance(slot(dark)) + 40, Luminance(dark.TextColour())) << name;
        EXPECT_LT(Luminance(slot(dark)), Luminance(dark.LabelTextColour())) << name;
    }
    EXPECT_LT(Luminance(dark.BackgroundColour()), 64) << "the dark theme must really be dark";
}

TEST(Theme, LightTextIsDarkerThanItsBackgrounds)
{
    LightTheme light;
    for (const auto& [name, slot] : BackgroundSlots())
    {
        EXPECT_GT(Luminance(slot(light)), Luminance(light.TextColour()) + 40) << name;
        EXPECT_GT(Luminance(slot(light)), Luminance(light.LabelTextColour())) << name;
    }
}

TEST(Theme, UpAndDownAreTellApartInBothThemes)
{
    DarkTheme dark;
    LightTheme light;
    for (const Theme* theme : {static_cast<const Theme*>(&dark), static_cast<const Theme*>(&light)})
    {
        EXPECT_GT(theme->UpColour().Green(), theme->UpColour().Red());
        EXPECT_GT(theme->DownColour().Red(), theme->DownColour().Green());
    }
}

TEST(Theme, DarkPaletteUsesTheTerminalColours)
{
    DarkTheme dark;
    EXPECT_EQ(dark.BackgroundColour(), wxColour("#1e2227"));
    EXPECT_EQ(dark.ActiveTabColour(), wxColour("#2d333b"));
    EXPECT_EQ(dark.CellBackgroundColour(), wxColour("#15181c"));
    EXPECT_EQ(dark.SelectionColour(), wxColour("#264f78"));
    EXPECT_EQ(dark.UpColour(), wxColour("#2ecc71"));
    EXPECT_EQ(dark.DownColour(), wxColour("#ff5c5c"));
    EXPECT_EQ(dark.TextColour(), wxColour("#e6e6e6"));
}

TEST(Theme, MakeFontDerivesFromTheNormalFont)
{
    DarkTheme theme;
    const wxFont normal = theme.NormalFont();
    EXPECT_EQ(normal.GetPointSize(), 9);

    const wxFont title = theme.MakeFont(0, 700, 90, false);
    EXPECT_EQ(title.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(title.GetStyle(), wxFONTSTYLE_NORMAL);
    EXPECT_FALSE(title.GetUnderlined());
    EXPECT_EQ(title.GetPointSize(), normal.GetPointSize());
    EXPECT_EQ(title.GetFaceName(), normal.GetFaceName());

    const wxFont note = theme.MakeFont(2, 400, 93, true);
    EXPECT_EQ(note.GetPointSize(), 11);
    EXPECT_EQ(note.GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(note.GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_TRUE(note.GetUnderlined());

    EXPECT_GE(theme.MakeFont(-50, 400, 90, false).GetPointSize(), 1);
}

TEST(Theme, SwitchSelectsAndReportsChanges)
{
    ThemeSwitch themes(ThemeSwitch::FromName("dark"));
    EXPECT_EQ(themes.Current().TextColour(), DarkTheme().TextColour());
    EXPECT_FALSE(themes.Select(ThemeSwitch::Choice::Dark));
    EXPECT_TRUE(themes.Select(ThemeSwitch::Choice::Light));
    EXPECT_EQ(themes.Current().TextColour(), LightTheme().TextColour());
    EXPECT_EQ(ThemeSwitch::FromName("light"), ThemeSwitch::Choice::Light);
    EXPECT_EQ(ThemeSwitch::FromName("anything"), ThemeSwitch::Choice::Dark);
}

}  // namespace
