// Opening the contact card: the lines of a contact with 200 values, and the card widget showing them
// (offscreen), as Show Contact Info does; and opening the address editor, the largest field editor
// (its country menu lists every country of the address format table).

#include "documents/ContactDocument.h"
#include "editors/AddressEditor.h"
#include "editors/ContactCard.h"
#include "editors/ContactCardModel.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace Quillary;

namespace {

// 60 phones, 60 e-mails, 40 addresses and 40 URLs.
ContactEntryPtr contactWith200Values()
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = QStringLiteral("Hana");
    name.lastName = QStringLiteral("Sato");
    person->setValue(name, Field::Name);
    const auto list = [](int count, const QString& label, auto text) {
        LabeledValueList values;
        for (int i = 0; i < count; ++i) {
            values.append(LabeledValue::withText(label, text(i)));
            values.last().labelIndex = i;
        }
        return values;
    };
    person->replaceLabeledValue(
        list(60, QStringLiteral("mobile"),
             [](int i) { return QStringLiteral("+81 90 1234 %1").arg(i, 4, 10, QLatin1Char('0')); }),
        Field::Phone);
    person->replaceLabeledValue(
        list(60, QStringLiteral("work"), [](int i) { return QStringLiteral("hana.%1@example.jp").arg(i); }),
        Field::Email);
    LabeledValueList addresses = list(40, QStringLiteral("home"), [](int) { return QString(); });
    for (int i = 0; i < addresses.size(); ++i) {
        addresses[i].address.setStreet(QStringLiteral("%1-1 Chiyoda").arg(i));
        addresses[i].address.setCity(QStringLiteral("Chiyoda-ku"));
        addresses[i].address.setZip(QStringLiteral("100-0001"));
        addresses[i].address.setCountryCode(QStringLiteral("JP"));
    }
    person->replaceLabeledValue(addresses, Field::Address);
    person->replaceLabeledValue(
        list(40, QStringLiteral("home page"), [](int i) { return QStringLiteral("example.jp/%1").arg(i); }),
        Field::URL);
    return ContactEntry::make(person);
}

void cardLines(benchmark::State& state)
{
    const ContactEntryPtr contact = contactWith200Values();
    for (auto _ : state)
        benchmark::DoNotOptimize(ContactCardModel::fields(*contact->person).size());
}
BENCHMARK(cardLines)->Unit(benchmark::kMillisecond);

void openCard(benchmark::State& state)
{
    ContactDocument document;
    const ContactEntryPtr contact = contactWith200Values();
    document.collection().contactTable = {contact};
    for (auto _ : state) {
        Ui::ContactCard card(document.undoRegistry(), [] { return true; });
        card.setContact(contact);
        card.setEditEnabled(true);
        card.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(card.fieldList()->topLevelItemCount());
    }
    state.counters["lines"] = double(ContactCardModel::fields(*contact->person).size());
}
BENCHMARK(openCard)->Unit(benchmark::kMillisecond);

void openAddressEditor(benchmark::State& state)
{
    const ContactEntryPtr contact = contactWith200Values();
    const int labelIndex = contact->person->addressValues().first().labelIndex;
    for (auto _ : state) {
        EditorContext context;
        context.contact = contact;
        context.type = Field::Address;
        context.labelIndex = labelIndex;
        context.editEnabled = true;
        Ui::AddressEditor editor(context, {}, nullptr);
        editor.setAttribute(Qt::WA_DeleteOnClose, false);
        editor.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(editor.model().partOrder().size());
    }
}
BENCHMARK(openAddressEditor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
