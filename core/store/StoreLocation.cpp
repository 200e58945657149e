#include "StoreLocation.h"

#include <QDir>
#include <QStandardPaths>

namespace Quillary::StoreLocation {

QString root(const QString& configured)
{
    const QString fromEnvironment = qEnvironmentVariable(EnvironmentVariable);
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(QDir(fromEnvironment).absolutePath());
    if (!configured.isEmpty())
        return QDir::cleanPath(QDir(configured).absolutePath());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(data + QStringLiteral("/Quillary/AddressBook"));
}

} // namespace Quillary::StoreLocation
