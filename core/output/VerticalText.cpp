#include "VerticalText.h"

#include "PrintText.h"

#include <QPainter>
#include <QTextBoundaryFinder>

namespace Quillary::VerticalText {

namespace {

// Characters that a vertical line draws turned: lines and dashes would lie across the column, and
// brackets must open downwards.
const QString RotatedCharacters =
    QStringLiteral("ー－-‐‑–—―−～〜~…‥()（）「」『』【】〔〕［］[]{}｛｝〈〉《》<>＜＞=＝:：;；｜|→←");
const QString PunctuationCharacters = QStringLiteral("、。，．,.");
const QString SmallKana =
    QStringLiteral("ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ");
const QString HyphenCharacters = QStringLiteral("-‐‑–—―−－ｰ");
const QString KanjiDigits = QStringLiteral("〇一二三四五六七八九");

bool isIn(const QString& set, char32_t character)
{
    return character <= 0xFFFF && set.contains(QChar(char16_t(character)));
}

} // namespace

CellKind kindOf(char32_t character)
{
    if (character == u' ' || character == 0x3000)
        return CellKind::Space;
    if (isIn(RotatedCharacters, character))
        return CellKind::Rotated;
    if (isIn(PunctuationCharacters, character))
        return CellKind::Punctuation;
    if (isIn(SmallKana, character))
        return CellKind::SmallKana;
    return CellKind::Upright;
}

QList<Cell> cells(const QString& text)
{
    QList<Cell> result;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (graphemes.toNextBoundary() != -1) {
        const qsizetype end = graphemes.position();
        const QString cell = text.mid(start, end - start);
        start = end;
        if (cell.isEmpty() || cell.front().category() == QChar::Other_Control)
            continue; // line breaks and tabs
        result.append({cell, kindOf(cell.toUcs4().value(0))});
    }
    return result;
}

QString addressText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar character : text) {
        if (character >= u'0' && character <= u'9')
            result += KanjiDigits.at(character.unicode() - u'0');
        else if (character >= QChar(0xFF10) && character <= QChar(0xFF19))
            result += KanjiDigits.at(character.unicode() - 0xFF10);
        else if (HyphenCharacters.contains(character))
            result += u'ー';
        else if (character > u' ' && character < QChar(0x7F))
            result += QChar(char16_t(character.unicode() - 0x20 + 0xFF00)); // full-width form
        else
            result += character;
    }
    return result;
}

qreal columnHeight(const QList<Cell>& cells, qreal advance)
{
    qreal height = 0;
    for (const Cell& cell : cells)
        height += cell.kind == CellKind::Space ? advance / 2 : advance;
    return height;
}

QList<qreal> drawColumn(QPainter& painter, const QFont& font, const QList<Cell>& cells, const QPointF& topCentre,
                        qreal advance)
{
    const qreal lineHeight = PrintText::metrics(font).height();
    QList<qreal> tops;
    qreal top = topCentre.y();
    for (const Cell& cell : cells) {
        tops.append(top);
        if (cell.kind == CellKind::Space) {
            top += advance / 2;
            continue;
        }
        const qreal width = PrintText::width(font, cell.text);
        const QPointF centre(topCentre.x(), top + advance / 2);
        painter.save();
        painter.translate(centre);
        if (cell.kind == CellKind::Rotated)
            painter.rotate(90);
        else if (cell.kind == CellKind::Punctuation)
            painter.translate(advance * 0.55, -advance * 0.55);
        else if (cell.kind == CellKind::SmallKana)
            painter.translate(advance * 0.1, -advance * 0.1);
        PrintText::draw(painter, font, cell.text, QPointF(-width / 2, -lineHeight / 2));
        painter.restore();
        top += advance;
    }
    return tops;
}

} // namespace Quillary::VerticalText
