#include "model/Spreadsheet.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include <locale.h>
#include <xlsxwriter.h>

namespace sheet {

namespace {

std::string Reason(lxw_error error)
{
    return lxw_strerror(error);
}

bool IsWriteFailure(int error)
{
    switch (error)
    {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
    case EROFS:
    case EACCES:
    case EPERM:
        return true;
    default:
        return false;
    }
}

/// The C locale's numbers for the calling thread while it lives: the
/// library prints numbers and widths with the C library, which would write
/// "332,75" into the file under a decimal-comma locale, and spreadsheet
/// readers refuse that. Only this thread changes, and only for the call.
class CNumbers
{
public:
    CNumbers() : m_previous(uselocale(Locale())) {}
    ~CNumbers() { uselocale(m_previous); }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    static locale_t Locale()
    {
        // The process's locale with C numbers; made once, kept for the process.
        static const locale_t numbers = newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE));
        return numbers;
    }

    locale_t m_previous;
};

void Check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throw WriteError(Reason(error));
}

/// A worksheet of libxlsxwriter; the workbook owns it.
class XlsxSheet : public Sheet
{
public:
    XlsxSheet(lxw_workbook* book, lxw_worksheet* sheet, lxw_format* textFormat)
        : m_book(book), m_sheet(sheet), m_textFormat(textFormat)
    {
    }

    void SetColumnAsText(int col) override
    {
        const CNumbers numbers;
        if (col >= static_cast<int>(m_textColumns.size()))
            m_textColumns.resize(col + 1, false);
        m_textColumns[col] = true;
        Check(worksheet_set_column(m_sheet, col, col, Width(col), m_textFormat));
    }

    void SetColumnWidth(int col, double characters) override
    {
        const CNumbers numbers;
        if (col >= static_cast<int>(m_widths.size()))
            m_widths.resize(col + 1, LXW_DEF_COL_WIDTH);
        m_widths[col] = characters;
        Check(worksheet_set_column(m_sheet, col, col, characters, IsText(col) ? m_textFormat : nullptr));
    }

    void WriteText(int row, int col, std::string_view utf8) override
    {
        const CNumbers numbers;
        // The library wants a terminated string; cells are short, so one
        // reused buffer keeps this from allocating per cell.
        m_buffer.assign(utf8.data(), utf8.size());
        lxw_format* format = IsText(col) ? m_textFormat : nullptr;
        if (!m_look.IsPlain())
            format = LookFormat(IsText(col) ? "@" : "");
        if (m_buffer.empty() && format)
            Check(worksheet_write_blank(m_sheet, row, col, format));
        else
            Check(worksheet_write_string(m_sheet, row, col, m_buffer.c_str(), format));
    }

    void WriteNumber(int row, int col, double value, const std::string& numberFormat) override
    {
        const CNumbers numbers;
        Check(worksheet_write_number(m_sheet, row, col, value,
                                     m_look.IsPlain() ? FormatOf(numberFormat) : LookFormat(numberFormat)));
    }

    void SetLook(const CellLook& look) override { m_look = look; }

    void AddDataBar(int col, const std::vector<std::pair<int, int>>& rows, double low, double high) override
    {
        if (rows.empty())
            return;
        const CNumbers numbers;
        // One format over every run, so that all share one scale: the
        // column's values, as on the board.
        std::string ranges;
        for (const auto& [first, last] : rows)
        {
            char cells[64];
            lxw_rowcol_to_range(cells, static_cast<lxw_row_t>(first), static_cast<lxw_col_t>(col),
                                static_cast<lxw_row_t>(last), static_cast<lxw_col_t>(col));
            ranges += (ranges.empty() ? "" : " ") + std::string(cells);
        }
        lxw_conditional_format format = {};
        format.type = LXW_CONDITIONAL_DATA_BAR;
        format.bar_color = kBarColour;
        format.bar_solid = LXW_TRUE;
        format.min_rule_type = LXW_CONDITIONAL_RULE_TYPE_NUMBER;
        format.min_value = low;
        format.max_rule_type = LXW_CONDITIONAL_RULE_TYPE_NUMBER;
        format.max_value = high;
        format.multi_range = rows.size() > 1 ? ranges.data() : nullptr;
        Check(worksheet_conditional_format_range(m_sheet, static_cast<lxw_row_t>(rows.front().first),
                                                 static_cast<lxw_col_t>(col),
                                                 static_cast<lxw_row_t>(rows.front().second),
                                                 static_cast<lxw_col_t>(col), &format));
    }

private:
    // A soft blue the numbers stay readable over, as on the board.
    static constexpr lxw_color_t kBarColour = 0x9DC3E6;

