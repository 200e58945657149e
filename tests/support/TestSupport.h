#pragma once

#include <QByteArray>
#include <QString>

namespace Quillary::Test {

/// Path of a file under tests/data.
QString dataPath(const QString& relative);
/// Contents of a file under tests/data; fails the test when it is missing.
QByteArray readData(const QString& relative);

} // namespace Quillary::Test
