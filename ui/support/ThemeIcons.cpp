#include "ThemeIcons.h"

#include <QCursor>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

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

QIcon toolbarIcon(const QString& objectName)
{
    // Names of the freedesktop Icon Naming standard where it has one, else names that the
    // common themes (Breeze, Adwaita's legacy set) carry.
    static const QHash<QString, QString> names = {
        {QStringLiteral("editButton"), QStringLiteral("document-edit")},
        {QStringLiteral("lockButton"), QStringLiteral("object-locked")},
        {QStringLiteral("groupPopup"), QStringLiteral("system-users")},
        {QStringLiteral("columnsPopup"), QStringLiteral("view-columns")},
        {QStringLiteral("labelPopup"), QStringLiteral("tag")},
        {QStringLiteral("contactPopup"), QStringLiteral("x-office-address-book")},
        {QStringLiteral("sortOptionsPopup"), QStringLiteral("view-sort-ascending")},
        {QStringLiteral("printAction"), QStringLiteral("document-print")},
    };
    const QString name = names.value(objectName);
    return name.isEmpty() ? QIcon() : themeIcon(name);
}

void clearHoverAfterMenu(QToolButton* button)
{
    QMenu* menu = button->menu();
    if (!menu)
        return;
    QObject::connect(menu, &QMenu::aboutToHide, button, [button] {
        // After the menu's own mouse handling, when the pointer is where it ends up.
        QTimer::singleShot(0, button, [button] {
            if (!button->rect().contains(button->mapFromGlobal(QCursor::pos())))
                button->setAttribute(Qt::WA_UnderMouse, false);
            button->setDown(false);
            button->update();
        });
    });
}

} // namespace Quillary::Ui::ThemeIcons
