// A contact's values in the order of a sort key: equal texts keep their stored order in either
// direction, for lists short enough to be ordered in place and for longer ones.

#include "model/LabeledValueOrder.h"

#include <QRandomGenerator>
#include <QTest>

#include <numeric>

using namespace Quillary;

class TestLabeledValueOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ordersStably_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("count");
        for (const int count : {0, 1, 2, 3, 16, 17, 60}) {
            QTest::addRow("Phone, %d values", count) << QStringLiteral("Phone") << count;
            QTest::addRow("City, %d values", count) << QStringLiteral("City") << count;
        }
        QTest::newRow("Email domain, 30 values") << QStringLiteral("Email domain") << 30;
    }

    void ordersStably()
    {
        QFETCH(QString, key);
        QFETCH(int, count);
        const LabeledValueOrder* order = LabeledValueOrder::forSortKey(key);
        QVERIFY(order);
        // Few texts, differing in case too: many ties.
        const QStringList texts{QStringLiteral("b@x.org"), QStringLiteral("B@x.org"), QStringLiteral("a@y.org"),
                                QStringLiteral("a@Y.org"), QString()};
        QRandomGenerator random{quint32(count)};
        LabeledValueList values;
        for (int i = 0; i < count; ++i) {
            LabeledValue value = LabeledValue::withText(QString(), texts.at(random.bounded(int(texts.size()))));
            value.address.setCity(value.value);
            values.append(value);
        }
        for (const bool ascending : {true, false}) {
            QList<qsizetype> expected(count);
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](qsizetype a, qsizetype b) {
                const int compared = order->sortText(values.at(a)).compare(order->sortText(values.at(b)));
                return ascending ? compared < 0 : compared > 0;
            });
            const LabeledValueOrder::Positions positions = order->positions(values, ascending);
            QCOMPARE(QList<qsizetype>(positions.cbegin(), positions.cend()), expected);
        }
    }

    void keysThatOrderNoValues()
    {
        QVERIFY(!LabeledValueOrder::forSortKey(u"Phone label"));
        QVERIFY(!LabeledValueOrder::forSortKey(u"LastName"));
        QCOMPARE(LabeledValueOrder::forSortKey(u"ZIP")->field, LabeledField::Address);
    }
};

QTEST_GUILESS_MAIN(TestLabeledValueOrder)
#include "tst_labeledvalueorder.moc"
