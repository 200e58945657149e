#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QTest>

using namespace Quillary;
namespace L = Quillary::AddressBook::Label;

namespace {

// The built-in phone labels, before any custom label is added.
QStringList phoneLabels()
{
    return *LabelTable::labelsForIdentifier(Field::Phone);
}

} // namespace

// Lets QCOMPARE print label lists; found by argument-dependent lookup.
char* toString(const std::optional<QStringList>& labels)
{
    return labels ? QTest::toString(labels->join(u'|')) : qstrdup("none");
}

class TestLabelTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    // Shown and stored labels.
    void labelFromiLabel_data();
    void labelFromiLabel();
    void iLabelFromLabel_data();
    void iLabelFromLabel();
    void builtInLabelsSurviveStoring();

    // Built-in tables.
    void identifiersWithoutList_data();
    void identifiersWithoutList();
    void labelTableDictCoversBuiltInTable();

    // Custom labels.
    void addingCustomLabels();
    void renamingCustomLabel();
    void removingCustomLabel();
    void builtInLabelIsRefused();
    void customLabelsStayWithTheirIdentifier();
    void birthdayHasListOnlyAfterCustomLabel();
    void resetForgetsCustomLabels();

    // Identifiers.
    void typeForIdentifier();
    void identifierLists();
    void fieldIdOfPartIdentifiers_data();
    void fieldIdOfPartIdentifiers();
};

void TestLabelTable::init()
{
    // The custom table is process-wide: every test starts from a fresh run's state.
    LabelTable::resetCustomLabels();
}

void TestLabelTable::labelFromiLabel_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("a constant") << L::PhoneHomeFAX << QStringLiteral("home fax");
    QTest::newRow("All stays All") << QStringLiteral("All") << QStringLiteral("All");
    QTest::newRow("empty is No label") << QString() << QStringLiteral("No label");
    QTest::newRow("marked Son") << QStringLiteral("_$!<Son>!$_") << QStringLiteral("Son");
    QTest::newRow("marked custom word") << QStringLiteral("_$!<Cousin>!$_") << QStringLiteral("Cousin");
    QTest::newRow("constants compare case-sensitively") << QStringLiteral("_$!<home>!$_") << QStringLiteral("home");
    QTest::newRow("marked but empty word") << QStringLiteral("_$!<>!$_") << QStringLiteral("No label");
    QTest::newRow("marker in a text shorter than 8") << QStringLiteral("_$!<ab") << QStringLiteral("_$!<ab");
    QTest::newRow("custom label unchanged") << QStringLiteral("Best friend") << QStringLiteral("Best friend");
    QTest::newRow("Japanese custom label") << QStringLiteral("実家") << QStringLiteral("実家");
}

void TestLabelTable::labelFromiLabel()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(LabelTable::labelFromiLabel(stored), shown);
}

void TestLabelTable::iLabelFromLabel_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");

    // Every shown built-in label is covered by builtInLabelsSurviveStoring; here the other spellings.
    QTest::newRow("capitalised") << QStringLiteral("Work") << L::Work;
    QTest::newRow("capitalised, no space") << QStringLiteral("HomeFax") << L::PhoneHomeFAX;
    QTest::newRow("iPhone") << QStringLiteral("iPhone") << L::PhoneiPhone;
    QTest::newRow("empty is none") << QString() << QString();
    QTest::newRow("shown No label is none") << QStringLiteral("No label") << QString();
    QTest::newRow("all") << QStringLiteral("all") << QStringLiteral("All");
    QTest::newRow("ALL unchanged") << QStringLiteral("ALL") << QStringLiteral("ALL");
    QTest::newRow("Home Fax unchanged") << QStringLiteral("Home Fax") << QStringLiteral("Home Fax");
    QTest::newRow("homefax unchanged") << QStringLiteral("homefax") << QStringLiteral("homefax");
    QTest::newRow("HOME unchanged") << QStringLiteral("HOME") << QStringLiteral("HOME");
    QTest::newRow("iphone unchanged") << QStringLiteral("iphone") << QStringLiteral("iphone");
    QTest::newRow("Son stored as typed") << QStringLiteral("Son") << QStringLiteral("Son");
    QTest::newRow("custom label") << QStringLiteral("Best friend") << QStringLiteral("Best friend");
}

