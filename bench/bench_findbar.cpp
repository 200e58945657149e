// The find bar over the 100 000-card stream in the "Labeled Values" view, where the only match of
// the find text is in the table's last row: the first search (the table laid out as one text, the
// matches found) and Find Next after it.

#include "BenchData.h"
#include "documents/ContactDocument.h"
#include "documents/ViewTypes.h"
#include "table/CellValues.h"
#include "table/ContactsViewController.h"
#include "table/FindBarText.h"
#include "table/TableTextFinder.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace Quillary;

namespace {

const QString Needle = QStringLiteral("zq-needle-7");

/// The document of the 100 000-card stream with its table, the find text planted in a value of the
/// last row; built once per run.
struct FindTable
{
    ContactDocument document;
    std::unique_ptr<ContactsViewController> controller;
    std::unique_ptr<TableTextFinder> finder;
    int lastRow = -1;

    bool load()
    {
        QString error;
        const QString path = Bench::streamPath(QStringLiteral("cards30-100k"), &error);
        if (path.isEmpty() || document.read(path).isError())
            return false;
        document.setAutosaveDelay(0);
        controller = std::make_unique<ContactsViewController>(document.collection(), &document.undoRegistry(), nullptr);
        document.setView(controller.get());
        controller->setViewTypes(ViewTypes::documentViewTypes(), ViewTypeName::LabeledValues);
        controller->setEditState(true);
        controller->updateTable();
        lastRow = int(controller->subContactTable().size()) - 1;
        const SubContactRow row = controller->subContactTable().at(lastRow);
        for (const QString& identifier : controller->tableIdentfiers()) {
            const std::optional<LabeledValue> value = row.person().labeledValueForIdentifier(identifier, row.index);
            // A value typed as text (a phone, an e-mail address, ...), whose text is what is searched.
            if (!value || CellValues::kindOf(identifier) != CellValues::ColumnKind::LabeledText)
                continue;
            LabeledValue planted = *value;
            planted.value = Needle;
            document.undoRegistry().undoReplaceLabeledValue(planted, identifier, row.contact);
            controller->updateTable();
            finder = std::make_unique<TableTextFinder>(*controller);
            finder->setSearchText(Needle);
            return true;
        }
        return false;
    }
};

FindTable* table(benchmark::State& state)
{
    static std::unique_ptr<FindTable> loaded = [] {
        auto result = std::make_unique<FindTable>();
        return result->load() ? std::move(result) : std::unique_ptr<FindTable>();
    }();
    if (!loaded)
        state.SkipWithError("the 100 000-card stream could not be read");
    return loaded.get();
}

void report(benchmark::State& state, FindTable& find)
{
    const CellMatch& match = find.controller->currentMatch();
    if (match.row != find.lastRow || find.finder->matchCount() != 1)
        state.SkipWithError("the find text was not found in the last row alone");
    state.counters["rows"] = double(find.lastRow + 1);
    state.counters["characters"] = double(find.finder->text().stringLength());
}

/// Find Next on a table just rebuilt: the whole table is laid out and searched.
void BM_FindNextFirstSearch(benchmark::State& state)
{
    FindTable* find = table(state);
    if (!find)
        return;
    for (auto _ : state) {
        find->finder->text().invalidate();
        find->finder->selectTextInRange({});
        benchmark::DoNotOptimize(find->finder->findNext());
    }
    report(state, *find);
}

/// Find Next from the top of the table once the text is laid out.
void BM_FindNext(benchmark::State& state)
{
    FindTable* find = table(state);
    if (!find)
        return;
    find->finder->findNext();
    for (auto _ : state) {
        find->finder->selectTextInRange({});
        benchmark::DoNotOptimize(find->finder->findNext());
    }
    report(state, *find);
}

} // namespace

BENCHMARK(BM_FindNextFirstSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNext)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Quillary::Bench::runBenchmarks(argc, argv);
}
