#pragma once

#include "PrintOptions.h"
#include "model/ContactEntry.h"

#include <QPageLayout>
#include <QRectF>
#include <QSizeF>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace Quillary {

/// The paper of a print job, in points with the origin at the top left.
struct PaperInfo
{
    QSizeF paperSize;
    QRectF imageableBounds; ///< the part of the paper the printer can print on

    /// The whole paper printable.
    [[nodiscard]] static PaperInfo fromSize(const QSizeF& paperSize);
    /// The paper of a page layout, the printable part inside its minimum margins.
    [[nodiscard]] static PaperInfo fromPageLayout(const QPageLayout& layout);

    friend bool operator==(const PaperInfo&, const PaperInfo&) = default;
};

/// Where one contact of the address list is drawn: its page, its rectangle in view coordinates and
/// its lines. A contact taller than a whole page is cut at a line into several blocks.
struct AddressListBlock
{
    qsizetype contact = 0;
    int page = 0; ///< from 0
    QRectF rect;
    qsizetype firstLine = 0;
    qsizetype lineCount = 0;
};

/// The pages a print job renders for a selection of contacts. The view is one tall column of pages of
/// the paper's size, page n (from 1) being the band (n − 1) × paper height down; coordinates are
/// points with the origin at the top left. The "Address List" style lays the contacts out one after
/// another as blocks of text, optionally on alternating grey bands between rules; the other styles
/// draw a grid of labels, an envelope or a postcard per contact.
class PrintView
{
public:
    PrintView(ContactTable contacts, const PaperInfo& paper, PrintOptions options);

    /// New contacts and options; the paper comes from the options' "paperWidth" and "paperHeight".
    void setContacts(ContactTable contacts, PrintOptions options);
    [[nodiscard]] const ContactTable& contacts() const { return m_contacts; }
    [[nodiscard]] const PrintOptions& printOptions() const { return m_options; }

    /// The contact the sender styles print as the sender.
    void setSender(ContactEntryPtr sender) { m_sender = std::move(sender); }
    [[nodiscard]] const ContactEntryPtr& sender() const { return m_sender; }

    /// Takes the paper of the current job and works the pages out again; answers the last page
    /// (the range is 1 … pages).
    int knowsPageRange(const PaperInfo& paper);
    [[nodiscard]] int pages() const { return m_pages; }
    [[nodiscard]] const PaperInfo& paper() const { return m_paper; }
    /// Paper width × pages × paper height.
    [[nodiscard]] QSizeF frameSize() const;
    /// The band of page n, from 1.
    [[nodiscard]] QRectF rectForPage(int page) const;
    /// The printable part of page k (from 0) inside the style's margins.
    [[nodiscard]] QRectF contentRect(int page) const;
    /// The address list's blocks, in contact order.
    [[nodiscard]] const QList<AddressListBlock>& blocks() const { return m_blocks; }

    /// Whether pages are drawn for a screen (a preview), which also shows what is printed on the
    /// stationery itself, such as a postcard's red boxes; never on paper.
    void setShowsBackground(bool show) { m_showsBackground = show; }
    [[nodiscard]] bool showsBackground() const { return m_showsBackground; }

    /// Draws what lies in `rect` (view coordinates) with a painter that maps points of the view.
    void draw(QPainter& painter, const QRectF& rect) const;
    /// Prints every page on a paged device (a PDF writer or a printer) with its own paper; false
    /// when the device cannot be painted on or a page cannot be started.
    bool render(QPagedPaintDevice& device);
    /// Writes the pages as PDF to an open device, on paper of the given size without margins.
    bool writePdf(QIODevice& output, const QPageSize& pageSize,
                  QPageLayout::Orientation orientation = QPageLayout::Portrait);

    /// Labels across and down one page; at least one each, a label that does not fit being cut.
    struct LabelGrid
    {
        int columns = 1;
        int rows = 1;
    };
    [[nodiscard]] static LabelGrid labelGrid(const MailingLabelsOptions& options, const QSizeF& paperSize);
    [[nodiscard]] static int mailingLabelPages(const MailingLabelsOptions& options, const QSizeF& paperSize,
                                               qsizetype contactCount);

private:
    void calculatePages();
    [[nodiscard]] QList<AddressListBlock> layoutAddressList() const;
    [[nodiscard]] PrintMargins margins() const;
    void drawAddressList(QPainter& painter, const QRectF& rect) const;

    ContactTable m_contacts;
    PrintOptions m_options;
    ContactEntryPtr m_sender;
    PaperInfo m_paper;
    int m_pages = 1;
    QList<AddressListBlock> m_blocks;
    bool m_showsBackground = false;
};

} // namespace Quillary
