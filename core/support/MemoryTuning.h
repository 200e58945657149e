#pragma once

namespace Quillary {

/// Tunes the C library's allocator for a process that builds hundreds of thousands of small objects
/// on several threads: heaps grow and shrink in large steps. Call it first thing in main(), before
/// other threads start.
void tuneMemoryAllocator();

} // namespace Quillary
