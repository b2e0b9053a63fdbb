#pragma once
// Writing a large buffer's memory ahead of the command that needs it.

#include <algorithm>
#include <cstddef>
#include <vector>

/// Grows `buffer` by at most `step` elements towards `wanted`, writing them,
/// and returns true once it reached `wanted`: then it is left empty with its
/// room and written pages kept. Fresh pages cost more than the work a sort
/// does on them, so a command that would take tens of megabytes at once finds
/// them written a step at a time between window events. What the buffer held
/// is given up; a buffer with too little room is emptied before it grows, so
/// no step copies it.
template <typename T>
bool WarmSome(std::vector<T>& buffer, std::size_t wanted, std::size_t step)
{
    if (buffer.capacity() < wanted)
    {
        buffer.clear();
        buffer.reserve(wanted);
    }
    if (buffer.size() < wanted)
        buffer.resize(std::min(wanted, buffer.size() + std::max<std::size_t>(step, 1)));
    if (buffer.size() < wanted)
        return false;
    buffer.clear();
    return true;
}
