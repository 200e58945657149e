#include "PersonDscSamples.h"
#include "model/LabelTable.h"
#include "tst_persondsc.h"

using namespace Quillary;
using namespace Quillary::Test;

// Labelled lists ---------------------------------------------------------------------------------

void TestPersonDsc::addGivesFreshLabelIndex_data()
{
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty list") << QList<int>{} << 0;
    QTest::newRow("indexes 1 and 2") << QList<int>{1, 2} << 3;
    QTest::newRow("indexes 0 and 1") << QList<int>{0, 1} << 2;
    QTest::newRow("largest comes first") << QList<int>{9, 4} << 10;
    QTest::newRow("count beats largest") << QList<int>{0, 0, 0} << 3;
}

void TestPersonDsc::addGivesFreshLabelIndex()
{
    QFETCH(QList<int>, existing);
    QFETCH(int, expected);

    PersonDsc contact;
    LabeledValueList values;
    for (int index : existing)
        values.append(textValue(QStringLiteral("home"), QString::number(index), index));
    contact.replaceLabeledValue(values, Field::Relationship);
    contact.addLabeledValue(textValue(QStringLiteral("friend"), QStringLiteral("Jiro")), Field::Relationship);

    QCOMPARE(contact.relationshipValues().size(), existing.size() + 1);
    QCOMPARE(contact.relationshipValues().constLast().labelIndex, expected);
    QCOMPARE(contact.relationshipValues().constLast().stringValue, QStringLiteral("Jiro"));
}

void TestPersonDsc::addToBoundListRenumbers()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1}));
    contact.addLabeledValue(textValue(QString(), QStringLiteral("03-9999-9999")), Field::Phone);

    QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1, 2}));
    const MultiValue& phones = record->value(MultiProperty::Phone);
    QCOMPARE(phones.count(), 3);
    QCOMPARE(phones.labelAtIndex(2), L::Home); // a new entry without label is "home"
    QCOMPARE(std::get<QString>(phones.valueAtIndex(2)), QStringLiteral("03-9999-9999"));
}

void TestPersonDsc::addKeepsEntriesOfFreshlyBoundRecord()
{
    // Nothing has read the list yet: adding must not drop what the record holds.
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    contact.addLabeledValue(textValue(QStringLiteral("work"), QStringLiteral("hanako@example.jp")), Field::Email);

    const MultiValue& emails = record->value(MultiProperty::Email);
    QCOMPARE(emails.count(), 2);
    QCOMPARE(std::get<QString>(emails.valueAtIndex(0)), QStringLiteral("taro@example.jp"));
    QCOMPARE(labelIndexes(contact.emailValues()), (QList<int>{0, 1}));
}

