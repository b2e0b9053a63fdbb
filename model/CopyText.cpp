#include "model/CopyText.h"

namespace {

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
                       const std::function<wxString(int row, int col)>& cell)
{
    wxString text;
    // Rough size up front: a 20,000-row copy otherwise regrows the text many times.
    text.reserve((rows.size() + 1) * columns.size() * 8);
    AppendLine(text, columns, label);
    for (int row : rows)
        AppendLine(text, columns, [&](int col) { return cell(row, col); });
    return text;
}
