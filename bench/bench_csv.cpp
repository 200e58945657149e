// CSV export and import of a large contact table: 100 000 contacts generated in memory, written as
// one CSV file (a line per contact, as a document's export), and that file read back.

#include "documents/ContactFileReader.h"
#include "formats/CsvRecordReader.h"
#include "formats/ZQVCard.h"

#include <benchmark/benchmark.h>

using namespace Quillary;

namespace {

constexpr int ContactCount = 100000;

LabeledValue labeled(const char* label, const QString& value)
{
    LabeledValue entry;
    entry.label = QString::fromLatin1(label);
    entry.value = value;
    return entry;
}

LabeledValue address(int i)
{
    LabeledValue entry;
    entry.label = QStringLiteral("home");
    entry.address.setStreet(QString::number(i % 900 + 1) + QStringLiteral(" Main Street"));
    entry.address.setCity(QStringLiteral("Springfield"));
    entry.address.setState(QStringLiteral("IL"));
    entry.address.setZip(QString::number(62701 + i % 90));
    entry.address.setCountry(QStringLiteral("United States"));
    entry.address.setCountryCode(QStringLiteral("us"));
    return entry;
}

/// A contact as address books hold them: a name, two phones, two e-mail addresses, an address, a
/// company and job title, a birthday, and on every tenth contact a note of two lines with a comma.
ContactEntryPtr makeContact(int i)
{
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = QStringLiteral("Given") + QString::number(i);
    name.lastName = QStringLiteral("Family") + QString::number(i % 5000);
    person->setValue(name, Field::Name);
    const QString number = QString::number(5550000 + i);
    person->replaceLabeledValue(LabeledValueList{labeled("home", QStringLiteral("+1 217 ") + number),
                                                 labeled("mobile", QStringLiteral("+1 312 ") + number)},
                                Field::Phone);
    const QString user = name.firstName.toLower() + u'.' + name.lastName.toLower();
    person->replaceLabeledValue(LabeledValueList{labeled("home", user + QStringLiteral("@example.com")),
                                                 labeled("work", user + QStringLiteral("@work.example"))},
                                Field::Email);
    person->replaceLabeledValue(LabeledValueList{address(i)}, Field::Address);
    person->setStringValue(QStringLiteral("Company ") + QString::number(i % 700), Field::Company);
    person->setStringValue(QStringLiteral("Engineer"), Field::JobTitle);
    if (i % 10 == 0)
        person->setStringValue(QStringLiteral("Met at the fair, 2019\nCall in the morning"), Field::Note);
    person->setBirthdayValue(BirthdayValue{DateComponents::fromNumbers(1950 + i % 50, i % 12 + 1, i % 28 + 1), {}});
    return ContactEntry::make(person);
}

const ContactTable& contacts()
{
    static const ContactTable table = [] {
        ContactTable result;
        result.reserve(ContactCount);
        for (int i = 0; i < ContactCount; ++i)
            result.append(makeContact(i));
        return result;
    }();
    return table;
}

const QByteArray& csvFile()
{
    static const QByteArray file = ZQVCard::csvFromSubContacts(contacts());
    return file;
}

void exportCsv(benchmark::State& state)
{
    const ContactTable& table = contacts();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray data = ZQVCard::csvFromSubContacts(table);
        bytes = data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["contacts"] = double(table.size());
    state.SetBytesProcessed(qint64(state.iterations()) * bytes);
}
BENCHMARK(exportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole import of a file's bytes: encoding detection, decoding, records, contacts with their cards.
void importCsv(benchmark::State& state)
{
    const QByteArray& file = csvFile();
    qsizetype read = 0;
    for (auto _ : state) {
        ContactFileReader::Result result = ContactFileReader::readCsvBytes(file);
        read = result.contacts.size();
        benchmark::DoNotOptimize(result.contacts.constData());
        // Freeing the contacts is the closing of a document, not part of reading it.
        state.PauseTiming();
        result = {};
        state.ResumeTiming();
    }
    state.counters["contacts"] = double(read);
    state.SetBytesProcessed(qint64(state.iterations()) * file.size());
}
BENCHMARK(importCsv)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime();

// The records alone, without making contacts.
void readRecords(benchmark::State& state)
{
    const QString text = QString::fromUtf8(csvFile());
    qsizetype records = 0;
    for (auto _ : state) {
        CsvRecordReader reader(text);
        QStringList fields;
        records = 0;
        while (reader.readRecord(fields))
            ++records;
        benchmark::DoNotOptimize(fields);
    }
    state.counters["records"] = double(records);
    state.SetBytesProcessed(qint64(state.iterations()) * csvFile().size());
}
BENCHMARK(readRecords)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