void TestLabelTable::iLabelFromLabel()
{
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    const QString result = LabelTable::iLabelFromLabel(shown);
    QCOMPARE(result, stored);
    // "No label" must not reach the record as a label.
    if (stored.isEmpty())
        QVERIFY(result.isNull());
}

void TestLabelTable::builtInLabelsSurviveStoring()
{
    // Every label a pop-up offers must read back as itself once stored in a record.
    const QHash<QString, QStringList> table = LabelTable::labelTableDict();
    for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        for (const QString& label : *it) {
            const QString stored = LabelTable::iLabelFromLabel(label);
            QVERIFY2(LabelTable::labelFromiLabel(stored) == label, qPrintable(it.key() + u": " + label));
        }
    }
    // The constants are what other address books write.
    QCOMPARE(LabelTable::iLabelFromLabel(QStringLiteral("mobile")), QStringLiteral("_$!<Mobile>!$_"));
    QCOMPARE(LabelTable::iLabelFromLabel(QStringLiteral("home page")), QStringLiteral("_$!<HomePage>!$_"));
}

void TestLabelTable::identifiersWithoutList_data()
{
    QTest::addColumn<QString>("identifier");
    for (const QString* identifier : {&Field::Birthday, &Field::Name, &Field::Note, &Field::Photo})
        QTest::addRow("%ls", qUtf16Printable(*identifier)) << *identifier;
    QTest::newRow("empty") << QString();
    QTest::newRow("phone in lower case") << QStringLiteral("phone");
}

void TestLabelTable::identifiersWithoutList()
{
    QFETCH(QString, identifier);
    QCOMPARE(LabelTable::labelsForIdentifier(identifier), std::nullopt);
    QVERIFY(!LabelTable::labelTableDict().contains(identifier));
}

void TestLabelTable::labelTableDictCoversBuiltInTable()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Skype"), Field::InstantMessage));
    const QHash<QString, QStringList> table = LabelTable::labelTableDict();
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QVERIFY2(!table.value(identifier).isEmpty(), qPrintable(identifier));
    for (auto it = table.constBegin(); it != table.constEnd(); ++it)
        QCOMPARE(std::optional<QStringList>(*it), LabelTable::labelsForIdentifier(it.key()));
    QCOMPARE(table.value(Field::InstantMessage).constLast(), QStringLiteral("Skype"));
}

void TestLabelTable::addingCustomLabels()
{
    const QStringList builtIn = phoneLabels();
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone)); // once only
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Boat"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QString(), Field::Phone)); // nothing to add

    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone),
             std::optional<QStringList>(builtIn + QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));
    QCOMPARE(LabelTable::customLabelTableDict().value(Field::Phone),
             (QStringList{QStringLiteral("Car"), QStringLiteral("Boat")}));

    // An old label that is not in the list adds the new one instead.
    QVERIFY(LabelTable::setLabel(QStringLiteral("Plane"), QStringLiteral("Train"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone)->constLast(), QStringLiteral("Train"));
}

void TestLabelTable::renamingCustomLabel()
{
    for (const char* label : {"Car", "Boat", "Plane"})
        QVERIFY(LabelTable::setLabel(QString(), QString::fromLatin1(label), Field::Phone));
    QVERIFY(LabelTable::setLabel(QStringLiteral("Boat"), QStringLiteral("Ship"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(
                 QStringList{QStringLiteral("Car"), QStringLiteral("Ship"), QStringLiteral("Plane")}));
}

void TestLabelTable::removingCustomLabel()
{
    const QStringList builtIn = phoneLabels();
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Boat"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Boat")}));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Phone)); // already gone
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone),
             std::optional<QStringList>(builtIn + QStringList{QStringLiteral("Boat")}));
}

void TestLabelTable::builtInLabelIsRefused()
{
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("home"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QString(), QStringLiteral("work fax"), Field::Phone));
    // A refusal creates no custom list.
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone), std::nullopt);

    // Renaming a custom label to a built-in one leaves it alone.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QStringLiteral("mobile"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car")}));

    // The stored form is not the built-in label the list holds.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Home"), Field::Phone));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone)->count(QStringLiteral("home")), 1);
}

