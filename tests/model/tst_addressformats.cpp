#include "model/AddressFormats.h"
#include "support/DataFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <algorithm>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

QByteArray shippedTable()
{
    QFile file(DataFiles::locate(QStringLiteral("AddressFormat.json")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QJsonObject formatEntry(const QString& code, const QString& country, const QString& alpha3, const QString& format)
{
    return QJsonObject{{QStringLiteral("CountryCode"), code},
                       {QStringLiteral("Country"), country},
                       {QStringLiteral("Alpha3"), alpha3},
                       {QStringLiteral("formatString"), format}};
}

QByteArray tableJson(const QJsonArray& entries)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("AddressFormat"), entries}}).toJson();
}

PostalAddress makeAddress(const QString& street, const QString& city, const QString& state, const QString& zip,
                          const QString& country, const QString& countryCode)
{
    PostalAddress address;
    address.setStreet(street);
    address.setCity(city);
    address.setState(state);
    address.setZip(zip);
    address.setCountry(country);
    address.setCountryCode(countryCode);
    return address;
}

const QStringList fallbackOrder{QStringLiteral("Street"), QStringLiteral("City"), QStringLiteral("State"),
                                QStringLiteral("ZIP"), QStringLiteral("Country")};

} // namespace

class TestAddressFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void shippedTableIsComplete();
    void shippedOrders_data();
    void shippedOrders();
    void shippedSubdivisions();

    void addressFormatsOrder_data();
    void addressFormatsOrder();
    void predictCountryCode_data();
    void predictCountryCode();
    void predictLocalizedCountryName();

    void addressText_data();
    void addressText();
    void japaneseLayoutNeedsNoJapaneseEntry();
    void japaneseNameWithoutCodeUsesGenericWalk();
    void defaultCodeWithoutEntryFallsBack();
    void orderIgnoresMarksAndUnknownWords();

    void replacementMergesIntoTable();
    void invalidJsonKeepsTable();
};

void TestAddressFormats::init()
{
    // Every test starts from the shipped table, whatever an earlier test merged or loaded.
    const QByteArray json = shippedTable();
    QVERIFY(!json.isEmpty());
    QVERIFY(AddressFormats::loadFromJson(json));
}

void TestAddressFormats::shippedTableIsComplete()
{
    const auto table = AddressFormats::addressFormatTable();
    const auto dict = AddressFormats::addressFormatDict();
    QVERIFY2(table.size() > 240, qPrintable(QString::number(table.size())));
    QCOMPARE(dict.size(), table.size());
    QString previous;
    for (const AddressFormatEntry& entry : table) {
        QVERIFY2(entry.countryCode.size() == 2 && entry.countryCode == entry.countryCode.toUpper(),
                 qPrintable(entry.countryCode));
        QVERIFY2(previous < entry.countryCode, qPrintable(entry.countryCode)); // sorted, no duplicates
        QVERIFY2(entry.alpha3.size() == 3, qPrintable(entry.countryCode));
        QVERIFY2(!entry.country.isEmpty(), qPrintable(entry.countryCode));
        QVERIFY2(entry.order.contains(u"Street"_s), qPrintable(entry.countryCode));
        QCOMPARE(entry.order.last(), u"Country"_s);
        QCOMPARE(entry.order.count(u"Country"_s), 1);
        QVERIFY(dict.contains(entry.countryCode));
        previous = entry.countryCode;
    }
}

void TestAddressFormats::shippedOrders_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("alpha3");
    QTest::addColumn<QString>("order");
    QTest::newRow("US") << "US"
                        << "United States"
                        << "USA"
                        << "Street City State ZIP Country";
    QTest::newRow("JP: postal code first") << "JP"
                                           << "Japan"
                                           << "JPN"
                                           << "ZIP State City Street Country";
}

void TestAddressFormats::shippedOrders()
{
    QFETCH(QString, code);
    QFETCH(QString, country);
    QFETCH(QString, alpha3);
    QFETCH(QString, order);

    const AddressFormatEntry entry = AddressFormats::addressFormatDict().value(code);
    QCOMPARE(entry.countryCode, code);
    QCOMPARE(entry.country, country);
    QCOMPARE(entry.alpha3, alpha3);
    QCOMPARE(entry.order.join(u' '), order);
}

