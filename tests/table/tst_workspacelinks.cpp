#include "TestSupport.h"
#include "support/PrivateFiles.h"
#include "support/SafeFileName.h"
#include "table/WorkspaceLinks.h"

#include <QFileInfo>
#include <QTest>
#include <QTimeZone>

using namespace Quillary;

class TestWorkspaceLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void urls_data()
    {
        Test::addColumns<QUrl, QString>("url", "expected");
        QTest::newRow("phone without brackets and blanks")
            << WorkspaceLinks::phone(u"(03) 1234-5678"_qs) << u"tel:031234-5678"_qs;
        QTest::newRow("international phone")
            << WorkspaceLinks::phone(u"+81 90 1111 2222"_qs) << u"tel:+819011112222"_qs;
        QTest::newRow("empty phone") << WorkspaceLinks::phone(u"() "_qs) << QString();
        QTest::newRow("mail, UTF-8 escaped")
            << WorkspaceLinks::email(u"jürgen@example.de"_qs) << u"mailto:j%C3%BCrgen@example.de"_qs;
        QTest::newRow("web without scheme") << WorkspaceLinks::web(u"example.com/a"_qs) << u"http://example.com/a"_qs;
        QTest::newRow("https kept") << WorkspaceLinks::web(u"https://example.com"_qs) << u"https://example.com"_qs;
        QTest::newRow("ftp kept") << WorkspaceLinks::web(u"ftp://example.com/f"_qs) << u"ftp://example.com/f"_qs;
        QTest::newRow("host with port") << WorkspaceLinks::web(u"example.com:8080"_qs) << u"http://example.com:8080"_qs;
        QTest::newRow("map query") << WorkspaceLinks::map(u"1 Main St, Springfield"_qs)
                                   << u"geo:0,0?q=1%20Main%20St%2C%20Springfield"_qs;
        QTest::newRow("web map") << WorkspaceLinks::webMap(u"東京都"_qs)
                                 << u"https://www.google.com/maps/search/?api=1&query=%E6%9D%B1%E4%BA%AC%E9%83%BD"_qs;
    }
    void urls()
    {
        QFETCH(QUrl, url);
        QTEST(QString::fromUtf8(url.toEncoded()), "expected");
    }

    void yearlyEvent()
    {
        const QDateTime stamp(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);
        const QByteArray event =
            WorkspaceLinks::yearlyEvent({0, 2, 29}, u"Birthday; Anna, \"A\"\nKowalska"_qs, u"uid-1"_qs, stamp);
        QVERIFY(event.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
        QVERIFY(event.contains("\r\nDTSTART;VALUE=DATE:20000229\r\nDTEND;VALUE=DATE:20000301\r\n"));
        QVERIFY(event.contains("\r\nRRULE:FREQ=YEARLY\r\n"));
        QVERIFY(event.contains("\r\nDTSTAMP:20261207T093000Z\r\n"));
        QVERIFY(event.contains("\r\nSUMMARY:Birthday\\; Anna\\, \"A\"\\nKowalska\r\n"));
        QVERIFY(event.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
        QVERIFY(WorkspaceLinks::yearlyEvent({}, u"x"_qs, u"u"_qs, stamp).isEmpty());

        // Long summaries are folded at 75 octets without splitting a character.
        const QByteArray folded = WorkspaceLinks::yearlyEvent({1980, 5, 17}, QString(60, u'あ'), u"u"_qs, stamp);
        for (const QByteArray& line : folded.split('\n')) {
            QVERIFY(line.size() <= 76);
            QVERIFY(QString::fromUtf8(line).toUtf8() == line);
        }
    }

    void safeFileNames_data()
    {
        Test::addColumns<QString, QString>("text", "expected");
        QTest::newRow("plain") << u"Anna Kowalska"_qs << u"Anna Kowalska.vcf"_qs;
        QTest::newRow("path climbing") << u"../../x"_qs << u"_._.._x.vcf"_qs;
        QTest::newRow("separators and controls") << u"a/b\\c\td\ne"_qs << u"a_b_c_d_e.vcf"_qs;
        QTest::newRow("hidden file") << u".profile"_qs << u"_profile.vcf"_qs;
        QTest::newRow("nothing left") << u"  "_qs << u"draggingContacts.vcf"_qs;
        QTest::newRow("only a slash") << u"/"_qs << u"draggingContacts.vcf"_qs;
    }
    void safeFileNames()
    {
        QFETCH(QString, text);
        QTEST(SafeFileName::make(text, u"draggingContacts"_qs, u"vcf"_qs), "expected");
    }

    void privateFilesAreOwnerOnly()
    {
        // 300 three-byte characters: the name is cut to 200 bytes without splitting one.
        const QString path = PrivateFiles::write(QString(300, u'名') + u".vcf", "BEGIN:VCARD\r\n");
        QVERIFY(!path.isEmpty());
        const QFileInfo file(path);
        QVERIFY(file.fileName().toUtf8().size() <= 200);
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(file.permissions() & (others | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 QFileDevice::ReadUser | QFileDevice::WriteUser);
        const QFileInfo folder(file.absolutePath());
        QCOMPARE(folder.absoluteFilePath(), PrivateFiles::folder());
        QCOMPARE(folder.permissions() & others, QFileDevice::Permissions());
    }
};

QTEST_GUILESS_MAIN(TestWorkspaceLinks)
#include "tst_workspacelinks.moc"
