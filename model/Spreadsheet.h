#pragma once
// The spreadsheet file a tab is exported to, behind a small interface of our
// own so that the file-format library can be swapped.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
#include <string_view>

namespace sheet {

/// A workbook could not be written; what() is the reason, for the user.
class WriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// The colours and weight a cell is written with; plain by default.
struct CellLook
{
    bool hasFont = false;
    uint32_t font = 0;  // 0xRRGGBB
    bool hasFill = false;
    uint32_t fill = 0;
    bool bold = false;

    bool IsPlain() const { return !hasFont && !hasFill && !bold; }
};

/// One worksheet. Rows are written in ascending order, each row's cells left
/// to right: the writer may stream them to disk as they come.
class Sheet
{
public:
    virtual ~Sheet() = default;
    /// Cells of the 0-based column keep their text as typed ("@" format).
    virtual void SetColumnAsText(int col) = 0;
    virtual void SetColumnWidth(int col, double characters) = 0;
    virtual void WriteText(int row, int col, std::string_view utf8) = 0;
    /// `numberFormat` is a format code such as "#,##0.00"; empty for the
    /// format's general one.
    virtual void WriteNumber(int row, int col, double value, const std::string& numberFormat) = 0;
    /// The look of the cells written from now on; an empty text written
    /// with a look that is not plain still leaves a coloured cell.
    virtual void SetLook(const CellLook& look) = 0;
    /// Draws a bar in the cells of the column in `rows` (first and last
    /// row of each run, in order), sized from `low` to `high`; called after
    /// the rows are written.
    virtual void AddDataBar(int col, const std::vector<std::pair<int, int>>& rows, double low, double high) = 0;
};

/// A workbook being written to one file.
class Workbook
{
public:
    virtual ~Workbook() = default;
    /// Adds a sheet; `name` must be one the format accepts (see SheetName).
    virtual Sheet& AddSheet(const std::string& name) = 0;
    /// Finishes the file; throws WriteError when it cannot be written.
    virtual void Close() = 0;
};

/// A workbook in the Office Open XML format (.xlsx) at `path`, written with
/// little memory whatever the row count. Throws WriteError.
std::unique_ptr<Workbook> CreateXlsxWorkbook(const std::string& path);

}  // namespace sheet
