#include "MemoryTuning.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library
#include <cstring>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#include <unistd.h>
#endif

namespace Quillary {

void tuneMemoryAllocator([[maybe_unused]] char* argv[])
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

    // Large pages cut the page faults of a 400 MB address book from about 100 000 to a few
    // thousand; in a virtual machine each fault is costly. Only the start-up tunable gets the
    // allocator to ask for them.
    constexpr const char* marker = "glibc.malloc.hugetlb";
    const char* current = std::getenv("GLIBC_TUNABLES");
    if (!argv || !argv[0] || (current && std::strstr(current, marker)) || std::getenv("QUILLARY_NO_TUNING"))
        return;
    std::string tunables = current && *current ? std::string(current) + ':' : std::string();
    tunables += "glibc.malloc.hugetlb=1";
    setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
    execv("/proc/self/exe", argv);
    // Not started again: go on as we are (the marker stays set, so no loop is possible).
#endif
}

} // namespace Quillary
