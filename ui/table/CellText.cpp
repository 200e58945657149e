#include "CellText.h"

#include <QRegularExpression>

namespace Quillary::Ui::CellText {

namespace {

struct Line
{
    int start = 0; ///< in the original text
    QString text;
};

QList<Line> linesOf(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QList<Line> lines;
    int start = 0;
    for (auto it = breaks.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        lines.append({start, text.mid(start, match.capturedStart() - start)});
        start = match.capturedEnd();
    }
    lines.append({start, text.mid(start)});
    return lines;
}

} // namespace

Fitted fit(const QString& text, const QFontMetrics& metrics, int width, const QList<TextHighlight>& highlights)
{
    Fitted fitted;
    for (const Line& line : linesOf(text)) {
        if (!fitted.text.isEmpty() || line.start > 0)
            fitted.text += QChar::LineSeparator;
        const int shownStart = int(fitted.text.size());
        QString shown = line.text;
        qsizetype kept = shown.size();
        if (metrics.horizontalAdvance(shown) > width) {
            shown = metrics.elidedText(line.text, Qt::ElideRight, qMax(0, width));
            kept = shown.endsWith(QChar(0x2026)) ? shown.size() - 1 : shown.size();
            fitted.elided = true;
        }
        fitted.text += shown;
        // Marks keep to the part of the line still shown.
        for (const TextHighlight& highlight : highlights) {
            const int from = qMax(highlight.start, line.start);
            const int to = qMin(highlight.start + highlight.length, line.start + int(kept));
            if (from < to)
                fitted.highlights.append({shownStart + from - line.start, to - from, highlight.current});
        }
    }
    return fitted;
}

bool fits(const QString& text, const QFontMetrics& metrics, int width)
{
    const QList<Line> lines = linesOf(text);
    return std::all_of(lines.cbegin(), lines.cend(),
                       [&](const Line& line) { return metrics.horizontalAdvance(line.text) <= width; });
}

} // namespace Quillary::Ui::CellText
