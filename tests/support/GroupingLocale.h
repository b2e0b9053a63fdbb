#pragma once
// A locale whose numbers group thousands, for the number reading checks.

#include <memory>

#include <wx/intl.h>

namespace testing_support {

/// US English number conventions while it lives, when the system has them.
class GroupingLocale
{
public:
    GroupingLocale()
    {
        if (wxLocale::IsAvailable(wxLANGUAGE_ENGLISH_US))
            m_locale = std::make_unique<wxLocale>(wxLANGUAGE_ENGLISH_US, wxLOCALE_DONT_LOAD_DEFAULT);
    }
    bool IsOk() const { return m_locale && m_locale->IsOk(); }

private:
    std::unique_ptr<wxLocale> m_locale;
};

}  // namespace testing_support
