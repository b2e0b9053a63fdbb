#include "store/WatchlistFile.h"

#include "model/CodeList.h"

namespace store {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A field needs quotes when it holds the separator, a quote or a line end,
// or begins or ends with a space another reader might trim.
bool NeedsQuotes(const std::string& field)
{
    return field.find_first_of(",\"\r\n") != std::string::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

// A spreadsheet program takes a cell beginning with one of these for a
// formula (a tab or carriage return lets a formula follow).
bool StartsFormula(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Apostrophes, then a formula's first character: a field the writer leads
// with one more apostrophe, which spreadsheet programs show as text and the
// reader takes off again. Apostrophes already leading such a field get one
// more too, so a name that really begins with one reads back unchanged.
bool LooksLikeFormula(std::string_view field)
{
    const size_t first = field.find_first_not_of('\'');
    return first != std::string_view::npos && StartsFormula(field[first]);
}

void AppendField(std::string& out, const std::string& plain)
{
    const std::string field = LooksLikeFormula(plain) ? "'" + plain : plain;
    if (!NeedsQuotes(field))
    {
        out += field;
        return;
    }
    out += '"';
    for (char c : field)
    {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Valid UTF-8 without NUL bytes: what a text editor would save.
bool IsText(std::string_view text)
{
    size_t at = 0;
    while (at < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead == 0)
            return false;
        if (lead < 0x80)
        {
            ++at;
            continue;
        }
        size_t length = 0;
        unsigned int least = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, least = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, least = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, least = 0x10000;
        else
            return false;
        if (at + length > text.size())
            return false;
        unsigned int point = lead & (0x7F >> length);
        for (size_t next = 1; next < length; ++next)
        {
            const auto c = static_cast<unsigned char>(text[at + next]);
            if ((c & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (c & 0x3F);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The field the writer led with an apostrophe, without it.
std::string_view WithoutFormulaGuard(std::string_view field)
{
    if (!field.empty() && field.front() == '\'' && LooksLikeFormula(field))
        field.remove_prefix(1);
    return field;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return lower;
}

/// Reads RFC 4180 records one at a time; a quote inside an unquoted field is
/// taken as it stands.
class CsvRecords
{
public:
    enum Outcome
    {
        Record,
        End,
        OpenQuote
    };

    explicit CsvRecords(std::string_view text) : m_text(text) {}

    /// The next record's fields; `line` becomes the line it starts on.
    Outcome Next(std::vector<std::string>& fields, size_t& line)
    {
        fields.clear();
        if (m_at >= m_text.size())
            return End;
        line = m_line;
        fields.emplace_back();
        while (m_at < m_text.size())
        {
            const char c = m_text[m_at];
            if (c == '"' && fields.back().empty() && !m_fieldStarted)
            {
                if (!ReadQuoted(fields.back()))
                    return OpenQuote;
                continue;
            }
            ++m_at;
            if (c == ',')
            {
                fields.emplace_back();
                m_fieldStarted = false;
            }
            else if (c == '\n' || c == '\r')
            {
                if (c == '\r' && m_at < m_text.size() && m_text[m_at] == '\n')
                    ++m_at;
                ++m_line;
                m_fieldStarted = false;
                return Record;
            }
            else
            {
                fields.back() += c;
                m_fieldStarted = true;
            }
        }
        m_fieldStarted = false;
        return Record;
    }

    size_t Line() const { return m_line; }

private:
    bool ReadQuoted(std::string& field)
    {
        const size_t opened = m_line;
        ++m_at;
        while (m_at < m_text.size())
        {
            const char c = m_text[m_at++];
            if (c == '"')
            {
                if (m_at < m_text.size() && m_text[m_at] == '"')
                {
                    field += '"';
                    ++m_at;
                    continue;
                }
                m_fieldStarted = true;
                return true;
            }
            if (c == '\n')
                ++m_line;
            field += c;
        }
        m_line = opened;
        return false;
    }

    std::string_view m_text;
    size_t m_at = 0;
    size_t m_line = 1;
    bool m_fieldStarted = false;
};

// False, with the problem set, when the entry cannot be taken.
bool Take(WatchlistFileContents& contents, std::string exchange, std::string code, size_t line)
{
    if (exchange.size() > kMaxCodeBytes || code.size() > kMaxCodeBytes)
    {
        contents.problem = WatchlistFileContents::EntryTooLong;
        contents.line = line;
        return false;
    }
    if (contents.entries.size() >= kMaxFileEntries)
    {
        contents.problem = WatchlistFileContents::TooManyEntries;
        contents.line = line;
        return false;
    }
    contents.entries.push_back(layout::InstrumentRef{std::move(exchange), std::move(code)});
    return true;
}

void ReadCsv(std::string_view text, WatchlistFileContents& contents)
{
    CsvRecords records(text);
    std::vector<std::string> fields;
    size_t line = 1;
    records.Next(fields, line);
    size_t codeColumn = 0;
    size_t exchangeColumn = std::string::npos;
    for (size_t column = 0; column < fields.size(); ++column)
    {
        const std::string name = LowerAscii(Trimmed(fields[column]));
        if (name == "code")
            codeColumn = column;
        else if (name == "exchange")
            exchangeColumn = column;
    }
    for (;;)
    {
        const CsvRecords::Outcome outcome = records.Next(fields, line);
        if (outcome == CsvRecords::End)
            return;
        if (outcome == CsvRecords::OpenQuote)
        {
            contents.problem = WatchlistFileContents::OpenQuote;
            contents.line = records.Line();
            return;
        }
        std::string_view code =
            codeColumn < fields.size() ? WithoutFormulaGuard(Trimmed(fields[codeColumn])) : std::string_view();
        if (code.empty())
        {
            // A row without its code still meant something: it is told as
            // not found rather than passed over in silence.
            for (const std::string& field : fields)
                if (code.empty())
                    code = WithoutFormulaGuard(Trimmed(field));
            if (!code.empty() && !Take(contents, std::string(), std::string(code), line))
                return;
            continue;
        }
        const std::string_view exchange =
            exchangeColumn < fields.size() ? WithoutFormulaGuard(Trimmed(fields[exchangeColumn])) : std::string_view();
        if (!Take(contents, std::string(exchange), std::string(code), line))
            return;
    }
}

bool IsPlainSeparator(char c)
{
    return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void ReadPlainList(std::string_view text, WatchlistFileContents& contents)
{
    size_t line = 1;
    size_t at = 0;
    while (at < text.size())
    {
        if (IsPlainSeparator(text[at]))
        {
            line += text[at] == '\n' ? 1 : 0;
            ++at;
            continue;
        }
        const size_t start = at;
        while (at < text.size() && !IsPlainSeparator(text[at]))
            ++at;
        const std::string_view written = text.substr(start, at - start);
        // Checked before anything is copied: a megabyte without a separator
        // is one entry.
        if (written.size() > 2 * kMaxCodeBytes + 3)
        {
            contents.problem = WatchlistFileContents::EntryTooLong;
            contents.line = line;
            return;
        }
        CodeToken token = ReadCodeToken(written);
        if (!token.code.empty() && !Take(contents, std::move(token.exchange), std::move(token.code), line))
            return;
    }
}

// Whether the first record names a column "code": then the file is CSV.
// An open quote in it is reported as such.
bool HasCsvHeader(std::string_view text, WatchlistFileContents& contents)
{
    // Only the first line is looked at: a header is short, and a file of one
    // megabyte-long line must not be copied field by field to find out.
    const size_t end = text.find_first_of("\r\n");
    const std::string_view first = text.substr(0, end);
    if (first.find('"') != std::string_view::npos)
    {
        CsvRecords records(text);
        std::vector<std::string> fields;
        size_t line = 1;
        if (records.Next(fields, line) == CsvRecords::OpenQuote)
        {
            contents.problem = WatchlistFileContents::OpenQuote;
            contents.line = 1;
            return false;
        }
        for (const std::string& field : fields)
            if (LowerAscii(Trimmed(field)) == "code")
                return true;
        return false;
    }
    size_t at = 0;
    while (at <= first.size())
    {
        const size_t comma = std::min(first.find(',', at), first.size());
        if (LowerAscii(Trimmed(first.substr(at, comma - at))) == "code")
            return true;
        at = comma + 1;
    }
    return false;
}

}  // namespace

std::string WatchlistCsv(const std::vector<WatchlistFileRow>& rows)
{
    std::string out = "exchange,code,name\r\n";
    for (const WatchlistFileRow& row : rows)
    {
        AppendField(out, row.exchange);
        out += ',';
        AppendField(out, row.code);
        out += ',';
        AppendField(out, row.name);
        out += "\r\n";
    }
    return out;
}

WatchlistFileContents ReadWatchlistText(std::string_view text)
{
    WatchlistFileContents contents;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    if (!IsText(text))
    {
        contents.problem = WatchlistFileContents::NotText;
        return contents;
    }
    const bool csv = HasCsvHeader(text, contents);
    if (contents.problem != WatchlistFileContents::None)
        return contents;
    if (csv)
        ReadCsv(text, contents);
    else
        ReadPlainList(text, contents);
    if (contents.problem == WatchlistFileContents::None && contents.entries.empty())
        contents.problem = WatchlistFileContents::Empty;
    if (contents.problem != WatchlistFileContents::None)
        contents.entries.clear();
    return contents;
}

}  // namespace store
