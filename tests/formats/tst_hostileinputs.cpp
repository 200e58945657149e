// Inputs shaped to find slow corners: each case is large enough to take minutes when its work grows
// with the square of the input, and CTest's time limit for this executable catches that. The times
// are printed, never compared: speed is measured by the benchmarks.

#include "documents/ContactFileReader.h"
#include "formats/ContactJson.h"
#include "model/FieldIdentifiers.h"
#include "model/PersonDsc.h"
#include "table/ContactPasteboard.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <thread>

using namespace Quillary;

namespace {

QByteArray card(const QByteArray& name, const QByteArray& categories, const QByteArray& more = {})
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name + ";;;;\r\nFN:" + name + "\r\nCATEGORIES:" + categories + "\r\n"
        + more + "END:VCARD\r\n";
}

/// Reads vCard bytes as a document does and reports how long it took.
ContactFileReader::Result readTimed(const QByteArray& bytes, const char* what)
{
    QElapsedTimer timer;
    timer.start();
    ContactFileReader::Result result = ContactFileReader::readBytes(bytes);
    qInfo("%s: read in %lld ms", what, static_cast<long long>(timer.elapsed()));
    return result;
}

/// Writes the bytes into a named pipe on another thread while the caller reads it.
class PipeWriter
{
public:
    PipeWriter(const QString& path, QByteArray bytes)
        : m_thread([path, bytes = std::move(bytes)] {
              QFile pipe(path);
              if (pipe.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                  pipe.write(bytes); // a reader that stops early makes this fail: that is fine
          })
    { }
    ~PipeWriter() { m_thread.join(); }
    Q_DISABLE_COPY_MOVE(PipeWriter)

private:
    std::thread m_thread;
};

} // namespace

class TestHostileInputs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void groupsOfManyCategories_data();
    void groupsOfManyCategories();
    void readsAPipeOnce_data();
    void readsAPipeOnce();
    void unfoldsLongLines_data();
    void unfoldsLongLines();
};

void TestHostileInputs::initTestCase()
{
    std::signal(SIGPIPE, SIG_IGN); // a reader that gives up closes the pipe under its writer
}

void TestHostileInputs::groupsOfManyCategories_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<qsizetype>("groups");
    QTest::addColumn<qsizetype>("membersOfLast");
    constexpr int Count = 100000;
    QByteArray perCard;
    QByteArray names;
    for (int i = 0; i < Count; ++i) {
        perCard += card("Person " + QByteArray::number(i), "Group " + QByteArray::number(i));
        names += (i ? "," : "") + QByteArray::number(i);
    }
    QTest::newRow("a category per card") << perCard << qsizetype(Count) << qsizetype(1);
    QTest::newRow("one card in every category") << card("Member", names) << qsizetype(Count) << qsizetype(1);
    QTest::newRow("every card in one category")
        << QByteArray(perCard).replace("CATEGORIES:Group ", "CATEGORIES:Shared,") << qsizetype(Count + 1)
        << qsizetype(1);
}

void TestHostileInputs::groupsOfManyCategories()
{
    QFETCH(QByteArray, stream);
    QFETCH(qsizetype, groups);
    QFETCH(qsizetype, membersOfLast);
    const ContactFileReader::Result read = readTimed(stream, QTest::currentDataTag());
    QVERIFY(read.ok());
    QElapsedTimer timer;
    timer.start();
    const QJsonArray dumped = ContactJson::groups(read.groupTable, read.contacts);
    qInfo("groups dumped in %lld ms", static_cast<long long>(timer.elapsed()));
    QCOMPARE(dumped.size(), groups);
    QCOMPARE(dumped.last().toObject().value(QStringLiteral("members")).toArray().size(), membersOfLast);
    const QJsonArray firstMembers = dumped.first().toObject().value(QStringLiteral("members")).toArray();
    QCOMPARE(firstMembers.first().toString(), read.contacts.first()->uniqueId);
    if (QTest::currentDataTag() == QByteArrayView("every card in one category"))
        QCOMPARE(firstMembers.size(), read.contacts.size());
    // Copying every contact as a card names the groups of each, without going through the table per card.
    timer.restart();
    const QByteArray cards = ContactPasteboard::vCardText(read.contacts, read.groupTable, {});
    qInfo("cards copied in %lld ms", static_cast<long long>(timer.elapsed()));
    QCOMPARE(cards.count("\r\nCATEGORIES:"), read.contacts.size());
}

void TestHostileInputs::readsAPipeOnce_data()
{
    QTest::addColumn<bool>("fits");
    QTest::newRow("as large as the limit") << true;
    QTest::newRow("one byte beyond the limit") << false;
}

void TestHostileInputs::readsAPipeOnce()
{
    QFETCH(bool, fits);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QByteArray stream;
    constexpr int Count = 20000; // several pieces of what is read at a time
    for (int i = 0; i < Count; ++i)
        stream += card("Person " + QByteArray::number(i), "Friends", "NOTE:" + QByteArray(200, 'x') + "\r\n");
    ContactFileReader::setSequentialLimit(fits ? stream.size() : stream.size() - 1);
    ContactFileReader::Result read;
    {
        const PipeWriter writer(path, stream);
        read = ContactFileReader::read(path);
    }
    ContactFileReader::setSequentialLimit(qint64(1) << 30);
    if (!fits) {
        QCOMPARE(read.failure, ContactFileReader::Result::Failure::Open);
        QVERIFY2(read.errorString.contains(QString::number(stream.size() - 1)), qPrintable(read.errorString));
        return;
    }
    QVERIFY2(read.ok(), qPrintable(read.errorString));
    QCOMPARE(read.contacts.size(), Count);
    QCOMPARE(read.contacts.last()->person->compositeName(), QStringLiteral("Person %1").arg(Count - 1));
    QCOMPARE(read.groupTable.size(), 2);
}

void TestHostileInputs::unfoldsLongLines_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QString>("note");
    // A 15 MB note folded over 200 000 lines that end in CR alone.
    const QByteArray chunk(74, 'n');
    QByteArray folded = "BEGIN:VCARD\rVERSION:3.0\rFN:Folded\rNOTE:";
    for (int i = 0; i < 200000; ++i)
        folded += chunk + "\r ";
    folded += "end\rEND:VCARD\r";
    QTest::newRow("lines ending in CR alone") << folded << QString::fromLatin1(chunk.repeated(200000) + "end");
    // 3.2 million folded lines ending in "=" before the ":" that starts the value.
    const QByteArray softBreaks = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Soft\r\nNOTE;ENCODING=QUOTED-PRINTABLE;X-A="
        + QByteArray(" a=\r\n").repeated(3200000) + " :caf=C3=A9\r\nEND:VCARD\r\n";
    QTest::newRow("soft line breaks before the value") << softBreaks << QStringLiteral("café");
}

void TestHostileInputs::unfoldsLongLines()
{
    QFETCH(QByteArray, stream);
    QFETCH(QString, note);
    const ContactFileReader::Result read = readTimed(stream, QTest::currentDataTag());
    QVERIFY2(read.ok(), qPrintable(read.errorString));
    QCOMPARE(read.contacts.size(), 1);
    QCOMPARE(read.contacts.first()->person->stringValueForIdentifier(Field::Note), note);
}

QTEST_GUILESS_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
