#include "PrintPaper.h"

namespace Quillary::PrintPaper {

namespace {

struct NamedPaper
{
    const char* name;
    QPageSize::PageSizeId id;
};

constexpr NamedPaper Papers[] = {
    {"A4", QPageSize::A4},         {"Letter", QPageSize::Letter},         {"DL", QPageSize::EnvelopeDL},
    {"C5", QPageSize::EnvelopeC5}, {"Envelope10", QPageSize::Envelope10}, {"Hagaki", QPageSize::Postcard}};

} // namespace

bool isEnvelope(const QPageSize& size)
{
    const QPageSize::PageSizeId id = size.id();
    return id == QPageSize::EnvelopeDL || id == QPageSize::EnvelopeC5 || id == QPageSize::Envelope10;
}

QPageLayout layoutForStyle(PrintStyle style, const QPageLayout& chosen)
{
    QPageLayout layout = chosen;
    switch (style) {
    case PrintStyle::Envelope:
        if (!isEnvelope(chosen.pageSize()))
            layout.setPageSize(QPageSize(QPageSize::EnvelopeDL));
        // Envelopes go through the printer long side first but are addressed lying down.
        layout.setOrientation(QPageLayout::Landscape);
        break;
    case PrintStyle::Hagaki:
        if (chosen.pageSize().id() != QPageSize::Postcard)
            layout.setPageSize(QPageSize(QPageSize::Postcard));
        layout.setOrientation(QPageLayout::Portrait);
        break;
    case PrintStyle::AddressList:
    case PrintStyle::MailingLabels:
        break;
    }
    return layout;
}

std::optional<QPageSize> fromName(const QString& name)
{
    for (const NamedPaper& paper : Papers) {
        if (name.compare(QLatin1StringView(paper.name), Qt::CaseInsensitive) == 0)
            return QPageSize(paper.id);
    }
    return std::nullopt;
}

QStringList names()
{
    QStringList result;
    for (const NamedPaper& paper : Papers)
        result.append(QString::fromLatin1(paper.name));
    return result;
}

} // namespace Quillary::PrintPaper
