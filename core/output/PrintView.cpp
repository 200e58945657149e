#include "PrintView.h"

#include "AddressListText.h"
#include "EnvelopePage.h"
#include "HagakiPage.h"
#include "MailingLabelSheet.h"

#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace Quillary {

namespace {

// Lines that end within this distance of the content's bottom still fit.
constexpr qreal Tolerance = 1e-6;

int wholePart(double value)
{
    return std::isfinite(value) ? int(std::clamp(std::floor(value), -1e9, 1e9)) : 0;
}

} // namespace

// Paper -----------------------------------------------------------------------------------------

PaperInfo PaperInfo::fromSize(const QSizeF& paperSize)
{
    return {paperSize, QRectF(QPointF(0, 0), paperSize)};
}

PaperInfo PaperInfo::fromPageLayout(const QPageLayout& layout)
{
    QPageLayout points = layout;
    points.setUnits(QPageLayout::Point);
    const QRectF full = points.fullRect(QPageLayout::Point);
    return {full.size(), full.marginsRemoved(points.minimumMargins())};
}

// View ------------------------------------------------------------------------------------------

PrintView::PrintView(ContactTable contacts, const PaperInfo& paper, PrintOptions options)
    : m_contacts(std::move(contacts)), m_options(std::move(options)), m_paper(paper)
{
    calculatePages();
}

void PrintView::setContacts(ContactTable contacts, PrintOptions options)
{
    m_contacts = std::move(contacts);
    m_options = std::move(options);
    m_paper = PaperInfo::fromSize(QSizeF(m_options.otherKeys.value(QStringLiteral("paperWidth")).toDouble(),
                                         m_options.otherKeys.value(QStringLiteral("paperHeight")).toDouble()));
    calculatePages();
}

int PrintView::knowsPageRange(const PaperInfo& paper)
{
    m_paper = paper;
    calculatePages();
    return m_pages;
}

QSizeF PrintView::frameSize() const
{
    return {m_paper.paperSize.width(), m_pages * m_paper.paperSize.height()};
}

QRectF PrintView::rectForPage(int page) const
{
    const QSizeF paper = m_paper.paperSize;
    return {0, (page - 1) * paper.height(), paper.width(), paper.height()};
}

PrintMargins PrintView::margins() const
{
    switch (m_options.style().value_or(PrintStyle::AddressList)) {
    case PrintStyle::AddressList:
        return m_options.addressList.margins;
    case PrintStyle::MailingLabels:
        return m_options.mailingLabels.margins;
    case PrintStyle::Envelope:
        return m_options.envelope.margins;
    case PrintStyle::Hagaki:
        return {m_options.hagaki.topMargin, m_options.hagaki.leftMargin, 0, 0};
    }
    return {};
}

QRectF PrintView::contentRect(int page) const
{
    const QRectF& printable = m_paper.imageableBounds;
    const PrintMargins inset = margins();
    return {printable.x() + inset.left, page * m_paper.paperSize.height() + printable.y() + inset.top,
            printable.width() - inset.left - inset.right, printable.height() - inset.top - inset.bottom};
}

// Pages -----------------------------------------------------------------------------------------

PrintView::LabelGrid PrintView::labelGrid(const MailingLabelsOptions& options, const QSizeF& paperSize)
{
    // The gaps are whole points.
    const int hGap = wholePart(options.hGap);
    const int vGap = wholePart(options.vGap);
    const double across = (paperSize.width() - options.leftOffset + hGap) / (options.labelWidth + hGap);
    const double down = (paperSize.height() - options.topOffset) / (options.labelHeight + vGap);
    // Not even one label fitting (or sizes of 0) still prints one label a page rather than none.
    return {std::max(wholePart(across), 1), std::max(wholePart(down), 1)};
}

int PrintView::mailingLabelPages(const MailingLabelsOptions& options, const QSizeF& paperSize, qsizetype contactCount)
{
    const LabelGrid grid = labelGrid(options, paperSize);
    const qint64 labels = qint64(std::max(options.repeatCount, 0)) * contactCount;
    const qint64 perPage = qint64(grid.columns) * grid.rows;
    // A full last page needs no empty page after it.
    return int(std::clamp<qint64>((labels + perPage - 1) / perPage, 1, INT_MAX));
}

void PrintView::calculatePages()
{
    m_blocks.clear();
    switch (m_options.style().value_or(PrintStyle::AddressList)) {
    case PrintStyle::AddressList:
        m_blocks = layoutAddressList();
        m_pages = m_blocks.isEmpty() ? 1 : m_blocks.last().page + 1;
        break;
    case PrintStyle::MailingLabels:
        m_pages = mailingLabelPages(m_options.mailingLabels, m_paper.paperSize, m_contacts.size());
        break;
    case PrintStyle::Envelope:
    case PrintStyle::Hagaki:
        m_pages = int(std::clamp<qsizetype>(m_contacts.size(), 1, INT_MAX));
        break;
    }
}

