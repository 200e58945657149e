// What the document window offers and passes on without pixels: the label menu and the label filter
// it edits, the columns menu, and the row-index text that a drag of table rows carries to a group.

#include "documents/DocumentGroups.h"
#include "documents/LabelFilter.h"
#include "documents/ViewTypes.h"
#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

#include <QTest>

using namespace Quillary;

class TestWindowChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { LabelTable::resetCustomLabels(); }

    void labelMenuTitles();
    void labelMenuWithCustomLabel();
    void toggleLabel_data();
    void toggleLabel();
    void columnChoices();
    void rowIndexText_data();
    void rowIndexText();
    void rowIndexesReadLeniently();
};

void TestWindowChoices::labelMenuTitles()
{
    const QStringList phones = LabelTable::labelsForIdentifier(Field::Phone).value();
    const QStringList emails = LabelTable::labelsForIdentifier(Field::Email).value();

    // Name and the address parts have no label table: only "All".
    QCOMPARE(LabelFilter::labelMenuTitles({Field::Name, Field::ZIP, Field::Note}), QStringList{LabelText::All});

    const QStringList titles = LabelFilter::labelMenuTitles({Field::Name, Field::Phone, Field::Email});
    QCOMPARE(titles.first(), LabelText::All);
    QCOMPARE(titles.mid(1, phones.size()), phones);
    // Labels the phones already listed ("home", "work", ...) are not repeated for the e-mails.
    QCOMPARE(titles.size(), QSet<QString>(titles.cbegin(), titles.cend()).size());
    for (const QString& label : emails)
        QVERIFY2(titles.contains(label), qPrintable(label));
    // The order follows the columns.
    QCOMPARE(LabelFilter::labelMenuTitles({Field::Email, Field::Phone}).mid(1, emails.size()), emails);
}

void TestWindowChoices::labelMenuWithCustomLabel()
{
    QVERIFY(LabelTable::setLabel(QString(), QStringLiteral("pager at night"), Field::Phone));
    QVERIFY(LabelFilter::labelMenuTitles({Field::Phone}).contains(QStringLiteral("pager at night")));
    QVERIFY(!LabelFilter::labelMenuTitles({Field::Email}).contains(QStringLiteral("pager at night")));
}

void TestWindowChoices::toggleLabel_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("expected");

    const QString all = LabelText::All;
    QTest::newRow("a label replaces All") << QStringList{all} << "home" << QStringList{"home"};
    QTest::newRow("another label is added") << QStringList{"home"} << "work" << QStringList{"home", "work"};
    QTest::newRow("a listed label is removed") << QStringList{"home", "work"} << "home" << QStringList{"work"};
    QTest::newRow("the last label removed gives All") << QStringList{"home"} << "home" << QStringList{all};
    QTest::newRow("All resets the filter") << QStringList{"home", "work"} << all << QStringList{all};
    QTest::newRow("All stays All") << QStringList{all} << all << QStringList{all};
    QTest::newRow("an empty filter acts as All") << QStringList{} << "work" << QStringList{"work"};
    QTest::newRow("an empty title resets") << QStringList{"home"} << QString() << QStringList{all};
}

void TestWindowChoices::toggleLabel()
{
    QFETCH(QStringList, selected);
    QFETCH(QString, title);
    QFETCH(QStringList, expected);
    QCOMPARE(LabelFilter::toggleLabel(selected, title), expected);
}

void TestWindowChoices::columnChoices()
{
    const QStringList& choices = ViewTypes::columnChoices();
    QVERIFY(!choices.contains(ViewTypes::NameColumn)); // always shown, never toggled
    QCOMPARE(choices.size(), QSet<QString>(choices.cbegin(), choices.cend()).size());
    // Every column of every built-in view type can be toggled.
    for (const auto& [name, columns] : ViewTypes::initViewTypeDict().entries()) {
        for (const QString& column : columns) {
            if (column != ViewTypes::NameColumn)
                QVERIFY2(choices.contains(column), qPrintable(name + u": " + column));
        }
    }
    QCOMPARE(choices.indexOf(Field::ZIP), choices.indexOf(Field::Address) + 1);
}

void TestWindowChoices::rowIndexText_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << QList<int>{} << QString();
    QTest::newRow("one") << QList<int>{0} << "0";
    QTest::newRow("several, in the given order") << QList<int>{3, 5, 7, 1} << "3,5,7,1";
}

void TestWindowChoices::rowIndexesReadLeniently()
{
    QCOMPARE(DocumentGroups::rowIndexes(QStringLiteral(" 1, 2,,4,")), QList<int>({1, 2, 4}));
    QCOMPARE(DocumentGroups::rowIndexes(QStringLiteral("x,-1,7")), QList<int>{7}); // junk and negatives dropped
}

void TestWindowChoices::rowIndexText()
{
    QFETCH(QList<int>, rows);
    QFETCH(QString, text);
    QCOMPARE(DocumentGroups::rowIndexText(rows), text);
    QCOMPARE(DocumentGroups::rowIndexes(text), rows);
}

QTEST_GUILESS_MAIN(TestWindowChoices)
#include "tst_windowchoices.moc"
