#pragma once

#include "PrintOptions.h"
#include "model/ContactEntry.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace Quillary {

/// The "Mailing Labels" style: a grid of labels of the stored size and gaps on every page, filled
/// across then down, each contact `repeatCount` times. A label holds the name (with company and
/// department when switched on), the chosen address in its country's lines and the phone when
/// switched on, inset by the style's margins; text that does not fit is made smaller, down to 6
/// points, then cut, so that it never runs into the next label.
class MailingLabelSheet
{
public:
    MailingLabelSheet(const MailingLabelsOptions& options, const QSizeF& paperSize);

    [[nodiscard]] int columns() const { return m_columns; }
    [[nodiscard]] int rows() const { return m_rows; }
    [[nodiscard]] qsizetype labelsPerPage() const { return qsizetype(m_columns) * m_rows; }
    /// The rectangle of the label at a place of a page (from 0), in view coordinates. The grid sits
    /// at the stored offsets, or in the middle of the paper when there are none.
    [[nodiscard]] QRectF labelRect(int page, qsizetype place) const;
    /// The lines a contact's label holds before fitting.
    [[nodiscard]] QStringList labelLines(const ContactEntry& entry) const;

    /// Draws the labels of the pages that meet `rect`.
    void draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts) const;

private:
    void drawLabel(QPainter& painter, const QRectF& label, const ContactEntry& entry) const;

    MailingLabelsOptions m_options;
    QSizeF m_paper;
    int m_columns = 1;
    int m_rows = 1;
    QPointF m_origin;
};

} // namespace Quillary
