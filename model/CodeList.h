#pragma once
// Instrument codes as a user hands them over in text: pasted from a
// spreadsheet, a chat or a file, "CODE" or "EXCHANGE:CODE", and finding the
// instruments they name.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "contract/Records.h"

/// One code of the text: its exchange when it named one, and the text as
/// written, for telling the user what was not found.
struct CodeToken
{
    std::string exchange;
    std::string code;
    std::string written;
};

/// The codes of `text`, in order, separated by commas, semicolons, spaces,
/// tabs or line ends; a pair of double quotes around one is dropped, and
/// "EXCHANGE:CODE" picks the exchange.
std::vector<CodeToken> SplitCodes(std::string_view text);

/// The entry of a list for `token`: "EXCHANGE:CODE" splits at its first colon.
CodeToken ReadCodeToken(std::string_view written);

/// Finds instruments by code, with or without an exchange, letters compared
/// without regard to ASCII case; a code listed on several exchanges without
/// one named gives the first in catalogue order.
class CodeResolver
{
public:
    explicit CodeResolver(const std::vector<Instrument*>& instruments);

    /// The instrument `exchange` (any when empty) lists as `code`, or null.
    Instrument* Find(const std::string& exchange, const std::string& code) const;

private:
    std::unordered_map<std::string, Instrument*> m_byCode;
    std::unordered_map<std::string, Instrument*> m_byExchangeCode;
};

/// What a list of codes came to: the instruments found, each once, in the
/// order first named, and the written texts of those not found.
struct ResolvedCodes
{
    std::vector<Instrument*> found;
    std::vector<std::string> missing;
};

ResolvedCodes ResolveCodes(const CodeResolver& resolver, const std::vector<CodeToken>& tokens);
