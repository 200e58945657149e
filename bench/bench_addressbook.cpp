// The address book on disk: loading a store of 10 000 and of 100 000 one-card files into the window's
// tables, saving one edited contact of 100 000, and reloading after another program changed one file.
//
// The stores are made from bench/generate_vcards.py's cards30-100k stream (QUILLARY_BENCH_DATA, or a
// temporary folder), one file per card, in QUILLARY_BENCH_STORES when set (kept for the next run),
// else in a temporary folder.

#include "BenchData.h"
#include "documents/AddressBookOwner.h"
#include "documents/Preferences.h"
#include "formats/VCardStream.h"
#include "store/CardFolder.h"
#include "table/TableRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Quillary;

namespace {

QString storesFolder()
{
    static QTemporaryDir temporary;
    const QString configured = qEnvironmentVariable("QUILLARY_BENCH_STORES");
    return configured.isEmpty() ? temporary.path() : configured;
}

/// A store whose local account holds the first `cards` cards of the stream, one file each.
QString storeRoot(benchmark::State& state, qsizetype cards)
{
    const QString root = QDir(storesFolder()).filePath(QStringLiteral("store-%1").arg(cards));
    const QString local = QDir(root).filePath(QStringLiteral("local"));
    if (QFile::exists(QDir(local).filePath(QStringLiteral("displayname"))))
        return root;
    QString error;
    const QString stream = Bench::streamPath(QStringLiteral("cards30-100k"), &error);
    QFile input(stream);
    if (stream.isEmpty() || !input.open(QIODevice::ReadOnly)) {
        state.SkipWithError(qPrintable(error));
        return {};
    }
    const QByteArray bytes = input.readAll();
    const QList<VCardStream::CardRange> ranges = VCardStream::cut(bytes);
    QDir().mkpath(local);
    CardFolder::AtomicWrites writes;
    for (qsizetype i = 0; i < qMin(cards, ranges.size()); ++i)
        writes.add(QDir(local).filePath(QStringLiteral("card-%1.vcf").arg(i)),
                   QByteArrayView(bytes).sliced(ranges.at(i).offset, ranges.at(i).length));
    writes.add(QDir(local).filePath(QStringLiteral("displayname")), "On My Computer");
    writes.commit();
    return root;
}

Preferences& preferences()
{
    static QTemporaryDir folder;
    static Preferences preferences(folder.filePath(QStringLiteral("settings.ini")));
    return preferences;
}

/// What the window does before it shows the table: the store read, the tables built, the rows of
/// the "All Contacts" group in the "Email" view made.
void loadStore(benchmark::State& state)
{
    const QString root = storeRoot(state, state.range(0));
    qsizetype rows = 0;
    for (auto _ : state) {
        AddressBookOwner owner(preferences());
        owner.open(root);
        rows = TableRows::updateSubContactTable(owner.collection(), {Field::Name, Field::Email}, std::nullopt).size();
        benchmark::DoNotOptimize(rows);
        state.PauseTiming();
        owner.store()->close();
        state.ResumeTiming();
    }
    state.counters["rows"] = double(rows);
}

/// One contact's note edited through the undo registry, then saved: one file is written.
void saveOneEdit(benchmark::State& state)
{
    const QString root = storeRoot(state, state.range(0));
    AddressBookOwner owner(preferences());
    owner.open(root);
    const ContactEntryPtr contact = owner.collection().contactTable.at(owner.collection().contactTable.size() / 2);
    int written = 0;
    int edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        owner.undoRegistry().undoReplaceStringValue(QString::number(++edits), Field::Note, contact);
        state.ResumeTiming();
        written = owner.saveAddressBook().written;
    }
    state.counters["written"] = written;
}

/// Another program rewrote one card; the reload reads that file again and builds the tables.
void reloadAfterOneChange(benchmark::State& state)
{
    const QString root = storeRoot(state, state.range(0));
    AddressBookOwner owner(preferences());
    owner.open(root);
    const QString file = QDir(root).filePath(QStringLiteral("local/card-7.vcf"));
    QByteArray card;
    CardFolder::read(file, card);
    for (auto _ : state) {
        state.PauseTiming();
        card.replace("END:VCARD", "NOTE:changed\r\nEND:VCARD");
        CardFolder::writeAtomically(file, card);
        card.replace("NOTE:changed\r\n", "");
        state.ResumeTiming();
        owner.reloadAddressBook();
    }
    CardFolder::writeAtomically(file, card);
}

void registerAll()
{
    for (const int cards : {10000, 100000}) {
        benchmark::RegisterBenchmark("loadStore", loadStore)->Arg(cards)->Unit(benchmark::kMillisecond)->UseRealTime();
        benchmark::RegisterBenchmark("reloadAfterOneChange", reloadAfterOneChange)
            ->Arg(cards)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("saveOneEdit", saveOneEdit)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    return Bench::runBenchmarks(argc, argv, registerAll);
}
