#include "CliRunner.h"
#include "TestSupport.h"

#include "documents/ContactFileReader.h"
#include "model/NormalizePhoneNumber.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

class TestCliPhones : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalizePhones_data();
    void normalizePhones();
    void unknownLayout();

private:
    using Run = Test::CliRun;
    static Run run(const QStringList& arguments) { return Test::runCli(arguments); }
};

void TestCliPhones::normalizePhones_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("firstContact");
    QTest::addColumn<QStringList>("secondContact");
    QTest::addColumn<QByteArray>("summary");

    // Numbers that cannot be rewritten without losing digits ("03.1234.5678") and numbers of four
    // digits are kept as they are.
    QTest::newRow("four plus four") << PhoneLayout::FourPlusFour
                                    << QStringList{"(03) 1234-5678", "+81 (3) 1234-5678 x12", "1234"}
                                    << QStringList{"(03) 1234-5678", "03.1234.5678"}
                                    << QByteArray("phones=5 changed=3\n");
    QTest::newRow("pairs") << PhoneLayout::QuadTwo << QStringList{"(03) 12 34 56 78", "+81 (3) 12 34 56 78 x12", "1234"}
                           << QStringList{"(03) 12 34 56 78", "03.1234.5678"} << QByteArray("phones=5 changed=4\n");
}

void TestCliPhones::normalizePhones()
{
    QFETCH(QString, layout);
    QFETCH(QStringList, firstContact);
    QFETCH(QStringList, secondContact);
    QFETCH(QByteArray, summary);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out.vcf"));
    const Run result = run({QStringLiteral("normalize-phones"), Test::dataPath(QStringLiteral("cli/phones.vcf")),
                            QStringLiteral("--layout"), layout, QStringLiteral("-o"), output});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, summary);

    const ContactFileReader::Result original =
        ContactFileReader::read(Test::dataPath(QStringLiteral("cli/phones.vcf")));
    const ContactFileReader::Result written = ContactFileReader::read(output);
    QVERIFY2(written.ok(), qPrintable(written.errorString));
    QCOMPARE(written.contacts.size(), 2);
    const QList<QStringList> expected{firstContact, secondContact};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QStringList values;
        QStringList labels;
        for (const LabeledValue& phone : written.contacts.at(i)->person->phoneValues()) {
            values.append(phone.value);
            labels.append(phone.label);
        }
        QStringList originalLabels;
        for (const LabeledValue& phone : original.contacts.at(i)->person->phoneValues())
            originalLabels.append(phone.label);
        QCOMPARE(values, expected.at(i));
        QCOMPARE(labels, originalLabels);
    }
    // The rest of the card travels along.
    QCOMPARE(written.contacts.at(1)->person->stringValueForIdentifier(Field::Note),
             QStringLiteral("Phones in two layouts"));
}

void TestCliPhones::unknownLayout()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out.vcf"));
    const Run result = run({QStringLiteral("normalize-phones"), Test::dataPath(QStringLiteral("cli/phones.vcf")),
                            QStringLiteral("--layout"), QStringLiteral("(1) 2"), QStringLiteral("-o"), output});
    QCOMPARE(result.exitCode, 2);
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(TestCliPhones)
#include "tst_cli_phones.moc"
