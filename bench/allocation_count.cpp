#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

// A translation unit of its own, so that no caller sees the replaced operators inlined.
namespace {
std::atomic<std::uint64_t> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

std::uint64_t kp::allocationCount() { return gAllocations.load(std::memory_order_relaxed); }