QList<AddressListBlock> PrintView::layoutAddressList() const
{
    // The contacts go down the pages one after another. One that does not fit in what is left of a
    // page starts on the next; one taller than a whole page starts at a page top and is cut between
    // lines, so that nothing is drawn over the margins or over the next contact.
    const AddressListText texts(m_options.addressList);
    QList<AddressListBlock> blocks;
    int page = 0;
    qreal y = contentRect(0).top();
    for (qsizetype contact = 0; contact < m_contacts.size(); ++contact) {
        const PrintTextLayout layout(texts.contactText(*m_contacts.at(contact)), texts.font(), contentRect(0).width());
        QRectF content = contentRect(page);
        if (y + layout.height() > content.bottom() + Tolerance && y > content.top()) {
            content = contentRect(++page);
            y = content.top();
        }
        const qsizetype lineCount = layout.lines().size();
        qsizetype first = 0;
        while (first < lineCount) {
            qsizetype end = first;
            while (end < lineCount && y + layout.height(first, end - first + 1) <= content.bottom() + Tolerance)
                ++end;
            // A single line taller than the page still has to go somewhere.
            end = std::max(end, first + 1);
            const qreal height = layout.height(first, end - first);
            blocks.append({contact, page, QRectF(content.left(), y, content.width(), height), first, end - first});
            y += height;
            first = end;
            if (first < lineCount) {
                content = contentRect(++page);
                y = content.top();
            }
        }
    }
    return blocks;
}

// Drawing ---------------------------------------------------------------------------------------

void PrintView::draw(QPainter& painter, const QRectF& rect) const
{
    switch (m_options.style().value_or(PrintStyle::AddressList)) {
    case PrintStyle::AddressList:
        drawAddressList(painter, rect);
        break;
    case PrintStyle::MailingLabels:
        MailingLabelSheet(m_options.mailingLabels, m_paper.paperSize).draw(painter, rect, m_contacts);
        break;
    case PrintStyle::Envelope:
        EnvelopePage(m_options.envelope, m_paper.paperSize).draw(painter, rect, m_contacts, m_sender.get());
        break;
    case PrintStyle::Hagaki: {
        HagakiPage hagaki(m_options.hagaki, m_paper.paperSize);
        hagaki.setShowsBackground(m_showsBackground);
        hagaki.draw(painter, rect, m_contacts, m_sender.get());
        break;
    }
    }
}

void PrintView::drawAddressList(QPainter& painter, const QRectF& rect) const
{
    const AddressListText texts(m_options.addressList);
    const AddressListOptions& options = m_options.addressList;
    // The platform's default line width: one point.
    const QPen rule(Qt::black, 1.0);
    std::unique_ptr<PrintTextLayout> layout;
    qsizetype laidOut = -1;
    for (const AddressListBlock& block : m_blocks) {
        if (!block.rect.intersects(rect))
            continue;
        if (block.contact != laidOut) {
            const PrintContactText text = texts.contactText(*m_contacts.at(block.contact));
            layout = std::make_unique<PrintTextLayout>(text, texts.font(), block.rect.width());
            laidOut = block.contact;
        }
        if (options.alternatingRow && block.contact % 2 == 1)
            painter.fillRect(block.rect, QColor::fromRgbF(0.9f, 0.9f, 0.9f, 1.0f));
        painter.setPen(Qt::black);
        layout->draw(painter, block.rect.topLeft(), block.firstLine, block.lineCount);
        if (options.printFrame) {
            painter.setPen(rule);
            painter.drawLine(block.rect.topLeft(), block.rect.topRight());
            painter.drawLine(block.rect.bottomLeft(), block.rect.bottomRight());
        }
    }
}

bool PrintView::render(QPagedPaintDevice& device)
{
    knowsPageRange(PaperInfo::fromPageLayout(device.pageLayout()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The device's origin is the corner of its paint rectangle, in its own dots.
    const QRectF paintRect = device.pageLayout().paintRect(QPageLayout::Point);
    const qreal scaleX = device.logicalDpiX() / 72.0;
    const qreal scaleY = device.logicalDpiY() / 72.0;
    for (int page = 1; page <= m_pages; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        const QRectF band = rectForPage(page);
        painter.save();
        painter.scale(scaleX, scaleY);
        painter.translate(-paintRect.left(), -paintRect.top() - band.top());
        painter.setClipRect(band);
        draw(painter, band);
        painter.restore();
    }
    return painter.end();
}

bool PrintView::writePdf(QIODevice& output, const QPageSize& pageSize, QPageLayout::Orientation orientation)
{
    QPdfWriter writer(&output);
    writer.setPageLayout(QPageLayout(pageSize, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    writer.setCreator(QStringLiteral("Quillary"));
    writer.setTitle(PrintStyles::localizedName(m_options.style().value_or(PrintStyle::AddressList)));
    return render(writer);
}

} // namespace Quillary
