#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

namespace Quillary::Test {

/// The columns of a data table, types first: addColumns<QString, int>("name", "count").
template <typename... Types, typename... Names> void addColumns(Names... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each type");
    (QTest::addColumn<Types>(names), ...);
}

/// Path of a file under tests/data.
QString dataPath(const QString& relative);
/// Contents of a file under tests/data; fails the test when it is missing.
QByteArray readData(const QString& relative);

/// What a program prints on its standard output (waiting up to a minute); empty when it fails.
QString runTool(const QString& program, const QStringList& arguments);

/// Where two texts first differ, line by line ("line 3 differs: ..."); empty when they are the same.
QString firstDifferentLine(const QByteArray& actual, const QByteArray& expected);

} // namespace Quillary::Test
