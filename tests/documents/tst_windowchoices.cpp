// What the document window offers and passes on without pixels: the label menu and the label filter
// it edits, the columns menu, and how the row-index text that a drag of table rows carries to a group
// is read (what a drag writes is checked with the drag's payload).

#include "TestSupport.h"
#include "documents/DocumentGroups.h"
#include "documents/LabelFilter.h"
#include "documents/ViewTypes.h"
#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

class TestWindowChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { LabelTable::resetCustomLabels(); }

    void labelMenuTitles()
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

    void labelMenuWithCustomLabel()
    {
        QVERIFY(LabelTable::setLabel(QString(), u"pager at night"_s, Field::Phone));
        QVERIFY(LabelFilter::labelMenuTitles({Field::Phone}).contains(u"pager at night"_s));
        QVERIFY(!LabelFilter::labelMenuTitles({Field::Email}).contains(u"pager at night"_s));
    }

    void toggleLabel_data()
    {
        Test::addColumns<QStringList, QString, QStringList>("selected", "title", "expected");

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
    void toggleLabel()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, title);
        QTEST(LabelFilter::toggleLabel(selected, title), "expected");
    }

    void columnChoices()
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

    void rowIndexesReadLeniently()
    {
        QCOMPARE(DocumentGroups::rowIndexes(u" 1, 2,,4,"_s), QList<int>({1, 2, 4}));
        QCOMPARE(DocumentGroups::rowIndexes(u"x,-1,7"_s), QList<int>{7}); // junk and negatives dropped
    }
};

QTEST_GUILESS_MAIN(TestWindowChoices)
#include "tst_windowchoices.moc"
