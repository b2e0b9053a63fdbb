#include "PriceHistory.h"

#include <algorithm>
#include <cmath>

void PriceHistory::Add(double price)
{
    if (std::fabs(price) < 1e-8)
        return;
    m_points.push_back(price);
    while (m_points.size() > m_capacity)
        m_points.pop_front();
}

double PriceHistory::Low() const
{
    return m_points.empty() ? 0.0 : *std::min_element(m_points.begin(), m_points.end());
}

double PriceHistory::High() const
{
    return m_points.empty() ? 0.0 : *std::max_element(m_points.begin(), m_points.end());
}

int PriceHistory::ToY(double price, int height) const
{
    double low = Low();
    double high = High();
    // A flat series still needs a range to be drawn in the middle.
    const double padding = std::max((high - low) * 0.1, std::max(std::fabs(high) * 0.001, 1e-6));
    low -= padding;
    high += padding;
    const double share = (price - low) / (high - low);
    return static_cast<int>(std::lround((1.0 - share) * (height - 1)));
}
