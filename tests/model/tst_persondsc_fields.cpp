#include "PersonDscSamples.h"
#include "model/LabelTable.h"
#include "tst_persondsc.h"

#include <QBuffer>

using namespace Quillary;
using namespace Quillary::Test;

// Other fields -----------------------------------------------------------------------------------

void TestPersonDsc::setBirthdayValue_data()
{
    QTest::addColumn<bool>("none");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("stringValue");

    QTest::newRow("date") << false << 1980 << 5 << 17 << QStringLiteral("1980.05.17(Sat)");
    QTest::newRow("without a year") << false << 0 << 5 << 17 << QStringLiteral("05.17");
    QTest::newRow("29 February without a year") << false << 0 << 2 << 29 << QStringLiteral("02.29");
    QTest::newRow("not a date") << false << 1981 << 2 << 29 << QString();
    QTest::newRow("no month") << false << 1980 << 0 << 17 << QString();
    QTest::newRow("none") << true << 0 << 0 << 0 << QString();
}

void TestPersonDsc::setBirthdayValue()
{
    QFETCH(bool, none);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, stringValue);

    const DateComponents date{year, month, day};
    const bool usable = !stringValue.isEmpty();
    const std::optional<BirthdayValue> argument =
        none ? std::nullopt : std::optional<BirthdayValue>(BirthdayValue{date, QStringLiteral("ignored")});
    const BirthdayValue expected = usable ? BirthdayValue{date, stringValue} : BirthdayValue();

    PersonDsc detached;
    detached.setBirthdayValue(BirthdayValue{DateComponents{1975, 7, 20}, QString()});
    detached.setBirthdayValue(argument);
    QCOMPARE(detached.birthdayValue(), expected);

    const auto record = filledRecord();
    PersonDsc bound = reread(record);
    bound.setBirthdayValue(argument);
    QCOMPARE(bound.birthdayValue(), expected);
    QCOMPARE(record->birthday(), usable ? std::optional<DateComponents>(date) : std::nullopt);
    QCOMPARE(bound.stringValueForIdentifier(Field::Birthday, 0), stringValue);
}

void TestPersonDsc::photoWaitsForSave()
{
    const auto record = filledRecord();
    const QByteArray original = record->imageData();
    PersonDsc contact = reread(record);
    QCOMPARE(contact.photoData(), original);
    QVERIFY(contact.imageData().isEmpty()); // not loaded until asked for by a full read

    contact.setPhoto(QByteArrayLiteral("new"));
    QCOMPARE(std::get<QByteArray>(contact.valueForIdentifier(Field::Photo)), QByteArrayLiteral("new"));
    QCOMPARE(record->imageData(), original);
    contact.savePhoto();
    QCOMPARE(record->imageData(), QByteArrayLiteral("new"));

    contact.setValue(std::monostate(), Field::Photo);
    QVERIFY(contact.imageData().isEmpty());
    contact.savePhoto();
    QVERIFY(record->imageData().isEmpty());

    // A real picture decodes.
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "PNG"));
    }
    contact.setPhoto(png);
    QCOMPARE(contact.photo().size(), QSize(4, 3));
    PersonDsc detached;
    QVERIFY(detached.photo().isNull());
}

void TestPersonDsc::setValue_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<FieldValue>("value");

    for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
        QTest::addRow("%s", qPrintable(identifier)) << identifier << FieldValue(QString(u"New " + identifier));
    for (const QString* part :
         {&Field::FirstName, &Field::MiddleName, &Field::LastName, &Field::PreviousFamilyName,
          &Field::PhoneticFirstName, &Field::PhoneticMiddleNameSpaced, &Field::PhoneticLastNameSpaced})
        QTest::addRow("%s", qPrintable(*part)) << *part << FieldValue(QString(u"かな " + *part));

    NameValue name;
    name.firstName = QStringLiteral("Hanako");
    name.lastName = QStringLiteral("Sato");
    name.nameOrdering = 2;
    name.stringValue = QStringLiteral("Sato Hanako");
    QTest::newRow("Name") << Field::Name << FieldValue(name);
    QTest::newRow("Phonetic Name") << Field::PhoneticName
                                   << FieldValue(PhoneticNameValue{QStringLiteral("はなこ"), QString(),
                                                                   QStringLiteral("さとう"),
                                                                   QStringLiteral("さとう はなこ")});
    QTest::newRow("Birthday") << Field::Birthday
                              << FieldValue(
                                     BirthdayValue{DateComponents{1990, 1, 2}, QStringLiteral("1990.01.02(Tue)")});
    QTest::newRow("Phone") << Field::Phone
                           << FieldValue(LabeledValueList{textValue(QStringLiteral("work"), QStringLiteral("555"), 0),
                                                          textValue(QStringLiteral("Car"), QStringLiteral("556"), 1)});
    QTest::newRow("Instant Message") << Field::InstantMessage
                                     << FieldValue(LabeledValueList{imValue(
                                            QStringLiteral("home"), QStringLiteral("Skype"), QStringLiteral("h"))});
}

