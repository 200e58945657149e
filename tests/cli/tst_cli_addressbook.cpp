// quillary-cli addressbook: the user's address book from the command line, the lock, and a save that
// is killed half-way.

#include "CliRunner.h"
#include "StoreFixture.h"
#include "store/VdirStore.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <signal.h>

using namespace Quillary;
using Quillary::Test::StoreFixture;

namespace {

QProcessEnvironment environmentFor(const StoreFixture& fixture, const QString& root)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLARY_ADDRESSBOOK"), root);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), fixture.path(QStringLiteral("../config")));
    return environment;
}

/// `count` cards u0000, u0001, ..., each with a long note that says which version it is.
QByteArray cards(int count, const QByteArray& version)
{
    QByteArray text;
    const QByteArray note = "NOTE:" + version + ' ' + QByteArray(3000, 'n') + '\n';
    for (int i = 0; i < count; ++i) {
        const QString uid = QStringLiteral("u%1").arg(i, 4, 10, QLatin1Char('0'));
        text += StoreFixture::card(uid, QStringLiteral("First%1").arg(i), QStringLiteral("Last"), note);
    }
    return text;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir())
            copyFolder(entry.filePath(), target);
        else
            QFile::copy(entry.filePath(), target);
    }
}

} // namespace

class TestCliAddressBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commands()
    {
        StoreFixture fixture;
        fixture.writeTwoAccounts();
        const QProcessEnvironment environment = environmentFor(fixture, fixture.root());
        fixture.write(QStringLiteral("../in.vcf"), cards(3, "v1"));
        Test::CliRun run =
            Test::runCli({"addressbook", "import", fixture.path("../in.vcf"), "--account", "Work"}, environment);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("added=3 updated=0 written=3\n"));
        QCOMPARE(fixture.files(QStringLiteral("work")).size(), 5);
        run = Test::runCli({"addressbook", "stats"}, environment);
        QCOMPARE(run.out,
                 QByteArray("accounts=2 contacts=6 groups=1 smartgroups=0 skipped=0 phones=2 emails=1 addresses=0\n"));
        run =
            Test::runCli({"addressbook", "export", fixture.path("../friends.vcf"), "--group", "Friends"}, environment);
        QCOMPARE(run.out, QByteArray("exported=1\n"));
        QVERIFY(fixture.read(QStringLiteral("../friends.vcf")).contains("CATEGORIES:Friends\r\n"));
        run = Test::runCli({"addressbook", "dump"}, environment);
        QCOMPARE(QJsonDocument::fromJson(run.out).object().value(QStringLiteral("contacts")).toArray().size(), 6);

        // While this process holds the store, the command line reads it but does not write it.
        VdirStore holder(fixture.root());
        QVERIFY(holder.open());
        run = Test::runCli({"addressbook", "import", fixture.path("../in.vcf")}, environment);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("read-only"));
        QCOMPARE(Test::runCli({"addressbook", "stats"}, environment).exitCode, 0);
    }

    void killedSaveLeavesNoTornCard()
    {
        // Every card is rewritten by the update; the save is killed once the first new one is there.
        constexpr int Count = 1000;
        StoreFixture fixture;
        fixture.write(QStringLiteral("../old.vcf"), cards(Count, "old"));
        fixture.write(QStringLiteral("../new.vcf"), cards(Count, "new"));
        QProcessEnvironment environment = environmentFor(fixture, fixture.root());
        QCOMPARE(Test::runCli({"addressbook", "import", fixture.path("../old.vcf")}, environment).exitCode, 0);
        const QMap<QString, QByteArray> before = fixture.cards();
        QCOMPARE(before.size(), Count);

        const QString finished = fixture.path(QStringLiteral("../finished"));
        copyFolder(fixture.root(), finished);
        QCOMPARE(Test::runCli({"addressbook", "import", fixture.path("../new.vcf"), "--update"},
                              environmentFor(fixture, finished))
                     .exitCode,
                 0);

        const QString first = fixture.path(QStringLiteral("local/u0000.vcf"));
        const CardFolder::FileStamp firstBefore = CardFolder::stampOf(first);
        QProcess save;
        save.setProcessEnvironment(environment);
        save.start(QStringLiteral(QUILLARY_CLI), {"addressbook", "import", fixture.path("../new.vcf"), "--update"});
        QVERIFY(save.waitForStarted());
        while (CardFolder::stampOf(first) == firstBefore && save.state() == QProcess::Running) { }
        ::kill(pid_t(save.processId()), SIGKILL);
        save.waitForFinished();

        int written = 0, kept = 0;
        const QMap<QString, QByteArray> after = fixture.cards();
        QCOMPARE(after.keys(), before.keys());
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const QByteArray done = readFile(QDir(finished).filePath(it.key()));
            QVERIFY2(*it == before.value(it.key()) || *it == done, qPrintable(it.key()));
            (*it == done ? written : kept)++;
        }
        qInfo("killed after %d of %d cards were written", written, Count);
        QVERIFY(written > 0);
        QVERIFY(kept > 0);
        // The lock of the killed process does not keep the store from the next one.
        QCOMPARE(Test::runCli({"addressbook", "import", fixture.path("../new.vcf"), "--update"}, environment).exitCode,
                 0);
        QCOMPARE(fixture.cards().size(), Count);
    }
};

QTEST_GUILESS_MAIN(TestCliAddressBook)
#include "tst_cli_addressbook.moc"
