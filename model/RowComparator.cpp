#include "model/RowComparator.h"

#include <limits>
#include <optional>
#include <string>

#include "model/ColumnSpec.h"
#include "model/ComputedColumns.h"
#include "contract/Records.h"

namespace {

const std::string kEmpty;

// A row whose instrument is missing sorts like one with empty texts.
const std::string& InstrumentText(const Price& price, const std::string Instrument::*field)
{
    return price.instrument ? price.instrument->*field : kEmpty;
}

bool DateBefore(const Price& a, const Price& b)
{
    // "%Y%m%d" texts order chronologically as plain bytes.
    if (a.tradeDate.empty() && b.tradeDate.empty())
        return a.secondDate < b.secondDate;
    return a.tradeDate < b.tradeDate;
}

// The quote field of every column that shows one floating-point number.
double Price::*NumberField(int col)
{
    return IsColumn(col) ? ColumnAt(col).number : nullptr;
}

// The instrument's field of every column that shows one as it is.
const std::string Instrument::*TextField(int col)
{
    return IsColumn(col) ? ColumnAt(col).text : nullptr;
}

}  // namespace

bool CompareRows(int col, const Price& a, const Price& b)
{
    if (const auto field = NumberField(col))
        return a.*field < b.*field;
    if (const auto field = TextField(col))
        return InstrumentText(a, field) < InstrumentText(b, field);
    switch (col)
    {
    case column::Status: return a.statusNote < b.statusNote;
    case column::CorporateAction: return a.caNote < b.caNote;
    case column::TradeType: return a.tradeType < b.tradeType;
    case column::Deals: return a.deals < b.deals;
    case column::Date: return DateBefore(a, b);
    case column::Time: return a.tradeTime < b.tradeTime;
    default: return false;  // the row-number column has no order of its own
    }
}

const void* SortKeyAddress(int col, const Price& price)
{
    if (const auto field = NumberField(col))
        return &(price.*field);
    switch (col)
    {
    case column::Deals: return &price.deals;
    case column::TradeType: return &price.tradeType;
    case column::Time: return &price.tradeTime;
    case column::Date: return &price.tradeDate;
    case column::Status: return &price.statusNote;
    case column::CorporateAction: return &price.caNote;
    default: return &price.instrument;
    }
}

double ComputedSortKey(int col, const Price& price, const ComputedColumns& computed)
{
    const std::optional<double> value = computed.Value(static_cast<size_t>(col - column::Count), price);
    return value ? *value : -std::numeric_limits<double>::infinity();
}

bool HasNumericSortKey(int col)
{
    return IsComputedColumn(col) || NumberField(col) || col == column::Deals || col == column::TradeType;
}

double Price::*NumericSortField(int col)
{
    return NumberField(col);
}

double NumericSortKey(int col, const Price& price)
{
    if (const auto field = NumberField(col))
        return price.*field;
    if (col == column::Deals)
        return static_cast<double>(price.deals);
    if (col == column::TradeType)
        return static_cast<double>(price.tradeType);
    return 0.0;
}

bool HasTextSortKey(int col)
{
    return TextField(col) || col == column::Status || col == column::CorporateAction;
}

bool HasInstrumentTextKey(int col)
{
    return TextField(col) != nullptr;
}

std::string_view TextSortKey(int col, const Price& price)
{
    if (const auto field = TextField(col))
        return InstrumentText(price, field);
    if (col == column::Status)
        return price.statusNote;
    if (col == column::CorporateAction)
        return price.caNote;
    return {};
}
