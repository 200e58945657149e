// The Japanese translation is complete: lupdate over the sources finds no text without one, and
// every translation keeps the placeholders of its source.

#include "CliRunner.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillary;

namespace {

QStringList placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyTextHasAJapaneseTranslation()
    {
        // lupdate on a copy: the texts of the sources now, with the translations committed.
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("quillary_ja.ts"));
        QVERIFY(QFile::copy(QStringLiteral(QUILLARY_SOURCE_DIR "/translations/quillary_ja.ts"), ts));
        QStringList arguments{QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete")};
        for (const char* folder : {"core", "ui", "app", "cli"})
            arguments.append(QStringLiteral(QUILLARY_SOURCE_DIR "/") + QLatin1StringView(folder));
        const Test::CliRun run =
            Test::runProgram(QStringLiteral(QUILLARY_LUPDATE), arguments << QStringLiteral("-ts") << ts);
        QVERIFY2(run.exitCode == 0, run.err.constData());

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        static const QRegularExpression message(
            QStringLiteral(
                "<source>(.*?)</source>\\s*(?:<comment>.*?</comment>\\s*)?<translation([^>]*)>(.*?)</translation>"),
            QRegularExpression::DotMatchesEverythingOption);
        QStringList missing;
        QStringList broken;
        int count = 0;
        for (auto it = message.globalMatch(text); it.hasNext(); ++count) {
            const QRegularExpressionMatch match = it.next();
            const QString source = match.captured(1);
            const QString translation = match.captured(3);
            if (match.captured(2).contains(u"type=") || translation.trimmed().isEmpty())
                missing.append(source);
            else if (placeholders(source) != placeholders(translation))
                broken.append(source);
        }
        QVERIFY(count > 100);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("Without a Japanese translation (run "
                                           "tools/translations/update-translations.sh, then "
                                           "translate them):\n")
                            + missing.join(u'\n')));
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QStringLiteral("Placeholders differ from the source:\n") + broken.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
