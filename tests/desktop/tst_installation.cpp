// The installed tree and the Debian package: every file in its FHS place, the installed programs
// finding their tables beside themselves, and the desktop validators accepting what is installed.

#include "CliRunner.h"
#include "TestSupport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;
using namespace Qt::StringLiterals;

namespace {

const QString AppId = QStringLiteral(QUILLARY_APP_ID);

// What an installation holds, relative to its prefix.
QStringList installedFiles()
{
    return {QStringLiteral("bin/quillary"),
            QStringLiteral("bin/quillary-cli"),
            u"share/applications/"_s + AppId + u".desktop",
            u"share/metainfo/"_s + AppId + u".metainfo.xml",
            u"share/icons/hicolor/scalable/apps/"_s + AppId + u".svg",
            u"share/icons/hicolor/48x48/apps/"_s + AppId + u".png",
            u"share/icons/hicolor/256x256/apps/"_s + AppId + u".png",
            QStringLiteral("share/man/man1/quillary.1.gz"),
            QStringLiteral("share/man/man1/quillary-cli.1.gz"),
            QStringLiteral("share/quillary/AddressFormat.json"),
            QStringLiteral("share/quillary/CountryNumbers.csv"),
            QStringLiteral("share/quillary/ken_all.gzip"),
            QStringLiteral("share/quillary/jigyosyo.gzip")};
}

// An environment in which only the installation itself can supply the tables: no data folder
// named, empty XDG data folders, no display and no runtime folder.
QProcessEnvironment bareEnvironment(const QString& empty)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QUILLARY_DATA_DIR", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), empty);
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), empty);
    return environment;
}

} // namespace

class TestInstallation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid() && m_empty.isValid());
        const Test::CliRun run = Test::runProgram(QStringLiteral(QUILLARY_CMAKE),
                                                  {QStringLiteral("--install"), QStringLiteral(QUILLARY_BUILD_DIR),
                                                   QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(run.exitCode == 0, run.err.constData());
    }

    void placesEveryFile()
    {
        for (const QString& file : installedFiles())
            QVERIFY2(QFileInfo::exists(m_prefix.filePath(file)), qPrintable(file));
    }

    void installedFilesPass_data()
    {
        // A program of the installation ("bin/...") or a checker of the system; "share/..." arguments
        // name installed files. Each run must succeed, print `expected` and nothing on standard error.
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray version(QUILLARY_VERSION);
        const QString sample = Test::dataPath(QStringLiteral("vcard/icloud-30.vcf"));
        QTest::newRow("stats") << "bin/quillary-cli" << QStringList{QStringLiteral("stats"), sample}
                               << QByteArray("contacts=3 groups=3 phones=10 emails=3 addresses=4\n");
        // The postal codes come from share/quillary of the installation.
        QTest::newRow("postal code") << "bin/quillary-cli"
                                     << QStringList{QStringLiteral("zip"), QStringLiteral("1000001")}
                                     << QByteArray("千代田");
        // Printing starts a GUI application: without a runtime folder it still prints no warning.
        QTest::newRow("print, no runtime folder")
            << "bin/quillary-cli"
            << QStringList{QStringLiteral("print"), sample, QStringLiteral("-o"), QStringLiteral("OUT")}
            << QByteArray();
        QTest::newRow("cli version") << "bin/quillary-cli" << QStringList{QStringLiteral("--version")}
                                     << "quillary-cli " + version + '\n';
        // Neither needs a display.
        QTest::newRow("app version") << "bin/quillary" << QStringList{QStringLiteral("--version")}
                                     << "quillary " + version + '\n';
        QTest::newRow("app help") << "bin/quillary" << QStringList{QStringLiteral("--help")} << QByteArray("--version");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{u"share/applications/"_s + AppId + u".desktop"} << QByteArray();
        QTest::newRow("AppStream") << "appstreamcli"
                                   << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                  QStringLiteral("--strict"),
                                                  u"share/metainfo/"_s + AppId + u".metainfo.xml"}
                                   << QByteArray();
        for (const char* page : {"quillary.1", "quillary-cli.1"})
            QTest::newRow(page) << "groff"
                                << QStringList{QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z"),
                                               QStringLiteral(QUILLARY_DIST_BUILD_DIR "/") + QString::fromLatin1(page)}
                                << QByteArray();
    }

    void installedFilesPass()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        for (QString& argument : arguments) {
            if (argument.startsWith(u"share/"))
                argument = m_prefix.filePath(argument);
            else if (argument == u"OUT")
                argument = m_empty.filePath(QStringLiteral("out.pdf"));
        }
        const QString executable =
            program.startsWith(u"bin/") ? m_prefix.filePath(program) : QStandardPaths::findExecutable(program);
        QVERIFY2(!executable.isEmpty(), qPrintable(program + u" is missing: run scripts/deps.sh"));
        const Test::CliRun run = Test::runProgram(executable, arguments, bareEnvironment(m_empty.path()));
        QVERIFY2(run.exitCode == 0, QByteArray(run.out + run.err).constData());
        QVERIFY2(run.out.contains(expected), run.out.constData());
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    }

    void buildsTheDebianPackage()
    {
        QTemporaryDir output;
        const Test::CliRun run = Test::runProgram(
            QStringLiteral(QUILLARY_CPACK),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
             QStringLiteral(QUILLARY_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), output.path()});
        QVERIFY2(run.exitCode == 0, QByteArray(run.out + run.err).constData());
        const QStringList packages = QDir(output.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(packages.size(), 1);
        const QString package = output.filePath(packages.constFirst());

        const Test::CliRun depends = Test::runProgram(QStringLiteral("dpkg-deb"),
                                                      {QStringLiteral("--field"), package, QStringLiteral("Depends")});
        for (const char* dependency : {"libqt6widgets6", "libqt6printsupport6", "libicu", "libuchardet", "libqrencode",
                                       "zlib1g", "qt6-qpa-plugins"})
            QVERIFY2(depends.out.contains(dependency), depends.out.constData());

        const Test::CliRun contents =
            Test::runProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), package});
        for (const QString& file : installedFiles())
            QVERIFY2(contents.out.contains(("./usr/" + file).toUtf8()), qPrintable(file));
    }

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_empty;
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
