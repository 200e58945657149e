// QR code of one contact: the payload built from the panel's selection, and its image.

#include "model/PersonDsc.h"
#include "output/QRCodeImage.h"
#include "output/QRCodePayload.h"
#include "output/QRCodeSelection.h"

#include <benchmark/benchmark.h>

using namespace Quillary;

namespace {

LabeledValue labeled(const QString& label, const QString& value)
{
    return LabeledValue::withText(label, value);
}

// A contact as people keep them: a Japanese name with its reading, two phones, an e-mail, an
// address and a company.
PersonDsc sampleContact()
{
    PersonDsc person;
    NameValue name;
    name.firstName = QStringLiteral("太郎");
    name.lastName = QStringLiteral("山田");
    person.setValue(name, Field::Name);
    PhoneticNameValue phonetic;
    phonetic.firstName = QStringLiteral("タロウ");
    phonetic.lastName = QStringLiteral("ヤマダ");
    person.setValue(phonetic, Field::PhoneticName);
    person.setLabeledValues(LabeledField::Phone,
                            {labeled(QStringLiteral("mobile"), QStringLiteral("090-1234-5678")),
                             labeled(QStringLiteral("work"), QStringLiteral("03-1234-5678"))});
    person.setLabeledValues(LabeledField::Email, {labeled(QStringLiteral("work"), QStringLiteral("taro@example.jp"))});
    LabeledValue address;
    address.label = QStringLiteral("home");
    address.address.setStreet(QStringLiteral("千代田1-1"));
    address.address.setCity(QStringLiteral("千代田区"));
    address.address.setState(QStringLiteral("東京都"));
    address.address.setZip(QStringLiteral("100-0001"));
    address.address.setCountry(QStringLiteral("日本"));
    address.setStringValue(QStringLiteral("〒100-0001 東京都千代田区千代田1-1"));
    person.setLabeledValues(LabeledField::Address, {address});
    person.setStringValue(QStringLiteral("山田商事株式会社"), Field::Company);
    return person;
}

void payloadAndImage(benchmark::State& state, QRCodeFormat format)
{
    const PersonDsc person = sampleContact();
    const QRCodeSelection selection(person);
    for (auto _ : state) {
        const QImage image = QRCodeImage::render(QRCodePayload::payload(format, person, selection));
        benchmark::DoNotOptimize(image.constBits());
    }
    const QString payload = QRCodePayload::payload(format, person, selection);
    state.counters["payload_bytes"] = double(payload.toUtf8().size());
    state.counters["modules"] = double(QRCodeImage::modules(payload).width());
}

void BM_VCardPayloadAndImage(benchmark::State& state)
{
    payloadAndImage(state, QRCodeFormat::VCard);
}

void BM_DocomoPayloadAndImage(benchmark::State& state)
{
    payloadAndImage(state, QRCodeFormat::Docomo);
}

void BM_VCardPayloadImageAndPng(benchmark::State& state)
{
    const PersonDsc person = sampleContact();
    const QRCodeSelection selection(person);
    for (auto _ : state) {
        const QByteArray png =
            QRCodeImage::pngData(QRCodeImage::render(QRCodePayload::payload(QRCodeFormat::VCard, person, selection)));
        benchmark::DoNotOptimize(png.constData());
    }
}

} // namespace

BENCHMARK(BM_VCardPayloadAndImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DocomoPayloadAndImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VCardPayloadImageAndPng)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
