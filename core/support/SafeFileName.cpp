#include "SafeFileName.h"

namespace Quillary::SafeFileName {

namespace {

constexpr qsizetype maxBytes = 200;

bool isUnsafe(QChar c)
{
    return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control || c == QChar::LineSeparator
        || c == QChar::ParagraphSeparator;
}

// The longest prefix of `name` whose UTF-8 form fits `budget` bytes, never ending inside a surrogate pair.
QString cutToBytes(const QString& name, qsizetype budget)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const bool pair = name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(name.at(i), name.at(i + 1)) : name.at(i).unicode();
        const qsizetype size = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (bytes + size > budget)
            break;
        bytes += size;
        i += pair ? 2 : 1;
    }
    return name.first(i);
}

} // namespace

QString make(const QString& text, const QString& fallback, const QString& extension)
{
    QString name = text.trimmed();
    for (QChar& c : name) {
        if (isUnsafe(c))
            c = u'_';
    }
    if (name.startsWith(u'.'))
        name[0] = u'_';
    const QString suffix = extension.isEmpty() ? QString() : u'.' + extension;
    name = cutToBytes(name, maxBytes - suffix.toUtf8().size()).trimmed();
    if (name.isEmpty() || name == u"_")
        name = fallback;
    return name + suffix;
}

} // namespace Quillary::SafeFileName
