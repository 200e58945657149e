// Real-world styles of vCard file, read and written against golden files: NAME.vcf is read and
// compared with NAME.json (what quillary-cli dump prints), written back and compared with
// NAME.vcf.30.ref, and what is written must read back to the same contacts. In the golden files
// "*" stands for a value made at reading time (a new unique id, a group's time stamp).
// QUILLARY_UPDATE_GOLDEN=1 rewrites the golden files from the current output.

#include "TestSupport.h"
#include "documents/ContactFileReader.h"
#include "formats/ContactJson.h"
#include "formats/ZQVCard.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using namespace Quillary;

namespace {

bool updating()
{
    return qEnvironmentVariableIntValue("QUILLARY_UPDATE_GOLDEN") == 1;
}

/// Replaces values made at reading time by "*", in a copy of what was read.
QJsonObject maskGenerated(QJsonObject document, const QSet<QString>& generatedIds)
{
    QJsonArray contacts;
    for (const QJsonValue value : document.value(u"contacts").toArray()) {
        QJsonObject contact = value.toObject();
        if (generatedIds.contains(contact.value(u"uniqueId").toString()))
            contact.insert(QStringLiteral("uniqueId"), QStringLiteral("*"));
        contacts.append(contact);
    }
    QJsonArray groups;
    for (const QJsonValue value : document.value(u"groups").toArray()) {
        QJsonObject group = value.toObject();
        group.insert(QStringLiteral("uniqueId"), QStringLiteral("*"));
        QJsonArray members;
        for (const QJsonValue member : group.value(u"members").toArray())
            members.append(generatedIds.contains(member.toString()) ? QStringLiteral("*") : member.toString());
        group.insert(QStringLiteral("members"), members);
        groups.append(group);
    }
    document.insert(QStringLiteral("contacts"), contacts);
    document.insert(QStringLiteral("groups"), groups);
    return document;
}

/// Unique ids that the file does not give (its cards have no UID line).
QSet<QString> generatedIds(const ContactTable& contacts, const QByteArray& file)
{
    QSet<QString> result;
    for (const ContactEntryPtr& contact : contacts) {
        if (!file.contains(contact->uniqueId.toUtf8()))
            result.insert(contact->uniqueId);
    }
    return result;
}

/// A photo that is not JPEG is written as JPEG: a round trip keeps that there is one, not its size.
QJsonValue withPhotoPresence(const QJsonValue& contacts)
{
    QJsonArray result;
    for (const QJsonValue value : contacts.toArray()) {
        QJsonObject contact = value.toObject();
        contact.insert(QStringLiteral("photoBytes"), contact.value(u"photoBytes").toInt() > 0);
        result.append(contact);
    }
    return result;
}

QByteArray maskUidLines(QByteArray card, const QSet<QString>& ids)
{
    for (const QString& id : ids)
        card.replace(QByteArray("UID:" + id.toUtf8()), QByteArray("UID:*"));
    return card;
}

QByteArray writeStream(const ContactFileReader::Result& read)
{
    return ZQVCard().vCardsFromContacts(read.contacts, {WriteOption::Note, WriteOption::Photo}, read.groupTable);
}

void writeGolden(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

namespace {

/// The dump as the command line writes it, a contact at a time.
QByteArray streamedDump(const ContactTable& contacts, const GroupTable& groupTable)
{
    QByteArray text;
    ContactJson::writeIndentedDocument(contacts, groupTable, [&text](QByteArrayView piece) { text += piece; });
    return text;
}

} // namespace

class TestVCardFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAndWritesGoldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        const QDir dir(Test::dataPath(QStringLiteral("vcard")));
        const QStringList files = dir.entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << file;
    }

    void readsAndWritesGoldenFiles()
    {
        QFETCH(QString, name);
        const QString path = Test::dataPath(QStringLiteral("vcard/") + name);
        const QByteArray file = Test::readData(QStringLiteral("vcard/") + name);
        const ContactFileReader::Result read = ContactFileReader::read(path);
        QVERIFY2(read.ok(), qPrintable(read.errorString));
        const QSet<QString> generated = generatedIds(read.contacts, file);
        const QJsonObject dump = maskGenerated(ContactJson::document(read.contacts, read.groupTable), generated);
        const QByteArray written = writeStream(read);

        const QString jsonPath = path.chopped(4) + QStringLiteral(".json");
        const QString refPath = path + QStringLiteral(".30.ref");
        if (updating()) {
            writeGolden(jsonPath, QJsonDocument(dump).toJson(QJsonDocument::Indented));
            writeGolden(refPath, maskUidLines(written, generated));
        }

        // What is read.
        QFile expectedJson(jsonPath);
        QVERIFY2(expectedJson.open(QIODevice::ReadOnly), qPrintable(jsonPath));
        {
            const QString difference =
                Test::firstDifferentLine(QJsonDocument(dump).toJson(QJsonDocument::Indented), expectedJson.readAll());
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }

        // Streamed as the command line writes it, the dump is the same text.
        QCOMPARE(streamedDump(read.contacts, read.groupTable),
                 QJsonDocument(ContactJson::document(read.contacts, read.groupTable)).toJson(QJsonDocument::Indented));

        // What is written.
        QFile expectedCards(refPath);
        QVERIFY2(expectedCards.open(QIODevice::ReadOnly), qPrintable(refPath));
        {
            const QString difference =
                Test::firstDifferentLine(maskUidLines(written, generated), expectedCards.readAll());
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }

        // What is written reads back as the same contacts (identities included: they are written as UID).
        const ContactFileReader::Result reread = ContactFileReader::readBytes(written);
        QVERIFY2(reread.ok(), qPrintable(reread.errorString));
        const QJsonObject before = ContactJson::document(read.contacts, read.groupTable);
        const QJsonObject after = ContactJson::document(reread.contacts, reread.groupTable);
        QCOMPARE(withPhotoPresence(after.value(u"contacts")), withPhotoPresence(before.value(u"contacts")));
        QCOMPARE(maskGenerated(after, {}).value(u"groups"), maskGenerated(before, {}).value(u"groups"));
        QCOMPARE(writeStream(reread), written);
    }

    void streamedDumpOfNothing()
    {
        QCOMPARE(streamedDump({}, {}), QJsonDocument(ContactJson::document({}, {})).toJson(QJsonDocument::Indented));
    }
};

QTEST_GUILESS_MAIN(TestVCardFiles)
#include "tst_vcardfiles.moc"
