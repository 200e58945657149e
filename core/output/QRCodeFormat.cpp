#include "QRCodeFormat.h"

#include <QStringList>

namespace Quillary::QRCodeFormats {

const QList<QRCodeFormat>& all()
{
    static const QList<QRCodeFormat> formats{QRCodeFormat::VCard,    QRCodeFormat::Docomo, QRCodeFormat::Au,
                                             QRCodeFormat::SoftBank, QRCodeFormat::Phone,  QRCodeFormat::Email,
                                             QRCodeFormat::URL};
    return formats;
}

QString title(QRCodeFormat format)
{
    switch (format) {
    case QRCodeFormat::VCard:
        return QStringLiteral("vCard");
    case QRCodeFormat::Docomo:
        return QStringLiteral("docomo");
    case QRCodeFormat::Au:
        return QStringLiteral("au");
    case QRCodeFormat::SoftBank:
        return QStringLiteral("SoftBank");
    case QRCodeFormat::Phone:
        return QStringLiteral("Phone");
    case QRCodeFormat::Email:
        return QStringLiteral("Email");
    case QRCodeFormat::URL:
        return QStringLiteral("URL");
    }
    return {};
}

std::optional<QRCodeFormat> fromTitle(QStringView text)
{
    for (QRCodeFormat format : all()) {
        if (title(format) == text)
            return format;
    }
    return std::nullopt;
}

QStringList titles()
{
    QStringList result;
    for (QRCodeFormat format : all())
        result.append(title(format));
    return result;
}

} // namespace Quillary::QRCodeFormats
