#pragma once

#include <QString>

namespace Quillary::Bench {

/// The path of a generated vCard stream ("cards30-100k"): from the folder named by
/// QUILLARY_BENCH_DATA, or written by bench/generate_vcards.py into a temporary folder on first
/// use. Empty, with the reason in `error`, when there is no such stream.
QString streamPath(const QString& name, QString* error);

/// The main of a benchmark program: the allocator tuned as the programs tune it, so that the figures
/// are theirs, a core application, then the benchmarks that `registerAll` adds and those the
/// BENCHMARK macros declared.
int runBenchmarks(int argc, char** argv, void (*registerAll)() = nullptr);

} // namespace Quillary::Bench
