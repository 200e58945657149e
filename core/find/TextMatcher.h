#pragma once

#include "FindTypes.h"

#include <QRegularExpression>
#include <QStringMatcher>

#include <functional>
#include <optional>
#include <string>

namespace Quillary {

/// Finds every occurrence of a search text in values, in one of the find panel's modes, and
/// replaces them. In regular-expression mode a pattern that is invalid, or that makes the engine
/// give up (catastrophic backtracking hits PCRE2's match limit), is reported instead of finding
/// nothing; the replacement may then name captured groups as \1 … \9.
class TextMatcher
{
public:
    enum class Status { Ok, Empty, InvalidPattern, TooComplex };

    TextMatcher(const QString& searchString, SearchMode mode);

    [[nodiscard]] Status status() const { return m_status; }
    /// Whether searching can find anything: a search text, and a pattern that works.
    [[nodiscard]] bool isUsable() const { return m_status == Status::Ok; }
    /// Why the search found nothing: the pattern's error, "pattern too complex", or "".
    [[nodiscard]] QString errorString() const;

    /// The occurrences from the start of the text: each search starts where the last hit ended,
    /// and a hit of length 0 is the last one. None for an empty text. After a hit of the match
    /// limit the status is TooComplex and nothing more is found.
    [[nodiscard]] FindRanges ranges(const QString& text);
    /// The text with every occurrence that `ranges` finds replaced.
    [[nodiscard]] QString replacedAll(const QString& text, const QString& replacement);
    /// What replaces the occurrence at `range` (in regular-expression mode its groups expanded).
    [[nodiscard]] QString replacementAt(const QString& text, FindRange range, const QString& replacement);

private:
    struct Hit
    {
        FindRange range;
        QRegularExpressionMatch match;
    };
    /// The next hit at or after `from`; none when there is none (or the engine gave up).
    [[nodiscard]] std::optional<Hit> next(const QString& text, qsizetype from);
    /// Every hit from the start of the text, as `ranges` lists them.
    void forEachHit(const QString& text, const std::function<void(const Hit&)>& visit);
    [[nodiscard]] QString expanded(const QString& replacement, const QRegularExpressionMatch& match) const;
    /// Case-insensitive search for a folded search text, quicker than the general matcher on the
    /// mostly ASCII texts of contacts.
    [[nodiscard]] qsizetype indexOfFolded(const QString& text, qsizetype from) const;

    SearchMode m_mode;
    QString m_searchString;
    QStringMatcher m_literal;
    std::u16string m_folded; ///< case-insensitive mode: the search text case folded
    QRegularExpression m_regex;
    Status m_status = Status::Ok;
};

} // namespace Quillary
