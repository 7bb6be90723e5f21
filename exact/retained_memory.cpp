#include "exact/retained_memory.h"

// Any C library header names the library, which the test below needs.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace strativex::exact {
namespace {

// Blocks up to this size come from the heap, where a freed one is reused, rather than from a
// mapping of their own that is unmapped when freed: every array of the largest grid the
// options allow. The C library accepts no more.
constexpr int kLargestHeapBlock = 32 << 20;
// Free memory at the heap's top beyond this goes back to the system: more than the largest
// check or transient holds at once, so that one run's memory serves the next, and a bound.
constexpr int kRetainedAtTop = 256 << 20;

}  // namespace

void RetainFreedMemory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kRetainedAtTop);
#endif
}

}  // namespace strativex::exact
