#include "TestSupport.h"
#include "editors/ZipDatabase.h"
#include "support/Charset.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

quint32 crc32Of(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendLittleEndian(QByteArray& out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// qCompress writes a 4-byte length and then a zlib stream.
QByteArray zlibStream(const QByteArray& data)
{
    return qCompress(data, 9).mid(4);
}

// A gzip member around the deflate data of the zlib stream (without its 2-byte header and Adler-32).
QByteArray gzipMember(const QByteArray& data)
{
    const QByteArray zlib = zlibStream(data);
    QByteArray out = QByteArray::fromHex("1f8b0800000000000003");
    out += zlib.mid(2, zlib.size() - 6);
    appendLittleEndian(out, crc32Of(data));
    appendLittleEndian(out, quint32(data.size()));
    return out;
}

QByteArray shiftJisGzip(const QString& csv)
{
    return gzipMember(Charset::encode(csv, "windows-31j"));
}

// Japan Post's layouts (tests/data/editors), with a kana field that starts with digits (as "1ｼﾞｮｳ"
// does) and lines that are not records.
const QString ResidentialCsv = QString::fromUtf8(Test::readData(u"editors/residential.csv"_s));
const QString BusinessCsv = QString::fromUtf8(Test::readData(u"editors/business.csv"_s));

ZipAddress residential(const char* zip, const QString& state, const QString& city, const QString& street,
                       const QString& phoneticCity, const QString& phoneticStreet)
{
    ZipAddress address;
    address.zip = QLatin1StringView(zip);
    address.state = state;
    address.city = city;
    address.street = street;
    address.phoneticCity = phoneticCity;
    address.phoneticStreet = phoneticStreet;
    return address;
}

QStringList zipsOf(const QList<ZipAddress>& addresses)
{
    QStringList zips;
    for (const ZipAddress& address : addresses)
        zips.append(address.zip);
    return zips;
}

} // namespace

class TestZipDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_database = ZipDatabase(writeFile(u"ken_all.gzip"_s, shiftJisGzip(ResidentialCsv)),
                                 writeFile(u"jigyosyo.gzip"_s, shiftJisGzip(BusinessCsv)));
        QCOMPARE(m_database.texts().size(), 2);
    }

    void stripDoublequote()
    {
        // One quote comes off each end, never more, and a field too short to be quoted stays as it is.
        const std::pair<const char*, const char*> cases[] = {
            {"\"千代田\"", "千代田"}, {"\"abc", "abc"}, {"abc\"", "abc"}, {"\"\"a\"\"", "\"a\""}, {"\"\"", ""},
            {"\"a", "\"a"},           {"\"", "\""}};
        for (const auto& [text, expected] : cases)
            QCOMPARE(ZipDatabase::stripDoublequote(QString::fromUtf8(text)), QString::fromUtf8(expected));
    }

    void gzipInflate_data()
    {
        Test::addColumns<QByteArray, QByteArray>("input", "expected");

        const QByteArray text = Charset::encode(ResidentialCsv, "windows-31j");
        const QByteArray gzip = gzipMember(text);
        QByteArray badCrc = gzip;
        badCrc[badCrc.size() - 8] = char(badCrc.at(badCrc.size() - 8) ^ 0x01);
        QByteArray badBlock = gzip;
        badBlock[10] = char(0xFF); // an invalid deflate block type

        QTest::newRow("gzip") << gzip << text;
        QTest::newRow("zlib") << zlibStream(text) << text;
        QTest::newRow("highly compressible") << gzipMember(QByteArray(4 << 20, 'x')) << QByteArray(4 << 20, 'x');
        QTest::newRow("trailing bytes after the stream") << gzip + "junk" << text;
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("truncated gzip") << gzip.left(gzip.size() / 2) << QByteArray();
        QTest::newRow("gzip without its trailer") << gzip.chopped(8) << QByteArray();
        QTest::newRow("wrong checksum") << badCrc << QByteArray();
        QTest::newRow("corrupt block") << badBlock << QByteArray();
        QTest::newRow("header only") << gzip.left(10) << QByteArray();
        QTest::newRow("not compressed") << QByteArray("plain text, not compressed") << QByteArray();
    }
    void gzipInflate()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        if (expected.isEmpty() && !input.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ERROR gzipInflate"_s));
        QCOMPARE(ZipDatabase::gzipInflate(input), expected);
    }

    void dictionariesFromFindLines()
    {
        const QStringList lines{
            u"K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",\n"_s,
            QString(),
            u"\n"_s,
            u"X,\"1000001\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\","_s,
            u"K,\"1000002\",\"ﾄｳｷｮｳﾄ\""_s,
            u"J,\"ｶｲｼｬ\",\"会社\",\"東京都\",\"千代田区\",\"千代田\",\"１－１\",\"1008111\","_s,
        };
        const QList<ZipAddress> addresses = ZipDatabase::dictionariesFromFindLines(lines);
        QCOMPARE(addresses.size(), 3);
        QCOMPARE(addresses.at(0),
                 residential("100-0001", u"東京都"_s, u"千代田区"_s, u"千代田"_s, u"ﾁﾖﾀﾞｸ"_s, u"ﾁﾖﾀﾞ"_s));
        // Missing fields read as empty.
        QCOMPARE(addresses.at(1), residential("100-0002", {}, {}, {}, {}, {}));
        QCOMPARE(addresses.at(2).company, u"会社"_s);
        QCOMPARE(addresses.at(2).phoneticCompany, u"ｶｲｼｬ"_s);
        QCOMPARE(addresses.at(2).street, u"千代田１－１"_s);
    }

    void addressesFromZip_data()
    {
        Test::addColumns<QString, QStringList>("zip", "zips");
        const QStringList chiyoda{u"100-0001"_s};
        // 100-0001 is in both lists: the residential list answers and the business list is not consulted.
        QTest::newRow("seven digits") << "1000001" << chiyoda;
        QTest::newRow("hyphen after the third digit") << "100-0001" << chiyoda;
        QTest::newRow("several town areas") << "586-0001" << QStringList{"586-0001", "586-0001"};
        // List order, not code order; the kana "1005ｼﾞｮｳ" of 067-0011 is no code.
        QTest::newRow("three digits find the prefix") << "100" << QStringList{"100-0005", "100-0000", "100-0001"};
        QTest::newRow("prefix with hyphen") << "100-000" << QStringList{"100-0005", "100-0000", "100-0001"};
        QTest::newRow("business code") << "100-8111" << QStringList{"100-8111"};
        // Anything but three digits, an optional hyphen and up to four digits finds nothing.
        for (const char* zip :
             {"999-9999", "10", "", "10000011", "100-000a", "1000-001", " 100-0001", "１００－０００１"})
            QTest::addRow("no match: '%s'", zip) << QString::fromUtf8(zip) << QStringList();
    }
    void addressesFromZip()
    {
        QFETCH(QString, zip);
        QTEST(zipsOf(m_database.addressesFromZip(zip)), "zips");
    }

    void unreadableFilesAreLeftOut()
    {
        const QString business = writeFile(u"business.gzip"_s, shiftJisGzip(BusinessCsv));
        const QString corrupt = writeFile(u"corrupt.gzip"_s, shiftJisGzip(ResidentialCsv).chopped(20));
        const QString notCsv = writeFile(u"not-csv.gzip"_s, gzipMember("no,records\r\n"));
        const QString missing = m_dir.filePath(u"missing.gzip"_s);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ERROR zipdb .*missing.gzip"_s));
        const ZipDatabase withoutResidential(missing, business);
        QCOMPARE(withoutResidential.texts().size(), 1);
        QCOMPARE(zipsOf(withoutResidential.addressesFromZip(u"100-0001"_s)), QStringList{"100-0001"});
        QCOMPARE(withoutResidential.addressesFromZip(u"100-0001"_s).first().company, u"丸の内商事"_s);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ERROR gzipInflate"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ERROR zipdb .*corrupt.gzip"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^ERROR zipdb .*not-csv.gzip"_s));
        const ZipDatabase broken(corrupt, notCsv);
        QVERIFY(broken.texts().isEmpty());
        QVERIFY(broken.addressesFromZip(u"100-0001"_s).isEmpty());

        QVERIFY(ZipDatabase().addressesFromZip(u"100-0001"_s).isEmpty());
    }

    void shippedTable_data()
    {
        // address: state, city, street and company of the first match
        Test::addColumns<QString, QStringList, int>("zip", "address", "count");
        QTest::newRow("Chiyoda") << "100-0001" << QStringList{"東京都", "千代田区", "千代田", ""} << 1;
        QTest::newRow("catch-all record")
            << "1000000" << QStringList{"東京都", "千代田区", "以下に掲載がない場合", ""} << 1;
        QTest::newRow("several town areas") << "5860001" << QStringList{"大阪府", "河内長野市", "木戸", ""} << 2;
        QTest::newRow("business") << "100-8111" << QStringList{"東京都", "千代田区", "千代田１－１", "宮内庁"} << 1;
        QTest::newRow("Sapporo") << "060-0000" << QStringList{"北海道", "札幌市中央区", "以下に掲載がない場合", ""}
                                 << 1;
    }
    void shippedTable()
    {
        QFETCH(QString, zip);
        QCOMPARE(ZipDatabase::zipdb().texts().size(), 2);
        const QList<ZipAddress> found = ZipDatabase::zipdb().addressesFromZip(zip);
        QTEST(int(found.size()), "count");
        const ZipAddress& first = found.first();
        QTEST(QStringList({first.state, first.city, first.street, first.company}), "address");
        QCOMPARE(found.first().zip, ZipDatabase::formatZIP(QString(zip).remove(u'-')));
    }

    void shippedTableResidentialFirst()
    {
        // The prefix 100 has residential records, so its business codes (100-8111 ...) are not listed.
        const QList<ZipAddress> found = ZipDatabase::zipdb().addressesFromZip(u"100"_s);
        QVERIFY(found.size() > 10);
        for (const ZipAddress& address : found) {
            QVERIFY2(address.zip.startsWith(u"100-"), qPrintable(address.zip));
            QVERIFY2(address.company.isEmpty(), qPrintable(address.company));
        }
        // A prefix only businesses use reaches the business list.
        const QList<ZipAddress> business = ZipDatabase::zipdb().addressesFromZip(u"100-81"_s);
        QVERIFY(!business.isEmpty());
        QVERIFY(!business.first().company.isEmpty());
    }

private:
    QString writeFile(const QString& name, const QByteArray& data)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
    ZipDatabase m_database;
};

QTEST_GUILESS_MAIN(TestZipDatabase)
#include "tst_zipdatabase.moc"
