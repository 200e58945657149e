#include "TestSupport.h"
#include "documents/ContactFileReader.h"
#include "formats/TextDecoding.h"
#include "formats/TextEncodings.h"
#include "support/Charset.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using Method = TextDecoding::DetectionMethod;

static QByteArray largeUtf8Text()
{
    const QByteArray card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:髙橋 一郎 – Zoë Müller\r\n"
                                           "NOTE:ご連絡は平日にお願いします。Иван Петров\r\nEND:VCARD\r\n")
                                .toUtf8();
    return card.repeated(20000);
}

class TestTextEncodings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wellKnownEncodings_data()
    {
        QTest::addColumn<QByteArray>("alias");
        QTest::addColumn<quint32>("number");
        QTest::addColumn<QByteArray>("icuName");
        QTest::addColumn<QString>("displayName");

        auto row = [](const char* tag, const char* alias, quint32 number, const char* icuName, const char* name) {
            QTest::newRow(tag) << QByteArray(alias) << number << QByteArray(icuName) << QString::fromUtf8(name);
        };
        // Names other programs write for an encoding lead to its entry; the numbers are kept by settings.
        row("utf-8", "utf8", 4, "UTF-8", "Unicode (UTF-8)");
        row("utf-16be", "UnicodeBigUnmarked", 0x90000100, "UTF-16BE", "Unicode (UTF-16BE)");
        row("windows latin 1", "cp1252", 12, "windows-1252", "Western (Windows Latin 1)");
        row("ascii", "ANSI_X3.4-1968", 1, "US-ASCII", "Western (ASCII)");
        row("shift jis is read as windows-31j", "Shift_JIS", 8, "windows-31j", "Japanese (Shift JIS)");
        row("sjis", "SJIS", 8, "windows-31j", "Japanese (Shift JIS)");
        row("ms932", "MS932", 8, "windows-31j", "Japanese (Shift JIS)");
        row("iso-2022-jp", "csISO2022JP", 21, "ISO-2022-JP", "Japanese (ISO 2022-JP)");
        row("big5", "csBig5", 0x80000A03, "Big5", "Traditional Chinese (Big 5)");
        row("koi8-r", "koi8", 0x80000A02, "KOI8-R", "Cyrillic (KOI8-R)");
    }

    void wellKnownEncodings()
    {
        QFETCH(QByteArray, alias);
        QFETCH(quint32, number);
        QFETCH(QByteArray, icuName);
        QFETCH(QString, displayName);

        const TextEncodings::Encoding* byNumber = TextEncodings::byNumber(number);
        QVERIFY(byNumber);
        QCOMPARE(byNumber->icuName, icuName);
        QCOMPARE(byNumber->displayName(), displayName);
        QCOMPARE(TextEncodings::byIcuName(alias), byNumber);
        QCOMPARE(TextEncodings::byDisplayName(displayName.toUpper()), byNumber);
    }

    void tableIsConsistent()
    {
        QSet<quint32> numbers;
        QSet<QString> names;
        for (const TextEncodings::Encoding& encoding : TextEncodings::available()) {
            QVERIFY2(Charset::isSupported(encoding.icuName), encoding.icuName.constData());
            QVERIFY(encoding.number != TextEncodings::Automatic);
            QVERIFY2(!numbers.contains(encoding.number), encoding.englishName);
            QVERIFY2(!names.contains(encoding.displayName()), encoding.englishName);
            numbers.insert(encoding.number);
            names.insert(encoding.displayName());
            // Each entry is its own converter, so a name found in a file leads back to exactly one entry.
            QCOMPARE(TextEncodings::byIcuName(encoding.icuName), &encoding);
        }
        QVERIFY(TextEncodings::available().size() > 60);
    }

    void unknownLookups()
    {
        QCOMPARE(TextEncodings::byNumber(TextEncodings::Automatic), nullptr);
        QCOMPARE(TextEncodings::byNumber(0x7777), nullptr);
        QCOMPARE(TextEncodings::byIcuName("no-such-charset"), nullptr);
        QCOMPARE(TextEncodings::byDisplayName(u"Klingon (KOI-K)"), nullptr);
        // An ICU converter outside the curated table.
        QVERIFY(Charset::isSupported("ibm-943_P130-1999"));
        QCOMPARE(TextEncodings::byIcuName("ibm-943_P130-1999"), nullptr);
        // Entries whose converter this ICU lacks are left out, not renumbered.
        QCOMPARE(TextEncodings::byNumber(0x80000210) != nullptr, Charset::isSupported("ISO-8859-16"));
        QCOMPARE(TextEncodings::displayNameForIcuName("WINDOWS-1251"), QStringLiteral("Cyrillic (Windows)"));
        QCOMPARE(TextEncodings::displayNameForIcuName("x-unknown"), QStringLiteral("x-unknown"));
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QByteArray>("encoding"); // empty: an error

        QTest::newRow("auto") << QStringLiteral("auto") << QByteArray("auto");
        QTest::newRow("AUTO") << QStringLiteral("AUTO") << QByteArray("auto");
        QTest::newRow("nothing") << QString() << QByteArray("auto");
        QTest::newRow("Automatic") << QStringLiteral("Automatic") << QByteArray("auto");
        QTest::newRow("number 0") << QStringLiteral("0") << QByteArray("auto");
        QTest::newRow("number 4") << QStringLiteral("4") << QByteArray("UTF-8");
        QTest::newRow("hex number") << QStringLiteral("0x90000100") << QByteArray("UTF-16BE");
        QTest::newRow("display name") << QStringLiteral("Japanese (Shift JIS)") << QByteArray("windows-31j");
        QTest::newRow("display name, other case") << QStringLiteral(" cyrillic (koi8-r) ") << QByteArray("KOI8-R");
        QTest::newRow("alias of a table entry") << QStringLiteral("sjis") << QByteArray("windows-31j");
        QTest::newRow("alias of latin 1") << QStringLiteral("l1") << QByteArray("ISO-8859-1");
        QTest::newRow("ICU converter outside the table")
            << QStringLiteral("ibm-943_P130-1999") << QByteArray("ibm-943_P130-1999");
        QTest::newRow("unknown number") << QStringLiteral("12345") << QByteArray();
        QTest::newRow("unknown name") << QStringLiteral("bogus-8") << QByteArray();
        QTest::newRow("not ASCII") << QStringLiteral("日本語") << QByteArray();
    }

    void resolve()
    {
        QFETCH(QString, argument);
        QFETCH(QByteArray, encoding);

        const TextEncodings::Resolution resolution = TextEncodings::resolve(argument);
        QCOMPARE(resolution.ok(), !encoding.isEmpty());
        QCOMPARE(resolution.encoding, encoding);
        if (encoding.isEmpty())
            QVERIFY(resolution.errorString.contains(argument.trimmed()));
    }

    void strictReading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<qsizetype>("errorOffset");
        QTest::addColumn<QString>("displayName");

        const QByteArray western = Test::readData(QStringLiteral("formats/encodings/windows-1252.vcf"));
        QTest::newRow("Windows Latin 1 file read as UTF-8")
            << western << QByteArray("UTF-8") << qsizetype(29) << QStringLiteral("Unicode (UTF-8)");
        QTest::newRow("UTF-8 read as ASCII") << QByteArray("FN:Zo\xC3\xAB") << QByteArray("US-ASCII") << qsizetype(5)
                                             << QStringLiteral("Western (ASCII)");
        QTest::newRow("Shift JIS lead byte before a space") << QByteArray("FN:\x81\x20") << QByteArray("Shift_JIS")
                                                            << qsizetype(3) << QStringLiteral("Japanese (Shift JIS)");
        QTest::newRow("Shift JIS cut after a lead byte") << QByteArray("FN:\x82\xA0\x82") << QByteArray("Shift_JIS")
                                                         << qsizetype(5) << QStringLiteral("Japanese (Shift JIS)");
        QTest::newRow("byte Shift JIS never uses") << QByteArray("ok\xFF") << QByteArray("windows-31j") << qsizetype(2)
                                                   << QStringLiteral("Japanese (Shift JIS)");
        QTest::newRow("EUC-JP lead byte before a line break") << QByteArray("FN:\xA4\xA2\xA4\n") << QByteArray("EUC-JP")
                                                              << qsizetype(5) << QStringLiteral("Japanese (EUC)");
    }

    void strictReading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, encoding);
        QFETCH(qsizetype, errorOffset);
        QFETCH(QString, displayName);

        const TextDecoding::DecodedText decoded = TextDecoding::toUtf8(bytes, encoding);
        QVERIFY(!decoded.ok());
        QCOMPARE(decoded.errorOffset, errorOffset);
        QVERIFY2(decoded.errorString.contains(displayName), qPrintable(decoded.errorString));
        QVERIFY2(decoded.errorString.contains(QString::number(errorOffset)), qPrintable(decoded.errorString));
    }

    void detection_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<quint32>("number");
        QTest::addColumn<Method>("method"); // Detector also stands for the windows-31j retry

        // The samples are written by tests/data/formats/encodings/generate.py.
        QTest::newRow("Shift JIS with NEC and IBM extensions")
            << QStringLiteral("shift_jis.vcf") << quint32(8) << Method::Detector;
        QTest::newRow("Shift JIS, one short name")
            << QStringLiteral("shift_jis-short.vcf") << quint32(8) << Method::Detector;
        QTest::newRow("EUC-JP") << QStringLiteral("euc-jp.vcf") << quint32(3) << Method::Detector;
        QTest::newRow("UTF-16LE with mark")
            << QStringLiteral("utf-16le-bom.vcf") << quint32(0x94000100) << Method::ByteOrderMark;
        QTest::newRow("UTF-16BE without mark")
            << QStringLiteral("utf-16be-nobom.vcf") << quint32(0x90000100) << Method::Utf16Pattern;
        // Cyrillic in UTF-16 has no byte above 0x7F, so it is also well-formed UTF-8.
        QTest::newRow("UTF-16LE Cyrillic without mark")
            << QStringLiteral("utf-16le-nobom.vcf") << quint32(0x94000100) << Method::Utf16Pattern;
        QTest::newRow("UTF-8 with mark") << QStringLiteral("utf-8-bom.vcf") << quint32(4) << Method::ByteOrderMark;
        QTest::newRow("Windows Latin 1") << QStringLiteral("windows-1252.vcf") << quint32(12) << Method::Detector;
        QTest::newRow("Big 5") << QStringLiteral("big5.vcf") << quint32(0x80000A03) << Method::Detector;
        QTest::newRow("GB 18030") << QStringLiteral("gb18030.vcf") << quint32(0x80000632) << Method::Detector;
        QTest::newRow("KOI8-R") << QStringLiteral("koi8-r.vcf") << quint32(0x80000A02) << Method::Detector;
        QTest::newRow("Windows Cyrillic") << QStringLiteral("windows-1251.vcf") << quint32(11) << Method::Detector;
        // uchardet names Korean "UHC", a name ICU does not know; it is code page 949.
        QTest::newRow("Korean") << QStringLiteral("euc-kr.vcf") << quint32(0x80000422) << Method::Detector;
        // What the file declares goes before a statistical guess, which is taken in by short texts.
        QTest::newRow("Shift JIS that CHARSET declares")
            << QStringLiteral("shift_jis-declared-21.vcf") << quint32(8) << Method::Declared;
        QTest::newRow("Windows Latin 1 that CHARSET declares")
            << QStringLiteral("windows-1252-declared-21.vcf") << quint32(12) << Method::Declared;
        QTest::newRow("Shift JIS, a CSV with one name")
            << QStringLiteral("shift_jis-one-name.csv") << quint32(8) << Method::ShiftJisRetry;
        QTest::newRow("UTF-8 with a stray Latin 1 byte")
            << QStringLiteral("utf-8-stray-byte.vcf") << quint32(4) << Method::RepairedUtf8;
    }

    void detection()
    {
        QFETCH(QString, file);
        QFETCH(quint32, number);
        QFETCH(Method, method);

        const QByteArray bytes = Test::readData(QStringLiteral("formats/encodings/") + file);
        const QByteArray expected =
            Test::readData(QStringLiteral("formats/encodings/") + file + QStringLiteral(".utf8"));

        const TextDecoding::Detection detection = TextDecoding::detect(bytes);
        const TextEncodings::Encoding* encoding = TextEncodings::byIcuName(detection.encoding);
        QVERIFY2(encoding, detection.encoding.constData());
        QCOMPARE(encoding->number, number);
        if (method == Method::Detector)
            QVERIFY(detection.method == Method::Detector || detection.method == Method::ShiftJisRetry);
        else
            QCOMPARE(detection.method, method);

        const TextDecoding::DecodedText automatic = TextDecoding::toUtf8(bytes);
        QVERIFY2(automatic.ok(), qPrintable(automatic.errorString));
        QCOMPARE(automatic.utf8, expected);
        const bool repaired = method == Method::RepairedUtf8;
        QCOMPARE(automatic.repairedBytes, repaired ? 1 : 0);
        // The same file read strictly in the encoding chosen by hand (refused where bytes were repaired).
        const TextDecoding::DecodedText chosen = TextDecoding::toUtf8(bytes, encoding->icuName);
        QCOMPARE(chosen.ok(), !repaired);
        if (!repaired)
            QCOMPARE(chosen.utf8, expected);

        // Opening the file detects the same encoding and finds the contacts of its UTF-8 text; it tells
        // about bytes it repaired.
        const ContactFileReader::Result opened =
            ContactFileReader::read(Test::dataPath(QStringLiteral("formats/encodings/") + file));
        QVERIFY2(opened.ok(), qPrintable(opened.errorString));
        QCOMPARE(opened.encoding, detection.encoding);
        QCOMPARE(opened.warning.isEmpty(), !repaired);
        const bool csv = file.endsWith(u".csv");
        QCOMPARE(opened.contacts.size(),
                 csv ? ContactFileReader::readCsvBytes(expected, "UTF-8").contacts.size()
                     : ContactFileReader::readBytes(expected, "UTF-8").contacts.size());
    }

    void largeValidUtf8IsNotGuessed()
    {
        const QByteArray bytes = largeUtf8Text();
        QVERIFY(bytes.size() > 2'000'000);
        const TextDecoding::Detection detection = TextDecoding::detect(bytes);
        QCOMPARE(detection.encoding, QByteArray("UTF-8"));
        QCOMPARE(detection.method, Method::ValidUtf8);
        // Passed through as it is, sharing the caller's buffer.
        const TextDecoding::DecodedText decoded = TextDecoding::toUtf8(bytes);
        QCOMPARE(decoded.utf8.constData(), bytes.constData());
    }

    void largeUtf8WithOneBadByteAtTheEnd()
    {
        // Validity is decided on the whole input, not on a sample from its start; the stray byte is
        // read as windows-1252 and counted.
        const QByteArray bytes = largeUtf8Text() + "\xFF";
        const TextDecoding::Detection detection = TextDecoding::detect(bytes);
        QCOMPARE(detection.method, Method::RepairedUtf8);
        QCOMPARE(detection.encoding, QByteArray("UTF-8"));
        const TextDecoding::DecodedText decoded = TextDecoding::toUtf8(bytes);
        QVERIFY(decoded.ok());
        QVERIFY(decoded.utf8.endsWith("END:VCARD\r\n\xC3\xBF"));
        QCOMPARE(decoded.repairedBytes, 1);
    }

    void fileWithAStrayByteIsReadAgainWhole_data()
    {
        QTest::addColumn<qsizetype>("cardsBefore");

        // A file is checked while its pieces are read: what was read before the stray byte is dropped.
        QTest::newRow("in the first piece") << qsizetype(3);
        QTest::newRow("after several pieces") << qsizetype(60000);
    }

    void fileWithAStrayByteIsReadAgainWhole()
    {
        QFETCH(qsizetype, cardsBefore);
        const QByteArray card = largeUtf8Text().first(largeUtf8Text().size() / 20000);
        const QByteArray before = card.repeated(cardsBefore);
        const QByteArray bytes = before + "BEGIN:VCARD\r\nFN:Ren\xE9\r\nEND:VCARD\r\n" + card.repeated(3);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stray.vcf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();

        const ContactFileReader::Result automatic = ContactFileReader::read(path);
        QVERIFY2(automatic.ok(), qPrintable(automatic.errorString));
        QCOMPARE(automatic.contacts.size(), cardsBefore + 4);
        QCOMPARE(automatic.contacts.at(cardsBefore)->person->compositeName(), QStringLiteral("René"));
        QVERIFY(!automatic.warning.isEmpty());
        QCOMPARE(automatic.groupTable.size(), 1);

        const ContactFileReader::Result strict = ContactFileReader::read(path, "UTF-8");
        QVERIFY(!strict.ok());
        QVERIFY(strict.contacts.isEmpty());
        const qsizetype offset = before.size() + qstrlen("BEGIN:VCARD\r\nFN:Ren");
        QVERIFY2(strict.errorString.endsWith(QStringLiteral("offset %1.").arg(offset)), qPrintable(strict.errorString));
    }
};

QTEST_GUILESS_MAIN(TestTextEncodings)
#include "tst_textencodings.moc"