void TestPersonDsc::writingBoundListRenumbers()
{
    const auto record = std::make_shared<Person>();
    PersonDsc contact = reread(record);
    contact.replaceLabeledValue(LabeledValueList{textValue(QStringLiteral("home"), QStringLiteral("1"), 7),
                                                 textValue(QStringLiteral("work"), QStringLiteral("2"), 3),
                                                 textValue(QStringLiteral("other"), QStringLiteral("3"), 9)},
                                Field::Phone);
    QCOMPARE(labelIndexes(contact.phoneValues()), (QList<int>{0, 1, 2}));

    // A date entry without a date is not written: it keeps its index and takes no position.
    const LabeledValue first = dateValue(QStringLiteral("anniversary"), DateComponents{2001, 2, 3}, {}, 5);
    const LabeledValue empty = dateValue(QStringLiteral("other"), DateComponents{}, {}, 8);
    const LabeledValue last = dateValue(QStringLiteral("work"), DateComponents{2002, 3, 4}, {}, 9);
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

void TestPersonDsc::replaceSingleValue_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<LabeledValue>("initial");
    QTest::addColumn<LabeledValue>("replacement");
    QTest::addColumn<LabeledValue>("expected");
    QTest::addColumn<QString>("rereadStringValue"); // the shown text once the record is read again

    auto with = [](LabeledValue value, auto change) {
        change(value);
        return value;
    };
    const LabeledValue oldPhone = textValue(QStringLiteral("home"), QStringLiteral("111"));
    QTest::newRow("Phone") << Field::Phone << oldPhone
                           << with(textValue(QStringLiteral("work"), QStringLiteral("222")),
                                   [](LabeledValue& v) { v.stringValue = QStringLiteral("stale"); })
                           << textValue(QStringLiteral("work"), QStringLiteral("222")) << QStringLiteral("222");
    QTest::newRow("Email") << Field::Email << textValue(QStringLiteral("home"), QStringLiteral("a@b.jp"))
                           << with(LabeledValue(),
                                   [](LabeledValue& v) {
                                       v.label = QStringLiteral("other");
                                       v.value = QStringLiteral("hanako@example.jp");
                                   })
                           << textValue(QStringLiteral("other"), QStringLiteral("hanako@example.jp"))
                           << QStringLiteral("hanako@example.jp");
    QTest::newRow("Address") << Field::Address << addressValue(QStringLiteral("home"), tokyo, tokyoText)
                             << addressValue(QStringLiteral("work"), osaka, QString())
                             << addressValue(QStringLiteral("work"), osaka, osakaText) << osakaText;
    // Unlike the others, a related name keeps the shown text it is given.
    QTest::newRow("Relationship") << Field::Relationship << textValue(QStringLiteral("Son"), QStringLiteral("Ichiro"))
                                  << textValue(QStringLiteral("Daughter"), QStringLiteral("Hanako"))
                                  << textValue(QStringLiteral("Daughter"), QStringLiteral("Hanako"))
                                  << QStringLiteral("Hanako");
    QTest::newRow("Social Network") << Field::SocialNetwork
                                    << snsValue(QStringLiteral("twitter"), QStringLiteral("taro"),
                                                QStringLiteral("https://twitter.com/taro"))
                                    << snsValue(QStringLiteral("facebook"), QStringLiteral("hanako"),
                                                QStringLiteral("https://facebook.com/hanako"))
                                    << with(snsValue(QStringLiteral("facebook"), QStringLiteral("hanako"),
                                                     QStringLiteral("https://facebook.com/hanako")),
                                            [](LabeledValue& v) { v.stringValue = v.value; })
                                    << QStringLiteral("hanako");
    QTest::newRow("Instant Message")
        << Field::InstantMessage << imValue(QStringLiteral("work"), QStringLiteral("Jabber"), QStringLiteral("taro"))
        << with(imValue(QStringLiteral("home"), QStringLiteral("Skype"), QStringLiteral("hanako")),
                [](LabeledValue& v) { v.stringValue.clear(); })
        << imValue(QStringLiteral("home"), QStringLiteral("Skype"), QStringLiteral("hanako"))
        << QStringLiteral("Skype:hanako");
    QTest::newRow("Dates") << Field::Dates
                           << dateValue(QStringLiteral("anniversary"), DateComponents{2001, 2, 3},
                                        QStringLiteral("2001.02.03(Sat)"))
                           << dateValue(QStringLiteral("other"), DateComponents{2012, 6, 15}, QString())
                           << dateValue(QStringLiteral("other"), DateComponents{2012, 6, 15},
                                        QStringLiteral("2012.06.15(Fri)"))
                           << QStringLiteral("2012.06.15(Fri)");
}

void TestPersonDsc::replaceSingleValue()
{
    QFETCH(QString, identifier);
    QFETCH(LabeledValue, initial);
    QFETCH(LabeledValue, replacement);
    QFETCH(LabeledValue, expected);
    QFETCH(QString, rereadStringValue);

    const LabeledValue other = textValue(QStringLiteral("other"), QStringLiteral("kept"), 0);

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
    expected.stringValue = rereadStringValue;
    QCOMPARE(reread(record).labeledValuesForIdentifier(identifier), LabeledValueList{expected});
}

