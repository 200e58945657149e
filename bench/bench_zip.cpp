// Postal-code lookup: the first lookup of a run (read, inflate, decode and index both lists) and warm
// lookups against the shared table.

#include "editors/ZipDatabase.h"
#include "support/DataFiles.h"

#include <QFile>

#include <benchmark/benchmark.h>

using Quillary::ZipDatabase;

namespace {

const QString ResidentialResource = Quillary::DataFiles::locate(QStringLiteral("ken_all.gzip"));
const QString BusinessResource = Quillary::DataFiles::locate(QStringLiteral("jigyosyo.gzip"));

// What zipdb() does once per run, followed by the lookup that triggered it.
void firstLookup(benchmark::State& state)
{
    for (auto _ : state) {
        const ZipDatabase database(ResidentialResource, BusinessResource);
        benchmark::DoNotOptimize(database.addressesFromZip(QStringLiteral("100-0001")));
    }
}
BENCHMARK(firstLookup)->Unit(benchmark::kMillisecond)->Iterations(5);

void warmLookup(benchmark::State& state, const QString& zip)
{
    const ZipDatabase& database = ZipDatabase::zipdb();
    qsizetype found = 0;
    for (auto _ : state) {
        const auto addresses = database.addressesFromZip(zip);
        found = addresses.size();
        benchmark::DoNotOptimize(addresses);
    }
    state.counters["addresses"] = double(found);
}
BENCHMARK_CAPTURE(warmLookup, seven_digits, QStringLiteral("100-0001"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(warmLookup, business, QStringLiteral("100-8111"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(warmLookup, prefix_of_three, QStringLiteral("100"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(warmLookup, unknown, QStringLiteral("999-9999"))->Unit(benchmark::kMicrosecond);

void gzipInflateResidential(benchmark::State& state)
{
    QFile file(ResidentialResource);
    file.open(QIODevice::ReadOnly);
    const QByteArray data = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(ZipDatabase::gzipInflate(data));
    state.SetBytesProcessed(qint64(state.iterations()) * data.size());
}
BENCHMARK(gzipInflateResidential)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
