#include "TestSupport.h"
#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;
namespace L = Quillary::AddressBook::Label;

// Lets QCOMPARE print label lists; found by argument-dependent lookup.
char* toString(const std::optional<QStringList>& labels)
{
    return labels ? QTest::toString(labels->join(u'|')) : qstrdup("none");
}

class TestLabelTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // The custom table is process-wide: every test starts from a fresh run's state.
        LabelTable::resetCustomLabels();
    }

    // Shown and stored labels.
    void labelFromiLabel_data()
    {
        Test::addColumns<QString, QString>("stored", "shown");

        QTest::newRow("a constant") << L::PhoneHomeFAX << u"home fax"_s;
        QTest::newRow("All stays All") << u"All"_s << u"All"_s;
        QTest::newRow("empty is No label") << QString() << u"No label"_s;
        QTest::newRow("marked Son") << u"_$!<Son>!$_"_s << u"Son"_s;
        QTest::newRow("marked custom word") << u"_$!<Cousin>!$_"_s << u"Cousin"_s;
        QTest::newRow("constants compare case-sensitively") << u"_$!<home>!$_"_s << u"home"_s;
        QTest::newRow("marked but empty word") << u"_$!<>!$_"_s << u"No label"_s;
        QTest::newRow("marker in a text shorter than 8") << u"_$!<ab"_s << u"_$!<ab"_s;
        QTest::newRow("custom label unchanged") << u"Best friend"_s << u"Best friend"_s;
        QTest::newRow("Japanese custom label") << u"実家"_s << u"実家"_s;
    }
    void labelFromiLabel()
    {
        QFETCH(QString, stored);
        QTEST(LabelTable::labelFromiLabel(stored), "shown");
    }

    void iLabelFromLabel_data()
    {
        Test::addColumns<QString, QString>("shown", "stored");

        // Every shown built-in label is covered by builtInLabelsSurviveStoring; here the other spellings.
        QTest::newRow("capitalised") << u"Work"_s << L::Work;
        QTest::newRow("capitalised, no space") << u"HomeFax"_s << L::PhoneHomeFAX;
        QTest::newRow("iPhone") << u"iPhone"_s << L::PhoneiPhone;
        QTest::newRow("empty is none") << QString() << QString();
        QTest::newRow("shown No label is none") << u"No label"_s << QString();
        QTest::newRow("all") << u"all"_s << u"All"_s;
        QTest::newRow("ALL unchanged") << u"ALL"_s << u"ALL"_s;
        QTest::newRow("Home Fax unchanged") << u"Home Fax"_s << u"Home Fax"_s;
        QTest::newRow("homefax unchanged") << u"homefax"_s << u"homefax"_s;
        QTest::newRow("HOME unchanged") << u"HOME"_s << u"HOME"_s;
        QTest::newRow("iphone unchanged") << u"iphone"_s << u"iphone"_s;
        QTest::newRow("Son stored as typed") << u"Son"_s << u"Son"_s;
        QTest::newRow("custom label") << u"Best friend"_s << u"Best friend"_s;
    }
    void iLabelFromLabel()
    {
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        const QString result = LabelTable::iLabelFromLabel(shown);
        QCOMPARE(result, stored);
        // "No label" must not reach the record as a label.
        if (stored.isEmpty())
            QVERIFY(result.isNull());
    }

    void builtInLabelsSurviveStoring()
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
        QCOMPARE(LabelTable::iLabelFromLabel(u"mobile"_s), u"_$!<Mobile>!$_"_s);
        QCOMPARE(LabelTable::iLabelFromLabel(u"home page"_s), u"_$!<HomePage>!$_"_s);
    }

    // Built-in tables.
    void identifiersWithoutList_data()
    {
        QTest::addColumn<QString>("identifier");
        for (const QString* identifier : {&Field::Birthday, &Field::Name, &Field::Note, &Field::Photo})
            QTest::addRow("%ls", qUtf16Printable(*identifier)) << *identifier;
        QTest::newRow("empty") << QString();
        QTest::newRow("phone in lower case") << u"phone"_s;
    }
    void identifiersWithoutList()
    {
        QFETCH(QString, identifier);
        QCOMPARE(LabelTable::labelsForIdentifier(identifier), std::nullopt);
        QVERIFY(!LabelTable::labelTableDict().contains(identifier));
    }

    void labelTableDictCoversBuiltInTable()
    {
        QVERIFY(LabelTable::setLabel(QString(), u"Skype"_s, Field::InstantMessage));
        const QHash<QString, QStringList> table = LabelTable::labelTableDict();
        for (const QString& identifier : FieldIdentifiers::labeledIdentifiers())
            QVERIFY2(!table.value(identifier).isEmpty(), qPrintable(identifier));
        for (auto it = table.constBegin(); it != table.constEnd(); ++it)
            QCOMPARE(std::optional<QStringList>(*it), LabelTable::labelsForIdentifier(it.key()));
        QCOMPARE(table.value(Field::InstantMessage).constLast(), u"Skype"_s);
    }

    // Custom labels.
    void customLabels_data()
    {
        // steps: "new" adds, "old>new" renames, "old>" removes
        // accepted: one digit a step
        Test::addColumns<QString, QStringList, QString, QStringList>("identifier", "steps", "accepted", "custom");
        const auto row = [](const char* name, const QString& identifier, const QStringList& steps, const char* accepted,
                            const QStringList& custom) {
            QTest::newRow(name) << identifier << steps << QString::fromLatin1(accepted) << custom;
        };
        row("added once each, in order", Field::Phone, {"Car", "Car", "Boat", ""}, "1010", {"Car", "Boat"});
        row("an old label not listed adds the new one", Field::Phone, {"Plane>Train"}, "1", {"Train"});
        row("renamed in its place", Field::Phone, {"Car", "Boat", "Plane", "Boat>Ship"}, "1111",
            {"Car", "Ship", "Plane"});
        row("removed once", Field::Phone, {"Car", "Boat", "Car>", "Car>"}, "1110", {"Boat"});
        row("built-in labels refused", Field::Phone, {"home", "work fax"}, "00", {});
        row("renaming to a built-in label refused", Field::Phone, {"Car", "Car>mobile"}, "10", {"Car"});
        // The stored form of a built-in label is another label; the list holds "home" once.
        row("stored form of a built-in label", Field::Phone, {"Home"}, "1", {"Home"});
        row("built in for one field, custom for another", Field::Relationship, {"home"}, "1", {"home"});
        row("a birthday has a list after a custom label", Field::Birthday, {"Name day"}, "1", {"Name day"});
        row("and keeps an empty one when it goes", Field::Birthday, {"Name day", "Name day>"}, "11", {});
    }
    void customLabels()
    {
        QFETCH(QString, identifier);
        QFETCH(QStringList, steps);
        QFETCH(QString, accepted);
        QFETCH(QStringList, custom);
        const QHash<QString, QStringList> builtIn = LabelTable::labelTableDict();
        QString results;
        for (const QString& step : std::as_const(steps)) {
            const qsizetype arrow = step.indexOf(u'>');
            const QString old = arrow < 0 ? QString() : step.left(arrow);
            results += LabelTable::setLabel(old, step.mid(arrow + 1), identifier) ? u'1' : u'0';
        }
        QCOMPARE(results, accepted);
        // The labels of the other fields stay as they were.
        QHash<QString, QStringList> expected = builtIn;
        if (accepted.contains(u'1'))
            expected.insert(identifier, builtIn.value(identifier) + custom);
        QCOMPARE(LabelTable::labelTableDict(), expected);
        QCOMPARE(LabelTable::labelsForIdentifier(identifier),
                 expected.contains(identifier) ? std::optional(expected.value(identifier)) : std::nullopt);
        LabelTable::resetCustomLabels();
        QCOMPARE(LabelTable::labelTableDict(), builtIn);
    }

    // Identifiers.
    void identifierLists()
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

    void fieldIdOfPartIdentifiers_data()
    {
        Test::addColumns<QString, FieldId>("identifier", "id");

        // Parts of a value are known by two spellings.
        QTest::newRow("PhoneticFirstName") << u"PhoneticFirstName"_s << FieldId::PhoneticFirstName;
        QTest::newRow("Phonetic FirstName") << u"Phonetic FirstName"_s << FieldId::PhoneticFirstName;
        QTest::newRow("compositeName") << u"compositeName"_s << FieldId::CompositeName;
        QTest::newRow("Phonetic  FirstName (two spaces)") << u"Phonetic  FirstName"_s << FieldId::Unknown;
        QTest::newRow("firstname") << u"firstname"_s << FieldId::Unknown;
    }
    void fieldIdOfPartIdentifiers()
    {
        QFETCH(QString, identifier);
        QTEST(FieldIdentifiers::fieldId(identifier), "id");
    }
};

QTEST_GUILESS_MAIN(TestLabelTable)
#include "tst_labeltable.moc"
