// vCard streams: reading a whole stream (in memory and from a file) and writing one, at 1 000, 10 000
// and 100 000 cards, and the stages of each on their own so that one can see where the time goes.
//
// The streams come from bench/generate_vcards.py: from the folder named by QUILLARY_BENCH_DATA, or,
// when it is unset, written on first use into a temporary folder by running the generator.

#include "documents/ContactFileReader.h"
#include "formats/VCardStream.h"
#include "formats/ZQVCard.h"
#include "model/addressbook/VCardCodec.h"
#include "support/Charset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace Quillary;
namespace VCardCodec = Quillary::AddressBook::VCardCodec;

using Quillary::Bench::streamPath;

namespace {

// The generated streams, named as the generator names them.
const char* const ThirtyFiles[] = {"cards30-1k", "cards30-10k", "cards30-100k"};
const char* const ShiftJisFile = "cards21-sjis-10k";

/// The bytes of a stream, read once per run.
const QByteArray* streamBytes(const QString& name, QString* error)
{
    static std::map<QString, QByteArray> cache;
    if (const auto it = cache.find(name); it != cache.end())
        return &it->second;
    const QString path = streamPath(name, error);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        if (error->isEmpty())
            *error = QStringLiteral("Cannot read ") + path;
        return nullptr;
    }
    return &cache.emplace(name, file.readAll()).first->second;
}

/// What the writing benchmarks start from: the contacts of a stream and their group table.
struct ReadStream
{
    ContactTable contacts;
    GroupTable groupTable;
};

const ReadStream* readStream(const QString& name, QString* error)
{
    static std::map<QString, ReadStream> cache;
    if (const auto it = cache.find(name); it != cache.end())
        return &it->second;
    const QByteArray* bytes = streamBytes(name, error);
    if (!bytes)
        return nullptr;
    ReadStream read;
    read.contacts = ZQVCard().contactsFromVCards(*bytes);
    read.groupTable = ZQVCard::makeGroupTableFromCategoriesOfContacts(read.contacts);
    ZQVCard::convertCatetoriesToUniqueIds(read.contacts, read.groupTable);
    return &cache.emplace(name, std::move(read)).first->second;
}

/// The stream, or none after telling the benchmark why it cannot run.
const QByteArray* bytesFor(benchmark::State& state, const QString& name)
{
    QString error;
    const QByteArray* bytes = streamBytes(name, &error);
    if (!bytes)
        state.SkipWithError(qPrintable(error));
    return bytes;
}

const ReadStream* contactsFor(benchmark::State& state, const QString& name)
{
    QString error;
    const ReadStream* read = readStream(name, &error);
    if (!read)
        state.SkipWithError(qPrintable(error));
    return read;
}

void setThroughput(benchmark::State& state, qsizetype cards, qsizetype bytes)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * cards);
    if (bytes > 0)
        state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["cards"] = double(cards);
}

// Whole operations ------------------------------------------------------------------------------

void readStreamInMemory(benchmark::State& state, const QString& name)
{
    const QByteArray* bytes = bytesFor(state, name);
    qsizetype cards = 0;
    for (auto _ : state) {
        const ContactTable contacts = ZQVCard().contactsFromVCards(*bytes);
        cards = contacts.size();
        benchmark::DoNotOptimize(contacts.constData());
    }
    if (bytes)
        setThroughput(state, cards, bytes->size());
}

void readFile(benchmark::State& state, const QString& name)
{
    QString error;
    const QString path = streamPath(name, &error);
    if (path.isEmpty())
        state.SkipWithError(qPrintable(error));
    qsizetype cards = 0;
    for (auto _ : state) {
        const ContactFileReader::Result result = ContactFileReader::read(path);
        if (!result.ok())
            state.SkipWithError(qPrintable(result.errorString));
        cards = result.contacts.size();
    }
    setThroughput(state, cards, QFileInfo(path).size());
}

