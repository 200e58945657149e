#include "TestSupport.h"
#include "editors/ZipDatabase.h"
#include "support/Charset.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

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
const QString ResidentialCsv = QString::fromUtf8(Test::readData(QStringLiteral("editors/residential.csv")));
const QString BusinessCsv = QString::fromUtf8(Test::readData(QStringLiteral("editors/business.csv")));

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
    void initTestCase();

    void formatZIP_data();
    void formatZIP();
    void stripDoublequote_data();
    void stripDoublequote();
    void gzipInflate_data();
    void gzipInflate();
    void dictionariesFromFindLines();

    void addressesFromZip_data();
    void addressesFromZip();
    void residentialRecord();
    void businessRecord();
    void unreadableFilesAreLeftOut();

    void shippedTable_data();
    void shippedTable();
    void shippedTableResidentialFirst();

private:
    QString writeFile(const QString& name, const QByteArray& data);

    QTemporaryDir m_dir;
    ZipDatabase m_database;
};

QString TestZipDatabase::writeFile(const QString& name, const QByteArray& data)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestZipDatabase::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = ZipDatabase(writeFile(QStringLiteral("ken_all.gzip"), shiftJisGzip(ResidentialCsv)),
                             writeFile(QStringLiteral("jigyosyo.gzip"), shiftJisGzip(BusinessCsv)));
    QCOMPARE(m_database.texts().size(), 2);
}

void TestZipDatabase::formatZIP_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* zip, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(zip) << QString::fromUtf8(expected);
    };
    row("seven digits", "1000001", "100-0001");
    row("three digits", "100", "100-");
    row("two characters stay", "10", "10");
    row("empty stays", "", "");
}

void TestZipDatabase::formatZIP()
{
    QFETCH(QString, zip);
    QFETCH(QString, expected);
    QCOMPARE(ZipDatabase::formatZIP(zip), expected);
}

void TestZipDatabase::stripDoublequote_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* text, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(expected);
    };
    row("quoted", "\"千代田\"", "千代田");
    row("leading quote only", "\"abc", "abc");
    row("trailing quote only", "abc\"", "abc");
    row("one quote removed at each end", "\"\"a\"\"", "\"a\"");
    row("unquoted", "abc", "abc");
    row("empty quoted field", "\"\"", "");
    row("two characters stay", "\"a", "\"a");
    row("lone quote stays", "\"", "\"");
}

void TestZipDatabase::stripDoublequote()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ZipDatabase::stripDoublequote(text), expected);
}

void TestZipDatabase::gzipInflate_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

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

void TestZipDatabase::gzipInflate()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    if (expected.isEmpty() && !input.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR gzipInflate")));
    QCOMPARE(ZipDatabase::gzipInflate(input), expected);
}

void TestZipDatabase::dictionariesFromFindLines()
{
    const QStringList lines{
        QStringLiteral("K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",\n"),
        QString(),
        QStringLiteral("\n"),
        QStringLiteral("X,\"1000001\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\","),
        QStringLiteral("K,\"1000002\",\"ﾄｳｷｮｳﾄ\""),
        QStringLiteral("J,\"\",\"会社\",\"東京都\",\"千代田区\",\"千代田\",\"１－１\",\"1008111\","),
    };
    const QList<ZipAddress> addresses = ZipDatabase::dictionariesFromFindLines(lines);
    QCOMPARE(addresses.size(), 3);
    QCOMPARE(addresses.at(0),
             residential("100-0001", QStringLiteral("東京都"), QStringLiteral("千代田区"), QStringLiteral("千代田"),
                         QStringLiteral("ﾁﾖﾀﾞｸ"), QStringLiteral("ﾁﾖﾀﾞ")));
    // Missing fields read as empty.
    QCOMPARE(addresses.at(1), residential("100-0002", {}, {}, {}, {}, {}));
    QCOMPARE(addresses.at(2).company, QStringLiteral("会社"));
    QCOMPARE(addresses.at(2).phoneticCompany, QString());
    QCOMPARE(addresses.at(2).street, QStringLiteral("千代田１－１"));
}

void TestZipDatabase::addressesFromZip_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QStringList>("zips");
    const QStringList chiyoda{QStringLiteral("100-0001")};
    QTest::newRow("seven digits") << "1000001" << chiyoda;
    QTest::newRow("hyphen after the third digit") << "100-0001" << chiyoda;
    QTest::newRow("several town areas") << "586-0001" << QStringList{"586-0001", "586-0001"};
    // List order, not code order; the kana "1005ｼﾞｮｳ" of 067-0011 is no code.
    QTest::newRow("three digits find the prefix") << "100" << QStringList{"100-0005", "100-0000", "100-0001"};
    QTest::newRow("prefix with hyphen") << "100-000" << QStringList{"100-0005", "100-0000", "100-0001"};
    QTest::newRow("business code") << "100-8111" << QStringList{"100-8111"};
    // Anything but three digits, an optional hyphen and up to four digits finds nothing.
    for (const char* zip : {"999-9999", "10", "", "10000011", "100-000a", "1000-001", " 100-0001", "１００－０００１"})
        QTest::addRow("no match: '%s'", zip) << QString::fromUtf8(zip) << QStringList();
}

void TestZipDatabase::addressesFromZip()
{
    QFETCH(QString, zip);
    QFETCH(QStringList, zips);
    QCOMPARE(zipsOf(m_database.addressesFromZip(zip)), zips);
}

