#include "Localized.h"

#include <QCoreApplication>

namespace Quillary {

QString localized(const QString& key)
{
    return key.isEmpty() ? key : QCoreApplication::translate("Quillary::Core", key.toUtf8().constData());
}

} // namespace Quillary
