#pragma once
// Instrument codes as a user hands them over in text: pasted from a
// spreadsheet, a chat or a file, "CODE" or "EXCHANGE:CODE", and finding the
// instruments they name.

#include <string>
#include <string_view>
#include <vector>

#include <wx/string.h>

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

/// The instrument each token names, or null, in token order: codes and
/// exchanges compared without regard to ASCII case; a code listed on several
/// exchanges without one named gives the first in catalogue order. One pass
/// over the catalogue, nothing copied from it: a paste of a thousand codes
/// must not index a hundred thousand instruments first.
std::vector<Instrument*> FindCodes(const std::vector<Instrument*>& instruments, const std::vector<CodeToken>& tokens);

/// What a list of codes came to: the instruments found, each once, in the
/// order first named, and the written texts of those not found.
struct ResolvedCodes
{
    std::vector<Instrument*> found;
    std::vector<std::string> missing;
};

ResolvedCodes ResolveCodes(const std::vector<Instrument*>& instruments, const std::vector<CodeToken>& tokens);

/// `named`, the first few of `total` names, between commas, then how many
/// more there are, the count grouped as the locale writes numbers; nothing
/// more when every one is named.
wxString NamedAndMore(const std::vector<wxString>& named, size_t total);
