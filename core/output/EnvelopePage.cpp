#include "EnvelopePage.h"

#include "AddressListText.h"
#include "PrintAddress.h"
#include "PrintText.h"

#include <QPainter>
#include <cmath>

namespace Quillary {

namespace {

constexpr qreal RecipientScale = 1.5;

} // namespace

EnvelopePage::EnvelopePage(const EnvelopeOptions& options, const QSizeF& paperSize)
    : m_options(options), m_paper(paperSize)
{ }

QStringList EnvelopePage::recipientLines(const ContactEntry& entry) const
{
    AddressBlockOptions block;
    block.company = m_options.printCompany;
    block.department = m_options.printDepartment;
    block.country = m_options.printCountry;
    block.phone = m_options.printPhone;
    return PrintAddress::contactBlock(entry, block);
}

QStringList EnvelopePage::senderLines(const ContactEntry& sender) const
{
    AddressBlockOptions block;
    block.addressLabel = m_options.senderLabel.isEmpty() ? QStringLiteral("home") : m_options.senderLabel;
    block.company = m_options.printCompany;
    block.department = m_options.printDepartment;
    block.country = m_options.printCountry;
    block.phone = m_options.printPhone;
    return PrintAddress::contactBlock(sender, block);
}

QRectF EnvelopePage::recipientArea(int page) const
{
    const PrintMargins& margins = m_options.margins;
    const qreal top = page * m_paper.height();
    return QRectF(m_paper.width() / 2, top + margins.top, m_paper.width() / 2 - margins.right,
                  m_paper.height() - margins.top - margins.bottom);
}

QRectF EnvelopePage::senderArea(int page) const
{
    const PrintMargins& margins = m_options.margins;
    return QRectF(margins.left, page * m_paper.height() + margins.top, m_paper.width() / 2 - margins.left,
                  m_paper.height() / 2 - margins.top);
}

void EnvelopePage::draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts,
                        const ContactEntry* sender) const
{
    const QFont font = AddressListText::fontForOptions(m_options.fontName, m_options.fontSize);
    QFont large = font;
    large.setPointSizeF(font.pointSizeF() * RecipientScale);
    const int firstPage = std::max(0, int(std::floor(rect.top() / m_paper.height())));
    const int lastPage = std::min(int(contacts.size()), int(std::ceil(rect.bottom() / m_paper.height()))) - 1;
    painter.save();
    painter.setPen(Qt::black);
    for (int page = firstPage; page <= lastPage; ++page) {
        const QRectF area = recipientArea(page);
        const PrintText::FittedLines recipient =
            PrintText::fit(recipientLines(*contacts.at(page)), large, area.width(), area.height());
        qreal width = 0;
        for (const QString& line : recipient.lines)
            width = std::max(width, PrintText::width(recipient.font, line));
        const QSizeF block(width, recipient.lines.size() * recipient.lineHeight);
        PrintText::drawLines(painter, recipient, area.center() - QPointF(block.width() / 2, block.height() / 2));
        if (sender && m_options.printSender) {
            const QRectF corner = senderArea(page);
            PrintText::drawLines(painter, PrintText::fit(senderLines(*sender), font, corner.width(), corner.height()),
                                 corner.topLeft());
        }
    }
    painter.restore();
}

} // namespace Quillary
