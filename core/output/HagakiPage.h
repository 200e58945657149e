#pragma once

#include "PrintOptions.h"
#include "VerticalText.h"
#include "model/ContactEntry.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace Quillary {

/// The "Hagaki" style: a Japanese postcard of 100 × 148 mm per contact. The recipient's postal code
/// goes into the seven boxes where Japan Post prints them; the address (one or two columns) and the
/// name (larger, in the middle, followed by the honorific) are written vertically, right to left,
/// with the spouse's and children's names beside the name when switched on. The sender's address,
/// name and postal code go in the lower left. The card's own red boxes are drawn only for the screen.
class HagakiPage
{
public:
    static constexpr qreal CardWidthMm = 100;
    static constexpr qreal CardHeightMm = 148;
    /// The card in points.
    [[nodiscard]] static QSizeF cardSize();

    HagakiPage(const HagakiOptions& options, const QSizeF& paperSize);

    /// Also draw what is printed on the card itself (boxes, stamp frame): for a screen, never paper.
    void setShowsBackground(bool show) { m_showsBackground = show; }

    /// The seven postal-code boxes of the recipient and of the sender on a page (from 0), in view
    /// coordinates.
    [[nodiscard]] QList<QRectF> recipientZipBoxes(int page) const;
    [[nodiscard]] QList<QRectF> senderZipBoxes(int page) const;
    /// The family actually used for the vertical text.
    [[nodiscard]] const QString& fontFamily() const { return m_family; }

    /// The seven digits a postal code puts in the boxes (full-width digits read as digits).
    [[nodiscard]] static QString zipDigits(const QString& zip);
    /// The names written beside the recipient's: the "Relationship" values labelled spouse, then
    /// those labelled child, as switched on.
    [[nodiscard]] static QStringList familyNames(const PersonDsc& person, bool spouse, bool children);
    /// The recipient's address in the columns it is written in, right one first.
    [[nodiscard]] static QStringList addressColumns(const PostalAddress& address);

    /// Draws the cards of the pages that meet `rect`.
    void draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts, const ContactEntry* sender) const;

private:
    struct Column;
    [[nodiscard]] QPointF toView(int page, qreal xMm, qreal yMm) const;
    [[nodiscard]] QList<QRectF> boxes(int page, bool sender) const;
    void drawBackground(QPainter& painter, int page) const;
    void drawZip(QPainter& painter, const QList<QRectF>& boxes, const QString& zip, qreal pointSize) const;
    void drawAddress(QPainter& painter, int page, const PostalAddress& address, const Column& column, qreal secondX,
                     qreal pointSize) const;
    void drawRecipient(QPainter& painter, int page, const ContactEntry& entry) const;
    void drawSender(QPainter& painter, int page, const ContactEntry& sender) const;
    /// Draws a column of cells within its length, smaller when it would not fit; answers the tops.
    QList<qreal> drawColumn(QPainter& painter, int page, const QList<VerticalText::Cell>& cells, const Column& column,
                            qreal pointSize) const;

    HagakiOptions m_options;
    QSizeF m_paper;
    QString m_family;
    bool m_showsBackground = false;
};

} // namespace Quillary
