#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Quillary::DataFiles {

namespace {

// The folder of the running executable, also before (or without) an application object, as in a
// benchmark or when a table is read while the application is being set up.
QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

} // namespace

QStringList searchFolders()
{
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("QUILLARY_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        folders.append(fromEnvironment);
    folders.append(QDir::cleanPath(executableFolder() + u"/../share/quillary"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.append(data + u"/quillary");
    folders.removeDuplicates();
    return folders;
}

QString locate(const QString& relativePath)
{
    for (const QString& folder : searchFolders()) {
        const QString path = folder + u'/' + relativePath;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace Quillary::DataFiles
