#include "model/CodeList.h"

#include <unordered_map>
#include <unordered_set>

#include <wx/intl.h>
#include <wx/numformatter.h>

namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

struct CaseBlindHash
{
    size_t operator()(std::string_view text) const
    {
        size_t hash = 14695981039346656037ull;
        for (char c : text)
            hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * 1099511628211ull;
        return hash;
    }
};

struct CaseBlindEqual
{
    bool operator()(std::string_view a, std::string_view b) const
    {
        if (a.size() != b.size())
            return false;
        for (size_t index = 0; index < a.size(); ++index)
            if (UpperAscii(a[index]) != UpperAscii(b[index]))
                return false;
        return true;
    }
};

}  // namespace

CodeToken ReadCodeToken(std::string_view written)
{
    CodeToken token;
    token.written = std::string(written);
    std::string_view bare = written;
    if (bare.size() >= 2 && bare.front() == '"' && bare.back() == '"')
        bare = bare.substr(1, bare.size() - 2);
    const auto colon = bare.find(':');
    if (colon == std::string_view::npos)
        token.code = std::string(bare);
    else
    {
        token.exchange = std::string(bare.substr(0, colon));
        token.code = std::string(bare.substr(colon + 1));
    }
    return token;
}

std::vector<CodeToken> SplitCodes(std::string_view text)
{
    std::vector<CodeToken> tokens;
    size_t at = 0;
    while (at < text.size())
    {
        while (at < text.size() && IsSeparator(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && !IsSeparator(text[at]))
            ++at;
        if (at > start)
            tokens.push_back(ReadCodeToken(text.substr(start, at - start)));
    }
    return tokens;
}

std::vector<Instrument*> FindCodes(const std::vector<Instrument*>& instruments, const std::vector<CodeToken>& tokens)
{
    std::unordered_map<std::string_view, std::vector<size_t>, CaseBlindHash, CaseBlindEqual> byCode;
    for (size_t index = 0; index < tokens.size(); ++index)
        if (!tokens[index].code.empty())
            byCode[tokens[index].code].push_back(index);
    std::vector<Instrument*> found(tokens.size(), nullptr);
    for (Instrument* instrument : instruments)
    {
        if (!instrument)
            continue;
        const auto named = byCode.find(instrument->code);
        if (named == byCode.end())
            continue;
        for (size_t index : named->second)
        {
            const std::string& exchange = tokens[index].exchange;
            if (!found[index] && (exchange.empty() || CaseBlindEqual()(exchange, instrument->exchange)))
                found[index] = instrument;
        }
    }
    return found;
}

ResolvedCodes ResolveCodes(const std::vector<Instrument*>& instruments, const std::vector<CodeToken>& tokens)
{
    ResolvedCodes resolved;
    const std::vector<Instrument*> found = FindCodes(instruments, tokens);
    std::unordered_set<const Instrument*> seen;
    for (size_t index = 0; index < tokens.size(); ++index)
    {
        if (!found[index])
            resolved.missing.push_back(tokens[index].written);
        else if (seen.insert(found[index]).second)
            resolved.found.push_back(found[index]);
    }
    return resolved;
}

wxString NamedAndMore(const std::vector<wxString>& named, size_t total)
{
    wxString listed;
    for (const wxString& name : named)
        listed += (listed.empty() ? "" : ", ") + name;
    if (total <= named.size())
        return listed;
    const size_t more = total - named.size();
    return wxString::Format(wxPLURAL("%s and %s more", "%s and %s more", more), listed,
                            wxNumberFormatter::ToString(static_cast<long>(more)));
}
