#include "TextTransforms.h"

namespace Quillary::TextTransforms {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'\'' || c == QChar(0x2019) || c.category() == QChar::Mark_NonSpacing;
}

QString capitalized(const QString& text)
{
    QString result = text.toLower();
    bool inWord = false;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (!inWord && c.isLetter() && !c.isSurrogate())
            result[i] = c.toTitleCase();
        inWord = isWordCharacter(c) || c.isSurrogate();
    }
    return result;
}

} // namespace

QString apply(Kind kind, const QString& text)
{
    switch (kind) {
    case Kind::Uppercase:
        return text.toUpper();
    case Kind::Lowercase:
        return text.toLower();
    case Kind::Capitalize:
        return capitalized(text);
    }
    return text;
}

} // namespace Quillary::TextTransforms
