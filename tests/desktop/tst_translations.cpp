// The Japanese translation is complete: lupdate over the sources finds no text without one, and
// every translation keeps the placeholders of its source.

#include "CliRunner.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Quillary;

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

QList<Message> readMessages(const QString& path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            message = Message{context, {}, {}, true};
        else if (xml.name() == u"source")
            message.source = xml.readElementText();
        else if (xml.name() == u"translation") {
            const QStringView type = xml.attributes().value(QStringLiteral("type"));
            message.finished = type.isEmpty();
            // Plural forms come as numerus forms inside the translation.
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.append(message);
        }
    }
    return messages;
}

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
    void everyTextHasAJapaneseTranslation();
};

void TestTranslations::everyTextHasAJapaneseTranslation()
{
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("quillary_ja.ts"));
    QVERIFY(QFile::copy(QStringLiteral(QUILLARY_SOURCE_DIR "/translations/quillary_ja.ts"), ts));
    QStringList arguments{QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete")};
    for (const char* folder : {"core", "ui", "app", "cli"})
        arguments.append(QStringLiteral(QUILLARY_SOURCE_DIR "/") + QLatin1StringView(folder));
    arguments << QStringLiteral("-ts") << ts;
    const Test::CliRun run = Test::runProgram(QStringLiteral(QUILLARY_LUPDATE), arguments);
    QVERIFY2(run.exitCode == 0, run.err.constData());

    QStringList missing;
    QStringList broken;
    const QList<Message> messages = readMessages(ts);
    QVERIFY(messages.size() > 100);
    for (const Message& message : messages) {
        const QString where = message.context + u": " + message.source;
        if (!message.finished || message.translation.trimmed().isEmpty())
            missing.append(where);
        else if (placeholders(message.source) != placeholders(message.translation))
            broken.append(where);
    }
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("Without a Japanese translation (run "
                                       "tools/translations/update-translations.sh, then "
                                       "translate them):\n")
                        + missing.join(u'\n')));
    QVERIFY2(broken.isEmpty(),
             qPrintable(QStringLiteral("Placeholders differ from the source:\n") + broken.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
