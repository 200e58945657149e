#include "tst_persondsc.h"

#include "PersonDscSamples.h"
#include "model/LabelTable.h"

using namespace Quillary;
using namespace Quillary::Test;

void TestPersonDsc::initTestCase()
{
    ContactDefaults::setShared(ContactDefaults{32, US});
}

void TestPersonDsc::init()
{
    LabelTable::resetCustomLabels();
}

// Identity ---------------------------------------------------------------------------------------

void TestPersonDsc::newContactsGetDistinctIdentities()
{
    const PersonDsc first;
    const PersonDsc second;
    QVERIFY2(dateAndUuid.match(first.uniqueId()).hasMatch(), qPrintable(first.uniqueId()));
    QVERIFY(first.uniqueId() != second.uniqueId());
    QVERIFY(!first.isBound());
    // A contact read from a record takes the record's identity.
    const PersonDsc bound = reread(filledRecord());
    QCOMPARE(bound.uniqueId(), QStringLiteral("RECORD-1"));
    QVERIFY(bound.isBound());
}

void TestPersonDsc::detachedIdentityFromName_data()
{
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<bool>("showAsPerson");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("no name") << QString() << true << QString() << QStringLiteral("Brackenloft+");
    QTest::newRow("person") << QStringLiteral("Hanako") << true << QStringLiteral("Acme") << QStringLiteral("Hanako+");
    QTest::newRow("company") << QStringLiteral("Hanako") << false << QStringLiteral("Acme") << QStringLiteral("Acme+");
    QTest::newRow("company without name")
        << QStringLiteral("Hanako") << false << QString() << QStringLiteral("Brackenloft+");
}

void TestPersonDsc::detachedIdentityFromName()
{
    QFETCH(QString, firstName);
    QFETCH(bool, showAsPerson);
    QFETCH(QString, company);
    QFETCH(QString, prefix);

    PersonDsc contact;
    NameValue name;
    name.firstName = firstName;
    name.showAsPerson = showAsPerson;
    contact.setValue(name, Field::Name);
    contact.setStringValue(company, Field::Company);
    contact.setUniqueId(QString()); // as an unarchived copy has none

    const QString id = contact.uniqueId();
    QVERIFY2(id.startsWith(prefix), qPrintable(id));
    QVERIFY2(dateAndUuid.match(id.sliced(prefix.size())).hasMatch(), qPrintable(id));
    QCOMPARE(contact.uniqueId(), id); // kept once made
}

void TestPersonDsc::duplicateIsDetachedWithNewIdentity()
{
    const auto record = filledRecord();
    PersonDsc original = reread(record);
    PersonDsc copy = original.duplicate();

    QVERIFY(!copy.isBound());
    QVERIFY(copy.uniqueId() != original.uniqueId());
    QVERIFY2(copy.uniqueId().startsWith(QStringLiteral("Taro Yamada+")), qPrintable(copy.uniqueId()));
    for (const QString& identifier : FieldIdentifiers::allIdentifiers())
        QCOMPARE(copy.valueForIdentifier(identifier), original.valueForIdentifier(identifier));

    // The copy lives apart from the record.
    copy.setStringValue(QStringLiteral("Globex"), Field::Company);
    copy.addLabeledValue(textValue(QStringLiteral("work"), QStringLiteral("555")), Field::Phone);
    QCOMPARE(record->value(StringProperty::Organization), QStringLiteral("Acme"));
    QCOMPARE(record->value(MultiProperty::Phone).count(), 2);
}

void TestPersonDsc::independentCopyKeepsItsOwnRecord()
{
    const auto record = filledRecord();
    PersonDsc original = reread(record);
    const PersonDsc copy = original.independentCopy();

    QVERIFY(copy.isBound());
    QCOMPARE(copy.uniqueId(), original.uniqueId());
    // Edits of the original, through it or its record, leave the copy as it was: a writer on another
    // thread sees the contact as it was when it started.
    original.setStringValue(QStringLiteral("Globex"), Field::Company);
    record->setValue(StringProperty::FirstName, QStringLiteral("Jiro"));
    QCOMPARE(copy.stringValueForIdentifier(Field::Company), QStringLiteral("Acme"));
    QCOMPARE(copy.nameValue().stringValue, QStringLiteral("Taro Yamada"));
    QCOMPARE(copy.toRecord().value(StringProperty::Organization), QStringLiteral("Acme"));
}

