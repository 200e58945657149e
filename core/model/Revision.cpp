#include "Revision.h"

#include <atomic>

namespace Quillary {

quint64 Revision::next()
{
    // Each thread takes numbers in blocks: threads that make contacts at once then do not contend for
    // one counter. Numbers are unique, never 0, and need not follow the order of the changes.
    constexpr quint64 Block = 1024;
    static std::atomic<quint64> counter{0};
    thread_local quint64 nextValue = 0;
    thread_local quint64 blockEnd = 0;
    if (nextValue == blockEnd) {
        nextValue = counter.fetch_add(Block, std::memory_order_relaxed) + 1;
        blockEnd = nextValue + Block;
    }
    return nextValue++;
}

} // namespace Quillary
