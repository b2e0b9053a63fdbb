#pragma once
// Which side, price and quantity an order ticket opens with, and the price
// as the whole number of ticks a link event carries.

#include <cstdint>
#include <optional>
#include <string>

struct Price;

namespace ticket {

enum class Side
{
    Buy,
    Sell
};

/// What a ticket starts from: its side, a price hint (0 = none) and a quantity.
struct Order
{
    Side side = Side::Buy;
    double priceHint = 0.0;
    double quantity = 0.0;
};

/// Buy or Sell from the cell menu: the right-clicked column picks the hint
/// and whether the opposite side's volume comes along.
Order FromMenu(Side side, int clickedColumn, const Price& quote);
/// A double click on the volume or price columns of either side; nothing elsewhere.
std::optional<Order> FromDoubleClick(int column, const Price& quote);
/// The host's ticket hotkeys (commands 1, 2, 16 and 17); nothing for the rest.
std::optional<Order> FromHostCommand(int hostCommand, const Price& quote);

/// The hint when it is not zero, else the other side's best price, else
/// the last price, else the previous close; 0 when all are zero.
double ChosenPrice(const Order& order, const Price& quote);

/// Decimals a price is counted in: the instrument's, or 5 when it gives none.
int TickDecimals(int decimals);

/// `price` in ticks of 10^-decimals, rounded half away from zero, as the
/// 64 bits of a ticket link carry it.
struct Ticks
{
    int64_t value = 0;     // 0 when there is no price or it does not fit
    std::string problem;   // why a non-zero price became 0
};
Ticks PriceInTicks(double price, int decimals);

}  // namespace ticket
