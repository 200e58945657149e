#pragma once

namespace Quillary {

/// Tunes the C library's allocator for a process that builds hundreds of thousands of small objects
/// on several threads: heaps grow and shrink in large steps, and on large pages where the system
/// offers them. The GNU C library reads its tunables only when a program starts, so the first call
/// starts the program again with them set (once; on failure it carries on untuned). Call it first
/// thing in main().
void tuneMemoryAllocator(char* argv[]);

} // namespace Quillary
