#pragma once

#include "QRCodeFormat.h"

#include <QString>

namespace Quillary {

class PersonDsc;
class QRCodeSelection;

/// The texts a contact's QR code carries: the contact's name with the ticked values of its selection
/// as a vCard, as a MECARD or as the address-book formats of Japanese mobile carriers, or one phone
/// number, e-mail address or web address.
class QRCodePayload
{
public:
    QRCodePayload() = delete;

    [[nodiscard]] static QString payload(QRCodeFormat format, const PersonDsc& person,
                                         const QRCodeSelection& selection);
    /// The payload for a format menu title; "" for a title that names no format.
    [[nodiscard]] static QString payload(QStringView title, const PersonDsc& person, const QRCodeSelection& selection);

    /// A vCard 3.0 text with the name and the ticked rows, lines ended by CR LF.
    [[nodiscard]] static QString vCardFromContact(const PersonDsc& person, const QRCodeSelection& selection);

    /// Writes every ";" as "\;", so that a value cannot split into components.
    [[nodiscard]] static QString escapeSemicolon(const QString& text);

    /// Whether a URL begins with a scheme ("https:", "mailto:", ...) rather than a host with a port.
    [[nodiscard]] static bool hasScheme(QStringView url);
    /// The URL as a link: unchanged when it has a scheme, else with "http://" in front.
    [[nodiscard]] static QString webAddress(const QString& url);

private:
    [[nodiscard]] static QString meCard(const PersonDsc& person, const QRCodeSelection& selection);
    [[nodiscard]] static QString carrierMemory(const PersonDsc& person, const QRCodeSelection& selection,
                                               bool withAddress);
};

} // namespace Quillary
