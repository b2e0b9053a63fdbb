#include "model/CodeList.h"

#include <unordered_set>

namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return text;
}

// The two parts joined by a byte no code holds.
std::string ExchangeKey(const std::string& exchange, const std::string& code)
{
    return UpperAscii(exchange) + '\0' + UpperAscii(code);
}

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

CodeResolver::CodeResolver(const std::vector<Instrument*>& instruments)
{
    m_byCode.reserve(instruments.size());
    m_byExchangeCode.reserve(instruments.size());
    for (Instrument* instrument : instruments)
    {
        if (!instrument)
            continue;
        m_byCode.emplace(UpperAscii(instrument->code), instrument);
        m_byExchangeCode.emplace(ExchangeKey(instrument->exchange, instrument->code), instrument);
    }
}

Instrument* CodeResolver::Find(const std::string& exchange, const std::string& code) const
{
    if (code.empty())
        return nullptr;
    const auto& index = exchange.empty() ? m_byCode : m_byExchangeCode;
    const auto found = index.find(exchange.empty() ? UpperAscii(code) : ExchangeKey(exchange, code));
    return found == index.end() ? nullptr : found->second;
}

ResolvedCodes ResolveCodes(const CodeResolver& resolver, const std::vector<CodeToken>& tokens)
{
    ResolvedCodes resolved;
    std::unordered_set<const Instrument*> seen;
    for (const CodeToken& token : tokens)
    {
        Instrument* instrument = resolver.Find(token.exchange, token.code);
        if (!instrument)
            resolved.missing.push_back(token.written);
        else if (seen.insert(instrument).second)
            resolved.found.push_back(instrument);
    }
    return resolved;
}
