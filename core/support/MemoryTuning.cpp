#include "MemoryTuning.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace Quillary {

void tuneMemoryAllocator()
{
#ifdef __GLIBC__
    // Without these, each thread's heap grows by a few pages at a time and is trimmed again on free:
    // reading a large address book made tens of thousands of mprotect calls. Pages are still only
    // committed when touched.
    mallopt(M_TOP_PAD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // Setting the two above also freezes the size from which blocks are mapped on their own at
    // 128 KiB, so every read buffer and batch of written cards would get fresh pages to zero.
    // Blocks up to 32 MiB come from the heap and are reused.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

} // namespace Quillary
