#include "model/CopyText.h"

#include <algorithm>
#include <thread>

namespace {

// Fewer rows than this are copied faster than a thread starts.
constexpr size_t kRowsPerThread = 5000;

void AppendLine(wxString& text, const std::vector<int>& columns, const std::function<wxString(int)>& field)
{
    bool first = true;
    for (int col : columns)
    {
        if (!first)
            text += '\t';
        text += field(col);
        first = false;
    }
    text += "\r\n";
}

}  // namespace

wxString BuildCopyText(const std::vector<int>& columns, const std::vector<int>& rows,
                       const std::function<wxString(int col)>& label,
                       const std::function<wxString(int row, int col)>& cell, const PartRunner& runParts)
{
    // Formatting the cells is nearly all of a copy: 100,000 rows took
    // seconds on one thread, with the window frozen meanwhile. Parts of the
    // rows may go to other threads; the window waits for them all the same.
    const size_t parts = std::clamp<size_t>(rows.size() / kRowsPerThread, 1,
                                            std::max(1u, std::thread::hardware_concurrency()));
    std::vector<wxString> texts(parts);
    const auto makePart = [&](size_t part)
    {
        const size_t first = rows.size() * part / parts;
        const size_t end = rows.size() * (part + 1) / parts;
        wxString& text = texts[part];
        // Rough size up front: a long copy otherwise regrows the text many times.
        text.reserve((end - first + 1) * columns.size() * 8);
        for (size_t at = first; at < end; ++at)
            AppendLine(text, columns, [&](int col) { return cell(rows[at], col); });
    };
    if (runParts)
        runParts(parts, makePart);
    else
        for (size_t part = 0; part < parts; ++part)
            makePart(part);

    wxString text;
    size_t length = 0;
    for (const wxString& part : texts)
        length += part.length();
    text.reserve(length + columns.size() * 16);
    AppendLine(text, columns, label);
    for (const wxString& part : texts)
        text += part;
    return text;
}

void CopiedRows::Reserve(std::size_t rows)
{
    rowNumbers.reserve(rows);
    quotes.reserve(rows);
}

void CopiedRows::Add(int rowNumber, const Price& quote)
{
    rowNumbers.push_back(rowNumber);
    quotes.push_back(quote);
}

wxString CopiedRows::Text(const PartRunner& runParts) const
{
    std::vector<int> indexes(quotes.size());
    for (size_t at = 0; at < indexes.size(); ++at)
        indexes[at] = static_cast<int>(at);
    return BuildCopyText(
        columns, indexes,
        [this](int col) { return labels[static_cast<size_t>(std::find(columns.begin(), columns.end(), col) - columns.begin())]; },
        [this](int at, int col) { return format.CellText(rowNumbers[at], col, quotes[at]); }, runParts);
}