void TestPersonDsc::replaceSingleValueWithoutMatch()
{
    const auto record = filledRecord();
    PersonDsc contact = reread(record);
    const LabeledValueList before = contact.labeledValuesForIdentifier(Field::Phone);
    QVERIFY(!contact.replaceLabeledValue(textValue(QStringLiteral("work"), QStringLiteral("0"), 2), Field::Phone));
    QVERIFY(!contact.replaceLabeledValue(textValue(QStringLiteral("work"), QStringLiteral("0"), 0), Field::Company));
    QVERIFY(!contact.replaceLabeledValue(LabeledValueList(), Field::Birthday));
    QCOMPARE(contact.labeledValuesForIdentifier(Field::Phone), before);
    QCOMPARE(reread(record).phoneValues(), before);
}

void TestPersonDsc::replaceWholeList_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<LabeledValue>("entry");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("stringValue");

    auto stale = [](LabeledValue value) {
        value.stringValue = QStringLiteral("stale");
        return value;
    };
    QTest::newRow("Phone") << Field::Phone << stale(textValue(QStringLiteral("mobile"), QStringLiteral("111")))
                           << QStringLiteral("mobile") << QStringLiteral("111");
    QTest::newRow("Email without label") << Field::Email << stale(textValue(QString(), QStringLiteral("a@b.jp")))
                                         << QStringLiteral("No label") << QStringLiteral("a@b.jp");
    QTest::newRow("Address") << Field::Address << addressValue(QStringLiteral("home"), tokyo, QStringLiteral("stale"))
                             << QStringLiteral("home") << tokyoText;
    QTest::newRow("Social Network") << Field::SocialNetwork
                                    << stale(snsValue(QStringLiteral("facebook"), QStringLiteral("taro"),
                                                      QStringLiteral("https://fb/taro")))
                                    << QStringLiteral("facebook") << QStringLiteral("taro");
    QTest::newRow("Instant Message without label")
        << Field::InstantMessage << stale(imValue(QString(), QStringLiteral("Skype"), QStringLiteral("taro")))
        << QStringLiteral("No label") << QStringLiteral("Skype:taro");
    QTest::newRow("Dates") << Field::Dates
                           << dateValue(QStringLiteral("anniversary"), DateComponents{1999, 12, 31},
                                        QStringLiteral("stale"))
                           << QStringLiteral("anniversary") << QStringLiteral("1999.12.31(Fri)");
    QTest::newRow("Dates without year") << Field::Dates
                                        << dateValue(QStringLiteral("other"), DateComponents{0, 2, 29},
                                                     QStringLiteral("stale"))
                                        << QStringLiteral("other") << QStringLiteral("02.29");
}

void TestPersonDsc::replaceWholeList()
{
    QFETCH(QString, identifier);
    QFETCH(LabeledValue, entry);
    QFETCH(QString, label);
    QFETCH(QString, stringValue);

    entry.labelIndex = 6;
    PersonDsc detached;
    QVERIFY(detached.replaceLabeledValue(LabeledValueList{entry}, identifier));
    const LabeledValue stored = detached.labeledValuesForIdentifier(identifier).at(0);
    QCOMPARE(stored.stringValue, stringValue);
    QCOMPARE(stored.label, label);
    QCOMPARE(stored.labelIndex, 6);

    const auto record = filledRecord();
    PersonDsc bound = reread(record);
    QVERIFY(bound.replaceLabeledValue(LabeledValueList{entry}, identifier));
    const LabeledValueList readBack = reread(record).labeledValuesForIdentifier(identifier);
    QCOMPARE(readBack.size(), 1);
    QCOMPARE(readBack.at(0).stringValue, stringValue);
    QCOMPARE(readBack.at(0).label, label);
    QCOMPARE(readBack.at(0).labelIndex, 0);

    // An empty list removes the property.
    QVERIFY(bound.replaceLabeledValue(LabeledValueList(), identifier));
    QVERIFY(reread(record).labeledValuesForIdentifier(identifier).isEmpty());
}

