#include "failing_allocation.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define TQ_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TQ_ADDRESS_SANITIZER 1
#endif
#endif

namespace failing_allocation {
namespace {
// Per thread, so that another thread's allocations neither count nor fail.
thread_local long left = -1;
thread_local bool failed = false;
}  // namespace

void FailAfter(long count) {
  left = count;
  failed = false;
}

bool Failed() { return failed; }

#if defined(TQ_ADDRESS_SANITIZER)
const bool kAvailable = false;
#else
const bool kAvailable = true;
#endif

// Whether the allocation now asked for is the one to fail.
bool FailNow() {
  if (left < 0) return false;
  if (left-- > 0) return false;
  failed = true;
  return true;
}

}  // namespace failing_allocation

#if !defined(TQ_ADDRESS_SANITIZER)
void* operator new(std::size_t size) {
  if (failing_allocation::FailNow()) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#endif
