// Makes the n-th allocation through nothrow new (scalar or array) of this test program fail,
// so that code which allocates that way can be driven down each of its failure paths.
#pragma once

namespace FailingAllocation
{
// From now on, the allocation after `allocations` more succeed returns null; −1 disarms.
void FailAfter(int allocations);
// Nothrow allocations made since the last FailAfter.
int Count();
} // namespace FailingAllocation
