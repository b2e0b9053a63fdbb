#pragma once
// Row index of every shown quote, looked up once or more per quote event.

#include <cstddef>
#include <cstdint>
#include <vector>

struct Price;

/// Open-addressing map from a quote to its row; one probe sequence in one
/// flat array keeps a lookup to about one cache miss on large tabs.
class PriceIndex
{
public:
    /// The row of `price`, or -1.
    int Find(const Price* price) const;
    /// Inserts or overwrites.
    void Set(const Price* price, int row);
    /// Inserts only when absent; returns whether it did.
    bool Insert(const Price* price, int row);
    void Erase(const Price* price);
    bool Contains(const Price* price) const { return Find(price) >= 0; }
    /// Starts loading the slot where a lookup of `price` begins.
    void Prefetch(const Price* price) const;
    void Clear();
    size_t Size() const { return m_size; }

private:
    struct Slot
    {
        const Price* key = nullptr;
        int row = -1;
    };

    size_t SlotOf(const Price* price) const;
    size_t Probe(const Price* price) const;
    void Grow();

    std::vector<Slot> m_slots;
    size_t m_size = 0;
};
