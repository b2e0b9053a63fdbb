#include "model/TextSearch.h"

#include <unicode/uchar.h>

std::wstring FoldCase(const wxString& text)
{
    // ICU's simple case folding, one code point for one: what a search
    // compares must stay as long as what it was made from. The C library's
    // towlower follows LC_CTYPE, which is plain ASCII in the "C" locale a
    // terminal often runs under.
    std::wstring folded = text.ToStdWstring();
    for (wchar_t& c : folded)
    {
        if (c < 0x80)
            c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
        else
            c = static_cast<wchar_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
    }
    return folded;
}

bool ContainsIgnoringCase(const wxString& text, const wxString& part)
{
    return FoldCase(text).find(FoldCase(part)) != std::wstring::npos;
}

wxString TrimmedName(const wxString& typed)
{
    wxString name = typed;
    return name.Trim(true).Trim(false);
}

bool SameIgnoringCase(const wxString& a, const wxString& b)
{
    return a.length() == b.length() && FoldCase(a) == FoldCase(b);
}
