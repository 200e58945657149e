// The contact descriptor: identity, names, reading a record, the fields other than labelled lists,
// and the conversion to and from records (the labelled lists are tst_persondsc_lists).

#include "PersonDscSamples.h"
#include "TestSupport.h"
#include "formats/VCardStream.h"
#include "model/LabelTable.h"
#include "model/addressbook/Records.h"
#include "model/addressbook/VCardCodec.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <QtConcurrent/QtConcurrentRun>
#include <thread>

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

class TestPersonDsc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ContactDefaults::setShared(ContactDefaults{32, US}); }

    void init() { LabelTable::resetCustomLabels(); }

    // Identity.
    void newContactsGetDistinctIdentities()
    {
        const PersonDsc first;
        const PersonDsc second;
        QVERIFY2(dateAndUuid.match(first.uniqueId()).hasMatch(), qPrintable(first.uniqueId()));
        QVERIFY(first.uniqueId() != second.uniqueId());
        QVERIFY(!first.isBound());
        // A contact read from a record takes the record's identity.
        const PersonDsc bound = reread(filledRecord());
        QCOMPARE(bound.uniqueId(), u"RECORD-1"_s);
        QVERIFY(bound.isBound());
    }

    void detachedIdentityFromName_data()
    {
        Test::addColumns<QString, bool, QString, QString>("firstName", "showAsPerson", "company", "prefix");

        QTest::newRow("no name") << QString() << true << QString() << u"Brackenloft+"_s;
        QTest::newRow("person") << u"Hanako"_s << true << u"Acme"_s << u"Hanako+"_s;
        QTest::newRow("company") << u"Hanako"_s << false << u"Acme"_s << u"Acme+"_s;
        QTest::newRow("company without name") << u"Hanako"_s << false << QString() << u"Brackenloft+"_s;
    }
    void detachedIdentityFromName()
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

    void duplicateIsDetachedWithNewIdentity()
    {
        const auto record = filledRecord();
        PersonDsc original = reread(record);
        PersonDsc copy = original.duplicate();

        QVERIFY(!copy.isBound());
        QVERIFY(copy.uniqueId() != original.uniqueId());
        QVERIFY2(copy.uniqueId().startsWith(u"Taro Yamada+"_s), qPrintable(copy.uniqueId()));
        for (const QString& identifier : FieldIdentifiers::allIdentifiers())
            QCOMPARE(copy.valueForIdentifier(identifier), original.valueForIdentifier(identifier));

        // The copy lives apart from the record.
        copy.setStringValue(u"Globex"_s, Field::Company);
        copy.addLabeledValue(textValue(u"work"_s, u"555"_s), Field::Phone);
        QCOMPARE(record->value(StringProperty::Organization), u"Acme"_s);
        QCOMPARE(record->value(MultiProperty::Phone).count(), 2);
    }

    void stringFieldsKeepTheirOwnTexts_data()
    {
        Test::addColumns<QString>("identifier");
        for (int i = 0; i < StringFieldCount; ++i)
            QTest::newRow(qPrintable(FieldIdentifiers::identifier(StringField(i))))
                << FieldIdentifiers::identifier(StringField(i));
    }
    void stringFieldsKeepTheirOwnTexts()
    {
        QFETCH(QString, identifier);
        const PersonDsc original = PersonDsc::detachedFromRecord(*filledRecord(), 32, US);
        const QStringList texts = {u"Acme"_s, u"R&D"_s, u"Engineer"_s,    u"Tarchan"_s,
                                   u"Dr."_s,  u"Jr."_s, u"Met in Kyoto"_s};
        PersonDsc copy = original;
        copy.setStringValue(u"changed"_s, identifier);
        for (int i = 0; i < StringFieldCount; ++i) {
            const QString field = FieldIdentifiers::identifier(StringField(i));
            QCOMPARE(copy.stringValueForIdentifier(field), field == identifier ? u"changed"_s : texts[i]);
            QCOMPARE(original.stringValueForIdentifier(field), texts[i]); // the copy's edit is its own
        }
        // Emptied, and set again on a contact that had no text of its kind.
        copy.setStringValue(QString(), identifier);
        QCOMPARE(copy.stringValueForIdentifier(identifier), QString());
        PersonDsc empty;
        empty.setStringValue(QString(), identifier);
        QVERIFY(empty.stringValues().isEmpty());
        empty.setStringValue(u"new"_s, identifier);
        QCOMPARE(empty.stringValueForIdentifier(identifier), u"new"_s);
        QVERIFY(!empty.stringValues().isEmpty());
    }

    void independentCopyKeepsItsOwnRecord()
    {
        const auto record = filledRecord();
        PersonDsc original = reread(record);
        const PersonDsc copy = original.independentCopy();

        QVERIFY(copy.isBound());
        QCOMPARE(copy.uniqueId(), original.uniqueId());
        // Edits of the original, through it or its record, leave the copy as it was: a writer on another
        // thread sees the contact as it was when it started.
        original.setStringValue(u"Globex"_s, Field::Company);
        record->setValue(StringProperty::FirstName, u"Jiro"_s);
        QCOMPARE(copy.stringValueForIdentifier(Field::Company), u"Acme"_s);
        QCOMPARE(copy.nameValue().stringValue, u"Taro Yamada"_s);
        QCOMPARE(copy.toRecord().value(StringProperty::Organization), u"Acme"_s);
    }

    // Names.
    void composedName_data()
    {
        // phonetic: the reading rather than the name
        Test::addColumns<bool, QString, QString, QString, int, int, QString>(
            "phonetic", "first", "middle", "last", "nameOrdering", "defaultOrdering", "expected");
        const auto row = [](const char* name, bool phonetic, const char* first, const char* middle, const char* last,
                            int ordering, int defaultOrdering, const char* expected) {
            QTest::newRow(name) << phonetic << QString::fromUtf8(first) << QString::fromUtf8(middle)
                                << QString::fromUtf8(last) << ordering << defaultOrdering
                                << QString::fromUtf8(expected);
        };
        row("default 32", false, "Taro", "", "Yamada", 0, 32, "Taro Yamada");
        row("default 16", false, "Taro", "", "Yamada", 0, 16, "Yamada Taro");
        row("default 16, kanji last name", false, "太郎", "", "山田", 0, 16, "太郎 山田");
        row("default 16, katakana last name", false, "Taro", "", "ヤマダ", 0, 16, "Taro ヤマダ");
        row("default 16, kanji first name only", false, "太郎", "", "Yamada", 0, 16, "Yamada 太郎");
        row("last name first over 32", false, "Taro", "", "Yamada", 2, 32, "Yamada Taro");
        row("last name first, kanji", false, "太郎", "", "山田", 2, 32, "山田 太郎");
        row("middle name left out", false, "Taro", "Q", "Yamada", 0, 32, "Taro Yamada");
        row("last name only", false, "", "", "Yamada", 1, 32, "Yamada");
        row("middle name only", false, "", "Q", "", 0, 32, "Q");
        row("no name", false, "", "", "", 0, 32, "");
        row("reading, default 32", true, "Taro", "", "Yamada", 0, 32, "Taro Yamada");
        row("reading, default 16", true, "Taro", "", "Yamada", 0, 16, "Yamada Taro");
        // Unlike the name, a Japanese reading under the default ordering puts the last name first.
        row("reading, default 32, kana", true, "たろう", "", "やまだ", 0, 32, "やまだ たろう");
        row("reading, first name first, kana", true, "たろう", "", "やまだ", 1, 16, "たろう やまだ");
        row("reading, last name first", true, "Taro", "", "Yamada", 2, 32, "Yamada Taro");
        row("reading, last only", true, "", "", "やまだ", 1, 32, "やまだ");
        row("no reading", true, "", "", "", 0, 32, "");
    }
    void composedName()
    {
        QFETCH(bool, phonetic);
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
        name.nameOrdering = nameOrdering;
        if (!phonetic) {
            name.firstName = first;
            name.middleName = middle;
            name.lastName = last;
        }
        detached.setValue(name, Field::Name);
        if (phonetic)
            detached.setValue(PhoneticNameValue{first, middle, last, {}}, Field::PhoneticName);
        QCOMPARE(phonetic ? detached.phoneticNameValue().stringValue : detached.nameValue().stringValue, expected);
        QCOMPARE(phonetic ? detached.phoneticName() : detached.compositeName(), expected);

        // Bound: the name as read from the record's properties and flags.
        auto record = std::make_shared<Person>();
        record->setValue(phonetic ? StringProperty::FirstNamePhonetic : StringProperty::FirstName, first);
        record->setValue(phonetic ? StringProperty::MiddleNamePhonetic : StringProperty::MiddleName, middle);
        record->setValue(phonetic ? StringProperty::LastNamePhonetic : StringProperty::LastName, last);
        record->setFlags(nameOrdering == 1 ? 32 : nameOrdering == 2 ? 16 : 0);
        const PersonDsc bound(record, defaultOrdering, US);
        QCOMPARE(bound.nameValue().nameOrdering, nameOrdering);
        QCOMPARE(phonetic ? bound.phoneticNameValue().stringValue : bound.nameValue().stringValue, expected);
        if (!phonetic) {
            QCOMPARE(std::get<QString>(bound.valueForIdentifier(Field::CompositeName)), expected);
            QCOMPARE(bound.compositeName(), expected);
        }
    }

    void flagsReadFromRecord_data()
    {
        Test::addColumns<int, int, bool>("flags", "nameOrdering", "showAsPerson");

        QTest::newRow("0") << 0 << 0 << true;
        QTest::newRow("first name first") << 32 << 1 << true;
        QTest::newRow("last name first") << 16 << 2 << true;
        QTest::newRow("both ordering bits") << 48 << 2 << true;
        QTest::newRow("lowest ordering bit") << 8 << 2 << true;
        QTest::newRow("company") << 1 << 0 << false;
        QTest::newRow("other show-as bit") << 4 << 0 << false;
        QTest::newRow("bit outside both masks") << 64 << 0 << true;
    }
    void flagsReadFromRecord()
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

    void settingNameWritesFlags_data()
    {
        Test::addColumns<int, bool, int>("nameOrdering", "showAsPerson", "flags");

        QTest::newRow("person, default") << 0 << true << 0;
        QTest::newRow("person, first name first") << 1 << true << 32;
        QTest::newRow("person, last name first") << 2 << true << 16;
        QTest::newRow("person, unknown ordering") << 5 << true << 16;
        QTest::newRow("company, default") << 0 << false << 1;
        QTest::newRow("company, first name first") << 1 << false << 33;
    }
    void settingNameWritesFlags()
    {
        QFETCH(int, nameOrdering);
        QFETCH(bool, showAsPerson);
        QFETCH(int, flags);

        const auto record = filledRecord();
        record->setFlags(64 | 8 | 2); // no bit of the old flags survives
        PersonDsc contact = reread(record);
        NameValue name;
        name.firstName = u"Hanako"_s;
        name.lastName = u"Sato"_s;
        name.nameOrdering = nameOrdering;
        name.showAsPerson = showAsPerson;
        contact.setValue(name, Field::Name);

        QCOMPARE(record->flags(), flags);
        QCOMPARE(record->value(StringProperty::FirstName), u"Hanako"_s);
        QCOMPARE(record->value(StringProperty::MiddleName), QString()); // removed with the rest of the old name
        QCOMPARE(record->value(StringProperty::MaidenName), QString());
        QCOMPARE(contact.showAsPerson(), showAsPerson);
        QCOMPARE(contact.nameOrdering(), nameOrdering);
        QCOMPARE(contact.compositeName(), showAsPerson ? contact.nameValue().stringValue : u"Acme"_s);
    }

    void compositeNameOfCompany()
    {
        PersonDsc detached;
        NameValue name;
        name.firstName = u"Taro"_s;
        name.lastName = u"Yamada"_s;
        name.showAsPerson = false;
        detached.setValue(name, Field::Name);
        QCOMPARE(detached.compositeName(), QString()); // a company without a company name
        detached.setStringValue(u"Acme"_s, Field::Company);
        QCOMPARE(detached.compositeName(), u"Acme"_s);
        QVERIFY(!detached.showAsPerson());
        name.showAsPerson = true;
        detached.setValue(name, Field::Name);
        QCOMPARE(detached.compositeName(), u"Taro Yamada"_s);
    }

    void namePartsReachRecord()
    {
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        contact.setValue(u"Hanako"_s, Field::FirstName);
        contact.setValue(QString(), Field::MiddleName);
        contact.setValue(u"Sato"_s, Field::PreviousFamilyName);
        contact.setValue(u"はなこ"_s, Field::PhoneticFirstNameSpaced);
        contact.setValue(u"さとう"_s, Field::PhoneticLastName);

        QCOMPARE(record->value(StringProperty::FirstName), u"Hanako"_s);
        QVERIFY(!record->hasValue(StringProperty::MiddleName));
        QCOMPARE(record->value(StringProperty::MaidenName), u"Sato"_s);
        QCOMPARE(record->value(StringProperty::FirstNamePhonetic), u"はなこ"_s);
        QCOMPARE(record->value(StringProperty::LastNamePhonetic), u"さとう"_s);
        QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::FirstName)), u"Hanako"_s);
        QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::PhoneticFirstName)), u"はなこ"_s);
        QCOMPARE(std::get<QString>(contact.valueForIdentifier(Field::CompositeName)), u"Hanako Yamada"_s);
        QCOMPARE(contact.compositeName(), u"Hanako Yamada"_s);
        QCOMPARE(contact.phoneticNameValue().stringValue, u"さとう はなこ"_s);
    }

    // Reading.
    void readingEmptyEntries()
    {
        auto record = std::make_shared<Person>();
        record->setValue(MultiProperty::Phone, multiValue({{u"123"_s, {}}}));
        record->setValue(MultiProperty::InstantMessage, multiValue({{ServiceValue{}, {}}}));
        record->setValue(MultiProperty::SocialProfile, multiValue({{ServiceValue{}, {}}}));
        record->setValue(MultiProperty::Email, multiValue({{u"taro@"_s, {}}}));

        const PersonDsc contact = reread(record);
        QCOMPARE(contact.phoneValues().at(0).label, u"No label"_s);
        QCOMPARE(contact.imsValues().at(0), imValue(u"No label"_s, u"none"_s, u"none"_s));
        QCOMPARE(contact.imsValues().at(0).stringValue(), u"none:none"_s);
        QCOMPARE(contact.snsValues().at(0).label, u"No label"_s);
        QCOMPARE(contact.snsValues().at(0).stringValue(), QString());
        // An "@" at the end splits nothing off.
        QCOMPARE(contact.emailValues().at(0).emailUsername(), u"taro@"_s);
        QCOMPARE(contact.emailValues().at(0).emailDomain(), QString());
        QCOMPARE(contact.birthdayValue(), BirthdayValue());
        QCOMPARE(contact.compositeName(), QString());
    }

    void readingRereadsRecord()
    {
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        QCOMPARE(contact.phoneValues().size(), 2);

        MultiValue phones = record->value(MultiProperty::Phone);
        phones.addValue(u"03-0000-0000"_s, L::Work);
        record->setValue(MultiProperty::Phone, phones);
        record->setValue(StringProperty::FirstName, u"Jiro"_s);
        record->setValue(StringProperty::Organization, u"Globex"_s);
        record->setBirthday(DateComponents{1990, 1, 2});
        record->setFlags(AddressBook::PersonFlags::ShowAsCompany);

        QCOMPARE(contact.phoneValues().size(), 3);
        QCOMPARE(contact.phoneValues().at(2).label, u"work"_s);
        QCOMPARE(contact.nameValue().stringValue, u"Jiro Yamada"_s);
        QCOMPARE(contact.stringValueForIdentifier(Field::Company), u"Globex"_s);
        QCOMPARE(contact.birthdayValue().stringValue, u"1990.01.02(Tue)"_s);
        QCOMPARE(contact.compositeName(), u"Globex"_s);

        // Position readers answer from the cache; refreshCache fills it again.
        QCOMPARE(contact.emailValues().size(), 1);
        record->setValue(MultiProperty::Email, multiValue({{u"jiro@example.jp"_s, L::Home}}));
        QCOMPARE(contact.labeledValueForIdentifier(Field::Email, 0)->value, u"taro@example.jp"_s);
        contact.refreshCache();
        QCOMPARE(contact.labeledValueForIdentifier(Field::Email, 0)->value, u"jiro@example.jp"_s);
        QCOMPARE(contact.imageData(), record->imageData());
    }

    void copiesOfABoundContactEachReadTheRecord()
    {
        const auto record = filledRecord();
        PersonDsc original = reread(record);
        QCOMPARE(original.phoneValues().size(), 2);
        PersonDsc copy = original; // has read what the original has
        PersonDsc assigned;
        assigned = original;

        record->setValue(StringProperty::Organization, u"Globex"_s);
        QCOMPARE(copy.stringValueForIdentifier(Field::Company), u"Globex"_s);
        // What the copy read is not counted read by the others: each reads the record again.
        for (const PersonDsc* contact : {&original, &assigned}) {
            QCOMPARE(contact->stringValueForIdentifier(Field::Company), u"Globex"_s);
            QCOMPARE(contact->abPerson(), record);
        }
        PersonDsc moved = std::move(assigned);
        record->setValue(StringProperty::Organization, u"Initech"_s);
        QCOMPARE(moved.stringValueForIdentifier(Field::Company), u"Initech"_s);
    }

    // Other fields.
    void setBirthdayValue_data()
    {
        Test::addColumns<bool, int, int, int, QString>("none", "year", "month", "day", "stringValue");

        QTest::newRow("date") << false << 1980 << 5 << 17 << u"1980.05.17(Sat)"_s;
        QTest::newRow("without a year") << false << 0 << 5 << 17 << u"05.17"_s;
        QTest::newRow("29 February without a year") << false << 0 << 2 << 29 << u"02.29"_s;
        QTest::newRow("not a date") << false << 1981 << 2 << 29 << QString();
        QTest::newRow("no month") << false << 1980 << 0 << 17 << QString();
        // A date holds its numbers in a few bytes: those that do not fit make no date, never another one.
        QTest::newRow("month that would wrap to January") << false << 1980 << 257 << 17 << QString();
        QTest::newRow("day that would wrap to the 17th") << false << 1980 << 5 << 273 << QString();
        QTest::newRow("year beyond what a date holds") << false << 40000 << 1 << 1 << QString();
        QTest::newRow("none") << true << 0 << 0 << 0 << QString();
    }
    void setBirthdayValue()
    {
        QFETCH(bool, none);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, stringValue);

        const auto date = DateComponents::fromNumbers(year, month, day);
        const bool usable = !stringValue.isEmpty();
        const std::optional<BirthdayValue> argument =
            none ? std::nullopt : std::optional<BirthdayValue>(BirthdayValue{date, u"ignored"_s});
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

    void photoWaitsForSave()
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
        // The picture a photo decodes to is checked where photos are chosen (tst_fieldeditors).
        QVERIFY(PersonDsc().photo().isNull());
    }

    void setValue_data()
    {
        Test::addColumns<QString, FieldValue>("identifier", "value");

        for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
            QTest::addRow("%s", qPrintable(identifier)) << identifier << FieldValue(QString(u"New " + identifier));
        for (const QString* part :
             {&Field::FirstName, &Field::MiddleName, &Field::LastName, &Field::PreviousFamilyName,
              &Field::PhoneticFirstName, &Field::PhoneticMiddleNameSpaced, &Field::PhoneticLastNameSpaced})
            QTest::addRow("%s", qPrintable(*part)) << *part << FieldValue(QString(u"かな " + *part));

        NameValue name;
        name.firstName = u"Hanako"_s;
        name.lastName = u"Sato"_s;
        name.nameOrdering = 2;
        name.stringValue = u"Sato Hanako"_s;
        QTest::newRow("Name") << Field::Name << FieldValue(name);
        QTest::newRow("Phonetic Name") << Field::PhoneticName
                                       << FieldValue(PhoneticNameValue{u"はなこ"_s, QString(), u"さとう"_s,
                                                                       u"さとう はなこ"_s});
        QTest::newRow("Birthday") << Field::Birthday
                                  << FieldValue(BirthdayValue{DateComponents{1990, 1, 2}, u"1990.01.02(Tue)"_s});
        QTest::newRow("Phone") << Field::Phone
                               << FieldValue(LabeledValueList{textValue(u"work"_s, u"555"_s, 0),
                                                              textValue(u"Car"_s, u"556"_s, 1)});
        QTest::newRow("Instant Message") << Field::InstantMessage
                                         << FieldValue(LabeledValueList{imValue(u"home"_s, u"Skype"_s, u"h"_s)});
    }
    void setValue()
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

    void buildingWhileReadingEqualsReadingTheRecord_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QStringLiteral(QUILLARY_TEST_DATA_DIR "/vcard"));
        for (const QString& name : folder.entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }
    void buildingWhileReadingEqualsReadingTheRecord()
    {
        // A contact built as its card is read has every value the card's record gives it.
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray stream = file.readAll();
        const QList<VCardStream::CardRange> cards = VCardStream::cut(stream);
        QVERIFY(!cards.isEmpty());
        for (const VCardStream::CardRange& range : cards) {
            const QByteArrayView card = QByteArrayView(stream).sliced(range.offset, range.length);
            const std::optional<AddressBook::Person> record = AddressBook::VCardCodec::readPerson(card);
            PersonDsc::Builder builder(32, US);
            const std::optional<AddressBook::Person> rest =
                AddressBook::VCardCodec::readPerson(card, nullptr, {}, &builder);
            QCOMPARE(rest.has_value(), record.has_value());
            if (!record)
                continue;
            const PersonDsc read = PersonDsc::detachedFromRecord(*record, 32, US);
            PersonDsc built = builder.finish(*rest);
            built.setUniqueId(read.uniqueId()); // a card without a UID gets a new one each time
            QVERIFY2(built.toRecord() == read.toRecord(), card.toByteArray().constData());
            for (int i = 0; i < LabeledFieldCount; ++i)
                QCOMPARE(built.labeledValues(LabeledField(i)), read.labeledValues(LabeledField(i)));
        }
    }

    void setValueIgnoresWrongKinds()
    {
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^xxxx"_s));
        contact.setValue(QByteArrayLiteral("bytes"), Field::Company);
        contact.setValue(u"text"_s, Field::Phone);
        contact.setValue(u"text"_s, u"Colour"_s);
        contact.setValue(NameValue(), Field::FirstName);
        contact.setValue(u"text"_s, Field::Name);
        contact.setValue(u"text"_s, Field::Birthday);

        const PersonDsc after = reread(record);
        QCOMPARE(after.stringValueForIdentifier(Field::Company), u"Acme"_s);
        QCOMPARE(after.phoneValues().size(), 2);
        QCOMPARE(after.nameValue().firstName, u"Taro"_s);
        QCOMPARE(after.birthdayValue().stringValue, u"1980.05.17(Sat)"_s);
    }

    // Conversion to and from records.
    void recordRoundTrip()
    {
        Person original = *filledRecord();
        original.setFlags(AddressBook::PersonFlags::LastNameFirst);
        // Entries without service or user name must not come back with the placeholders they are shown with.
        MultiValue accounts = original.value(MultiProperty::InstantMessage);
        accounts.addValue(ServiceValue{u"taro"_s, QString(), {}}, QString());
        accounts.addValue(ServiceValue{QString(), u"Skype"_s, {}}, L::Home);
        original.setValue(MultiProperty::InstantMessage, accounts);
        MultiValue profiles = original.value(MultiProperty::SocialProfile);
        profiles.addValue(ServiceValue{u"taro"_s, QString(), u"https://example.social/taro"_s}, QString());
        profiles.addValue(ServiceValue{u"hanako"_s, u"facebook"_s, {}}, u"facebook"_s);
        original.setValue(MultiProperty::SocialProfile, profiles);
        // "Son" is stored as typed, so the marked form does not come back; use labels that do.
        original.setValue(MultiProperty::RelatedNames,
                          multiValue({{u"Ichiro"_s, u"Son"_s}, {u"Jiro"_s, u"Cousin"_s}, {u"Sachiko"_s, {}}}));

        const PersonDsc contact = PersonDsc::detachedFromRecord(original, 32, US);
        QVERIFY(!contact.isBound());
        QCOMPARE(contact.uniqueId(), original.uniqueId());
        const Person result = contact.toRecord();

        QCOMPARE(result.uniqueId(), original.uniqueId());
        QCOMPARE(result.flags(), original.flags());
        for (int i = 0; i < AddressBook::StringPropertyCount; ++i)
            QCOMPARE(result.value(StringProperty(i)), original.value(StringProperty(i)));
        for (int i = 0; i < AddressBook::MultiPropertyCount; ++i)
            QVERIFY2(result.value(MultiProperty(i)) == original.value(MultiProperty(i)),
                     qPrintable(QString::number(i)));
        QVERIFY(result == original);
    }

    void detachedContactRoundTrip()
    {
        PersonDsc contact;
        NameValue name;
        name.firstName = u"Hanako"_s;
        name.middleName = u"R"_s;
        name.lastName = u"佐藤"_s;
        name.previousFamilyName = u"Ito"_s;
        name.nameOrdering = 1;
        name.showAsPerson = false;
        contact.setValue(name, Field::Name);
        contact.setValue(PhoneticNameValue{u"はなこ"_s, u"あ"_s, u"さとう"_s, {}}, Field::PhoneticName);
        for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
            contact.setStringValue(u"Some " + identifier, identifier);
        contact.addLabeledValue(textValue(QString(), u"03-1111"_s), Field::Phone);
        contact.addLabeledValue(textValue(u"work fax"_s, u"03-2222"_s), Field::Phone);
        contact.addLabeledValue(textValue(QString(), u"hanako@example.jp"_s), Field::Email);
        contact.addLabeledValue(addressValue(u"work"_s, osaka, QString()), Field::Address);
        contact.addLabeledValue(textValue(u"home page"_s, u"https://hanako.example"_s), Field::URL);
        contact.addLabeledValue(textValue(QString(), u"hanako"_s), Field::SocialNetwork);
        contact.addLabeledValue(imValue(QString(), QString(), u"hanako"_s), Field::InstantMessage);
        contact.addLabeledValue(textValue(u"Daughter"_s, u"Yuki"_s), Field::Relationship);
        contact.addLabeledValue(dateValue(QString(), DateComponents{0, 12, 24}, QString()), Field::Dates);
        contact.setBirthdayValue(BirthdayValue{DateComponents{1990, 1, 2}, QString()});
        contact.setPhoto(QByteArrayLiteral("photo"));

        const Person record = contact.toRecord();
        QCOMPARE(record.flags(), 33);
        QCOMPARE(record.value(MultiProperty::InstantMessage).count(), 1);
        QCOMPARE(std::get<ServiceValue>(record.value(MultiProperty::InstantMessage).valueAtIndex(0)).service,
                 QString());

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
        QCOMPARE(back.compositeName(), u"Some Company"_s);
    }

    void newIdentitiesAreDistinctRandomUuidsOnEveryThread()
    {
        // Each thread draws from its own generator: two threads must never hand out the same ids.
        const auto draw = [] {
            QStringList ids;
            for (int i = 0; i < 20000; ++i)
                ids.append(AddressBook::newUniqueId());
            return ids;
        };
        QFuture<QStringList> other = QtConcurrent::run(draw);
        const QStringList ids = draw() + other.result();
        static const QRegularExpression uuid(
            QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"));
        for (const QString& id : ids)
            QVERIFY2(uuid.match(id).hasMatch(), qPrintable(id));
        QCOMPARE(QSet<QString>(ids.cbegin(), ids.cend()).size(), ids.size());
    }

    void contactsShareOneCopyOfTheirDefaultCountry()
    {
        // Each contact holds a pointer to the one copy of its default country code, wherever the code
        // comes from and on whichever thread the contact is made.
        const PersonDsc first(nullptr, 32, QString::fromLatin1("JP"));
        const PersonDsc second(nullptr, 32, u"J"_s + u"P"_s);
        QCOMPARE(first.defaultCountryCode(), u"JP"_s);
        QCOMPARE(&second.defaultCountryCode(), &first.defaultCountryCode());
        const QString* fromThread = nullptr;
        QString otherCode;
        std::thread([&] {
            const PersonDsc other(nullptr, 32, u"US"_s);
            const PersonDsc same(nullptr, 32, QString::fromLatin1("JP"));
            otherCode = other.defaultCountryCode();
            fromThread = &same.defaultCountryCode();
        }).join();
        QCOMPARE(otherCode, u"US"_s);
        QCOMPARE(fromThread, &first.defaultCountryCode());
        // Codes met later do not move the ones held.
        PersonDsc changed;
        for (int i = 0; i < 100; ++i)
            changed.setDefaultCountryCode(u"X"_s + QString::number(i));
        QCOMPARE(changed.defaultCountryCode(), u"X99"_s);
        QCOMPARE(first.defaultCountryCode(), u"JP"_s);
        QCOMPARE(&PersonDsc(nullptr, 32, u"JP"_s).defaultCountryCode(), &first.defaultCountryCode());
    }
};

QTEST_GUILESS_MAIN(TestPersonDsc)
#include "tst_persondsc.moc"
