#include "board/SortWarmup.h"

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/BufferWarming.h"
#include "model/KeyedSort.h"

namespace {

// About 20 ms of fresh pages on a quiet machine, well inside a slice.
constexpr std::size_t kBytesPerStep = std::size_t{4} << 20;

template <typename T>
constexpr std::size_t ElementsPerStep()
{
    return kBytesPerStep / sizeof(T);
}

}  // namespace

SortWarmup::SortWarmup() : m_steps([this] { Step(); }, 1, 1) {}

void SortWarmup::Start(wxGridEx* grid, std::size_t rows)
{
    if (rows < m_rowsWarmed)
        return;
    m_grid = grid;
    m_rows = rows;
    m_stage = 0;
    m_steps.Soon();
}

void SortWarmup::Step()
{
    using KeyedRow = std::pair<uint64_t, Price*>;
    bool stageDone = true;
    switch (m_stage)
    {
    case 0:
        stageDone = WarmSome(KeyedRowsBuffer(), m_rows, ElementsPerStep<KeyedRow>());
        break;
    case 1:
        stageDone = WarmSome(SpareRowsBuffer(), m_rows, ElementsPerStep<KeyedRow>());
        break;
    case 2:
        if (TickerdeckTable* table = m_grid ? Tickerdeck::TableOf(m_grid.get()) : nullptr)
            stageDone = table->Order().Keys().WarmBuffer(m_rows, ElementsPerStep<double>());
        break;
    default:
        return;
    }
    if (stageDone)
        ++m_stage;
    if (IsWarming())
        m_steps.Again();
}