void TestAddressFormats::shippedSubdivisions()
{
    const auto dict = AddressFormats::addressFormatDict();
    const QJsonObject us = dict.value(u"US"_s).fields;
    const QJsonArray usCodes = us.value(u"StateCodes").toArray();
    const QJsonArray usNames = us.value(u"States").toArray();
    QCOMPARE(usCodes.size(), usNames.size());
    QCOMPARE(usNames.at(usCodes.toVariantList().indexOf(u"CA"_s)).toString(), u"California"_s);

    // Japanese prefectures: written in Japanese in addresses, listed in Latin and Japanese.
    const QJsonObject jp = dict.value(u"JP"_s).fields;
    const qsizetype tokyo = jp.value(u"StateCodes").toArray().toVariantList().indexOf(u"東京都"_s);
    QVERIFY(tokyo >= 0);
    QCOMPARE(jp.value(u"States").toArray().at(tokyo).toString(), u"Tokyo"_s);
    QCOMPARE(jp.value(u"States.ja").toArray().at(tokyo).toString(), u"東京都"_s);

    QVERIFY(!dict.value(u"DE"_s).fields.contains(u"StateCodes"));
}

void TestAddressFormats::addressFormatsOrder_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("defaultCode");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, const char* code, const char* country, const char* defaultCode,
                        const QString& first, const QStringList& order) {
        QTest::newRow(name) << QString::fromUtf8(code) << QString::fromUtf8(country) << QString::fromUtf8(defaultCode)
                            << QStringList{first} + order;
    };
    const QStringList us{u"Street"_s, u"City"_s, u"State"_s, u"ZIP"_s, u"Country"_s};
    const QStringList de{u"Street"_s, u"ZIP"_s, u"City"_s, u"Country"_s};
    const QStringList jp{u"ZIP"_s, u"State"_s, u"City"_s, u"Street"_s, u"Country"_s};
    const QStringList gb{u"Street"_s, u"City"_s, u"ZIP"_s, u"Country"_s};
    row("code wins over country", "DE", "Japan", "US", u"DE"_s, de);
    row("lower-case code is looked up, returned as given", "de", "", "US", u"de"_s, de);
    row("no code, country name", "", "Japan", "US", u"JP"_s, jp);
    row("no code, lower-case country name", "", "germany", "US", u"US"_s, us);
    row("no code, Japanese name", "", "日本", "US", u"JP"_s, jp);
    row("no code, lower-case alpha-3", "", "deu", "US", u"DE"_s, de);
    row("no code, lower-case code as country", "", "jp", "US", u"JP"_s, jp);
    row("no code, unknown country: default", "", "Atlantis", "GB", u"GB"_s, gb);
    row("nothing: default code", "", "", "GB", u"GB"_s, gb);
    row("unknown code: fallback order", "XX", "", "US", u"XX"_s, fallbackOrder);
    row("nothing at all: fallback order", "", "", "", QString(), fallbackOrder);
}

void TestAddressFormats::addressFormatsOrder()
{
    QFETCH(QString, code);
    QFETCH(QString, country);
    QFETCH(QString, defaultCode);
    QFETCH(QStringList, expected);

    QCOMPARE(AddressFormats::addressFormatsOrder(code, country, defaultCode), expected);
}

void TestAddressFormats::predictCountryCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // A name, a code or an alpha-3 code as the table writes it, or an adjective of the country.
    const std::pair<const char*, const char*> rows[] = {
        {"Japan", "JP"},     {"South Korea", "KR"}, {"DE", "DE"}, {"FRA", "FR"},  {"日本", "JP"},   {"française", "FR"},
        {"FRANÇAISE", "FR"}, {"japan", ""},         {"jp", ""},   {" Japan", ""}, {"Atlantis", ""}, {"", ""},
    };
    for (const auto& [text, code] : rows)
        QTest::addRow("'%s'", text) << QString::fromUtf8(text) << QString::fromUtf8(code);
}

void TestAddressFormats::predictCountryCode()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QCOMPARE(AddressFormats::predictCountryCode(text), expected);
}

void TestAddressFormats::predictLocalizedCountryName()
{
    // Country names in the user's language are added when the table is loaded.
    const QByteArray previous = qgetenv("LANGUAGE");
    qputenv("LANGUAGE", "de");
    const QString language = AddressFormats::userLanguage();
    const bool loaded = AddressFormats::loadFromJson(shippedTable());
    if (previous.isNull())
        qunsetenv("LANGUAGE");
    else
        qputenv("LANGUAGE", previous);
    QVERIFY(loaded);
    if (language != u"de")
        QSKIP("the platform ignores LANGUAGE for the user's languages");

    const AddressFormatEntry germany = AddressFormats::addressFormatDict().value(u"DE"_s);
    QCOMPARE(germany.localizedCountry, u"Deutschland"_s);
    QCOMPARE(germany.fields.value(u"LocalizedCountry").toString(), u"Deutschland"_s);
    QCOMPARE(germany.fields.value(u"Country.de").toString(), u"Deutschland"_s);
    QCOMPARE(AddressFormats::predictCountryCode(u"Deutschland"_s), u"DE"_s);
    QCOMPARE(AddressFormats::predictCountryCode(u"Frankreich"_s), u"FR"_s);
    // The English name still wins: it is compared first.
    QCOMPARE(AddressFormats::predictCountryCode(u"Germany"_s), u"DE"_s);
}

