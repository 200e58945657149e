#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace Quillary {

/// The payload formats a contact's QR code can carry: a vCard, the address-book formats of Japanese
/// mobile carriers, or a single phone number, e-mail address or web address.
enum class QRCodeFormat : quint8 { VCard, Docomo, Au, SoftBank, Phone, Email, URL };

namespace QRCodeFormats {

/// Every format in the order of the format menu.
[[nodiscard]] const QList<QRCodeFormat>& all();
/// The menu title: "vCard", "docomo", "au", "SoftBank", "Phone", "Email" or "URL".
[[nodiscard]] QString title(QRCodeFormat format);
/// The format with that exact title; none for any other text.
[[nodiscard]] std::optional<QRCodeFormat> fromTitle(QStringView title);
/// Every title, in menu order.
[[nodiscard]] QStringList titles();

} // namespace QRCodeFormats

} // namespace Quillary
