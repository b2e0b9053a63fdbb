#include "ThemeSwitch.h"

ThemeSwitch::Choice ThemeSwitch::FromName(const std::string& name)
{
    return name == "light" ? Choice::Light : Choice::Dark;
}

PaletteTheme& ThemeSwitch::Current()
{
    if (m_choice == Choice::Light)
        return m_light;
    return m_dark;
}

bool ThemeSwitch::Select(Choice choice)
{
    if (choice == m_choice)
        return false;
    m_choice = choice;
    return true;
}