// Names ------------------------------------------------------------------------------------------

void TestPersonDsc::composedName_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("nameOrdering");
    QTest::addColumn<int>("defaultOrdering");
    QTest::addColumn<QString>("expected");

    const QString taro = QStringLiteral("Taro");
    const QString yamada = QStringLiteral("Yamada");
    const QString taroJa = QStringLiteral("太郎");
    const QString yamadaJa = QStringLiteral("山田");
    QTest::newRow("default 32") << taro << QString() << yamada << 0 << 32 << QStringLiteral("Taro Yamada");
    QTest::newRow("default 16") << taro << QString() << yamada << 0 << 16 << QStringLiteral("Yamada Taro");
    QTest::newRow("default 16, kanji last name")
        << taroJa << QString() << yamadaJa << 0 << 16 << QStringLiteral("太郎 山田");
    QTest::newRow("default 16, katakana last name")
        << taro << QString() << QStringLiteral("ヤマダ") << 0 << 16 << QStringLiteral("Taro ヤマダ");
    QTest::newRow("default 16, kanji first name only")
        << taroJa << QString() << yamada << 0 << 16 << QStringLiteral("Yamada 太郎");
    QTest::newRow("last name first over 32") << taro << QString() << yamada << 2 << 32 << QStringLiteral("Yamada Taro");
    QTest::newRow("last name first, kanji")
        << taroJa << QString() << yamadaJa << 2 << 32 << QStringLiteral("山田 太郎");
    QTest::newRow("middle name left out")
        << taro << QStringLiteral("Q") << yamada << 0 << 32 << QStringLiteral("Taro Yamada");
    QTest::newRow("last name only") << QString() << QString() << yamada << 1 << 32 << yamada;
    QTest::newRow("middle name only") << QString() << QStringLiteral("Q") << QString() << 0 << 32
                                      << QStringLiteral("Q");
    QTest::newRow("no name") << QString() << QString() << QString() << 0 << 32 << QString();
}

void TestPersonDsc::composedName()
{
    QFETCH(QString, first);
    QFETCH(QString, middle);
    QFETCH(QString, last);
    QFETCH(int, nameOrdering);
    QFETCH(int, defaultOrdering);
    QFETCH(QString, expected);

    // Detached: the name as set.
    PersonDsc detached;
    detached.setDefaultNameOrdering(defaultOrdering);
    NameValue name;
    name.firstName = first;
    name.middleName = middle;
    name.lastName = last;
    name.nameOrdering = nameOrdering;
    detached.setValue(name, Field::Name);
    QCOMPARE(detached.nameValue().stringValue, expected);
    QCOMPARE(detached.compositeName(), expected);

    // Bound: the name as read from the record's properties and flags.
    auto record = std::make_shared<Person>();
    record->setValue(StringProperty::FirstName, first);
    record->setValue(StringProperty::MiddleName, middle);
    record->setValue(StringProperty::LastName, last);
    record->setFlags(nameOrdering == 1 ? 32 : nameOrdering == 2 ? 16 : 0);
    const PersonDsc bound(record, defaultOrdering, US);
    QCOMPARE(std::get<QString>(bound.valueForIdentifier(Field::CompositeName)), expected);
    QCOMPARE(bound.nameValue().stringValue, expected);
    QCOMPARE(bound.nameValue().nameOrdering, nameOrdering);
    QCOMPARE(bound.compositeName(), expected);
}