void TestPersonDsc::setValue()
{
    QFETCH(QString, identifier);
    QFETCH(FieldValue, value);

    PersonDsc detached;
    detached.setValue(value, identifier);
    QCOMPARE(detached.valueForIdentifier(identifier), value);

    const auto record = filledRecord();
    PersonDsc bound = reread(record);
    bound.setValue(value, identifier);
    QCOMPARE(bound.valueForIdentifier(identifier), value);
    QCOMPARE(PersonDsc::detachedFromRecord(*record, 32, US).valueForIdentifier(identifier), value);
}

void TestPersonDsc::setValueIgnoresWrongKinds()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^xxxx")));
    contact.setValue(QByteArrayLiteral("bytes"), Field::Company);
    contact.setValue(QStringLiteral("text"), Field::Phone);
    contact.setValue(QStringLiteral("text"), QStringLiteral("Colour"));
    contact.setValue(NameValue(), Field::FirstName);
    contact.setValue(QStringLiteral("text"), Field::Name);
    contact.setValue(QStringLiteral("text"), Field::Birthday);

    const PersonDsc after = reread(record);
    QCOMPARE(after.stringValueForIdentifier(Field::Company), QStringLiteral("Acme"));
    QCOMPARE(after.phoneValues().size(), 2);
    QCOMPARE(after.nameValue().firstName, QStringLiteral("Taro"));
    QCOMPARE(after.birthdayValue().stringValue, QStringLiteral("1980.05.17(Sat)"));
}

void TestPersonDsc::removeValueForIdentifier_data()
{
    QTest::addColumn<QString>("identifier");
    for (const QString& identifier : FieldIdentifiers::allIdentifiers())
        QTest::addRow("%s", qPrintable(identifier)) << identifier;
    for (const QString* identifier : {&Field::FirstName, &Field::MiddleName, &Field::LastName,
                                      &Field::PreviousFamilyName, &Field::PhoneticFirstName, &Field::PhoneticMiddleName,
                                      &Field::PhoneticLastName, &Field::PhoneticLastNameSpaced})
        QTest::addRow("%s", qPrintable(*identifier)) << *identifier;
}

void TestPersonDsc::removeValueForIdentifier()
{
    QFETCH(QString, identifier);
    const bool isName = identifier == Field::Name;
    const bool isPhoto = identifier == Field::Photo;

    const auto record = filledRecord();
    record->setValue(StringProperty::MiddleNamePhonetic, QStringLiteral("きゅー"));
    PersonDsc detached = PersonDsc::detachedFromRecord(*record, 32, US);
    PersonDsc bound = reread(record);
    (void)bound.phoneticNameValue(); // the phonetic parts answer from what was read
    QVERIFY(!isEmptyValue(bound.valueForIdentifier(identifier)));
    const FieldValue before = bound.valueForIdentifier(identifier);

    detached.removeValueForIdentifier(identifier);
    bound.removeValueForIdentifier(identifier);
    if (isName) {
        // The name as a whole stays.
        QCOMPARE(detached.valueForIdentifier(identifier), before);
        QCOMPARE(bound.valueForIdentifier(identifier), before);
        return;
    }
    QVERIFY(isEmptyValue(detached.valueForIdentifier(identifier)));
    if (isPhoto) {
        // The record keeps its photo until the contact's is saved.
        QVERIFY(bound.imageData().isEmpty());
        QVERIFY(!record->imageData().isEmpty());
        bound.savePhoto();
        QVERIFY(record->imageData().isEmpty());
        return;
    }
    QVERIFY(isEmptyValue(bound.valueForIdentifier(identifier)));
    QVERIFY(isEmptyValue(PersonDsc::detachedFromRecord(*record, 32, US).valueForIdentifier(identifier)));
}

// Conversion to and from records -----------------------------------------------------------------

