#pragma once

// Internal to the table: contacts lie all over memory, so walks over them ask for the memory of the
// contacts a few steps ahead instead of waiting for it at every contact.

#include <QtGlobal>

namespace Quillary {

inline void prefetch(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    Q_UNUSED(address)
#endif
}

} // namespace Quillary
