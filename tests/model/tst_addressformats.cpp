#include "TestSupport.h"
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
    QFile file(DataFiles::locate(u"AddressFormat.json"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QJsonObject formatEntry(const QString& code, const QString& country, const QString& alpha3, const QString& format)
{
    return QJsonObject{{u"CountryCode"_s, code},
                       {u"Country"_s, country},
                       {u"Alpha3"_s, alpha3},
                       {u"formatString"_s, format}};
}

QByteArray tableJson(const QJsonArray& entries)
{
    return QJsonDocument(QJsonObject{{u"AddressFormat"_s, entries}}).toJson();
}

/// An address from "street|city|state|zip|country|code".
PostalAddress address(const QString& parts)
{
    const QStringList part = parts.split(u'|');
    PostalAddress result;
    result.setStreet(part.value(0));
    result.setCity(part.value(1));
    result.setState(part.value(2));
    result.setZip(part.value(3));
    result.setCountry(part.value(4));
    result.setCountryCode(part.value(5));
    return result;
}

const QStringList fallbackOrder{u"Street"_s, u"City"_s, u"State"_s, u"ZIP"_s, u"Country"_s};

} // namespace

class TestAddressFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // Every test starts from the shipped table, whatever an earlier test merged or loaded.
        const QByteArray json = shippedTable();
        QVERIFY(!json.isEmpty());
        QVERIFY(AddressFormats::loadFromJson(json));
    }

    void shippedTableIsComplete()
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

    void shippedSubdivisions()
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

    void addressFormatsOrder_data()
    {
        Test::addColumns<QString, QString, QString, QStringList>("code", "country", "defaultCode", "expected");

        const auto row = [](const char* name, const char* code, const char* country, const char* defaultCode,
                            const QString& first, const QStringList& order) {
            QTest::newRow(name) << QString::fromUtf8(code) << QString::fromUtf8(country)
                                << QString::fromUtf8(defaultCode) << QStringList{first} + order;
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
    void addressFormatsOrder()
    {
        QFETCH(QString, code);
        QFETCH(QString, country);
        QFETCH(QString, defaultCode);

        QTEST(AddressFormats::addressFormatsOrder(code, country, defaultCode), "expected");
    }

    void predictCountryCode_data()
    {
        Test::addColumns<QString, QString>("text", "expected");

        // A name, a code or an alpha-3 code as the table writes it, or an adjective of the country.
        const std::pair<const char*, const char*> rows[] = {
            {"Japan", "JP"}, {"South Korea", "KR"}, {"DE", "DE"},        {"FRA", "FR"},
            {"日本", "JP"},  {"française", "FR"},   {"FRANÇAISE", "FR"}, {"japan", ""},
            {"jp", ""},      {" Japan", ""},        {"Atlantis", ""},    {"", ""},
        };
        for (const auto& [text, code] : rows)
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << QString::fromUtf8(code);
    }
    void predictCountryCode()
    {
        QFETCH(QString, text);

        QTEST(AddressFormats::predictCountryCode(text), "expected");
    }

    void predictLocalizedCountryName()
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

    void addressText_data()
    {
        Test::addColumns<PostalAddress, QString, QString>("address", "defaultCode", "expected");

        const auto row = [](const char* name, const char* parts, const char* defaultCode, const char* expected) {
            QTest::newRow(name) << address(QString::fromUtf8(parts)) << QString::fromUtf8(defaultCode)
                                << QString::fromUtf8(expected);
        };
        row("US", "1 Main St|Springfield|IL|62701|United States|us", "JP",
            "1 Main St Springfield IL 62701 United States");
        row("DE", "Unter den Linden 77|Berlin||10117|Germany|DE", "US", "Unter den Linden 77 10117 Berlin Germany");
        row("JP, lower-case code", "千代田1-1|千代田区|東京都|100-0001|日本|jp", "US",
            "100-0001 東京都 千代田区 千代田1-1 日本");
        row("JP without country has no trailing space", "千代田1-1|千代田区|東京都|100-0001||JP", "US",
            "100-0001 東京都 千代田区 千代田1-1");
        row("only a city", "|Paris||||FR", "US", "Paris");
        row("only a city, nothing else", "|Paris", "US", "Paris");
        row("no code nor country: default code's order", "Hauptstr. 1|Köln|NRW|50667||", "DE",
            "Hauptstr. 1 50667 Köln");
        row("country name without code", "Hauptstr. 1|Köln||50667|Germany|", "US", "Hauptstr. 1 50667 Köln Germany");
        row("state left out where the country has none", "Rue de Rivoli 1|Paris|IDF|75001||FR", "US",
            "Rue de Rivoli 1 75001 Paris");
        row("unknown code: fallback order", "Street|City|State|ZIP|Country|XX", "US", "Street City State ZIP Country");
        row("empty address", "", "US", "");
        row("a part's own spaces are kept", " 1 Main St |Springfield||||us", "US", " 1 Main St  Springfield");
    }
    void addressText()
    {
        QFETCH(PostalAddress, address);
        QFETCH(QString, defaultCode);

        QTEST(AddressFormats::addressText(address, defaultCode), "expected");
    }

    void addressTextOfOtherTables_data()
    {
        // code: the table's one entry; none when empty
        Test::addColumns<QString, QString, PostalAddress, QString, QString>("code", "format", "address", "defaultCode",
                                                                            "expected");
        const auto row = [](const char* name, const char* code, const char* format, const char* parts,
                            const char* defaultCode, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(code) << QString::fromUtf8(format)
                                << address(QString::fromUtf8(parts)) << QString::fromUtf8(defaultCode)
                                << QString::fromUtf8(expected);
        };
        const char* japan = "千代田1-1|千代田区|東京都|100-0001|日本|";
        const char* springfield = "1 Main St|Springfield|IL|62701||";
        row("the Japanese layout needs no Japanese entry", "US", "Street\nCity State ZIP\nCountry",
            "千代田1-1|千代田区|東京都|100-0001|Japan|jp", "US", "100-0001 東京都 千代田区 千代田1-1 Japan");
        // The fixed Japanese layout depends on the address's own code; a predicted one picks the table's order.
        row("a predicted code takes the table's order", "JP", "Street City\nState ZIP\nCountry", japan, "US",
            "千代田1-1 千代田区 東京都 100-0001 日本");
        row("the address's own code takes the Japanese layout", "JP", "Street City\nState ZIP\nCountry",
            "千代田1-1|千代田区|東京都|100-0001|日本|JP", "US", "100-0001 東京都 千代田区 千代田1-1 日本");
        row("a default code without an entry falls back", "DE", "Street\nZIP City\nCountry", springfield, "US",
            "1 Main St Springfield IL 62701");
        row("a default code with an entry", "DE", "Street\nZIP City\nCountry", springfield, "DE",
            "1 Main St 62701 Springfield");
        row("no table: the fallback order", "", "", springfield, "DE", "1 Main St Springfield IL 62701");
        row("marks and unknown words ignored", "DE", "\u200EZIP\u200E City\n\n\tStreet Postfach\nCountry",
            "Hauptstr. 1|Köln||50667||DE", "US", "50667 Köln Hauptstr. 1");
    }
    void addressTextOfOtherTables()
    {
        QFETCH(QString, code);
        QFETCH(QString, format);
        const QHash<QString, std::pair<QString, QString>> countries{{u"US"_s, {u"United States"_s, u"USA"_s}},
                                                                    {u"JP"_s, {u"Japan"_s, u"JPN"_s}},
                                                                    {u"DE"_s, {u"Germany"_s, u"DEU"_s}}};
        QJsonArray entries;
        if (!code.isEmpty())
            entries.append(formatEntry(code, countries.value(code).first, countries.value(code).second, format));
        QVERIFY(AddressFormats::loadFromJson(tableJson(entries)));
        QCOMPARE(AddressFormats::addressFormatTable().size(), entries.size());
        QFETCH(PostalAddress, address);
        QFETCH(QString, defaultCode);
        QTEST(AddressFormats::addressText(address, defaultCode), "expected");
    }

    void replacementMergesIntoTable()
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
        QCOMPARE(AddressFormats::addressFormatsOrder(u"qq"_s, {}, u"US"_s),
                 (QStringList{u"qq"_s, u"City"_s, u"Street"_s}));
        QCOMPARE(AddressFormats::addressFormatsOrder(u"DE"_s, {}, u"US"_s), QStringList{u"DE"_s} + germanOrder);
    }

    void invalidJsonKeepsTable()
    {
        const qsizetype size = AddressFormats::addressFormatTable().size();
        QVERIFY(!AddressFormats::loadFromJson("{\"AddressFormat\": [ {\"CountryCode\": "));
        QCOMPARE(AddressFormats::addressFormatTable().size(), size);
        QCOMPARE(AddressFormats::addressFormatsOrder(u"DE"_s, {}, {}),
                 (QStringList{u"DE"_s, u"Street"_s, u"ZIP"_s, u"City"_s, u"Country"_s}));
    }
};

QTEST_GUILESS_MAIN(TestAddressFormats)
#include "tst_addressformats.moc"
