#include "StoreFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTest>

namespace Quillary::Test {

StoreFixture::StoreFixture()
{
    QDir().mkpath(root());
}

QString StoreFixture::path(const QString& relative) const
{
    return QDir(root()).filePath(relative);
}

void StoreFixture::write(const QString& relative, const QByteArray& text) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QByteArray crlf = text;
    crlf.replace("\r\n", "\n").replace("\n", "\r\n");
    out.write(crlf);
}

QByteArray StoreFixture::read(const QString& relative) const
{
    QFile in(path(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QStringList StoreFixture::files(const QString& folder) const
{
    return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QMap<QString, QByteArray> StoreFixture::cards() const
{
    QMap<QString, QByteArray> cards;
    QDirIterator it(root(), {QStringLiteral("*.vcf")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        cards.insert(QDir(root()).relativeFilePath(file), read(QDir(root()).relativeFilePath(file)));
    }
    return cards;
}

QByteArray StoreFixture::card(const QString& uid, const QString& first, const QString& last, const QByteArray& more)
{
    return "BEGIN:VCARD\nVERSION:3.0\nN:" + last.toUtf8() + ';' + first.toUtf8() + ";;;\nFN:" + first.toUtf8() + ' '
        + last.toUtf8() + '\n' + more + "UID:" + uid.toUtf8() + "\nEND:VCARD\n";
}

void StoreFixture::writeTwoAccounts() const
{
    write(QStringLiteral("local/displayname"), "On My Computer");
    write(QStringLiteral("local/ann.vcf"),
          card(QStringLiteral("ann"), QStringLiteral("Ann"), QStringLiteral("Lee"),
               "TEL;TYPE=CELL:555-0100\nCATEGORIES:Tennis,Chess\nX-CUSTOM;X-PARAM=1:kept as it is\n"));
    write(QStringLiteral("local/bob.vcf"),
          card(QStringLiteral("bob"), QStringLiteral("Bob"), QStringLiteral("Stone"), "EMAIL:bob@example.com\n"));
    write(QStringLiteral("local/friends.vcf"),
          "BEGIN:VCARD\nVERSION:3.0\nPRODID:-//Sync Tool//EN\nN:Friends\n"
          "FN:Friends\nX-ADDRESSBOOKSERVER-KIND:group\n"
          "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:ann\n"
          "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:gone\nUID:friends\nEND:VCARD\n");
    write(QStringLiteral("work/displayname"), "Work");
    write(QStringLiteral("work/carol.vcf"),
          card(QStringLiteral("carol"), QStringLiteral("Carol"), QStringLiteral("King"), "TEL:555-0199\n"));
}

} // namespace Quillary::Test