void TestPersonDsc::phoneticName_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("nameOrdering");
    QTest::addColumn<int>("defaultOrdering");
    QTest::addColumn<QString>("expected");

    const QString taro = QStringLiteral("Taro");
    const QString yamada = QStringLiteral("Yamada");
    const QString taroKana = QStringLiteral("たろう");
    const QString yamadaKana = QStringLiteral("やまだ");
    QTest::newRow("default 32") << taro << yamada << 0 << 32 << QStringLiteral("Taro Yamada");
    QTest::newRow("default 16") << taro << yamada << 0 << 16 << QStringLiteral("Yamada Taro");
    // Unlike the name, a Japanese reading under the default ordering puts the last name first.
    QTest::newRow("default 32, kana") << taroKana << yamadaKana << 0 << 32 << QStringLiteral("やまだ たろう");
    QTest::newRow("first name first, kana") << taroKana << yamadaKana << 1 << 16 << QStringLiteral("たろう やまだ");
    QTest::newRow("last name first") << taro << yamada << 2 << 32 << QStringLiteral("Yamada Taro");
    QTest::newRow("last only") << QString() << yamadaKana << 1 << 32 << yamadaKana;
    QTest::newRow("none") << QString() << QString() << 0 << 32 << QString();
}

void TestPersonDsc::phoneticName()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, nameOrdering);
    QFETCH(int, defaultOrdering);
    QFETCH(QString, expected);

    PersonDsc detached;
    detached.setDefaultNameOrdering(defaultOrdering);
    NameValue name;
    name.nameOrdering = nameOrdering;
    detached.setValue(name, Field::Name);
    PhoneticNameValue phonetic;
    phonetic.firstName = first;
    phonetic.lastName = last;
    detached.setValue(phonetic, Field::PhoneticName);
    QCOMPARE(detached.phoneticNameValue().stringValue, expected);
    QCOMPARE(detached.phoneticName(), expected);

    auto record = std::make_shared<Person>();
    record->setValue(StringProperty::FirstNamePhonetic, first);
    record->setValue(StringProperty::LastNamePhonetic, last);
    record->setFlags(nameOrdering == 1 ? 32 : nameOrdering == 2 ? 16 : 0);
    const PersonDsc bound(record, defaultOrdering, US);
    QCOMPARE(bound.phoneticNameValue().stringValue, expected);
}

void TestPersonDsc::flagsReadFromRecord_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("nameOrdering");
    QTest::addColumn<bool>("showAsPerson");

    QTest::newRow("0") << 0 << 0 << true;
    QTest::newRow("first name first") << 32 << 1 << true;
    QTest::newRow("last name first") << 16 << 2 << true;
    QTest::newRow("both ordering bits") << 48 << 2 << true;
    QTest::newRow("lowest ordering bit") << 8 << 2 << true;
    QTest::newRow("company") << 1 << 0 << false;
    QTest::newRow("other show-as bit") << 4 << 0 << false;
    QTest::newRow("bit outside both masks") << 64 << 0 << true;
}

void TestPersonDsc::flagsReadFromRecord()
{
    QFETCH(int, flags);
    QFETCH(int, nameOrdering);
    QFETCH(bool, showAsPerson);

    auto record = std::make_shared<Person>();
    record->setFlags(flags);
    const PersonDsc contact = reread(record);
    QCOMPARE(contact.nameValue().nameOrdering, nameOrdering);
    QCOMPARE(contact.nameValue().showAsPerson, showAsPerson);
    QCOMPARE(contact.nameOrdering(), nameOrdering);
    QCOMPARE(contact.showAsPerson(), showAsPerson);
}

void TestPersonDsc::settingNameWritesFlags_data()
{
    QTest::addColumn<int>("nameOrdering");
    QTest::addColumn<bool>("showAsPerson");
    QTest::addColumn<int>("flags");

    QTest::newRow("person, default") << 0 << true << 0;
    QTest::newRow("person, first name first") << 1 << true << 32;
    QTest::newRow("person, last name first") << 2 << true << 16;
    QTest::newRow("person, unknown ordering") << 5 << true << 16;
    QTest::newRow("company, default") << 0 << false << 1;
    QTest::newRow("company, first name first") << 1 << false << 33;
}

