#include "model/TextSearch.h"

namespace {

bool Between(wchar_t c, wchar_t first, wchar_t last)
{
    return c >= first && c <= last;
}

// The simple lower-case mapping of the scripts instrument names are written
// in. The C library's towlower follows LC_CTYPE, which is plain ASCII in the
// "C" locale a terminal often runs under; a search must not depend on that.
wchar_t FoldChar(wchar_t c)
{
    if (c < 0x80)
        return Between(c, L'A', L'Z') ? static_cast<wchar_t>(c + 0x20) : c;
    if (Between(c, 0xC0, 0xDE) && c != 0xD7)  // Latin-1 capitals, not the multiplication sign
        return c + 0x20;
    if (c == 0x130)  // capital I with dot: its base letter
        return L'i';
    if ((Between(c, 0x100, 0x137) || Between(c, 0x14A, 0x177)) && c % 2 == 0)
        return c + 1;
    if ((Between(c, 0x139, 0x148) || Between(c, 0x179, 0x17E)) && c % 2 == 1)
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    if (Between(c, 0x391, 0x3AB) && c != 0x3A2)  // Greek capitals
        return c + 0x20;
    if (c == 0x3C2)  // final sigma
        return 0x3C3;
    if (c == 0x386)
        return 0x3AC;
    if (Between(c, 0x388, 0x38A))
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (Between(c, 0x38E, 0x38F))
        return c + 0x3F;
    if (Between(c, 0x410, 0x42F))  // Cyrillic capitals
        return c + 0x20;
    if (Between(c, 0x400, 0x40F))
        return c + 0x50;
    if ((Between(c, 0x460, 0x481) || Between(c, 0x48A, 0x4BF) || Between(c, 0x4D0, 0x52F)) && c % 2 == 0)
        return c + 1;
    if ((Between(c, 0x1E00, 0x1E95) || Between(c, 0x1EA0, 0x1EFF)) && c % 2 == 0)  // Vietnamese and others
        return c + 1;
    return c;
}

}  // namespace

std::wstring FoldCase(const wxString& text)
{
    std::wstring folded = text.ToStdWstring();
    for (wchar_t& c : folded)
        c = FoldChar(c);
    return folded;
}

bool ContainsIgnoringCase(const wxString& text, const wxString& part)
{
    return FoldCase(text).find(FoldCase(part)) != std::wstring::npos;
}