void TestAddressFormats::addressText_data()
{
    QTest::addColumn<PostalAddress>("address");
    QTest::addColumn<QString>("defaultCode");
    QTest::addColumn<QString>("expected");

    QTest::newRow("US") << makeAddress(u"1 Main St"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, u"United States"_s,
                                       u"us"_s)
                        << "JP"
                        << "1 Main St Springfield IL 62701 United States";
    QTest::newRow("DE") << makeAddress(u"Unter den Linden 77"_s, u"Berlin"_s, QString(), u"10117"_s, u"Germany"_s,
                                       u"DE"_s)
                        << "US"
                        << "Unter den Linden 77 10117 Berlin Germany";
    QTest::newRow("JP, lower-case code") << makeAddress(u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s,
                                                        u"日本"_s, u"jp"_s)
                                         << "US"
                                         << "100-0001 東京都 千代田区 千代田1-1 日本";
    QTest::newRow("JP without country has no trailing space")
        << makeAddress(u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s, QString(), u"JP"_s) << "US"
        << "100-0001 東京都 千代田区 千代田1-1";
    QTest::newRow("only a city") << makeAddress(QString(), u"Paris"_s, QString(), QString(), QString(), u"FR"_s) << "US"
                                 << "Paris";
    QTest::newRow("only a city, nothing else") << makeAddress(QString(), u"Paris"_s, {}, {}, {}, {}) << "US"
                                               << "Paris";
    QTest::newRow("no code nor country: default code's order")
        << makeAddress(u"Hauptstr. 1"_s, u"Köln"_s, u"NRW"_s, u"50667"_s, QString(), QString()) << "DE"
        << "Hauptstr. 1 50667 Köln";
    QTest::newRow("country name without code")
        << makeAddress(u"Hauptstr. 1"_s, u"Köln"_s, QString(), u"50667"_s, u"Germany"_s, QString()) << "US"
        << "Hauptstr. 1 50667 Köln Germany";
    QTest::newRow("state left out where the country has none")
        << makeAddress(u"Rue de Rivoli 1"_s, u"Paris"_s, u"IDF"_s, u"75001"_s, QString(), u"FR"_s) << "US"
        << "Rue de Rivoli 1 75001 Paris";
    QTest::newRow("unknown code: fallback order")
        << makeAddress(u"Street"_s, u"City"_s, u"State"_s, u"ZIP"_s, u"Country"_s, u"XX"_s) << "US"
        << "Street City State ZIP Country";
    QTest::newRow("empty address") << PostalAddress() << "US"
                                   << "";
}

void TestAddressFormats::addressText()
{
    QFETCH(PostalAddress, address);
    QFETCH(QString, defaultCode);
    QFETCH(QString, expected);

    QCOMPARE(AddressFormats::addressText(address, defaultCode), expected);
}

void TestAddressFormats::japaneseLayoutNeedsNoJapaneseEntry()
{
    QVERIFY(AddressFormats::loadFromJson(
        tableJson({formatEntry(u"US"_s, u"United States"_s, u"USA"_s, u"Street\nCity State ZIP\nCountry"_s)})));
    const PostalAddress address =
        makeAddress(u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s, u"Japan"_s, u"jp"_s);
    QCOMPARE(AddressFormats::addressText(address, u"US"_s), u"100-0001 東京都 千代田区 千代田1-1 Japan"_s);
}

void TestAddressFormats::japaneseNameWithoutCodeUsesGenericWalk()
{
    // The fixed Japanese layout depends on the address's own code; a predicted code only picks the
    // table's order, here deliberately a western one.
    QVERIFY(AddressFormats::loadFromJson(
        tableJson({formatEntry(u"JP"_s, u"Japan"_s, u"JPN"_s, u"Street City\nState ZIP\nCountry"_s)})));
    PostalAddress address = makeAddress(u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s, u"日本"_s, {});
    QCOMPARE(AddressFormats::addressText(address, u"US"_s), u"千代田1-1 千代田区 東京都 100-0001 日本"_s);
    address.setCountryCode(u"JP"_s);
    QCOMPARE(AddressFormats::addressText(address, u"US"_s), u"100-0001 東京都 千代田区 千代田1-1 日本"_s);
}

