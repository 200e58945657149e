#include "model/NormalizePhoneNumber.h"

#include <QSet>
#include <QTest>

using namespace Quillary;

namespace {

CountryNumberTable tableOf(const QStringList& codes)
{
    CountryNumberTable table;
    for (const QString& code : codes)
        table.append({code.left(1), code, QStringLiteral("Country ") + code, QString(), QString()});
    return table;
}

} // namespace

class TestNormalizePhoneNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layouts_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("expected");

        const QString four = PhoneLayout::FourPlusFour;
        const QString three = PhoneLayout::ThreePlusFour;
        const QString two = PhoneLayout::TwoPlusFour;
        const QString quad = PhoneLayout::QuadTwo;

        QTest::newRow("local, four plus four") << "03-1234-5678" << four << "(03) 1234-5678";
        QTest::newRow("local, pairs") << "03-1234-5678" << quad << "(03) 12 34 56 78";
        QTest::newRow("local in parentheses") << "(03) 1234 5678" << three << "(031) 234-5678";
        QTest::newRow("code and ext.") << "+81 3 1234 5678 ext. 12" << four << "+81 (3) 1234-5678 x12";
        QTest::newRow("code and ext") << "+81-3-1234-5678ext12" << two << "+81 (312) 34-5678 x12";
        QTest::newRow("x marker") << "03 1234 5678 x9" << four << "(03) 1234-5678 x9";
        QTest::newRow("shorter code wins") << "+1 242 555 0123" << three << "+1 (242) 555-0123";
        QTest::newRow("two-digit code") << "+44 20 7946 0958" << quad << "+44 (20) 79 46 09 58";
        QTest::newRow("four digits stay") << "12-34" << four << "1234";
        QTest::newRow("four digits stay in pairs") << "12-34" << quad << "1234";
        QTest::newRow("unknown code counts its +") << "+999 1234 5678" << four << "(+999) 1234-5678";
        QTest::newRow("trailing words dropped") << "03-1234-5678 (home)" << four << "(03) 1234-5678";

        // Left unchanged ("") rather than rewritten with part of the number lost.
        QTest::newRow("empty") << "" << four << "";
        QTest::newRow("no digits") << "home" << four << "";
        QTest::newRow("text before digits") << "Tel 03-1234-5678" << four << "";
        QTest::newRow("dots as separators") << "03.1234.5678" << four << "";
        QTest::newRow("upper-case marker") << "+1 212 555 0100 Ext. 5" << four << "";
        QTest::newRow("two numbers") << "03-1234-5678 / 090-1234-5678" << four << "";
        QTest::newRow("extension only") << "x12" << four << "";
        QTest::newRow("unknown layout") << "03-1234-5678"
                                        << "(1) 2"
                                        << "";
    }

    void layouts()
    {
        QFETCH(QString, number);
        QFETCH(QString, layout);
        QFETCH(QString, expected);
        NormalizePhoneNumber normalizer(
            tableOf({QStringLiteral("1242"), QStringLiteral("81"), QStringLiteral("44"), QStringLiteral("1")}));
        QCOMPARE(normalizer.normalizedNumber(number, layout), expected);
    }

    void lengthBoundaries_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QStringList>("expected"); // fourPlusFour, threePlusFour, twoPlusFour, quadTwo

        auto row = [](const char* digits, QStringList expected) {
            QTest::addRow("%s", digits) << QString::fromLatin1(digits) << expected;
        };
        row("1234", {"1234", "1234", "1234", "1234"});
        row("12345", {"(1) 2345", "(1) 2345", "(1) 2345", "(1) 23 45"});
        row("123456", {"(12) 3456", "(12) 3456", "(12) 3456", "(12) 34 56"});
        row("1234567", {"(123) 4567", "(123) 4567", "(1) 23-4567", "(1) 23 45 67"});
        row("12345678", {"(1234) 5678", "(1) 234-5678", "(12) 34-5678", "(12) 34 56 78"});
        row("123456789", {"(1) 2345-6789", "(12) 345-6789", "(123) 45-6789", "(1) 23 45 67 89"});
        row("1234567890", {"(12) 3456-7890", "(123) 456-7890", "(1234) 56-7890", "(12) 34 56 78 90"});
    }

    void lengthBoundaries()
    {
        QFETCH(QString, digits);
        QFETCH(QStringList, expected);
        NormalizePhoneNumber normalizer(CountryNumberTable{});
        normalizer.setPhoneNumber(digits);
        QCOMPARE(normalizer.fourPlusFour(), expected.at(0));
        QCOMPARE(normalizer.threePlusFour(), expected.at(1));
        QCOMPARE(normalizer.twoPlusFour(), expected.at(2));
        QCOMPARE(normalizer.quadTwo(), expected.at(3));
    }

    void countryNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("shorter of two prefixes") << "+12425550123"
                                                 << "1";
        QTest::newRow("two digits") << "+442079460958"
                                    << "44";
        QTest::newRow("code needs a digit after it") << "+44"
                                                     << "";
        QTest::newRow("one digit after the code") << "+441"
                                                  << "44";
        QTest::newRow("no plus") << "442079460958"
                                 << "";
        QTest::newRow("plus alone") << "+"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("first digit without entries") << "+30123456"
                                                     << "";
        QTest::newRow("first digit past the table") << "+99912345"
                                                    << "";
    }

    void countryNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const NormalizePhoneNumber normalizer(
            tableOf({QStringLiteral("44"), QStringLiteral("1242"), QStringLiteral("1")}));
        QCOMPARE(normalizer.countryNumber(text), expected);
    }

    void parseCountryNumbers()
    {
        const QByteArray csv = "number,country,国名,エリア名\r\n"
                               "81,Japan,日本,Asia\r\n"
                               "\r\n"
                               "1\n"
                               "44,United Kingdom,イギリス\n"
                               "1,United States,アメリカ合衆国,North America";
        const CountryNumberTable table = NormalizePhoneNumber::parseCountryNumbers(csv);
        const CountryNumberTable expected{
            {QStringLiteral("8"), QStringLiteral("81"), QStringLiteral("Japan"), QStringLiteral("日本"),
             QStringLiteral("Asia")},
            {},
            {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("United States"),
             QStringLiteral("アメリカ合衆国"), QStringLiteral("North America")},
        };
        QCOMPARE(table, expected);

        // Kept in code order as text, with the empty entry harmlessly first.
        const NormalizePhoneNumber normalizer(table);
        QCOMPARE(normalizer.countryNumbers().at(1).number, QStringLiteral("1"));
        QCOMPARE(normalizer.countryNumbers().at(2).number, QStringLiteral("81"));
    }

    void resourceTable()
    {
        const auto table = NormalizePhoneNumber::sharedCountryNumbers();
        QVERIFY(table->size() > 200);
        QCOMPARE(NormalizePhoneNumber::sharedCountryNumbers(), table);

        QSet<QString> codes;
        for (const CountryNumber& entry : *table) {
            QVERIFY2(!entry.number.isEmpty() && !entry.country.isEmpty() && !entry.japaneseCountry.isEmpty()
                         && !entry.areaName.isEmpty(),
                     qPrintable(entry.number + u' ' + entry.country));
            codes.insert(entry.number);
        }
        for (const char* code : {"1", "44", "81", "86", "49"})
            QVERIFY2(codes.contains(QString::fromLatin1(code)), code);
        // The walk takes the first code that prefixes a number, so no code may prefix another.
        for (const QString& code : codes) {
            for (const QString& other : codes)
                QVERIFY2(code == other || !other.startsWith(code), qPrintable(code + u' ' + other));
        }

        NormalizePhoneNumber normalizer;
        QCOMPARE(normalizer.normalizedNumber(QStringLiteral("+86 10 1234 5678"), PhoneLayout::FourPlusFour),
                 QStringLiteral("+86 (10) 1234-5678"));
        QCOMPARE(normalizer.normalizedNumber(QStringLiteral("+1 (242) 555-0123"), PhoneLayout::ThreePlusFour),
                 QStringLiteral("+1 (242) 555-0123"));
    }
};

QTEST_GUILESS_MAIN(TestNormalizePhoneNumber)
#include "tst_normalizephonenumber.moc"
