#include "InitialsAvatar.h"

#include <QCache>
#include <QPainter>

namespace Quillary::Ui::InitialsAvatar {

namespace {

// The first character, taking a surrogate pair whole.
QString firstCharacter(QStringView word)
{
    if (word.isEmpty())
        return {};
    const bool pair = word.size() > 1 && word.at(0).isHighSurrogate() && word.at(1).isLowSurrogate();
    return word.first(pair ? 2 : 1).toString();
}

bool isIdeographicOrKana(QStringView word)
{
    const QString first = firstCharacter(word);
    if (first.isEmpty())
        return false;
    const char32_t code = first.size() == 2 ? QChar::surrogateToUcs4(first.at(0), first.at(1)) : first.at(0).unicode();
    const QChar::Script script = QChar::script(code);
    return script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana
        || script == QChar::Script_Hangul;
}

} // namespace

QString initials(const QString& name)
{
    const QStringList words = name.split(QChar::Space, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    if (isIdeographicOrKana(words.constFirst()) || words.size() == 1)
        return firstCharacter(words.constFirst()).toUpper();
    return (firstCharacter(words.constFirst()) + firstCharacter(words.constLast())).toUpper();
}

QColor colorFor(const QString& name)
{
    // A hash of our own: qHash is seeded differently in every run.
    quint32 hash = 2166136261u;
    for (const QChar c : name)
        hash = (hash ^ c.unicode()) * 16777619u;
    return QColor::fromHsl(int(hash % 360), 110, 105);
}

QPixmap paint(const QString& name, int side, qreal devicePixelRatio, const QFont& font)
{
    static QCache<QString, QPixmap> cache(512);
    const QString key =
        name + u'\x1f' + QString::number(side) + u'\x1f' + QString::number(devicePixelRatio) + u'\x1f' + font.key();
    if (const QPixmap* cached = cache.object(key))
        return *cached;
    auto* pixmap = new QPixmap(QSize(side, side) * devicePixelRatio);
    pixmap->setDevicePixelRatio(devicePixelRatio);
    pixmap->fill(Qt::transparent);
    QPainter painter(pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colorFor(name));
    painter.drawEllipse(QRectF(0, 0, side, side));
    QFont letters = font;
    letters.setBold(true);
    letters.setPixelSize(qMax(6, side * 2 / 5));
    painter.setFont(letters);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, initials(name));
    painter.end();
    const QPixmap result = *pixmap;
    cache.insert(key, pixmap);
    return result;
}

} // namespace Quillary::Ui::InitialsAvatar
