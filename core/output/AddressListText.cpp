#include "AddressListText.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextOption>

namespace Quillary {

namespace {

constexpr int DefaultFontSize = 8;

} // namespace

QString PrintContactText::toPlainText() const
{
    QStringList lines;
    for (const PrintParagraph& paragraph : paragraphs)
        lines.append(paragraph.text);
    return lines.join(u'\n');
}

// Appends text to a contact's paragraphs. A newline ends the current paragraph; text after it opens a
// new one with the indent given for new paragraphs, while text without a newline before it continues
// the paragraph that is open (the first value of a block goes on the line of its prefix).
class AddressListText::Builder
{
public:
    void append(QStringView text, qreal indent, bool grey = false)
    {
        const QList<QStringView> parts = text.split(u'\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0) {
                open(indent);
                m_open = false;
            }
            if (parts.at(i).isEmpty())
                continue;
            PrintParagraph& paragraph = open(indent);
            if (grey)
                paragraph.greyRanges.append({paragraph.text.size(), parts.at(i).size()});
            paragraph.text += parts.at(i);
        }
    }

    PrintContactText take() { return std::exchange(m_text, {}); }

private:
    PrintParagraph& open(qreal indent)
    {
        if (!m_open) {
            m_text.paragraphs.append(PrintParagraph{{}, indent, {}});
            m_open = true;
        }
        return m_text.paragraphs.last();
    }

    PrintContactText m_text;
    bool m_open = false;
};

AddressListText::AddressListText(const AddressListOptions& options)
    : m_options(options), m_font(fontForOptions(options.fontName, options.fontSize))
{
    for (const PrintItem& item : options.itemTable) {
        if (item.state && item.title != Field::Name)
            m_printedFields.append(item.title);
    }
}

PrintContactText AddressListText::contactText(const ContactEntry& entry) const
{
    QString name = entry.compositeName;
    if (name.isEmpty() && entry.person)
        name = entry.person->compositeName();
    if (name.isEmpty())
        name = NoNameText;
    Builder builder;
    builder.append(QString(name + u'\n'), 0);
    for (const QString& identifier : m_printedFields)
        appendField(builder, entry, identifier);
    // The final newline opens no paragraph of its own, so the text ends with its last line.
    return builder.take();
}

PrintContactText AddressListText::fieldBlock(const ContactEntry& entry, const QString& identifier) const
{
    Builder builder;
    appendField(builder, entry, identifier);
    return builder.take();
}

void AddressListText::appendField(Builder& builder, const ContactEntry& entry, const QString& identifier) const
{
    const QString prefix = identifier + u": ";
    // Later lines of the block line up under the first value, after the prefix.
    const qreal valueIndent = textWidth(prefix) + BlockIndent;
    builder.append(prefix, BlockIndent);
    const FieldValue value = entry.person ? entry.person->valueForIdentifier(identifier) : FieldValue();
    if (const auto* list = std::get_if<LabeledValueList>(&value)) {
        bool any = false;
        for (const LabeledValue& labeled : *list) {
            if (labeled.stringValue().isEmpty() || !m_options.isLabelSelected(labeled.label))
                continue;
            builder.append(QString(labeled.label + u':'), valueIndent, true);
            builder.append(QString(u' ' + labeled.stringValue() + u'\n'), valueIndent);
            any = true;
        }
        if (!any)
            builder.append(u"\n", valueIndent);
    } else if (const auto* name = std::get_if<NameValue>(&value)) {
        builder.append(QString(name->stringValue + u'\n'), valueIndent);
    } else if (const auto* phonetic = std::get_if<PhoneticNameValue>(&value)) {
        builder.append(QString(phonetic->stringValue + u'\n'), valueIndent);
    } else if (const auto* birthday = std::get_if<BirthdayValue>(&value)) {
        builder.append(QString(birthday->stringValue + u'\n'), valueIndent);
    } else if (const auto* text = std::get_if<QString>(&value)) {
        builder.append(QString(*text + u'\n'), valueIndent);
    }
    // Anything else (a photo) prints the prefix alone.
}

qreal AddressListText::textWidth(const QString& text) const
{
    return QFontMetricsF(m_font, pointDevice()).horizontalAdvance(text);
}

QFont AddressListText::fontForOptions(const QString& fontName, int fontSize)
{
    QFont font = fontName.isEmpty() ? QFont(PrintOptions::defaultFontName()) : QFont(fontName);
    font.setPointSize(fontSize > 0 ? fontSize : DefaultFontSize);
    // Unhinted outlines measure the same at 72 dots per inch as on the printer.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QPaintDevice* AddressListText::pointDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        constexpr int DotsPerMeter = 2835; // 72 per inch
        image.setDotsPerMeterX(DotsPerMeter);
        image.setDotsPerMeterY(DotsPerMeter);
        return image;
    }();
    return &device;
}

QColor AddressListText::labelColor()
{
    return QColor(128, 128, 128);
}

// Layout ----------------------------------------------------------------------------------------

PrintTextLayout::PrintTextLayout(const PrintContactText& text, const QFont& font, qreal width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextCharFormat grey;
    grey.setForeground(AddressListText::labelColor());
    qreal top = 0;
    for (const PrintParagraph& paragraph : text.paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph.text, font, AddressListText::pointDevice());
        layout->setTextOption(option);
        QList<QTextLayout::FormatRange> formats;
        for (const auto& [start, length] : paragraph.greyRanges)
            formats.append({int(start), int(length), grey});
        layout->setFormats(formats);
        // Wrapped lines keep the paragraph's indent; a column narrower than one point still takes text.
        const qreal lineWidth = std::max(width - paragraph.indent, 1.0);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(paragraph.indent, 0));
            m_lines.append({int(m_layouts.size()), line.lineNumber(), top, line.height()});
            top += line.height();
        }
        layout->endLayout();
        m_layouts.push_back(std::move(layout));
    }
}

PrintTextLayout::~PrintTextLayout() = default;

qreal PrintTextLayout::height(qsizetype first, qsizetype count) const
{
    if (count <= 0)
        return 0;
    const Line& last = m_lines.at(first + count - 1);
    return last.top + last.height - m_lines.at(first).top;
}

void PrintTextLayout::draw(QPainter& painter, const QPointF& origin, qsizetype first, qsizetype count) const
{
    if (count <= 0)
        return;
    const qreal shift = m_lines.at(first).top;
    for (qsizetype i = first; i < first + count; ++i) {
        const Line& line = m_lines.at(i);
        // Each line sits at y 0 of its layout; its place in the text is `top`.
        m_layouts.at(size_t(line.paragraph))->lineAt(line.line).draw(&painter, origin + QPointF(0, line.top - shift));
    }
}

} // namespace Quillary
