#pragma once

#include "PrintOptions.h"
#include "model/ContactEntry.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace Quillary {

/// The "Envelope" style: one contact per page, on paper of an envelope's size. The recipient's block
/// (name, company and department when switched on, the address in its country's lines, the phone when
/// switched on) is centred in the right half at one and a half times the font size; the sender's block
/// sits in the top-left corner inside the margins, with the address its label chooses.
class EnvelopePage
{
public:
    EnvelopePage(const EnvelopeOptions& options, const QSizeF& paperSize);

    [[nodiscard]] QStringList recipientLines(const ContactEntry& entry) const;
    [[nodiscard]] QStringList senderLines(const ContactEntry& sender) const;
    /// Where the recipient's block may go on a page (from 0), and where the sender's block may go.
    [[nodiscard]] QRectF recipientArea(int page) const;
    [[nodiscard]] QRectF senderArea(int page) const;

    /// Draws the pages that meet `rect`; no sender block without a sender or with the switch off.
    void draw(QPainter& painter, const QRectF& rect, const ContactTable& contacts, const ContactEntry* sender) const;

private:
    EnvelopeOptions m_options;
    QSizeF m_paper;
};

} // namespace Quillary