    /// The workbook's format for a number format code with the current
    /// look, added once: rules give a tab a handful of looks.
    lxw_format* LookFormat(const std::string& numberFormat)
    {
        const std::string key = numberFormat + "|" + std::to_string(m_look.hasFont ? m_look.font : 0x1000000u) + "|" +
                                std::to_string(m_look.hasFill ? m_look.fill : 0x1000000u) + (m_look.bold ? "|b" : "|");
        lxw_format*& format = m_lookFormats[key];
        if (!format)
        {
            format = workbook_add_format(m_book);
            if (!format)
                throw WriteError("out of memory");
            if (!numberFormat.empty())
                format_set_num_format(format, numberFormat.c_str());
            if (m_look.hasFont)
                format_set_font_color(format, static_cast<lxw_color_t>(m_look.font));
            if (m_look.hasFill)
            {
                format_set_pattern(format, LXW_PATTERN_SOLID);
                format_set_bg_color(format, static_cast<lxw_color_t>(m_look.fill));
            }
            if (m_look.bold)
                format_set_bold(format);
        }
        return format;
    }

    /// The workbook's format for a number format code, added once: a tab
    /// uses a handful of them over all its cells.
    lxw_format* FormatOf(const std::string& numberFormat)
    {
        if (numberFormat.empty())
            return nullptr;
        if (numberFormat == m_lastCode)
            return m_lastFormat;
        lxw_format*& format = m_numberFormats[numberFormat];
        if (!format)
        {
            format = workbook_add_format(m_book);
            if (!format)
                throw WriteError("out of memory");
            format_set_num_format(format, numberFormat.c_str());
        }
        m_lastCode = numberFormat;
        m_lastFormat = format;
        return format;
    }

    bool IsText(int col) const { return col < static_cast<int>(m_textColumns.size()) && m_textColumns[col]; }
    double Width(int col) const { return col < static_cast<int>(m_widths.size()) ? m_widths[col] : LXW_DEF_COL_WIDTH; }

    lxw_workbook* m_book;
    lxw_worksheet* m_sheet;
    lxw_format* m_textFormat;
    std::unordered_map<std::string, lxw_format*> m_numberFormats;
    std::unordered_map<std::string, lxw_format*> m_lookFormats;
    CellLook m_look;
    std::string m_lastCode;
    lxw_format* m_lastFormat = nullptr;
    std::vector<bool> m_textColumns;
    std::vector<double> m_widths;
    std::string m_buffer;
};

class XlsxWorkbook : public Workbook
{
public:
    explicit XlsxWorkbook(const std::string& path)
    {
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(path.c_str(), &options);
        if (!m_book)
            throw WriteError("out of memory");
        m_textFormat = workbook_add_format(m_book);
        format_set_num_format(m_textFormat, "@");
    }

    ~XlsxWorkbook() override
    {
        const CNumbers numbers;
        // A workbook abandoned half-way still frees its memory; the file it
        // writes then is the caller's to remove.
        if (m_book)
            workbook_close(m_book);
    }

    Sheet& AddSheet(const std::string& name) override
    {
        const CNumbers numbers;
        Check(workbook_validate_sheet_name(m_book, name.c_str()));
        lxw_worksheet* added = workbook_add_worksheet(m_book, name.c_str());
        if (!added)
            throw WriteError("the sheet could not be added");
        m_sheets.push_back(std::make_unique<XlsxSheet>(m_book, added, m_textFormat));
        return *m_sheets.back();
    }

    void Close() override
    {
        const CNumbers numbers;
        lxw_workbook* book = m_book;
        m_book = nullptr;
        errno = 0;
        const lxw_error error = workbook_close(book);
        if (error == LXW_NO_ERROR)
            return;
        // The library names its own step ("error creating output xlsx
        // file"); a full disk or a lost permission is what the user can act on.
        const int system = errno;
        if (IsWriteFailure(system))
            throw WriteError(std::strerror(system));
        throw WriteError(Reason(error));
    }

private:
    lxw_workbook* m_book = nullptr;
    lxw_format* m_textFormat = nullptr;
    std::vector<std::unique_ptr<XlsxSheet>> m_sheets;
};

}  // namespace

std::unique_ptr<Workbook> CreateXlsxWorkbook(const std::string& path)
{
    return std::make_unique<XlsxWorkbook>(path);
}

}  // namespace sheet
