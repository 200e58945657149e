#include "MailingLabelSheet.h"

#include "AddressListText.h"
#include "PrintAddress.h"
#include "PrintText.h"
#include "PrintView.h"

#include <QPainter>
#include <cmath>

namespace Quillary {

MailingLabelSheet::MailingLabelSheet(const MailingLabelsOptions& options, const QSizeF& paperSize)
    : m_options(options), m_paper(paperSize)
{
    const PrintView::LabelGrid grid = PrintView::labelGrid(options, paperSize);
    m_columns = grid.columns;
    m_rows = grid.rows;
    const qreal hGap = std::floor(std::max(options.hGap, 0.0));
    const qreal vGap = std::floor(std::max(options.vGap, 0.0));
    const qreal gridWidth = m_columns * options.labelWidth + (m_columns - 1) * hGap;
    const qreal gridHeight = m_rows * options.labelHeight + (m_rows - 1) * vGap;
    // Without offsets the grid is centred, as label sheets leave equal borders on both sides.
    m_origin = {options.leftOffset != 0 ? options.leftOffset : std::max(0.0, (paperSize.width() - gridWidth) / 2),
                options.topOffset != 0 ? options.topOffset : std::max(0.0, (paperSize.height() - gridHeight) / 2)};
}

QRectF MailingLabelSheet::labelRect(int page, qsizetype place) const
{
    const qsizetype column = place % m_columns;
    const qsizetype row = place / m_columns;
    const qreal x = m_origin.x() + column * (m_options.labelWidth + std::floor(std::max(m_options.hGap, 0.0)));
    const qreal y = page * m_paper.height() + m_origin.y()
        + row * (m_options.labelHeight + std::floor(std::max(m_options.vGap, 0.0)));
    return {x, y, m_options.labelWidth, m_options.labelHeight};
}

QStringList MailingLabelSheet::labelLines(const ContactEntry& entry) const
{
    AddressBlockOptions block;
    block.addressLabel = PrintAddress::labelOfFormat(m_options.printFormat);
    block.company = m_options.printCompany;
    block.department = m_options.printDepartment;
    block.country = m_options.printCountry;
    block.phone = m_options.printPhone;
    return PrintAddress::contactBlock(entry, block);
}

void MailingLabelSheet::draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts) const
{
    const qint64 repeat = std::max(m_options.repeatCount, 0);
    const qint64 labels = repeat * contacts.size();
    const qint64 perPage = labelsPerPage();
    const int firstPage = std::max(0, int(std::floor(rect.top() / m_paper.height())));
    const int lastPage = int(std::ceil(rect.bottom() / m_paper.height())) - 1;
    for (int page = firstPage; page <= lastPage; ++page) {
        for (qint64 place = 0; place < perPage; ++place) {
            const qint64 label = page * perPage + place;
            if (label >= labels)
                return;
            const QRectF box = labelRect(page, place);
            if (box.intersects(rect))
                drawLabel(painter, box, *contacts.at(label / repeat));
        }
    }
}

void MailingLabelSheet::drawLabel(QPainter& painter, const QRectF& label, const ContactEntry& entry) const
{
    const PrintMargins& inset = m_options.margins;
    const QRectF text = label.adjusted(inset.left, inset.top, -inset.right, -inset.bottom);
    const QFont font = AddressListText::fontForOptions(m_options.fontName, m_options.fontSize);
    const PrintText::FittedLines fitted = PrintText::fit(labelLines(entry), font, text.width(), text.height());
    painter.save();
    painter.setClipRect(label, Qt::IntersectClip);
    painter.setPen(Qt::black);
    PrintText::drawLines(painter, fitted, text.topLeft());
    if (m_options.printFrame) {
        painter.setPen(QPen(Qt::black, 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(label.adjusted(0.25, 0.25, -0.25, -0.25));
    }
    painter.restore();
}

} // namespace Quillary
