// The contacts table over the 100 000-card stream: reloading its rows, building them for a new window,
// sorting them by a key for the first time and by one kept from before, and one cell edit with its
// undo step and the reload after it.

#include "BenchData.h"
#include "documents/ContactDocument.h"
#include "documents/ViewTypes.h"
#include "table/ContactsViewController.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace Quillary;

namespace {

/// The document of the 100 000-card stream, read once per run.
ContactDocument* document(benchmark::State& state)
{
    static std::unique_ptr<ContactDocument> loaded = [] {
        QString error;
        const QString path = Bench::streamPath(QStringLiteral("cards30-100k"), &error);
        auto result = std::make_unique<ContactDocument>();
        if (path.isEmpty() || result->read(path).isError())
            return std::unique_ptr<ContactDocument>();
        result->setAutosaveDelay(0);
        return result;
    }();
    if (!loaded)
        state.SkipWithError("the 100 000-card stream could not be read");
    return loaded.get();
}

void reloadAndSort(benchmark::State& state, const QString& viewType, const QString& sortKey)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    ContactsViewController controller(doc->collection(), &doc->undoRegistry(), nullptr);
    controller.setViewTypes(ViewTypes::documentViewTypes(), viewType);
    controller.sortDescriptorsDidChange({sortKey, true});
    for (auto _ : state) {
        controller.updateTable();
        benchmark::DoNotOptimize(controller.rowCount());
    }
    state.counters["rows"] = double(controller.subContactTable().size());
}

void BM_ReloadEmailView(benchmark::State& state)
{
    reloadAndSort(state, ViewTypeName::Email, QStringLiteral("compositeName"));
}

void BM_ReloadEmailViewByDomain(benchmark::State& state)
{
    reloadAndSort(state, ViewTypeName::Email, QStringLiteral("Email domain"));
}

void BM_ReloadLabeledValuesView(benchmark::State& state)
{
    reloadAndSort(state, ViewTypeName::LabeledValues, QStringLiteral("compositeName"));
}

void BM_ReloadLabeledValuesViewByPhone(benchmark::State& state)
{
    reloadAndSort(state, ViewTypeName::LabeledValues, QStringLiteral("Phone"));
}

/// A click on a column header: the rows sorted by a key whose values are not kept (the table was
/// sorted by three other keys since; their sorting is not timed).
void BM_SortByNewKey(benchmark::State& state, const QString& sortKey)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    ContactsViewController controller(doc->collection(), &doc->undoRegistry(), nullptr);
    controller.setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::LabeledValues);
    QStringList others{QStringLiteral("Note"), QStringLiteral("Job Title"), QStringLiteral("Department"),
                       QStringLiteral("Nickname")};
    others.removeAll(sortKey);
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& other : others.mid(0, 3))
            controller.sortDescriptorsDidChange({other, true});
        state.ResumeTiming();
        controller.sortDescriptorsDidChange({sortKey, true});
        benchmark::DoNotOptimize(controller.rowCount());
    }
}

/// Back and forth between two columns: the values of both are kept.
void BM_SortByKeptKeys(benchmark::State& state)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    ContactsViewController controller(doc->collection(), &doc->undoRegistry(), nullptr);
    controller.setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::LabeledValues);
    bool byPhone = false;
    for (auto _ : state) {
        byPhone = !byPhone;
        controller.sortDescriptorsDidChange(
            {byPhone ? QStringLiteral("Phone") : QStringLiteral("compositeName"), true});
        benchmark::DoNotOptimize(controller.rowCount());
    }
}

/// The same column clicked again: the other direction. By phone, the rows of a contact show its
/// phones in the other order too, so each direction keeps values of its own.
void BM_SortOtherDirection(benchmark::State& state, const QString& sortKey)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    ContactsViewController controller(doc->collection(), &doc->undoRegistry(), nullptr);
    controller.setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::LabeledValues);
    bool ascending = false;
    for (auto _ : state) {
        ascending = !ascending;
        controller.sortDescriptorsDidChange({sortKey, ascending});
        benchmark::DoNotOptimize(controller.rowCount());
    }
}

/// A window opening on the document: rows built and sorted by name from nothing.
void BM_FirstReload(benchmark::State& state)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    for (auto _ : state) {
        auto controller = std::make_unique<ContactsViewController>(doc->collection(), &doc->undoRegistry(), nullptr);
        controller->setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::LabeledValues);
        controller->sortDescriptorsDidChange({QStringLiteral("compositeName"), true});
        benchmark::DoNotOptimize(controller->rowCount());
        state.PauseTiming(); // letting go of the rows is not timed
        controller.reset();
        state.ResumeTiming();
    }
}

/// A phone typed into one cell: the undo step, then the reload that keeps the value selected.
void BM_EditOneCell(benchmark::State& state)
{
    ContactDocument* doc = document(state);
    if (!doc)
        return;
    ContactsViewController controller(doc->collection(), &doc->undoRegistry(), nullptr);
    doc->setView(&controller);
    controller.setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::Phone);
    controller.updateTable();
    int counter = 0;
    for (auto _ : state) {
        const ContactEntryPtr contact = controller.subContactTable().at(1000).contact;
        LabeledValue phone = contact->person->phoneValues().first();
        phone.value = QStringLiteral("+1 555 %1").arg(++counter);
        doc->undoRegistry().undoReplaceLabeledValue(phone, Field::Phone, contact);
        controller.updateTable();
    }
    doc->setView(nullptr);
}

} // namespace

BENCHMARK(BM_ReloadEmailView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadEmailViewByDomain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadLabeledValuesView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadLabeledValuesViewByPhone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditOneCell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByKeptKeys)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortOtherDirection, compositeName, QStringLiteral("compositeName"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortOtherDirection, Phone, QStringLiteral("Phone"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, compositeName, QStringLiteral("compositeName"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, LastName, QStringLiteral("LastName"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, Phone, QStringLiteral("Phone"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, EmailDomain, QStringLiteral("Email domain"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, City, QStringLiteral("City"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, Birthday, QStringLiteral("Birthday"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortByNewKey, Note, QStringLiteral("Note"))->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Quillary::Bench::runBenchmarks(argc, argv);
}
