#pragma once

// Internal to the table's sorting: texts compared without regard to case, as code units folded
// once, with their first eight units packed into two numbers that settle most comparisons.

#include <QStringView>

#include <algorithm>
#include <vector>

namespace Quillary::FoldedText {

/// Appends the text case-folded by code point (characters outside the basic plane fold too), as
/// QString::compare does when it ignores case.
inline void append(std::vector<char16_t>& out, QStringView text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        const char16_t unit = c.unicode();
        if (unit < 0x80) { // most text is ASCII: only A-Z change
            out.push_back(unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit);
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, text.at(i + 1)));
            out.push_back(QChar::highSurrogate(folded));
            out.push_back(QChar::lowSurrogate(folded));
            ++i;
        } else {
            out.push_back(c.toCaseFolded().unicode());
        }
    }
}

/// Appends two texts folded as if they were one: a character split between them folds whole.
inline void appendJoined(std::vector<char16_t>& out, QStringView first, QStringView second)
{
    if (!first.isEmpty() && !second.isEmpty() && first.back().isHighSurrogate() && second.front().isLowSurrogate()) {
        append(out, QString(first + second));
        return;
    }
    append(out, first);
    append(out, second);
}

/// The first eight units of a folded text as two numbers that order as the units do.
struct Prefix
{
    quint64 high = 0;
    quint64 low = 0;
};

inline Prefix prefix(const char16_t* units, size_t length)
{
    Prefix result;
    for (size_t i = 0; i < 4; ++i)
        result.high = (result.high << 16) | (i < length ? units[i] : 0u);
    for (size_t i = 4; i < 8; ++i)
        result.low = (result.low << 16) | (i < length ? units[i] : 0u);
    return result;
}

/// -1, 0 or 1 as two folded texts order, their prefixes first.
inline int compare(const Prefix& a, const Prefix& b, const char16_t* aUnits, size_t aLength, const char16_t* bUnits,
                   size_t bLength)
{
    if (a.high != b.high)
        return a.high < b.high ? -1 : 1;
    if (a.low != b.low)
        return a.low < b.low ? -1 : 1;
    const auto [aEnd, bEnd] = std::mismatch(aUnits, aUnits + aLength, bUnits, bUnits + bLength);
    if (aEnd == aUnits + aLength)
        return bEnd == bUnits + bLength ? 0 : -1;
    if (bEnd == bUnits + bLength)
        return 1;
    return *aEnd < *bEnd ? -1 : 1;
}

} // namespace Quillary::FoldedText