void TestPersonDsc::copyLabeledValue_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<LabeledValue>("source");
    QTest::addColumn<LabeledValue>("expected");

    auto make = [](auto change) {
        LabeledValue value;
        change(value);
        return value;
    };
    // The defaults a copy takes where the source has no label are those of an inserted item (see the
    // cell-editing tests); here what is refused or needs a value of its own kind.
    QTest::newRow("Email without label") << Field::Email
                                         << make([](LabeledValue& v) { v.value = QStringLiteral("a@b.jp"); })
                                         << textValue(QStringLiteral("No label"), QStringLiteral("a@b.jp"));
    QTest::newRow("Social Network without service")
        << Field::SocialNetwork << make([](LabeledValue& v) { v.value = QStringLiteral("taro"); })
        << snsValue(QStringLiteral("twitter"), QStringLiteral("taro"), QString());
    QTest::newRow("Dates without a date")
        << Field::Dates << textValue(QStringLiteral("other"), QStringLiteral("x")) << LabeledValue();
    QTest::newRow("not a labelled field")
        << Field::Company << textValue(QStringLiteral("home"), QStringLiteral("x")) << LabeledValue();
}

void TestPersonDsc::copyLabeledValue()
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

void TestPersonDsc::sortForLabeledValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QList<int>>("order"); // label indexes after sorting

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

void TestPersonDsc::sortForLabeledValue()
{
    QFETCH(QString, key);
    QFETCH(bool, ascending);
    QFETCH(QString, identifier);
    QFETCH(QList<int>, order);

    PersonDsc contact;
    auto texts = [](std::initializer_list<const char*> values) {
        LabeledValueList list;
        for (const char* value : values)
            list.append(textValue(QStringLiteral("home"), QString::fromUtf8(value), int(list.size())));
        return list;
    };
    contact.setLabeledValues(LabeledField::Phone, texts({"03-3333", "01-1111", "02-2222"}));
    contact.setLabeledValues(LabeledField::Email, texts({"zed@b.com", "amy@c.com", "bob@a.com", "plain", "trail@"}));
    contact.setLabeledValues(LabeledField::Dates, texts({"2001.02.03(Sat)", "1999.12.31(Fri)", "2010.01.01(Fri)"}));
    contact.setLabeledValues(LabeledField::Address,
                             {addressValue({}, address("300", "B", "Z", "2", "Japan"), QStringLiteral("b"), 0),
                              addressValue({}, address("100", "C", "X", "3", "Austria"), QStringLiteral("c"), 1),
                              addressValue({}, address("200", "A", "Y", "1", "Chile"), QStringLiteral("a"), 2)});
    contact.setLabeledValues(LabeledField::InstantMessage,
                             {imValue({}, QStringLiteral("Skype"), QStringLiteral("b"), 0),
                              imValue({}, QStringLiteral("AIM"), QStringLiteral("c"), 1),
                              imValue({}, QStringLiteral("Jabber"), QStringLiteral("a"), 2)});
    // Shown texts that differ from the user names, so that each key is seen to be used.
    LabeledValueList profiles{snsValue(QStringLiteral("twitter"), QStringLiteral("m"), {}, 0),
                              snsValue(QStringLiteral("facebook"), QStringLiteral("z"), {}, 1),
                              snsValue(QStringLiteral("linkedin"), QStringLiteral("a"), {}, 2)};
    profiles[0].stringValue = QStringLiteral("2");
    profiles[1].stringValue = QStringLiteral("1");
    profiles[2].stringValue = QStringLiteral("3");
    contact.setLabeledValues(LabeledField::SocialNetwork, profiles);

    const LabeledValueList sorted = contact.sortForLabeledValue(key, ascending);
    QCOMPARE(labelIndexes(sorted), order);
    QCOMPARE(contact.labeledValuesForIdentifier(identifier), sorted); // sorted in place
}

void TestPersonDsc::sortEdgeCases()
{
    PersonDsc contact;
    contact.setLabeledValues(LabeledField::Phone, {textValue(QStringLiteral("home"), QStringLiteral("1"), 3)});
    contact.setLabeledValues(LabeledField::SocialNetwork,
                             {snsValue(QStringLiteral("twitter"), QStringLiteral("taro"), {}, 8)});
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
    QCOMPARE(std::get<QString>(record->value(MultiProperty::Phone).valueAtIndex(0)), QStringLiteral("+81 3 1234 5678"));
}
