// One Quillary per user: a second start hands its files to the running one over a socket in an
// owner-only folder, and a socket left behind by a Quillary that ended does not block the next.

#include "app/SingleInstance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/stat.h>

using namespace Quillary::Ui;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat status
    {
    };
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    }

    void handsFilesToTheRunningInstance()
    {
        QVERIFY(!SingleInstance::handOver(InstanceRequest{})); // nobody runs yet
        InstanceServer server;
        QVERIFY(server.listen());
        QSignalSpy requested(&server, &InstanceServer::requested);
        InstanceRequest sent{{QStringLiteral("/home/a/contacts.vcf"), QStringLiteral("/tmp/b é.csv")},
                             "id_TIME42",
                             "tok"};
        QFuture<bool> handed = QtConcurrent::run([sent] { return SingleInstance::handOver(sent); });
        QTRY_COMPARE(requested.size(), 1);
        QVERIFY(handed.result());
        const auto received = requested.constFirst().constFirst().value<InstanceRequest>();
        QCOMPARE(received.files, sent.files);
        QCOMPARE(received.startupId, sent.startupId);
        QCOMPARE(received.activationToken, sent.activationToken);
    }

    void listens_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("listening");
        QTest::newRow("first start") << "" << true;
        QTest::newRow("folder others can read is closed") << "loose folder" << true;
        QTest::newRow("socket of an ended instance") << "stale socket" << true;
        QTest::newRow("another instance runs") << "running" << false;
    }

    void listens()
    {
        QFETCH(QString, before);
        QFETCH(bool, listening);
        const QString path = SingleInstance::socketPath();
        const QString folder = QFileInfo(path).absolutePath();
        QVERIFY(path.startsWith(m_runtime->path()));
        InstanceServer other;
        if (before == u"loose folder")
            QVERIFY(QDir().mkpath(folder) && ::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        if (before == u"stale socket") {
            QVERIFY(QDir().mkpath(folder));
            QFile leftOver(path);
            QVERIFY(leftOver.open(QIODevice::WriteOnly));
        }
        if (before == u"running")
            QVERIFY(other.listen());
        InstanceServer server;
        QCOMPARE(server.listen(), listening);
        QCOMPARE(modeOf(folder), mode_t(0700));
    }

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
