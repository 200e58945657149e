#pragma once

#include <QByteArray>
#include <QString>

namespace Quillary::Test {

/// Path of a file under tests/data.
QString dataPath(const QString& relative);
/// Contents of a file under tests/data; fails the test when it is missing.
QByteArray readData(const QString& relative);

/// Where two texts first differ, line by line ("line 3 differs: ..."); empty when they are the same.
QString firstDifferentLine(const QByteArray& actual, const QByteArray& expected);

} // namespace Quillary::Test
