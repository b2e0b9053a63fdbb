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

std::wstring FoldUtf8(const std::string& text)
{
    std::wstring folded(text.size(), L'\0');
    for (size_t index = 0; index < text.size(); ++index)
    {
        const unsigned char c = static_cast<unsigned char>(text[index]);
        if (c >= 0x80)
        {
            // A host's text that is no UTF-8 is taken as Latin-1 rather than dropped.
            wxString converted = wxString::FromUTF8(text.data(), text.size());
            if (converted.empty())
                converted = wxString(text.data(), wxConvISO8859_1, text.size());
            return FoldCase(converted);
        }
        folded[index] = c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + ('a' - 'A')) : static_cast<wchar_t>(c);
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
