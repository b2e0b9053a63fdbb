#include "model/Spreadsheet.h"

#include <string>
#include <vector>

#include <xlsxwriter.h>

namespace sheet {

namespace {

std::string Reason(lxw_error error)
{
    return lxw_strerror(error);
}

void Check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throw WriteError(Reason(error));
}

/// A worksheet of libxlsxwriter; the workbook owns it.
class XlsxSheet : public Sheet
{
public:
    XlsxSheet(lxw_worksheet* sheet, lxw_format* textFormat) : m_sheet(sheet), m_textFormat(textFormat) {}

    void SetColumnAsText(int col) override
    {
        if (col >= static_cast<int>(m_textColumns.size()))
            m_textColumns.resize(col + 1, false);
        m_textColumns[col] = true;
        Check(worksheet_set_column(m_sheet, col, col, Width(col), m_textFormat));
    }

    void SetColumnWidth(int col, double characters) override
    {
        if (col >= static_cast<int>(m_widths.size()))
            m_widths.resize(col + 1, LXW_DEF_COL_WIDTH);
        m_widths[col] = characters;
        Check(worksheet_set_column(m_sheet, col, col, characters, IsText(col) ? m_textFormat : nullptr));
    }

    void WriteText(int row, int col, std::string_view utf8) override
    {
        // The library wants a terminated string; cells are short, so one
        // reused buffer keeps this from allocating per cell.
        m_buffer.assign(utf8.data(), utf8.size());
        Check(worksheet_write_string(m_sheet, row, col, m_buffer.c_str(), IsText(col) ? m_textFormat : nullptr));
    }

    void WriteNumber(int row, int col, double value) override
    {
        Check(worksheet_write_number(m_sheet, row, col, value, nullptr));
    }

private:
    bool IsText(int col) const { return col < static_cast<int>(m_textColumns.size()) && m_textColumns[col]; }
    double Width(int col) const { return col < static_cast<int>(m_widths.size()) ? m_widths[col] : LXW_DEF_COL_WIDTH; }

    lxw_worksheet* m_sheet;
    lxw_format* m_textFormat;
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
        // A workbook abandoned half-way still frees its memory; the file it
        // writes then is the caller's to remove.
        if (m_book)
            workbook_close(m_book);
    }

    Sheet& AddSheet(const std::string& name) override
    {
        Check(workbook_validate_sheet_name(m_book, name.c_str()));
        lxw_worksheet* added = workbook_add_worksheet(m_book, name.c_str());
        if (!added)
            throw WriteError("the sheet could not be added");
        m_sheets.push_back(std::make_unique<XlsxSheet>(added, m_textFormat));
        return *m_sheets.back();
    }

    void Close() override
    {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        Check(workbook_close(book));
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
