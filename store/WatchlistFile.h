#pragma once
// Watchlists as files of their own, to keep or hand on apart from the
// store: written as CSV ("exchange,code,name", UTF-8, a header row, quoting
// as RFC 4180 has it), read back from such a file or a plain list of codes.
// Window-free; nothing read can make the reader hang or grow without bound.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "layout/LayoutEntries.h"

namespace store {

/// More entries than this make a file no watchlist: the largest exchange
/// the board is built for holds about as many instruments.
constexpr std::size_t kMaxFileEntries = 100000;
/// An exchange or code longer than this is no instrument's.
constexpr std::size_t kMaxCodeBytes = 64;

/// One instrument of a watchlist file; the name only helps whoever reads it.
struct WatchlistFileRow
{
    std::string exchange;
    std::string code;
    std::string name;
};

/// The CSV text of `rows`, header first, lines ended by CRLF as RFC 4180 has it.
std::string WatchlistCsv(const std::vector<WatchlistFileRow>& rows);

/// What a watchlist file held, or why it holds none.
struct WatchlistFileContents
{
    enum Problem
    {
        None,
        Empty,         // no entry at all
        NotText,       // a NUL byte or bytes that are no UTF-8
        OpenQuote,     // a quoted field never closed; `line` is where it opened
        TooManyEntries,
        EntryTooLong   // an exchange or code past kMaxCodeBytes, on `line`
    };
    Problem problem = None;
    std::size_t line = 0;
    /// In file order; the exchange is empty where the file named none.
    std::vector<layout::InstrumentRef> entries;
};

/// Reads a file's text: CSV when its first record has a field "code" (the
/// exchange then comes from the field "exchange", if any), else a plain
/// list of "CODE" or "EXCHANGE:CODE" entries separated by commas,
/// semicolons, white space or line ends. A UTF-8 byte order mark and CRLF
/// line ends are taken as they come.
WatchlistFileContents ReadWatchlistText(std::string_view text);

}  // namespace store
