#include "FieldIcons.h"

#include "editors/ContactCardModel.h"
#include "model/FieldIdentifiers.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace Quillary::Ui::FieldIcons {

namespace {

struct Sign
{
    QColor colour;
    QString text;
};

Sign signOf(const QString& identifier)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Phone:
        return {QColor(0x2e, 0x9d, 0x4c), QStringLiteral("☎")};
    case FieldId::Email:
        return {QColor(0x2a, 0x6f, 0xd6), QStringLiteral("@")};
    case FieldId::URL:
    case FieldId::SocialNetwork:
        return {QColor(0x6a, 0x4c, 0xc4), QStringLiteral("↗")};
    case FieldId::Address:
        return {QColor(0xd6, 0x5a, 0x2a), QStringLiteral("⌂")};
    case FieldId::InstantMessage:
        return {QColor(0x1f, 0x9e, 0xa8), QStringLiteral("✉")};
    case FieldId::Relationship:
        return {QColor(0xc4, 0x3b, 0x7a), QStringLiteral("♥")};
    case FieldId::Birthday:
    case FieldId::Dates:
        return {QColor(0xc9, 0x8a, 0x12), QStringLiteral("✦")};
    default:
        return {QColor(0x70, 0x70, 0x70), identifier.left(1)};
    }
}

QIcon drawn(const QString& identifier)
{
    const Sign sign = signOf(identifier);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sign.colour);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, sign.text);
    return QIcon(pixmap);
}

} // namespace

QIcon icon(const QString& identifier)
{
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(identifier); it != cache.constEnd())
        return *it;
    const QString name = ContactCardModel::iconName(identifier);
    const QIcon result = QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : drawn(identifier);
    cache.insert(identifier, result);
    return result;
}

QPixmap initials(const QString& name, int side)
{
    QString letters;
    for (const QString& word : name.split(u' ', Qt::SkipEmptyParts)) {
        if (letters.size() < 2)
            letters += word.front().toUpper();
    }
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9a, 0xa4, 0xb0));
    painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    QFont font = painter.font();
    font.setPixelSize(side * 2 / 5);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, letters);
    return pixmap;
}

} // namespace Quillary::Ui::FieldIcons