void TestAddressFormats::defaultCodeWithoutEntryFallsBack()
{
    QVERIFY(AddressFormats::loadFromJson(
        tableJson({formatEntry(u"DE"_s, u"Germany"_s, u"DEU"_s, u"Street\nZIP City\nCountry"_s)})));
    const PostalAddress address = makeAddress(u"1 Main St"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, {}, {});
    QCOMPARE(AddressFormats::addressText(address, u"US"_s), u"1 Main St Springfield IL 62701"_s);
    QCOMPARE(AddressFormats::addressText(address, u"DE"_s), u"1 Main St 62701 Springfield"_s);

    // A missing table leaves every address with the fallback order.
    QVERIFY(AddressFormats::loadFromJson(tableJson({})));
    QVERIFY(AddressFormats::addressFormatTable().isEmpty());
    QCOMPARE(AddressFormats::addressText(address, u"DE"_s), u"1 Main St Springfield IL 62701"_s);
}

void TestAddressFormats::orderIgnoresMarksAndUnknownWords()
{
    const QString format = QStringLiteral("\u200EZIP\u200E City\n\n\tStreet Postfach\nCountry");
    QVERIFY(AddressFormats::loadFromJson(tableJson({formatEntry(u"DE"_s, u"Germany"_s, u"DEU"_s, format)})));
    const AddressFormatEntry entry = AddressFormats::addressFormatDict().value(u"DE"_s);
    QCOMPARE(entry.formatString, format);
    QCOMPARE(entry.order, (QStringList{u"ZIP"_s, u"City"_s, u"Street"_s, u"Postfach"_s, u"Country"_s}));
    const PostalAddress address = makeAddress(u"Hauptstr. 1"_s, u"Köln"_s, {}, u"50667"_s, {}, u"DE"_s);
    QCOMPARE(AddressFormats::addressText(address, u"US"_s), u"50667 Köln Hauptstr. 1"_s);
}

void TestAddressFormats::replacementMergesIntoTable()
{
    const auto tableBefore = AddressFormats::addressFormatTable();
    qsizetype germanyAt = -1;
    for (qsizetype i = 0; i < tableBefore.size(); ++i) {
        if (tableBefore.at(i).countryCode == u"DE")
            germanyAt = i;
    }
    QVERIFY(germanyAt >= 0);

    AddressFormats::setAddressFormatTable({formatEntry(u"DE"_s, u"Germany"_s, u"DEU"_s, u"ZIP City\nStreet"_s),
                                           formatEntry(u"QQ"_s, u"Quillaria"_s, u"QQQ"_s, u"City Street"_s)});

    const auto table = AddressFormats::addressFormatTable();
    const auto dict = AddressFormats::addressFormatDict();
    QCOMPARE(table.size(), tableBefore.size());
    const QStringList germanOrder{u"ZIP"_s, u"City"_s, u"Street"_s};
    QCOMPARE(table.at(germanyAt).countryCode, u"DE"_s); // replaced in place
    QCOMPARE(table.at(germanyAt).order, germanOrder);
    QCOMPARE(dict.value(u"DE"_s).order, germanOrder);
    QCOMPARE(table.at(germanyAt - 1).countryCode, tableBefore.at(germanyAt - 1).countryCode);

    // A code the table did not have reaches the lookups only.
    QVERIFY(std::none_of(table.cbegin(), table.cend(),
                         [](const AddressFormatEntry& entry) { return entry.countryCode == u"QQ"; }));
    QCOMPARE(dict.size(), tableBefore.size() + 1);
    QCOMPARE(AddressFormats::addressFormatsOrder(u"qq"_s, {}, u"US"_s), (QStringList{u"qq"_s, u"City"_s, u"Street"_s}));
    QCOMPARE(AddressFormats::addressFormatsOrder(u"DE"_s, {}, u"US"_s), QStringList{u"DE"_s} + germanOrder);
}

void TestAddressFormats::invalidJsonKeepsTable()
{
    const qsizetype size = AddressFormats::addressFormatTable().size();
    QVERIFY(!AddressFormats::loadFromJson("{\"AddressFormat\": [ {\"CountryCode\": "));
    QCOMPARE(AddressFormats::addressFormatTable().size(), size);
    QCOMPARE(AddressFormats::addressFormatsOrder(u"DE"_s, {}, {}),
             (QStringList{u"DE"_s, u"Street"_s, u"ZIP"_s, u"City"_s, u"Country"_s}));
}

QTEST_GUILESS_MAIN(TestAddressFormats)
#include "tst_addressformats.moc"