void TestLabelTable::customLabelsStayWithTheirIdentifier()
{
    // "home" is built in for Phone, not for Relationship.
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("home"), Field::Relationship));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Relationship),
             std::optional<QStringList>(QStringList{QStringLiteral("home")}));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Email)->size(), 3);
    QVERIFY(!LabelTable::labelsForIdentifier(Field::Email)->contains(QStringLiteral("Car")));
    QVERIFY(!LabelTable::setLabel(QStringLiteral("Car"), QString(), Field::Email));
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Phone),
             std::optional<QStringList>(QStringList{QStringLiteral("Car")}));
}

void TestLabelTable::birthdayHasListOnlyAfterCustomLabel()
{
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::nullopt);
    QCOMPARE(LabelTable::customLabelsForIdentifier(Field::Birthday), std::nullopt);

    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Name day"), Field::Birthday));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday),
             std::optional<QStringList>(QStringList{QStringLiteral("Name day")}));
    QVERIFY(LabelTable::labelTableDict().contains(Field::Birthday));

    // Removing the last custom label leaves an empty list, not none.
    QVERIFY(LabelTable::setLabel(QStringLiteral("Name day"), QString(), Field::Birthday));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::optional<QStringList>(QStringList()));
}

void TestLabelTable::resetForgetsCustomLabels()
{
    const QStringList builtIn = phoneLabels();
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Car"), Field::Phone));
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("Name day"), Field::Birthday));
    LabelTable::resetCustomLabels();
    QVERIFY(LabelTable::customLabelTableDict().isEmpty());
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Phone), std::optional<QStringList>(builtIn));
    QCOMPARE(LabelTable::labelsForIdentifier(Field::Birthday), std::nullopt);
}

void TestLabelTable::typeForIdentifier()
{
    // The kind of each identifier agrees with the lists that name them.
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QCOMPARE(FieldIdentifiers::typeForIdentifier(identifier), Field::LabeledValueType);
    for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
        QCOMPARE(FieldIdentifiers::typeForIdentifier(identifier), Field::StringValueType);
    for (const QString* identifier : {&Field::Name, &Field::Birthday, &Field::PhoneticName})
        QCOMPARE(FieldIdentifiers::typeForIdentifier(*identifier), Field::DictionaryValueType);
    // Parts of values, the photo and near misses are none of the three kinds.
    for (const char* identifier :
         {"Photo", "FirstName", "Phonetic FirstName", "compositeName", "ZIP", "phone", "Jobtitle", ""})
        QVERIFY2(FieldIdentifiers::typeForIdentifier(QString::fromLatin1(identifier)).isEmpty(), identifier);
}

void TestLabelTable::identifierLists()
{
    // Every listed identifier is known by its name, and the enumerations name them back.
    QCOMPARE(FieldIdentifiers::allIdentifiers().size(),
             FieldIdentifiers::labeledIdentifiers().size() + FieldIdentifiers::stringIdentifiers().size() + 4);
    for (const QString& identifier : FieldIdentifiers::allIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(FieldIdentifiers::fieldId(identifier)), identifier);
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(*FieldIdentifiers::labeledField(identifier)), identifier);
    for (const QString& identifier : FieldIdentifiers::stringIdentifiers())
        QCOMPARE(FieldIdentifiers::identifier(*FieldIdentifiers::stringField(identifier)), identifier);
}

void TestLabelTable::fieldIdOfPartIdentifiers_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<FieldId>("id");

    // Parts of a value are known by two spellings.
    QTest::newRow("PhoneticFirstName") << QStringLiteral("PhoneticFirstName") << FieldId::PhoneticFirstName;
    QTest::newRow("Phonetic FirstName") << QStringLiteral("Phonetic FirstName") << FieldId::PhoneticFirstName;
    QTest::newRow("compositeName") << QStringLiteral("compositeName") << FieldId::CompositeName;
    QTest::newRow("Phonetic  FirstName (two spaces)") << QStringLiteral("Phonetic  FirstName") << FieldId::Unknown;
    QTest::newRow("firstname") << QStringLiteral("firstname") << FieldId::Unknown;
}

void TestLabelTable::fieldIdOfPartIdentifiers()
{
    QFETCH(QString, identifier);
    QFETCH(FieldId, id);
    QCOMPARE(FieldIdentifiers::fieldId(identifier), id);
}

QTEST_GUILESS_MAIN(TestLabelTable)
#include "tst_labeltable.moc"
