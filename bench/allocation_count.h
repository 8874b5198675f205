#pragma once
#include <cstdint>

namespace kp {

// How many times the process has called operator new so far. Linking allocation_count.cpp
// into a program replaces the global operator new and delete with counting ones.
std::uint64_t allocationCount();

}  // namespace kp
