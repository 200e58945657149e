// The find panel and the duplicate finder over the 100 000 contacts of bench/generate_vcards.py's
// cards30-100k stream (from QUILLARY_BENCH_DATA, or written on first use into a temporary folder):
// a search of every field, Replace All of 10 000 hits as one undo step with the contacts table
// reloaded once, and grouping 100 000 contacts with 1 000 planted duplicates.

#include "BenchData.h"
#include "documents/ContactDocument.h"
#include "documents/ViewTypes.h"
#include "find/DuplicateFinder.h"
#include "find/FindPanelModel.h"
#include "table/ContactsViewController.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace Quillary;

namespace {

/// The document of the whole stream with the contacts table over it, read once for all benchmarks.
struct BenchDocument
{
    ContactDocument document;
    ContactsViewController table{document.collection(), &document.undoRegistry(), nullptr};
    bool ok = false;
};

BenchDocument* benchDocument(benchmark::State& state)
{
    static std::unique_ptr<BenchDocument> shared;
    if (!shared) {
        QString error;
        const QString path = Bench::streamPath(QStringLiteral("cards30-100k"), &error);
        shared = std::make_unique<BenchDocument>();
        shared->document.setAutosaveDelay(0);
        shared->ok = !path.isEmpty() && !shared->document.read(path).isError();
        shared->document.setView(&shared->table);
        shared->table.setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::Email);
        shared->table.updateTable();
    }
    if (!shared->ok)
        state.SkipWithError("Cannot read cards30-100k");
    return shared->ok ? shared.get() : nullptr;
}

void setUpPanel(FindPanelModel& panel, BenchDocument& bench, const QString& text, const QStringList& items = {})
{
    panel.setContacts(bench.document.collection().contactTable);
    panel.setDelegate(&bench.document.undoRegistry());
    panel.setSelectedItems(items);
    panel.setUp();
    panel.setEditState(true);
    panel.setSearchString(text);
}

// Every field of every contact, for a frequent text and for a rare one.
void searchEveryField(benchmark::State& state, const QString& text, SearchMode mode)
{
    BenchDocument* bench = benchDocument(state);
    if (!bench)
        return;
    FindPanelModel panel;
    setUpPanel(panel, *bench, text);
    panel.setSearchMode(mode);
    for (auto _ : state)
        panel.updateTable();
    state.counters["records"] = double(panel.searchResults().size());
    state.counters["contacts"] = double(bench->document.collection().contactTable.size());
}

// Replace All over the e-mail addresses of the first contacts: about 10 000 hits, then the panel's
// undo (not timed) puts them back for the next round.
void replaceAll(benchmark::State& state)
{
    BenchDocument* bench = benchDocument(state);
    if (!bench)
        return;
    FindPanelModel panel;
    setUpPanel(panel, *bench, QStringLiteral("@"), {Field::Email});
    panel.setContacts(bench->document.collection().contactTable.mid(0, state.range(0)));
    qsizetype hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        panel.updateTable();
        hits = panel.searchResults().size();
        const int stepsBefore = bench->document.undoStack()->count();
        state.ResumeTiming();
        if (panel.replaceAll(QStringLiteral("(at)")) != hits)
            state.SkipWithError("Replace All missed hits");
        state.PauseTiming();
        if (bench->document.undoStack()->count() != stepsBefore + 1)
            state.SkipWithError("Replace All left more than one undo step");
        panel.undoStack()->undo();
        state.ResumeTiming();
    }
    state.counters["hits"] = double(hits);
}

// 1 000 of the contacts again, each written as another address book might: the e-mail address in
// capitals, the phone number in national form, or first and last name swapped.
ContactTable withPlantedDuplicates(const ContactTable& contacts)
{
    ContactTable result = contacts;
    for (qsizetype i = 0; i < 1000; ++i) {
        const PersonDsc& original = *contacts.at(i * 97 % contacts.size())->person;
        auto copy = std::make_shared<PersonDsc>();
        if (i % 3 == 0 && !original.emailValues().isEmpty()) {
            LabeledValue email = original.emailValues().first();
            email.value = email.value.toUpper();
            copy->replaceLabeledValue(LabeledValueList{email}, Field::Email);
        } else if (i % 3 == 1 && !original.phoneValues().isEmpty()) {
            LabeledValue phone = original.phoneValues().first();
            phone.value = u"  " + phone.value + u"  ";
            copy->replaceLabeledValue(LabeledValueList{phone}, Field::Phone);
        } else {
            NameValue name = original.nameValue();
            std::swap(name.firstName, name.lastName);
            copy->setValue(name, Field::Name);
        }
        result.append(ContactEntry::make(copy));
    }
    return result;
}

void findDuplicates(benchmark::State& state)
{
    BenchDocument* bench = benchDocument(state);
    if (!bench)
        return;
    const ContactTable contacts = withPlantedDuplicates(bench->document.collection().contactTable);
    const DuplicateFinder finder;
    qsizetype groups = 0;
    for (auto _ : state)
        groups = finder.findGroups(contacts).size();
    state.counters["contacts"] = double(contacts.size());
    state.counters["groups"] = double(groups);
}

void registerAll()
{
    benchmark::RegisterBenchmark("searchEveryField/an", searchEveryField, QStringLiteral("an"),
                                 SearchMode::CaseInsensitive)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("searchEveryField/rare", searchEveryField, QStringLiteral("zqxw"),
                                 SearchMode::CaseInsensitive)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("searchEveryField/regex", searchEveryField, QStringLiteral("[0-9]{4}$"),
                                 SearchMode::Regex)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("replaceAll", replaceAll)->Arg(5000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("findDuplicates", findDuplicates)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    return Bench::runBenchmarks(argc, argv, registerAll);
}
