// The largest single allocation since the last reset, to show that damaged data allocates little.
#pragma once

#include <cstddef>

namespace vendrel::test {

void ResetLargestAllocation();
std::size_t LargestAllocation();

}  // namespace vendrel::test
