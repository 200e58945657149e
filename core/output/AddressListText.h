#pragma once

#include "PrintOptions.h"
#include "model/ContactEntry.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;

namespace Quillary {

/// One paragraph of a contact's printed text: its text, how far its lines are indented and which
/// parts are drawn in grey (the labels).
struct PrintParagraph
{
    QString text;
    qreal indent = 0; ///< points from the content's left edge, for the first and any wrapped line
    QList<std::pair<qsizetype, qsizetype>> greyRanges; ///< start and length within `text`

    friend bool operator==(const PrintParagraph&, const PrintParagraph&) = default;
};

/// The printed text of one contact in the address list: its name, then one block per printed field.
struct PrintContactText
{
    QList<PrintParagraph> paragraphs;

    /// The paragraphs joined by newlines.
    [[nodiscard]] QString toPlainText() const;
};

/// Builds the address list's text of a contact: the composite name, then for every printed item of
/// the item table a block "Field: " with the field's values, labelled values one per line with their
/// label in grey and lined up under the first.
class AddressListText
{
public:
    /// How far field blocks are indented from the name.
    static constexpr qreal BlockIndent = 20;

    explicit AddressListText(const AddressListOptions& options);

    [[nodiscard]] const QFont& font() const { return m_font; }
    [[nodiscard]] PrintContactText contactText(const ContactEntry& entry) const;
    /// The block of one field ("Phone", "Note", ...) of a contact.
    [[nodiscard]] PrintContactText fieldBlock(const ContactEntry& entry, const QString& identifier) const;
    /// The width of a text in the font, in points.
    [[nodiscard]] qreal textWidth(const QString& text) const;

    /// The options' font in points; the platform's font when the family is not given, 8 points when the
    /// size is not.
    [[nodiscard]] static QFont fontForOptions(const QString& fontName, int fontSize);
    /// A device of 72 dots per inch, so that text is measured and laid out in points whatever device
    /// it is drawn on later.
    [[nodiscard]] static const QPaintDevice* pointDevice();
    /// The colour of labels.
    [[nodiscard]] static QColor labelColor();

private:
    class Builder;
    void appendField(Builder& builder, const ContactEntry& entry, const QString& identifier) const;

    AddressListOptions m_options;
    QFont m_font;
    QStringList m_printedFields;
};

/// A contact's text laid out in a column of a given width, line by line, in points.
class PrintTextLayout
{
public:
    struct Line
    {
        int paragraph = 0;
        int line = 0;
        qreal top = 0; ///< from the text's top
        qreal height = 0;
    };

    PrintTextLayout(const PrintContactText& text, const QFont& font, qreal width);
    ~PrintTextLayout();
    PrintTextLayout(const PrintTextLayout&) = delete;
    PrintTextLayout& operator=(const PrintTextLayout&) = delete;

    [[nodiscard]] const QList<Line>& lines() const { return m_lines; }
    [[nodiscard]] qreal height() const { return m_lines.isEmpty() ? 0 : m_lines.last().top + m_lines.last().height; }
    /// The height of `count` lines from `first`.
    [[nodiscard]] qreal height(qsizetype first, qsizetype count) const;
    /// Draws `count` lines from `first` with the top of the first at `origin`.
    void draw(QPainter& painter, const QPointF& origin, qsizetype first, qsizetype count) const;

private:
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    QList<Line> m_lines;
};

} // namespace Quillary
