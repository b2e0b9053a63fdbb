#pragma once
// "Sweeper" and "Fillscope": label and value summaries of the linked instrument.

#include <functional>
#include <vector>

#include <wx/string.h>

#include "BuiltinWidget.h"
#include "contract/Records.h"

/// One line of a summary: a label and how to read its value from a quote.
struct SummaryField
{
    const char* label;  // untranslated
    std::function<wxString(const Price&)> value;
};

/// Factory of summary windows showing a fixed list of fields.
class SummaryWidget : public BuiltinWidget
{
public:
    SummaryWidget(const char* name, const char* iconPath, std::vector<SummaryField> fields);

    /// The best prices, spread, volume and activity of the instrument.
    static std::unique_ptr<SummaryWidget> MakeSweeper();
    /// The day's range and averages of the instrument.
    static std::unique_ptr<SummaryWidget> MakeFillscope();

    const std::vector<SummaryField>& Fields() const { return m_fields; }

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) override;
    wxSize FrameSize() const override { return wxSize(320, 340); }

private:
    std::vector<SummaryField> m_fields;
};