void TestPersonDsc::settingNameWritesFlags()
{
    QFETCH(int, nameOrdering);
    QFETCH(bool, showAsPerson);
    QFETCH(int, flags);

    const auto record = filledRecord();
    record->setFlags(64 | 8 | 2); // no bit of the old flags survives
    PersonDsc contact = reread(record);
    NameValue name;
    name.firstName = QStringLiteral("Hanako");
    name.lastName = QStringLiteral("Sato");
    name.nameOrdering = nameOrdering;
    name.showAsPerson = showAsPerson;
    contact.setValue(name, Field::Name);

    QCOMPARE(record->flags(), flags);
    QCOMPARE(record->value(StringProperty::FirstName), QStringLiteral("Hanako"));
    QCOMPARE(record->value(StringProperty::MiddleName), QString()); // removed with the rest of the old name
    QCOMPARE(record->value(StringProperty::MaidenName), QString());
    QCOMPARE(contact.showAsPerson(), showAsPerson);
    QCOMPARE(contact.nameOrdering(), nameOrdering);
    QCOMPARE(contact.compositeName(), showAsPerson ? contact.nameValue().stringValue : QStringLiteral("Acme"));
}

void TestPersonDsc::compositeNameOfCompany()
{
    PersonDsc detached;
    NameValue name;
    name.firstName = QStringLiteral("Taro");
    name.lastName = QStringLiteral("Yamada");
    name.showAsPerson = false;
    detached.setValue(name, Field::Name);
    QCOMPARE(detached.compositeName(), QString()); // a company without a company name
    detached.setStringValue(QStringLiteral("Acme"), Field::Company);
    QCOMPARE(detached.compositeName(), QStringLiteral("Acme"));
    QVERIFY(!detached.showAsPerson());
    name.showAsPerson = true;
    detached.setValue(name, Field::Name);
    QCOMPARE(detached.compositeName(), QStringLiteral("Taro Yamada"));
}

void TestPersonDsc::namePartsReachRecord()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    contact.setValue(QStringLiteral("Hanako"), Field::FirstName);
    contact.setValue(QString(), Field::MiddleName);
    contact.setValue(QStringLiteral("Sato"), Field::PreviousFamilyName);
    contact.setValue(QStringLiteral("はなこ"), Field::PhoneticFirstNameSpaced);
    contact.setValue(QStringLiteral("さとう"), Field::PhoneticLastName);

    QCOMPARE(record->value(StringProperty::FirstName), QStringLiteral("Hanako"));
    QVERIFY(!record->hasValue(StringProperty::MiddleName));
    QCOMPARE(record->value(StringProperty::MaidenName), QStringLiteral("Sato"));
    QCOMPARE(record->value(StringProperty::FirstNamePhonetic), QStringLiteral("はなこ"));
    QCOMPARE(record->value(StringProperty::LastNamePhonetic), QStringLiteral("さとう"));
    QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::FirstName)), QStringLiteral("Hanako"));
    QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::PhoneticFirstName)), QStringLiteral("はなこ"));
    QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::CompositeName)), QStringLiteral("Hanako Yamada"));
    QCOMPARE(contact.compositeName(), QStringLiteral("Hanako Yamada"));
    QCOMPARE(contact.phoneticNameValue().stringValue, QStringLiteral("さとう はなこ"));

    // "Name" as a whole cannot be removed.
    contact.removeValueForIdentifier(Field::Name);
    QCOMPARE(record->value(StringProperty::FirstName), QStringLiteral("Hanako"));
}

// Reading ----------------------------------------------------------------------------------------

