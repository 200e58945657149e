#include "TextMatcher.h"

#include "model/FieldIdentifiers.h"
#include "support/CoreTr.h"

namespace Quillary {

namespace {

/// A UTF-16 unit case folded; ASCII without a table lookup.
inline char16_t folded(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}

} // namespace

bool FindRecord::isDate() const
{
    return item == Field::Birthday || item == Field::Dates;
}

TextMatcher::TextMatcher(const QString& searchString, SearchMode mode) : m_mode(mode), m_searchString(searchString)
{
    if (searchString.isEmpty()) {
        m_status = Status::Empty;
        return;
    }
    if (mode == SearchMode::Regex) {
        m_regex.setPattern(searchString);
        if (!m_regex.isValid())
            m_status = Status::InvalidPattern;
        else
            m_regex.optimize();
        return;
    }
    if (mode == SearchMode::CaseInsensitive) {
        for (const QChar c : searchString)
            m_folded.push_back(folded(c.unicode()));
    } else {
        m_literal = QStringMatcher(searchString, Qt::CaseSensitive);
    }
}

qsizetype TextMatcher::indexOfFolded(const QString& text, qsizetype from) const
{
    const auto length = qsizetype(m_folded.size());
    const auto* units = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t first = m_folded.front();
    for (qsizetype at = from, last = text.size() - length; at <= last; ++at) {
        if (folded(units[at]) != first)
            continue;
        qsizetype matched = 1;
        while (matched < length && folded(units[at + matched]) == m_folded[size_t(matched)])
            ++matched;
        if (matched == length)
            return at;
    }
    return -1;
}

QString TextMatcher::errorString() const
{
    switch (m_status) {
    case Status::InvalidPattern:
        return m_regex.errorString();
    case Status::TooComplex:
        return Tr::tr("pattern too complex");
    default:
        return {};
    }
}

std::optional<TextMatcher::Hit> TextMatcher::next(const QString& text, qsizetype from)
{
    if (m_mode != SearchMode::Regex) {
        const qsizetype at =
            m_mode == SearchMode::CaseInsensitive ? indexOfFolded(text, from) : m_literal.indexIn(text, from);
        if (at < 0)
            return std::nullopt;
        return Hit{{at, m_searchString.size()}, {}};
    }
    QRegularExpressionMatch match = m_regex.match(text, from);
    // PCRE2 gives up on a pattern that backtracks past its match limit; Qt then answers with an
    // invalid match rather than a failed one.
    if (!match.isValid()) {
        m_status = Status::TooComplex;
        return std::nullopt;
    }
    if (!match.hasMatch())
        return std::nullopt;
    const FindRange range{match.capturedStart(), match.capturedLength()};
    return Hit{range, std::move(match)};
}

void TextMatcher::forEachHit(const QString& text, const std::function<void(const Hit&)>& visit)
{
    if (!isUsable())
        return;
    for (qsizetype from = 0; from < text.size();) {
        const std::optional<Hit> hit = next(text, from);
        if (!hit)
            break;
        visit(*hit);
        if (hit->range.length == 0)
            break;
        from = hit->range.end();
    }
}

FindRanges TextMatcher::ranges(const QString& text)
{
    FindRanges result;
    forEachHit(text, [&](const Hit& hit) { result.append(hit.range); });
    return result;
}

QString TextMatcher::replacedAll(const QString& text, const QString& replacement)
{
    QString result;
    qsizetype copied = 0;
    bool found = false;
    forEachHit(text, [&](const Hit& hit) {
        found = true;
        result += QStringView(text).sliced(copied, hit.range.location - copied);
        result += m_mode == SearchMode::Regex ? expanded(replacement, hit.match) : replacement;
        copied = hit.range.end();
    });
    if (!found)
        return text;
    result += QStringView(text).sliced(copied);
    return result;
}

QString TextMatcher::replacementAt(const QString& text, FindRange range, const QString& replacement)
{
    if (m_mode != SearchMode::Regex || !isUsable())
        return replacement;
    const QRegularExpressionMatch match = m_regex.match(text, range.location, QRegularExpression::NormalMatch,
                                                        QRegularExpression::AnchorAtOffsetMatchOption);
    if (!match.isValid() || !match.hasMatch())
        return replacement;
    return expanded(replacement, match);
}

QString TextMatcher::expanded(const QString& replacement, const QRegularExpressionMatch& match) const
{
    QString result;
    result.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c != u'\\' || i + 1 == replacement.size()) {
            result += c;
            continue;
        }
        const QChar escaped = replacement.at(++i);
        if (escaped >= u'1' && escaped <= u'9')
            result += match.captured(escaped.digitValue());
        else if (escaped == u'\\')
            result += u'\\';
        else
            result += QStringView(replacement).sliced(i - 1, 2);
    }
    return result;
}

} // namespace Quillary
