#include "ThemeIcons.h"

#include <QFile>

namespace Quillary::Ui::ThemeIcons {

namespace {

const QString ApplicationId = QStringLiteral(QUILLARY_APP_ID);

} // namespace

QIcon applicationIcon()
{
    QIcon bundled;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dimension = QString::number(size);
        bundled.addFile(u":/quillary/hicolor/" + dimension + u'x' + dimension + u"/apps/" + ApplicationId + u".png",
                        QSize(size, size));
    }
    return QIcon::fromTheme(ApplicationId, bundled);
}

QIcon themeIcon(const QString& name)
{
    // The bundled set has a 24 pixel picture and one twice as large for dense screens.
    QIcon bundled;
    const QString base = u":/quillary/icons/" + name;
    if (QFile::exists(base + u".png")) {
        bundled.addFile(base + u".png", QSize(24, 24));
        bundled.addFile(base + u"@2x.png", QSize(48, 48));
    }
    return QIcon::fromTheme(name, bundled);
}

} // namespace Quillary::Ui::ThemeIcons
