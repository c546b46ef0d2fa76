#include "FailingAllocation.h"

#include <atomic>
#include <new>

namespace
{
std::atomic<int> g_FailAt{-1};
std::atomic<int> g_Count{0};

// Allocates through the throwing forms so that a sanitizer's own delete still matches.
template <typename Allocator>
void* Counted(Allocator allocate) noexcept
{
    const int index = g_Count++;
    if (g_FailAt >= 0 && index == g_FailAt)
        return nullptr;
    try
    {
        return allocate();
    }
    catch (...)
    {
        return nullptr;
    }
}
} // namespace

namespace FailingAllocation
{
void FailAfter(int allocations)
{
    g_Count = 0;
    g_FailAt = allocations;
}

int Count()
{
    return g_Count;
}
} // namespace FailingAllocation

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Counted([size] { return ::operator new(size); });
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Counted([size] { return ::operator new[](size); });
}