void writeStream(benchmark::State& state, const QString& name)
{
    const ReadStream* read = contactsFor(state, name);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray out =
            ZQVCard().vCardsFromContacts(read->contacts, {WriteOption::Note, WriteOption::Photo}, read->groupTable);
        size = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    if (read)
        setThroughput(state, read->contacts.size(), size);
}

// Stages of reading ------------------------------------------------------------------------------

/// As the file reader checks a file: in pieces of 4 MiB.
void validateUtf8(benchmark::State& state, const QString& name)
{
    const QByteArray* bytes = bytesFor(state, name);
    constexpr qsizetype Piece = qsizetype(4) << 20;
    for (auto _ : state) {
        Charset::Utf8Validator validator;
        for (qsizetype at = 0; at < bytes->size(); at += Piece)
            validator.feed(QByteArrayView(*bytes).sliced(at, qMin(Piece, bytes->size() - at)));
        benchmark::DoNotOptimize(validator.finish());
    }
    if (bytes)
        setThroughput(state, VCardStream::cut(*bytes).size(), bytes->size());
}

void cutIntoCards(benchmark::State& state, const QString& name)
{
    const QByteArray* bytes = bytesFor(state, name);
    qsizetype cards = 0;
    for (auto _ : state) {
        const QList<VCardStream::CardRange> ranges = VCardStream::cut(*bytes);
        cards = ranges.size();
        benchmark::DoNotOptimize(ranges.constData());
    }
    if (bytes)
        setThroughput(state, cards, bytes->size());
}

/// Every card through the per-record conversion, on one thread, categories included.
void readPersonPerCard(benchmark::State& state, const QString& name)
{
    const QByteArray* bytes = bytesFor(state, name);
    const QList<VCardStream::CardRange> ranges = bytes ? VCardStream::cut(*bytes) : QList<VCardStream::CardRange>();
    for (auto _ : state) {
        for (const VCardStream::CardRange& range : ranges) {
            QStringList categories;
            auto person =
                VCardCodec::readPerson(QByteArrayView(*bytes).sliced(range.offset, range.length), &categories);
            benchmark::DoNotOptimize(person);
        }
    }
    if (bytes)
        setThroughput(state, ranges.size(), bytes->size());
}

/// Records to detached descriptors with their composite names, as the stream reader makes them.
void buildDescriptors(benchmark::State& state, const QString& name)
{
    const QByteArray* bytes = bytesFor(state, name);
    QList<AddressBook::Person> records;
    if (bytes) {
        for (const VCardStream::CardRange& range : VCardStream::cut(*bytes)) {
            if (auto person = VCardCodec::readPerson(QByteArrayView(*bytes).sliced(range.offset, range.length)))
                records.append(std::move(*person));
        }
    }
    const ContactDefaults& defaults = ContactDefaults::shared();
    for (auto _ : state) {
        for (const AddressBook::Person& record : records) {
            auto person = std::make_shared<PersonDsc>(
                PersonDsc::detachedFromRecord(record, defaults.nameOrdering, defaults.countryCode));
            auto entry = ContactEntry::make(person);
            entry->compositeName = person->compositeName();
            benchmark::DoNotOptimize(entry.get());
        }
    }
    setThroughput(state, records.size(), bytes ? bytes->size() : 0);
}

void buildGroupTable(benchmark::State& state, const QString& name)
{
    const ReadStream* read = contactsFor(state, name);
    for (auto _ : state) {
        const GroupTable table = ZQVCard::makeGroupTableFromCategoriesOfContacts(read->contacts);
        ZQVCard::convertCatetoriesToUniqueIds(read->contacts, table);
        benchmark::DoNotOptimize(table.constData());
    }
    if (read)
        setThroughput(state, read->contacts.size(), 0);
}

// Stages of writing ------------------------------------------------------------------------------

