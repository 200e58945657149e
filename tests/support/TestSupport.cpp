#include "TestSupport.h"

#include <QFile>
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

} // namespace Quillary::Test
