// Contact documents: opening, saving and reverting a document of 100 000 contacts, and one undoable
// edit with its undo in documents of 10 and of 100 000 contacts, which must cost the same (an edit
// touches one contact, never a copy of the table).
//
// The contacts come from bench/generate_vcards.py's cards30-100k stream: from the folder named by
// QUILLARY_BENCH_DATA, or, when it is unset, written on first use into a temporary folder.

#include "BenchData.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentTask.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

using namespace Quillary;

namespace {

const QString StreamName = QStringLiteral("cards30-100k");

QTemporaryDir& workFolder()
{
    static QTemporaryDir folder;
    return folder;
}

/// A file of the first `cards` cards of the stream (the whole stream for 100 000).
QString documentPath(benchmark::State& state, qsizetype cards)
{
    QString error;
    const QString stream = Bench::streamPath(StreamName, &error);
    if (stream.isEmpty()) {
        state.SkipWithError(qPrintable(error));
        return {};
    }
    if (cards >= 100000)
        return stream;
    const QString path = workFolder().filePath(QStringLiteral("first-%1.vcf").arg(cards));
    if (!QFile::exists(path)) {
        QFile input(stream);
        QFile output(path);
        if (!input.open(QIODevice::ReadOnly) || !output.open(QIODevice::WriteOnly)) {
            state.SkipWithError("Cannot cut the stream");
            return {};
        }
        for (qsizetype written = 0; written < cards && !input.atEnd();) {
            const QByteArray line = input.readLine();
            output.write(line);
            if (line.startsWith("END:VCARD"))
                ++written;
        }
    }
    return path;
}

/// A document read from a file, or none after telling the benchmark why.
std::unique_ptr<ContactDocument> openDocument(benchmark::State& state, qsizetype cards)
{
    const QString path = documentPath(state, cards);
    if (path.isEmpty())
        return {};
    auto document = std::make_unique<ContactDocument>();
    document->setAutosaveDelay(0);
    const DocumentError error = document->read(path);
    if (error.isError()) {
        state.SkipWithError(qPrintable(error.recoverySuggestion));
        return {};
    }
    return document;
}

void setCounters(benchmark::State& state, const ContactDocument& document)
{
    state.counters["contacts"] = double(document.collection().contactTable.size());
    state.SetItemsProcessed(int64_t(state.iterations()) * document.collection().contactTable.size());
}

// Whole-document work, timed by hand on the clock: the conversions use the thread pool, and a
// document's tear-down is not part of opening the next one.

void open(benchmark::State& state)
{
    const QString path = documentPath(state, state.range(0));
    if (path.isEmpty())
        return;
    std::unique_ptr<ContactDocument> document;
    for (auto _ : state) {
        document = std::make_unique<ContactDocument>();
        document->setAutosaveDelay(0);
        QElapsedTimer clock;
        clock.start();
        const DocumentError error = document->read(path);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (error.isError())
            state.SkipWithError(qPrintable(error.recoverySuggestion));
        document.reset();
    }
    state.counters["contacts"] = double(state.range(0));
}

void save(benchmark::State& state)
{
    const std::unique_ptr<ContactDocument> document = openDocument(state, state.range(0));
    if (!document)
        return;
    const QString target = workFolder().filePath(QStringLiteral("saved.vcf"));
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const DocumentError error = document->save(target);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (error.isError())
            state.SkipWithError(qPrintable(error.recoverySuggestion));
    }
    state.counters["bytes"] = double(QFileInfo(target).size());
    setCounters(state, *document);
}

// Saving from the window: the document is copied for the worker, which writes while the window goes
// on. "blocked" is the time the window waits for the copy.
void saveInBackground(benchmark::State& state)
{
    const std::unique_ptr<ContactDocument> document = openDocument(state, state.range(0));
    if (!document)
        return;
    const QString target = workFolder().filePath(QStringLiteral("saved.vcf"));
    double blocked = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        DocumentTask* task = document->startSave(target);
        blocked += double(clock.nsecsElapsed()) / 1e6;
        task->waitForFinished();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (task->error().isError())
            state.SkipWithError(qPrintable(task->error().recoverySuggestion));
        delete task;
    }
    state.counters["blocked_ms"] = benchmark::Counter(blocked, benchmark::Counter::kAvgIterations);
    setCounters(state, *document);
}

void revert(benchmark::State& state)
{
    const std::unique_ptr<ContactDocument> document = openDocument(state, state.range(0));
    if (!document)
        return;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const DocumentError error = document->revert();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (error.isError())
            state.SkipWithError(qPrintable(error.recoverySuggestion));
    }
    setCounters(state, *document);
}

// One edit and its undo, in the middle of the table.

void editAndUndo(benchmark::State& state)
{
    const std::unique_ptr<ContactDocument> document = openDocument(state, state.range(0));
    if (!document)
        return;
    const ContactTable& contacts = document->collection().contactTable;
    const ContactEntryPtr contact = contacts.at(contacts.size() / 2);
    const QString texts[] = {QStringLiteral("Called back on Monday"), QStringLiteral("Called back on Tuesday")};
    int turn = 0;
    for (auto _ : state) {
        if (!document->undoRegistry().undoReplaceStringValue(texts[turn ^= 1], Field::Note, contact))
            state.SkipWithError("The edit changed nothing");
        document->undoStack()->undo();
    }
    state.counters["contacts"] = double(document->collection().contactTable.size());
}

void deleteAndUndo(benchmark::State& state)
{
    const std::unique_ptr<ContactDocument> document = openDocument(state, state.range(0));
    if (!document)
        return;
    const ContactCollection& collection = document->collection();
    const ContactEntryPtr contact = collection.contactTable.at(collection.contactTable.size() / 2);
    for (auto _ : state) {
        document->undoRegistry().undoDeleteContacts({contact}, collection.topGroup(), true, false);
        document->undoStack()->undo();
    }
    if (contact->deleted)
        state.SkipWithError("The contact stayed deleted");
    state.counters["contacts"] = double(collection.contactTable.size());
}

void registerAll()
{
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> wholeDocument[] = {{"open", open},
                                                              {"save", save},
                                                              {"saveInBackground", saveInBackground},
                                                              {"revert", revert}};
    for (const auto& [name, function] : wholeDocument) {
        // The process's CPU time too: the conversions spread over the thread pool.
        benchmark::RegisterBenchmark(name, function)
            ->Arg(100000)
            ->UseManualTime()
            ->MeasureProcessCPUTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("editAndUndo", editAndUndo)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("deleteAndUndo", deleteAndUndo)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv)
{
    return Quillary::Bench::runBenchmarks(argc, argv, registerAll);
}
