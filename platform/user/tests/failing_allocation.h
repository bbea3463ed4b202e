// Makes an allocation of the calling thread fail with std::bad_alloc, for
// the tests of what the controls do when memory runs out. The test program
// replaces operator new for it, except under the address sanitizer, which
// keeps operator new to itself (kAvailable is then false).
#pragma once

namespace failing_allocation {

extern const bool kAvailable;

// The allocation `count` allocations from now fails (0: the next one);
// -1 lets every allocation through.
void FailAfter(long count);
// Whether the failure armed by the last FailAfter has happened.
bool Failed();

}  // namespace failing_allocation
