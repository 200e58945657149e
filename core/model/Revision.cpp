#include "Revision.h"

#include <atomic>

namespace Quillary {

quint64 Revision::next()
{
    static std::atomic<quint64> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace Quillary