void TestPersonDsc::readingEmptyEntries()
{
    auto record = std::make_shared<Person>();
    MultiValue phones;
    phones.addValue(QStringLiteral("123"), QString());
    record->setValue(MultiProperty::Phone, phones);
    MultiValue accounts;
    accounts.addValue(ServiceValue{}, QString());
    record->setValue(MultiProperty::InstantMessage, accounts);
    MultiValue profiles;
    profiles.addValue(ServiceValue{}, QString());
    record->setValue(MultiProperty::SocialProfile, profiles);
    MultiValue emails;
    emails.addValue(QStringLiteral("taro@"), QString());
    record->setValue(MultiProperty::Email, emails);

    const PersonDsc contact = reread(record);
    QCOMPARE(contact.phoneValues().at(0).label, QStringLiteral("No label"));
    QCOMPARE(contact.imsValues().at(0),
             imValue(QStringLiteral("No label"), QStringLiteral("none"), QStringLiteral("none")));
    QCOMPARE(contact.imsValues().at(0).stringValue, QStringLiteral("none:none"));
    QCOMPARE(contact.snsValues().at(0).label, QStringLiteral("No label"));
    QCOMPARE(contact.snsValues().at(0).stringValue, QString());
    // An "@" at the end splits nothing off.
    QCOMPARE(contact.emailValues().at(0).emailUsername(), QStringLiteral("taro@"));
    QCOMPARE(contact.emailValues().at(0).emailDomain(), QString());
    QCOMPARE(contact.birthdayValue(), BirthdayValue());
    QCOMPARE(contact.compositeName(), QString());
}

void TestPersonDsc::readingRereadsRecord()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    QCOMPARE(contact.phoneValues().size(), 2);

    MultiValue phones = record->value(MultiProperty::Phone);
    phones.addValue(QStringLiteral("03-0000-0000"), L::Work);
    record->setValue(MultiProperty::Phone, phones);
    record->setValue(StringProperty::FirstName, QStringLiteral("Jiro"));
    record->setValue(StringProperty::Organization, QStringLiteral("Globex"));
    record->setBirthday(DateComponents{1990, 1, 2});
    record->setFlags(AddressBook::PersonFlags::ShowAsCompany);

    QCOMPARE(contact.phoneValues().size(), 3);
    QCOMPARE(contact.phoneValues().at(2).label, QStringLiteral("work"));
    QCOMPARE(contact.nameValue().stringValue, QStringLiteral("Jiro Yamada"));
    QCOMPARE(contact.stringValueForIdentifier(Field::Company), QStringLiteral("Globex"));
    QCOMPARE(contact.birthdayValue().stringValue, QStringLiteral("1990.01.02(Tue)"));
    QCOMPARE(contact.compositeName(), QStringLiteral("Globex"));

    // Position readers answer from the cache; refreshCache fills it again.
    QCOMPARE(contact.emailValues().size(), 1);
    MultiValue emails;
    emails.addValue(QStringLiteral("jiro@example.jp"), L::Home);
    record->setValue(MultiProperty::Email, emails);
    QCOMPARE(contact.labeledValueForIdentifier(Field::Email, 0)->value, QStringLiteral("taro@example.jp"));
    contact.refreshCache();
    QCOMPARE(contact.labeledValueForIdentifier(Field::Email, 0)->value, QStringLiteral("jiro@example.jp"));
    QCOMPARE(contact.imageData(), record->imageData());
}

void TestPersonDsc::noteDisabled()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    contact.setNoteDisabled(true);
    QCOMPARE(contact.stringValueForIdentifier(Field::Note), QString());
    QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::Note)), QString());

    contact.setStringValue(QStringLiteral("Overwritten"), Field::Note);
    contact.removeValueForIdentifier(Field::Note);
    QCOMPARE(record->value(StringProperty::Note), QStringLiteral("Met in Kyoto"));
    QCOMPARE(contact.stringValueForIdentifier(Field::Note), QString());

    // Other string fields are not affected.
    contact.setStringValue(QStringLiteral("CTO"), Field::JobTitle);
    QCOMPARE(record->value(StringProperty::JobTitle), QStringLiteral("CTO"));

    contact.setNoteDisabled(false);
    QCOMPARE(contact.stringValueForIdentifier(Field::Note), QStringLiteral("Met in Kyoto"));
}

QTEST_GUILESS_MAIN(TestPersonDsc)
