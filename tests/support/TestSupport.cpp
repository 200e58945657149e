#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace Quillary::Test {

QString dataPath(const QString& relative)
{
    return QStringLiteral(QUILLARY_TEST_DATA_DIR "/") + relative;
}

QByteArray readData(const QString& relative)
{
    QFile file(dataPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(relative));
    return file.readAll();
}

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString firstDifferentLine(const QByteArray& actual, const QByteArray& expected)
{
    const QList<QByteArray> actualLines = actual.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    for (qsizetype i = 0; i < qMin(actualLines.size(), expectedLines.size()); ++i) {
        if (actualLines.at(i) != expectedLines.at(i)) {
            return QStringLiteral("line %1 differs:\n  actual:   %2\n  expected: %3")
                .arg(i + 1)
                .arg(QString::fromUtf8(actualLines.at(i)), QString::fromUtf8(expectedLines.at(i)));
        }
    }
    if (actualLines.size() != expectedLines.size())
        return QStringLiteral("%1 lines where %2 were expected").arg(actualLines.size()).arg(expectedLines.size());
    return {};
}

} // namespace Quillary::Test
