// Printing an address list: laying out 1 000 contacts on pages, and the whole job written as PDF.

#include "model/PersonDsc.h"
#include "output/PrintView.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <benchmark/benchmark.h>

using namespace Quillary;

namespace {

LabeledValue labeled(const QString& label, const QString& value)
{
    return LabeledValue::withText(label, value);
}

// Contacts as people keep them: every third one Japanese, two phones, an e-mail, an address of two
// lines, a company and now and then a note.
ContactTable sampleContacts(int count)
{
    static const QStringList western{QStringLiteral("Jane Doe"), QStringLiteral("François Dupont"),
                                     QStringLiteral("Søren Kierkegaard"), QStringLiteral("Mary Johnson")};
    static const QStringList japanese{QStringLiteral("山田 太郎"), QStringLiteral("佐藤 花子"),
                                      QStringLiteral("鈴木 一郎")};
    ContactTable contacts;
    for (int i = 0; i < count; ++i) {
        auto person = std::make_shared<PersonDsc>();
        const bool isJapanese = i % 3 == 0;
        person->setLabeledValues(
            LabeledField::Phone,
            {labeled(QStringLiteral("mobile"), QStringLiteral("090-%1-%2").arg(1000 + i % 9000).arg(5678)),
             labeled(QStringLiteral("work"), QStringLiteral("+1 555 %1").arg(1000 + i))});
        person->setLabeledValues(LabeledField::Email,
                                 {labeled(QStringLiteral("home"), QStringLiteral("person%1@example.com").arg(i))});
        person->setLabeledValues(
            LabeledField::Address,
            {labeled(QStringLiteral("home"),
                     isJapanese ? QStringLiteral("〒100-0001\n東京都千代田区千代田%1-1").arg(i % 9 + 1)
                                : QStringLiteral("%1 Main Street\nSpringfield IL 62701").arg(i + 1))});
        person->setStringValue(isJapanese ? QStringLiteral("山田商事株式会社") : QStringLiteral("Acme Corporation"),
                               Field::Company);
        if (i % 10 == 0)
            person->setStringValue(QStringLiteral("Met at the conference.\nPrefers e-mail."), Field::Note);
        ContactEntryPtr entry = ContactEntry::make(person);
        entry->compositeName = isJapanese ? japanese.at(i % japanese.size()) : western.at(i % western.size());
        contacts.append(entry);
    }
    return contacts;
}

PrintOptions sampleOptions()
{
    PrintOptions options = PrintOptions::defaults(QStringLiteral("DejaVu Sans"));
    options.addressList.printFrame = true;
    for (PrintItem& item : options.addressList.itemTable)
        item.state = item.title == Field::Name || item.title == Field::Phone || item.title == Field::Email
            || item.title == Field::Address || item.title == Field::Company || item.title == Field::Note;
    return options;
}

void addressListPages(benchmark::State& state)
{
    const ContactTable contacts = sampleContacts(int(state.range(0)));
    const PrintOptions options = sampleOptions();
    int pages = 0;
    for (auto _ : state) {
        const PrintView view(contacts, PaperInfo::fromSize(QPageSize(QPageSize::A4).size(QPageSize::Point)), options);
        pages = view.pages();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(addressListPages)->Arg(1000)->Unit(benchmark::kMillisecond);

void addressListPdf(benchmark::State& state)
{
    const ContactTable contacts = sampleContacts(int(state.range(0)));
    const PrintOptions options = sampleOptions();
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        PrintView view(contacts, PaperInfo(), options);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        if (!view.writePdf(pdf, QPageSize(QPageSize::A4)))
            state.SkipWithError("the PDF could not be written");
        bytes = pdf.size();
        pages = view.pages();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_kB"] = double(bytes) / 1024;
}
BENCHMARK(addressListPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    // Fonts come with a GUI application; printing needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