/// One card per iteration, going round the contacts of the stream, with NOTE, PHOTO and CATEGORIES.
void writeOneCard(benchmark::State& state, const QString& name)
{
    const ReadStream* read = contactsFor(state, name);
    const QStringList options{WriteOption::Note, WriteOption::Photo};
    qsizetype next = 0;
    int64_t bytes = 0;
    for (auto _ : state) {
        const ContactEntry& entry = *read->contacts.at(next);
        const QByteArray card = ZQVCard::vCardFromContact(
            entry, options, ZQVCard::categoriesFromUniqueIds(entry.groupUniqueIds, read->groupTable));
        bytes += card.size();
        next = (next + 1) % read->contacts.size();
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    state.SetBytesProcessed(bytes);
}

/// The per-record conversion alone, from the descriptor's record to the card text.
void writePersonOnly(benchmark::State& state, const QString& name)
{
    const ReadStream* read = contactsFor(state, name);
    qsizetype next = 0;
    for (auto _ : state) {
        const QByteArray card = VCardCodec::writePerson(read->contacts.at(next)->person->toRecord());
        benchmark::DoNotOptimize(card.constData());
        next = (next + 1) % read->contacts.size();
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

/// One hostile card of many lines the record has no place for: grouped lines with their labels,
/// and anniversaries that share dates. Reading and writing it back grows linearly with the lines.
void roundTripKeptLines(benchmark::State& state)
{
    const int64_t groups = state.range(0);
    QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kept;Many;;;\r\n";
    for (int64_t i = 0; i < groups; ++i) {
        const QByteArray n = QByteArray::number(i);
        card += "item" + n + ".X-CUSTOM:value " + n + "\r\nitem" + n + ".X-ABLabel:label " + n + "\r\n";
        card += "ANNIVERSARY:20" + QByteArray::number(10 + i % 90) + "0101\r\n";
    }
    card += "END:VCARD\r\n";
    for (auto _ : state) {
        const std::optional<AddressBook::Person> person = VCardCodec::readPerson(card);
        const QByteArray written = VCardCodec::writePerson(*person);
        benchmark::DoNotOptimize(written.constData());
    }
    state.SetComplexityN(groups);
}

// Registration -------------------------------------------------------------------------------------

using Function = void (*)(benchmark::State&, const QString&);

void add(const char* name, Function function, const char* file, bool threaded)
{
    const QString stream = QString::fromLatin1(file);
    benchmark::internal::Benchmark* benchmark =
        benchmark::RegisterBenchmark((std::string(name) + '/' + file).c_str(),
                                     [function, stream](benchmark::State& state) { function(state, stream); });
    benchmark->Unit(benchmark::kMillisecond);
    // Threaded work is timed on the clock, and its CPU time is the whole process's: the main
    // thread's alone would leave out the pool's.
    if (threaded)
        benchmark->UseRealTime()->MeasureProcessCPUTime();
}

void registerAll()
{
    for (const char* file : ThirtyFiles) {
        add("readStreamInMemory", readStreamInMemory, file, true);
        add("readFile", readFile, file, true);
        add("writeStream", writeStream, file, true);
        add("validateUtf8", validateUtf8, file, false);
        add("cutIntoCards", cutIntoCards, file, false);
        add("readPersonPerCard", readPersonPerCard, file, false);
        add("buildDescriptors", buildDescriptors, file, false);
        add("buildGroupTable", buildGroupTable, file, false);
    }
    add("readStreamInMemory", readStreamInMemory, ShiftJisFile, true);
    add("readFile", readFile, ShiftJisFile, true);
    add("readPersonPerCard", readPersonPerCard, ShiftJisFile, false);
    add("writeOneCard", writeOneCard, "cards30-10k", false);
    add("writePersonOnly", writePersonOnly, "cards30-10k", false);
    add("writeOneCard", writeOneCard, ShiftJisFile, false);
    benchmark::RegisterBenchmark("roundTripKeptLines", roundTripKeptLines)
        ->RangeMultiplier(4)
        ->Range(1 << 10, 1 << 14)
        ->Unit(benchmark::kMillisecond)
        ->Complexity(benchmark::oN);
}

} // namespace

int main(int argc, char** argv)
{
    return Quillary::Bench::runBenchmarks(argc, argv, registerAll);
}
