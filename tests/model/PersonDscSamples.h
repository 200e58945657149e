#pragma once

// Sample contacts and labelled values shared by the contact descriptor tests.

#include "model/PersonDsc.h"
#include "model/addressbook/Records.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Quillary::LabeledValue)
Q_DECLARE_METATYPE(Quillary::FieldValue)

namespace Quillary {

// Lets QCOMPARE show labelled values; found by argument-dependent lookup.
inline char* toString(const LabeledValue& v)
{
    const QString text = u"{label=" + v.label + u" labelIndex=" + QString::number(v.labelIndex) + u" value=" + v.value
        + u" stringValue=" + v.stringValue() + u" service=" + v.service() + u" username=" + v.username() + u" address="
        + v.address.zip() + u'/' + v.address.state() + u'/' + v.address.city() + u'/' + v.address.street() + u'/'
        + v.address.country() + u'/' + v.address.countryCode() + u" date=" + QString::number(v.date.year) + u'-'
        + QString::number(v.date.month) + u'-' + QString::number(v.date.day) + u'}';
    return QTest::toString(text);
}

} // namespace Quillary

namespace Quillary::Test {

using AddressBook::MultiProperty;
using AddressBook::MultiValue;
using AddressBook::Person;
using AddressBook::ServiceValue;
using AddressBook::StringProperty;
namespace L = AddressBook::Label;

inline const QString US = QStringLiteral("US");

inline PostalAddress address(const QString& zip, const QString& state, const QString& city, const QString& street,
                             const QString& country = QStringLiteral("Japan"),
                             const QString& code = QStringLiteral("JP"))
{
    PostalAddress result;
    result.setZip(zip);
    result.setState(state);
    result.setCity(city);
    result.setStreet(street);
    result.setCountry(country);
    result.setCountryCode(code);
    return result;
}

inline const PostalAddress tokyo =
    address(QStringLiteral("100-0001"), QStringLiteral("Tokyo"), QStringLiteral("Chiyoda"), QStringLiteral("1-1"));
inline const QString tokyoText = QStringLiteral("100-0001 Tokyo Chiyoda 1-1 Japan");
inline const PostalAddress osaka =
    address(QStringLiteral("530-0001"), QStringLiteral("Osaka"), QStringLiteral("Kita"), QStringLiteral("Umeda 2-2"));
inline const QString osakaText = QStringLiteral("530-0001 Osaka Kita Umeda 2-2 Japan");

/// A labelled value as the descriptor keeps it; `fill` sets what its kind holds.
template <typename Fill> LabeledValue labeledValue(const QString& label, int labelIndex, Fill fill)
{
    LabeledValue v;
    v.label = label;
    v.labelIndex = labelIndex;
    fill(v);
    return v;
}

/// A phone, e-mail, URL or related name.
inline LabeledValue textValue(const QString& label, const QString& value, int labelIndex = 0)
{
    return labeledValue(label, labelIndex, [&](LabeledValue& v) { v.value = value; });
}

inline LabeledValue addressValue(const QString& label, const PostalAddress& postal, const QString& text,
                                 int labelIndex = 0)
{
    return labeledValue(label, labelIndex, [&](LabeledValue& v) {
        v.address = postal;
        v.setStringValue(text);
    });
}

inline LabeledValue imValue(const QString& label, const QString& service, const QString& username, int labelIndex = 0)
{
    return labeledValue(label, labelIndex, [&](LabeledValue& v) {
        v.setService(service);
        v.value = username;
        v.setUsername(username);
        v.setStringValue(service + u':' + username);
    });
}

inline LabeledValue snsValue(const QString& service, const QString& username, const QString& url, int labelIndex = 0)
{
    return labeledValue(service, labelIndex, [&](LabeledValue& v) {
        v.setService(service);
        v.setStringValue(username);
        v.setUsername(username);
        v.value = url.isEmpty() ? username : url;
    });
}

inline LabeledValue dateValue(const QString& label, const DateComponents& date, const QString& text, int labelIndex = 0)
{
    return labeledValue(label, labelIndex, [&](LabeledValue& v) {
        v.date = date;
        v.setStringValue(text);
    });
}

/// A list of labelled entries of a record.
inline MultiValue multiValue(std::initializer_list<std::pair<AddressBook::MultiValueItem, QString>> entries)
{
    MultiValue result;
    for (const auto& [value, label] : entries)
        result.addValue(value, label);
    return result;
}

/// A record with a value in every field.
inline std::shared_ptr<Person> filledRecord()
{
    auto record = std::make_shared<Person>(QStringLiteral("RECORD-1"));
    const std::pair<StringProperty, const char*> strings[] = {{StringProperty::FirstName, "Taro"},
                                                              {StringProperty::MiddleName, "Q"},
                                                              {StringProperty::LastName, "Yamada"},
                                                              {StringProperty::MaidenName, "Suzuki"},
                                                              {StringProperty::FirstNamePhonetic, "たろう"},
                                                              {StringProperty::LastNamePhonetic, "やまだ"},
                                                              {StringProperty::Organization, "Acme"},
                                                              {StringProperty::Department, "R&D"},
                                                              {StringProperty::JobTitle, "Engineer"},
                                                              {StringProperty::Nickname, "Tarchan"},
                                                              {StringProperty::Title, "Dr."},
                                                              {StringProperty::Suffix, "Jr."},
                                                              {StringProperty::Note, "Met in Kyoto"}};
    for (const auto& [property, text] : strings)
        record->setValue(property, QString::fromUtf8(text));

    record->setValue(MultiProperty::Phone,
                     multiValue({{QStringLiteral("+81 3 1234 5678"), L::Home}, {QStringLiteral("090-1111-2222"), {}}}));
    record->setValue(MultiProperty::Email, multiValue({{QStringLiteral("taro@example.jp"), L::Work}}));
    record->setValue(MultiProperty::Address, multiValue({{tokyo, L::Home}}));
    record->setValue(MultiProperty::URLs, multiValue({{QStringLiteral("https://example.jp/taro"), L::HomePage}}));
    record->setValue(MultiProperty::SocialProfile,
                     multiValue({{ServiceValue{QStringLiteral("taro"), QStringLiteral("twitter"),
                                               QStringLiteral("https://twitter.com/taro")},
                                  QStringLiteral("twitter")}}));
    record->setValue(
        MultiProperty::InstantMessage,
        multiValue({{ServiceValue{QStringLiteral("taro@jabber.example"), QStringLiteral("Jabber"), {}}, L::Work}}));
    record->setValue(MultiProperty::RelatedNames,
                     multiValue({{QStringLiteral("Ichiro"), QStringLiteral("_$!<Son>!$_")}}));
    record->setValue(MultiProperty::OtherDates, multiValue({{DateComponents{2001, 2, 3}, L::Anniversary}}));
    record->setBirthday(DateComponents{1980, 5, 17});
    record->setImageData(QByteArrayLiteral("\x89PNG photo bytes"));
    return record;
}

/// The descriptor's view of a record, read afresh.
inline PersonDsc reread(const std::shared_ptr<Person>& record)
{
    return PersonDsc(record, 32, US);
}

inline QList<int> labelIndexes(LabeledValueSpan values)
{
    QList<int> result;
    for (const LabeledValue& value : values)
        result.append(value.labelIndex);
    return result;
}

inline const QRegularExpression
    dateAndUuid(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\+0000 "
                               "[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));

} // namespace Quillary::Test
