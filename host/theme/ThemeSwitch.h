#pragma once
// Holds both themes and knows which one is in force.

#include <string>

#include "DarkTheme.h"
#include "LightTheme.h"

/// The host's current theme and the choice between dark and light.
class ThemeSwitch
{
public:
    enum class Choice { Dark, Light };

    explicit ThemeSwitch(Choice initial = Choice::Dark) : m_choice(initial) {}

    /// "light" selects the light theme; anything else the dark one.
    static Choice FromName(const std::string& name);

    PaletteTheme& Current();
    Choice Selected() const { return m_choice; }
    /// Returns true when the theme actually changed.
    bool Select(Choice choice);

private:
    Choice m_choice;
    DarkTheme m_dark;
    LightTheme m_light;
};