void TestPersonDsc::recordRoundTrip()
{
    Person original = *filledRecord();
    original.setFlags(AddressBook::PersonFlags::LastNameFirst);
    // Entries without service or user name must not come back with the placeholders they are shown with.
    MultiValue accounts = original.value(MultiProperty::InstantMessage);
    accounts.addValue(ServiceValue{QStringLiteral("taro"), QString(), {}}, QString());
    accounts.addValue(ServiceValue{QString(), QStringLiteral("Skype"), {}}, L::Home);
    original.setValue(MultiProperty::InstantMessage, accounts);
    MultiValue profiles = original.value(MultiProperty::SocialProfile);
    profiles.addValue(ServiceValue{QStringLiteral("taro"), QString(), QStringLiteral("https://example.social/taro")},
                      QString());
    profiles.addValue(ServiceValue{QStringLiteral("hanako"), QStringLiteral("facebook"), {}},
                      QStringLiteral("facebook"));
    original.setValue(MultiProperty::SocialProfile, profiles);
    // "Son" is stored as typed, so the marked form does not come back; use labels that do.
    MultiValue related;
    related.addValue(QStringLiteral("Ichiro"), QStringLiteral("Son"));
    related.addValue(QStringLiteral("Jiro"), QStringLiteral("Cousin"));
    related.addValue(QStringLiteral("Sachiko"), QString());
    original.setValue(MultiProperty::RelatedNames, related);

    const PersonDsc contact = PersonDsc::detachedFromRecord(original, 32, US);
    QVERIFY(!contact.isBound());
    QCOMPARE(contact.uniqueId(), original.uniqueId());
    const Person result = contact.toRecord();

    QCOMPARE(result.uniqueId(), original.uniqueId());
    QCOMPARE(result.flags(), original.flags());
    for (int i = 0; i < AddressBook::StringPropertyCount; ++i)
        QCOMPARE(result.value(StringProperty(i)), original.value(StringProperty(i)));
    for (int i = 0; i < AddressBook::MultiPropertyCount; ++i) {
        const MultiValue& want = original.value(MultiProperty(i));
        const MultiValue& got = result.value(MultiProperty(i));
        QCOMPARE(got.count(), want.count());
        for (qsizetype at = 0; at < want.count(); ++at) {
            QCOMPARE(got.labelAtIndex(at), want.labelAtIndex(at));
            QVERIFY2(got.valueAtIndex(at) == want.valueAtIndex(at),
                     qPrintable(u"property " + QString::number(i) + u" entry " + QString::number(at)));
        }
    }
    QCOMPARE(result.birthday(), original.birthday());
    QCOMPARE(result.imageData(), original.imageData());
    QVERIFY(result == original);
}

void TestPersonDsc::detachedContactRoundTrip()
{
    PersonDsc contact;
    NameValue name;
    name.firstName = QStringLiteral("Hanako");
    name.middleName = QStringLiteral("R");
    name.lastName = QStringLiteral("佐藤");
    name.previousFamilyName = QStringLiteral("Ito");
    name.nameOrdering = 1;
    name.showAsPerson = false;
    contact.setValue(name, Field::Name);
    contact.setValue(PhoneticNameValue{QStringLiteral("はなこ"), QStringLiteral("あ"), QStringLiteral("さとう"), {}},
                     Field::PhoneticName);
    for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
        contact.setStringValue(u"Some " + identifier, identifier);
    contact.addLabeledValue(textValue(QString(), QStringLiteral("03-1111")), Field::Phone);
    contact.addLabeledValue(textValue(QStringLiteral("work fax"), QStringLiteral("03-2222")), Field::Phone);
    contact.addLabeledValue(textValue(QString(), QStringLiteral("hanako@example.jp")), Field::Email);
    contact.addLabeledValue(addressValue(QStringLiteral("work"), osaka, QString()), Field::Address);
    contact.addLabeledValue(textValue(QStringLiteral("home page"), QStringLiteral("https://hanako.example")),
                            Field::URL);
    contact.addLabeledValue(textValue(QString(), QStringLiteral("hanako")), Field::SocialNetwork);
    contact.addLabeledValue(imValue(QString(), QString(), QStringLiteral("hanako")), Field::InstantMessage);
    contact.addLabeledValue(textValue(QStringLiteral("Daughter"), QStringLiteral("Yuki")), Field::Relationship);
    contact.addLabeledValue(dateValue(QString(), DateComponents{0, 12, 24}, QString()), Field::Dates);
    contact.setBirthdayValue(BirthdayValue{DateComponents{1990, 1, 2}, QString()});
    contact.setPhoto(QByteArrayLiteral("photo"));

    const Person record = contact.toRecord();
    QCOMPARE(record.flags(), 33);
    QCOMPARE(record.value(MultiProperty::InstantMessage).count(), 1);
    QCOMPARE(std::get<ServiceValue>(record.value(MultiProperty::InstantMessage).valueAtIndex(0)).service, QString());

    const PersonDsc back = PersonDsc::detachedFromRecord(record, 32, US);
    QCOMPARE(back.uniqueId(), contact.uniqueId());
    QCOMPARE(back.nameValue(), contact.nameValue());
    QCOMPARE(back.phoneticNameValue(), contact.phoneticNameValue());
    QCOMPARE(back.stringValues(), contact.stringValues());
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QCOMPARE(back.labeledValuesForIdentifier(identifier), contact.labeledValuesForIdentifier(identifier));
    QCOMPARE(back.birthdayValue(), contact.birthdayValue());
    QCOMPARE(back.photoData(), QByteArrayLiteral("photo"));
    QCOMPARE(back.showAsPerson(), false);
    QCOMPARE(back.compositeName(), QStringLiteral("Some Company"));
}