void TestZipDatabase::residentialRecord()
{
    // 100-0001 is in both lists: the residential list answers and the business list is not consulted.
    const QList<ZipAddress> found = m_database.addressesFromZip(QStringLiteral("100-0001"));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first(),
             residential("100-0001", QStringLiteral("東京都"), QStringLiteral("千代田区"), QStringLiteral("千代田"),
                         QStringLiteral("ﾁﾖﾀﾞｸ"), QStringLiteral("ﾁﾖﾀﾞ")));
    const QList<ZipAddress> catchAll = m_database.addressesFromZip(QStringLiteral("1000000"));
    QCOMPARE(catchAll.size(), 1);
    QCOMPARE(catchAll.first().street, QStringLiteral("以下に掲載がない場合"));
}

void TestZipDatabase::businessRecord()
{
    const QList<ZipAddress> found = m_database.addressesFromZip(QStringLiteral("1008111"));
    QCOMPARE(found.size(), 1);
    ZipAddress expected;
    expected.zip = QStringLiteral("100-8111");
    expected.state = QStringLiteral("東京都");
    expected.city = QStringLiteral("千代田区");
    expected.street = QStringLiteral("千代田１－１"); // town area and street number, no separator
    expected.company = QStringLiteral("宮内庁");
    expected.phoneticCompany = QStringLiteral("ｸﾅｲﾁｮｳ");
    QCOMPARE(found.first(), expected);
}

void TestZipDatabase::unreadableFilesAreLeftOut()
{
    const QString business = writeFile(QStringLiteral("business.gzip"), shiftJisGzip(BusinessCsv));
    const QString corrupt = writeFile(QStringLiteral("corrupt.gzip"), shiftJisGzip(ResidentialCsv).chopped(20));
    const QString notCsv = writeFile(QStringLiteral("not-csv.gzip"), gzipMember("no,records\r\n"));
    const QString missing = m_dir.filePath(QStringLiteral("missing.gzip"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR zipdb .*missing.gzip")));
    const ZipDatabase withoutResidential(missing, business);
    QCOMPARE(withoutResidential.texts().size(), 1);
    QCOMPARE(zipsOf(withoutResidential.addressesFromZip(QStringLiteral("100-0001"))), QStringList{"100-0001"});
    QCOMPARE(withoutResidential.addressesFromZip(QStringLiteral("100-0001")).first().company,
             QStringLiteral("丸の内商事"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR gzipInflate")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR zipdb .*corrupt.gzip")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ERROR zipdb .*not-csv.gzip")));
    const ZipDatabase broken(corrupt, notCsv);
    QVERIFY(broken.texts().isEmpty());
    QVERIFY(broken.addressesFromZip(QStringLiteral("100-0001")).isEmpty());

    QVERIFY(ZipDatabase().addressesFromZip(QStringLiteral("100-0001")).isEmpty());
}

void TestZipDatabase::shippedTable_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QStringList>("address"); // state, city, street and company of the first match
    QTest::addColumn<int>("count");
    QTest::newRow("Chiyoda") << "100-0001" << QStringList{"東京都", "千代田区", "千代田", ""} << 1;
    QTest::newRow("catch-all record") << "1000000" << QStringList{"東京都", "千代田区", "以下に掲載がない場合", ""}
                                      << 1;
    QTest::newRow("several town areas") << "5860001" << QStringList{"大阪府", "河内長野市", "木戸", ""} << 2;
    QTest::newRow("business") << "100-8111" << QStringList{"東京都", "千代田区", "千代田１－１", "宮内庁"} << 1;
    QTest::newRow("Sapporo") << "060-0000" << QStringList{"北海道", "札幌市中央区", "以下に掲載がない場合", ""} << 1;
}

void TestZipDatabase::shippedTable()
{
    QFETCH(QString, zip);
    QFETCH(QStringList, address);
    QFETCH(int, count);
    QCOMPARE(ZipDatabase::zipdb().texts().size(), 2);
    const QList<ZipAddress> found = ZipDatabase::zipdb().addressesFromZip(zip);
    QCOMPARE(found.size(), count);
    const ZipAddress& first = found.first();
    QCOMPARE(QStringList({first.state, first.city, first.street, first.company}), address);
    QCOMPARE(found.first().zip, ZipDatabase::formatZIP(QString(zip).remove(u'-')));
}

void TestZipDatabase::shippedTableResidentialFirst()
{
    // The prefix 100 has residential records, so its business codes (100-8111 ...) are not listed.
    const QList<ZipAddress> found = ZipDatabase::zipdb().addressesFromZip(QStringLiteral("100"));
    QVERIFY(found.size() > 10);
    for (const ZipAddress& address : found) {
        QVERIFY2(address.zip.startsWith(u"100-"), qPrintable(address.zip));
        QVERIFY2(address.company.isEmpty(), qPrintable(address.company));
    }
    // A prefix only businesses use reaches the business list.
    const QList<ZipAddress> business = ZipDatabase::zipdb().addressesFromZip(QStringLiteral("100-81"));
    QVERIFY(!business.isEmpty());
    QVERIFY(!business.first().company.isEmpty());
}

QTEST_GUILESS_MAIN(TestZipDatabase)
#include "tst_zipdatabase.moc"
