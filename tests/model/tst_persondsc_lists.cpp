// The labelled lists of the contact descriptor: label indexes, replacing one value or the whole
// list, copying a value into another and sorting, on contacts with and without a record.

#include "PersonDscSamples.h"
#include "TestSupport.h"
#include "model/LabelTable.h"

using namespace Quillary;
using namespace Quillary::Test;
using namespace Qt::StringLiterals;

class TestPersonDscLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ContactDefaults::setShared(ContactDefaults{32, US}); }

    void init() { LabelTable::resetCustomLabels(); }

    void addGivesFreshLabelIndex_data()
    {
        Test::addColumns<QList<int>, int>("existing", "expected");

        QTest::newRow("empty list") << QList<int>{} << 0;
        QTest::newRow("indexes 1 and 2") << QList<int>{1, 2} << 3;
        QTest::newRow("indexes 0 and 1") << QList<int>{0, 1} << 2;
        QTest::newRow("largest comes first") << QList<int>{9, 4} << 10;
        QTest::newRow("count beats largest") << QList<int>{0, 0, 0} << 3;
    }
    void addGivesFreshLabelIndex()
    {
        QFETCH(QList<int>, existing);

        PersonDsc contact;
        LabeledValueList values;
        for (int index : existing)
            values.append(textValue(u"home"_s, QString::number(index), index));
        contact.replaceLabeledValue(values, Field::Relationship);
        contact.addLabeledValue(textValue(u"friend"_s, u"Jiro"_s), Field::Relationship);

        QCOMPARE(contact.relationshipValues().size(), existing.size() + 1);
        QTEST(contact.relationshipValues().constLast().labelIndex, "expected");
        QCOMPARE(contact.relationshipValues().constLast().stringValue(), u"Jiro"_s);
    }

    void addToBoundListRenumbers()
    {
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1}));
        contact.addLabeledValue(textValue(QString(), u"03-9999-9999"_s), Field::Phone);

        QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1, 2}));
        const MultiValue& phones = record->value(MultiProperty::Phone);
        QCOMPARE(phones.count(), 3);
        QCOMPARE(phones.labelAtIndex(2), L::Home); // a new entry without label is "home"
        QCOMPARE(std::get<QString>(phones.valueAtIndex(2)), u"03-9999-9999"_s);
    }

    void addKeepsEntriesOfFreshlyBoundRecord()
    {
        // Nothing has read the list yet: adding must not drop what the record holds.
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        contact.addLabeledValue(textValue(u"work"_s, u"hanako@example.jp"_s), Field::Email);

        const MultiValue& emails = record->value(MultiProperty::Email);
        QCOMPARE(emails.count(), 2);
        QCOMPARE(std::get<QString>(emails.valueAtIndex(0)), u"taro@example.jp"_s);
        QCOMPARE(labelIndexes(contact.emailValues()), (QList<int>{0, 1}));
    }

    void writingBoundListRenumbers()
    {
        const auto record = std::make_shared<Person>();
        PersonDsc contact = reread(record);
        contact.replaceLabeledValue(LabeledValueList{textValue(u"home"_s, u"1"_s, 7), textValue(u"work"_s, u"2"_s, 3),
                                                     textValue(u"other"_s, u"3"_s, 9)},
                                    Field::Phone);
        QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1, 2}));

        // A date entry without a date is not written: it keeps its index and takes no position.
        const LabeledValue first = dateValue(u"anniversary"_s, DateComponents{2001, 2, 3}, {}, 5);
        const LabeledValue empty = dateValue(u"other"_s, DateComponents{}, {}, 8);
        const LabeledValue last = dateValue(u"work"_s, DateComponents{2002, 3, 4}, {}, 9);
        contact.replaceLabeledValueAtIndex(LabeledValueList{first, empty, last}, Field::Dates, 0);
        QCOMPARE(record->value(MultiProperty::OtherDates).count(), 2);
        QCOMPARE(labelIndexes(reread(record).datesValues()), (QList<int>{0, 1}));

        // Right after writing, the cache still holds the unwritten entry with its old index.
        auto target = std::make_shared<Person>();
        PersonDsc bound = reread(target);
        bound.replaceLabeledValue(LabeledValueList{first, empty, last}, Field::Dates);
        QList<int> cached;
        for (qsizetype i = 0; i < 3; ++i)
            cached.append(bound.labeledValueForIdentifier(Field::Dates, i)->labelIndex);
        QCOMPARE(cached, (QList<int>{0, 8, 1}));

        // Detached lists keep the indexes they were given.
        PersonDsc detached;
        detached.replaceLabeledValue(LabeledValueList{first, empty, last}, Field::Dates);
        QCOMPARE(labelIndexes(detached.datesValues()), (QList<int>{5, 8, 9}));
    }

    void replaceSingleValue_data()
    {
        // shown: the shown text of the value put in
        // rereadText: and once the record is read again
        Test::addColumns<QString, LabeledValue, LabeledValue, QString, QString>("identifier", "initial", "replacement",
                                                                                "shown", "rereadText");
        const auto row = [](const char* name, const QString& identifier, const LabeledValue& initial,
                            const LabeledValue& replacement, const QString& shown, const QString& rereadText = {}) {
            QTest::newRow(name) << identifier << initial << replacement << shown
                                << (rereadText.isNull() ? shown : rereadText);
        };
        const auto withText = [](LabeledValue value, const QString& text) {
            value.setStringValue(text);
            return value;
        };
        const QString facebook = u"https://facebook.com/hanako"_s;
        row("Phone", Field::Phone, textValue(u"home"_s, u"111"_s), withText(textValue(u"work"_s, u"222"_s), u"stale"_s),
            u"222"_s);
        row("Email", Field::Email, textValue(u"home"_s, u"a@b.jp"_s),
            withText(textValue(u"other"_s, u"hanako@example.jp"_s), {}), u"hanako@example.jp"_s);
        row("Address", Field::Address, addressValue(u"home"_s, tokyo, tokyoText), addressValue(u"work"_s, osaka, {}),
            osakaText);
        // Unlike the others, a related name keeps the shown text it is given.
        row("Relationship", Field::Relationship, textValue(u"Son"_s, u"Ichiro"_s),
            textValue(u"Daughter"_s, u"Hanako"_s), u"Hanako"_s);
        row("Social Network", Field::SocialNetwork, snsValue(u"twitter"_s, u"taro"_s, u"https://twitter.com/taro"_s),
            snsValue(u"facebook"_s, u"hanako"_s, facebook), facebook, u"hanako"_s);
        row("Instant Message", Field::InstantMessage, imValue(u"work"_s, u"Jabber"_s, u"taro"_s),
            withText(imValue(u"home"_s, u"Skype"_s, u"hanako"_s), {}), u"Skype:hanako"_s);
        row("Dates", Field::Dates, dateValue(u"anniversary"_s, DateComponents{2001, 2, 3}, u"2001.02.03(Sat)"_s),
            dateValue(u"other"_s, DateComponents{2012, 6, 15}, {}), u"2012.06.15(Fri)"_s);
    }
    void replaceSingleValue()
    {
        QFETCH(QString, identifier);
        QFETCH(LabeledValue, initial);
        QFETCH(LabeledValue, replacement);
        QFETCH(QString, shown);
        QFETCH(QString, rereadText);
        LabeledValue expected = replacement;
        expected.setStringValue(shown);
        const LabeledValue other = textValue(u"other"_s, u"kept"_s, 0);

        // Detached: the replaced entry keeps its place and label index.
        PersonDsc detached;
        initial.labelIndex = 4;
        detached.replaceLabeledValueAtIndex(LabeledValueList{other, initial}, identifier, 0);
        replacement.labelIndex = 4;
        QVERIFY(detached.replaceLabeledValue(replacement, identifier));
        expected.labelIndex = 4;
        QCOMPARE(detached.labeledValuesForIdentifier(identifier).at(1), expected);
        QCOMPARE(detached.labeledValuesForIdentifier(identifier).at(0), other);

        // Bound: the record holds the new value.
        const auto record = std::make_shared<Person>();
        PersonDsc bound = reread(record);
        initial.labelIndex = 0;
        bound.replaceLabeledValueAtIndex(LabeledValueList{initial}, identifier, 0);
        replacement.labelIndex = 0;
        QVERIFY(bound.replaceLabeledValue(replacement, identifier));
        expected.labelIndex = 0;
        QCOMPARE(bound.labeledValueForIdentifier(identifier, 0), std::optional<LabeledValue>(expected));
        expected.setStringValue(rereadText);
        QCOMPARE(reread(record).labeledValuesForIdentifier(identifier), LabeledValueList{expected});
    }

    void replaceSingleValueWithoutMatch()
    {
        const auto record = filledRecord();
        PersonDsc contact = reread(record);
        const LabeledValueList before = contact.labeledValuesForIdentifier(Field::Phone);
        QVERIFY(!contact.replaceLabeledValue(textValue(u"work"_s, u"0"_s, 2), Field::Phone));
        QVERIFY(!contact.replaceLabeledValue(textValue(u"work"_s, u"0"_s, 0), Field::Company));
        QVERIFY(!contact.replaceLabeledValue(LabeledValueList(), Field::Birthday));
        QCOMPARE(contact.labeledValuesForIdentifier(Field::Phone), before);
        QCOMPARE(reread(record).phoneValues(), before);
    }

    void replaceWholeList_data()
    {
        Test::addColumns<QString, LabeledValue, QString, QString>("identifier", "entry", "label", "stringValue");

        auto stale = [](LabeledValue value) {
            value.setStringValue(u"stale"_s);
            return value;
        };
        QTest::newRow("Phone") << Field::Phone << stale(textValue(u"mobile"_s, u"111"_s)) << u"mobile"_s << u"111"_s;
        QTest::newRow("Email without label")
            << Field::Email << stale(textValue(QString(), u"a@b.jp"_s)) << u"No label"_s << u"a@b.jp"_s;
        QTest::newRow("Address") << Field::Address << addressValue(u"home"_s, tokyo, u"stale"_s) << u"home"_s
                                 << tokyoText;
        QTest::newRow("Social Network") << Field::SocialNetwork
                                        << stale(snsValue(u"facebook"_s, u"taro"_s, u"https://fb/taro"_s))
                                        << u"facebook"_s << u"taro"_s;
        QTest::newRow("Instant Message without label")
            << Field::InstantMessage << stale(imValue(QString(), u"Skype"_s, u"taro"_s)) << u"No label"_s
            << u"Skype:taro"_s;
        QTest::newRow("Dates") << Field::Dates << dateValue(u"anniversary"_s, DateComponents{1999, 12, 31}, u"stale"_s)
                               << u"anniversary"_s << u"1999.12.31(Fri)"_s;
        QTest::newRow("Dates without year")
            << Field::Dates << dateValue(u"other"_s, DateComponents{0, 2, 29}, u"stale"_s) << u"other"_s << u"02.29"_s;
    }
    void replaceWholeList()
    {
        QFETCH(QString, identifier);
        QFETCH(LabeledValue, entry);
        QFETCH(QString, label);
        QFETCH(QString, stringValue);

        entry.labelIndex = 6;
        PersonDsc detached;
        QVERIFY(detached.replaceLabeledValue(LabeledValueList{entry}, identifier));
        const LabeledValue stored = detached.labeledValuesForIdentifier(identifier).at(0);
        QCOMPARE(stored.stringValue(), stringValue);
        QCOMPARE(stored.label, label);
        QCOMPARE(stored.labelIndex, 6);

        const auto record = filledRecord();
        PersonDsc bound = reread(record);
        QVERIFY(bound.replaceLabeledValue(LabeledValueList{entry}, identifier));
        const LabeledValueList readBack = reread(record).labeledValuesForIdentifier(identifier);
        QCOMPARE(readBack.size(), 1);
        QCOMPARE(readBack.at(0).stringValue(), stringValue);
        QCOMPARE(readBack.at(0).label, label);
        QCOMPARE(readBack.at(0).labelIndex, 0);

        // An empty list removes the property.
        QVERIFY(bound.replaceLabeledValue(LabeledValueList(), identifier));
        QVERIFY(reread(record).labeledValuesForIdentifier(identifier).isEmpty());
    }

    void copyLabeledValue_data()
    {
        Test::addColumns<QString, LabeledValue, LabeledValue>("identifier", "source", "expected");

        auto make = [](auto change) {
            LabeledValue value;
            change(value);
            return value;
        };
        // The defaults a copy takes where the source has no label are those of an inserted item (see the
        // cell-editing tests); here what is refused or needs a value of its own kind.
        QTest::newRow("Social Network without service")
            << Field::SocialNetwork << make([](LabeledValue& v) { v.value = u"taro"_s; })
            << snsValue(u"twitter"_s, u"taro"_s, QString());
        QTest::newRow("Dates without a date") << Field::Dates << textValue(u"other"_s, u"x"_s) << LabeledValue();
        QTest::newRow("not a labelled field") << Field::Company << textValue(u"home"_s, u"x"_s) << LabeledValue();
    }
    void copyLabeledValue()
    {
        QFETCH(QString, identifier);
        QFETCH(LabeledValue, source);
        QFETCH(LabeledValue, expected);

        const PersonDsc contact;
        source.labelIndex = 9; // never copied
        LabeledValue target;
        target.labelIndex = 4;
        contact.copyLabeledValue(source, target, identifier);
        expected.labelIndex = 4;
        QCOMPARE(target, expected);
    }

    void sortForLabeledValue_data()
    {
        // order: label indexes after sorting
        Test::addColumns<QString, bool, QString, QList<int>>("key", "ascending", "identifier", "order");

        const struct
        {
            const char* key;
            const QString* identifier;
            bool ascending;
            QList<int> order;
        } rows[] = {
            {"Phone", &Field::Phone, true, {1, 2, 0}},
            {"Phone", &Field::Phone, false, {0, 2, 1}},
            {"Email domain", &Field::Email, true, {3, 4, 2, 0, 1}},
            {"Email domain", &Field::Email, false, {1, 0, 2, 3, 4}},
            {"Email username", &Field::Email, true, {3, 1, 2, 4, 0}},
            {"Address", &Field::Address, true, {2, 0, 1}},
            {"ZIP", &Field::Address, true, {1, 2, 0}},
            {"Street", &Field::Address, false, {1, 0, 2}},
            {"Instant Message type", &Field::InstantMessage, true, {1, 2, 0}},
            {"Instant Message username", &Field::InstantMessage, true, {2, 0, 1}},
            {"Social Network", &Field::SocialNetwork, true, {1, 0, 2}},
            {"Social Network type", &Field::SocialNetwork, true, {1, 2, 0}},
            {"Social Network username", &Field::SocialNetwork, false, {1, 0, 2}},
            {"Dates", &Field::Dates, true, {1, 0, 2}},
            {"Dates", &Field::Dates, false, {2, 0, 1}},
        };
        for (const auto& row : rows)
            QTest::addRow("%s %s", row.key, row.ascending ? "ascending" : "descending")
                << QString::fromLatin1(row.key) << row.ascending << *row.identifier << row.order;
    }
    void sortForLabeledValue()
    {
        QFETCH(QString, key);
        QFETCH(bool, ascending);
        QFETCH(QString, identifier);

        PersonDsc contact;
        auto texts = [](std::initializer_list<const char*> values) {
            LabeledValueList list;
            for (const char* value : values)
                list.append(textValue(u"home"_s, QString::fromUtf8(value), int(list.size())));
            return list;
        };
        contact.setLabeledValues(LabeledField::Phone, texts({"03-3333", "01-1111", "02-2222"}));
        contact.setLabeledValues(LabeledField::Email,
                                 texts({"zed@b.com", "amy@c.com", "bob@a.com", "plain", "trail@"}));
        contact.setLabeledValues(LabeledField::Dates, texts({"2001.02.03(Sat)", "1999.12.31(Fri)", "2010.01.01(Fri)"}));
        contact.setLabeledValues(LabeledField::Address,
                                 {addressValue({}, address("300", "B", "Z", "2", "Japan"), u"b"_s, 0),
                                  addressValue({}, address("100", "C", "X", "3", "Austria"), u"c"_s, 1),
                                  addressValue({}, address("200", "A", "Y", "1", "Chile"), u"a"_s, 2)});
        contact.setLabeledValues(LabeledField::InstantMessage,
                                 {imValue({}, u"Skype"_s, u"b"_s, 0), imValue({}, u"AIM"_s, u"c"_s, 1),
                                  imValue({}, u"Jabber"_s, u"a"_s, 2)});
        // Shown texts that differ from the user names, so that each key is seen to be used.
        LabeledValueList profiles{snsValue(u"twitter"_s, u"m"_s, {}, 0), snsValue(u"facebook"_s, u"z"_s, {}, 1),
                                  snsValue(u"linkedin"_s, u"a"_s, {}, 2)};
        profiles[0].setStringValue(u"2"_s);
        profiles[1].setStringValue(u"1"_s);
        profiles[2].setStringValue(u"3"_s);
        contact.setLabeledValues(LabeledField::SocialNetwork, profiles);

        const LabeledValueList sorted = contact.sortForLabeledValue(key, ascending);
        QTEST(labelIndexes(sorted), "order");
        QCOMPARE(contact.labeledValuesForIdentifier(identifier), sorted); // sorted in place
    }

    void sortEdgeCases()
    {
        PersonDsc contact;
        contact.setLabeledValues(LabeledField::Phone, {textValue(u"home"_s, u"1"_s, 3)});
        contact.setLabeledValues(LabeledField::SocialNetwork, {snsValue(u"twitter"_s, u"taro"_s, {}, 8)});
        // Short lists come back as they are.
        QCOMPARE(labelIndexes(contact.sortForLabeledValue(u"Phone", true)), QList<int>{3});
        QCOMPARE(labelIndexes(contact.sortForLabeledValue(u"Social Network", false)), QList<int>{8});
        QCOMPARE(contact.sortForLabeledValue(u"Dates", true), LabeledValueList());
        // Unknown keys give nothing.
        for (const char* key : {"Name", "Birthday", "email", "Phone number", ""})
            QCOMPARE(contact.sortForLabeledValue(QString::fromLatin1(key), true), LabeledValueList());

        // Sorting a bound contact leaves the record's order alone.
        const auto record = filledRecord();
        PersonDsc bound = reread(record);
        QCOMPARE(bound.phoneValues().size(), 2);
        QCOMPARE(labelIndexes(bound.sortForLabeledValue(u"Phone", false)), (QList<int>{1, 0}));
        QCOMPARE(std::get<QString>(record->value(MultiProperty::Phone).valueAtIndex(0)), u"+81 3 1234 5678"_s);
    }

    void editsOneFieldLeavingTheOthers_data()
    {
        Test::addColumns<int, int, int>("field", "operation", "count");
        // Operations: 0 replaces the values with `count` new ones, 1 appends one, 2 removes the first.
        for (const int field : {0, 2, 3, 7}) { // the first field, two in the middle, the last
            const QByteArray name = "field " + QByteArray::number(field);
            QTest::newRow(QByteArray(name + ", more values").constData()) << field << 0 << 4;
            QTest::newRow(QByteArray(name + ", fewer values").constData()) << field << 0 << 1;
            QTest::newRow(QByteArray(name + ", as many values").constData()) << field << 0 << 2;
            QTest::newRow(QByteArray(name + ", no values").constData()) << field << 0 << 0;
            QTest::newRow(QByteArray(name + ", one appended").constData()) << field << 1 << 0;
            QTest::newRow(QByteArray(name + ", first removed").constData()) << field << 2 << 0;
        }
    }
    void editsOneFieldLeavingTheOthers()
    {
        QFETCH(int, field);
        QFETCH(int, operation);
        QFETCH(int, count);
        // Every field but the second and the sixth has two values, told apart by field and position.
        const auto valuesOf = [](int of, int first, int number) {
            LabeledValueList values;
            for (int i = first; i < first + number; ++i)
                values.append(textValue(u"home"_s, u"%1.%2"_s.arg(of).arg(i), i));
            return values;
        };
        LabeledLists lists;
        std::array<LabeledValueList, LabeledFieldCount> expected;
        for (int i = LabeledFieldCount - 1; i >= 0; --i) { // filled from the back: runs move on each
            expected[size_t(i)] = (i == 1 || i == 5) ? LabeledValueList() : valuesOf(i, 0, 2);
            lists.set(LabeledField(i), expected[size_t(i)]);
        }
        const auto edited = LabeledField(field);
        LabeledValueList& model = expected[size_t(field)];
        if (operation == 0) {
            model = valuesOf(field, 10, count);
            lists.set(edited, model);
        } else if (operation == 1) {
            model.append(textValue(u"work"_s, u"new"_s, 9));
            lists.append(edited, model.constLast());
        } else {
            model.removeFirst();
            lists.removeAt(edited, 0);
        }
        for (int i = 0; i < LabeledFieldCount; ++i)
            QCOMPARE(lists[LabeledField(i)].toList(), expected[size_t(i)]);
        // What an edit gives in place changes that field only.
        for (LabeledValue& value : lists.edit(edited))
            value.label = u"edited"_s;
        for (int i = 0; i < LabeledFieldCount; ++i) {
            for (const LabeledValue& value : lists[LabeledField(i)])
                QCOMPARE(value.label == u"edited"_s, i == field);
        }
    }

    void valuesOfAFieldStayWhileAnotherIsRead()
    {
        // A bound contact reads its record's lists when first asked: asking for another field must not
        // move the values already handed out (they are a run of one block).
        const auto record = filledRecord();
        const PersonDsc contact = reread(record);
        const LabeledValueSpan phones = contact.phoneValues();
        const LabeledValueSpan emails = contact.emailValues();
        const LabeledValueSpan addresses = contact.addressValues();
        QCOMPARE(contact.phoneValues().constData(), phones.constData());
        QCOMPARE(labelIndexes(phones), (QList<int>{0, 1}));
        QCOMPARE(phones.constFirst().stringValue(), u"+81 3 1234 5678"_s);
        QVERIFY(!emails.isEmpty());
        QVERIFY(!addresses.isEmpty());
        // Once the record changes, the lists are read again.
        record->setValue(MultiProperty::Phone, MultiValue());
        QVERIFY(contact.phoneValues().isEmpty());
        QCOMPARE(contact.emailValues().size(), emails.size());
    }

    void showsTheTextOfAValue_data()
    {
        Test::addColumns<QString, QString, QString, QString, QString>("value", "street", "shown", "newValue",
                                                                      "expected");
        // A phone, an e-mail, a URL or a related name shows its value, also once the value changes.
        QTest::newRow("the value") << u"555"_s << QString() << u"555"_s << u"556"_s << u"556"_s;
        // A text of its own stays with its value when the value changes.
        QTest::newRow("a text of its own") << u"taro"_s << QString() << u"skype:taro"_s << u"jiro"_s << u"skype:taro"_s;
        QTest::newRow("a text for a value without text")
            << QString() << QString() << u"3 May"_s << QString() << u"3 May"_s;
        QTest::newRow("an empty text for a value") << u"555"_s << QString() << u""_s << u"555"_s << u""_s;
        // An address's text is the address's.
        QTest::newRow("an address") << QString() << u"1 Main St"_s << u"1 Main St\nSpringfield"_s << QString()
                                    << u"1 Main St\nSpringfield"_s;
    }
    void showsTheTextOfAValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, street);
        QFETCH(QString, shown);
        QFETCH(QString, newValue);

        LabeledValue entry;
        entry.value = value;
        entry.address.setStreet(street);
        entry.setStringValue(shown);
        const LabeledValue copy = entry;
        entry.value = newValue;
        QTEST(entry.stringValue(), "expected");
        QCOMPARE(copy.stringValue(), shown);
        // Setting the value's own text again makes it show the value.
        entry.setStringValue(entry.value);
        QCOMPARE(entry.stringValue(), entry.value);
        // The text is compared with the value, not the address's block: equal parts are equal addresses.
        LabeledValue other;
        other.address.setStreet(street);
        QCOMPARE(other.address == copy.address, true);
        other.value = copy.value;
        QCOMPARE(other == copy, copy.stringValue() == copy.value || (!street.isEmpty() && shown.isEmpty()));
    }
};

QTEST_GUILESS_MAIN(TestPersonDscLists)
#include "tst_persondsc_lists.moc"
