#pragma once
// Records kept where they were made, for plug-ins that hold their addresses.

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

/// An append-only store whose records never move: fixed-size chunks, so a
/// million records take a few hundred allocations instead of one each.
template <class T, size_t ChunkSize = 4096>
class StableChunks
{
public:
    template <class... Args>
    T& Add(Args&&... args)
    {
        if (chunks_.empty() || chunks_.back().size() == ChunkSize)
        {
            chunks_.emplace_back();
            chunks_.back().reserve(ChunkSize);
            starts_.emplace(Address(chunks_.back().data()), chunks_.size() - 1);
        }
        // Never past the reserved size, so the chunk never reallocates.
        return chunks_.back().emplace_back(std::forward<Args>(args)...);
    }

    /// Takes back the record added last.
    void DropLast() { chunks_.back().pop_back(); }

    /// The record whose `field` lives at `member`, or null when no record of
    /// this store holds it.
    template <class M>
    const T* OwnerOf(const M* member, M T::*field) const
    {
        const uintptr_t at = Address(member);
        auto next = starts_.upper_bound(at);
        if (next == starts_.begin())
            return nullptr;
        const std::vector<T>& chunk = chunks_[std::prev(next)->second];
        if (chunk.empty())
            return nullptr;
        const uintptr_t first = Address(&(chunk.front().*field));
        if (at < first || (at - first) % sizeof(T) != 0)
            return nullptr;
        const size_t index = (at - first) / sizeof(T);
        return index < chunk.size() && &(chunk[index].*field) == member ? &chunk[index] : nullptr;
    }

private:
    template <class P>
    static uintptr_t Address(const P* pointer)
    {
        return reinterpret_cast<uintptr_t>(pointer);
    }

    std::vector<std::vector<T>> chunks_;
    // Where each chunk's storage begins, to find a record from an address.
    std::map<uintptr_t, size_t> starts_;
};
