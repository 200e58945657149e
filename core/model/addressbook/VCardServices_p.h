#pragma once

// Internal to the vCard codec: the instant-message services of IMPP values and of the per-service
// properties that older address books write.

#include <QString>

namespace Quillary::AddressBook::VCard {

/// The service an IMPP URI scheme stands for ("xmpp" is Jabber); none for an unknown scheme.
[[nodiscard]] const QString* serviceOfScheme(QStringView scheme);

/// The service of a per-service property such as X-AIM or X-SKYPE-USERNAME (an upper-case name);
/// none for any other property.
[[nodiscard]] const QString* serviceOfProperty(QByteArrayView upperName);

/// A known service name for a service text, matching case-insensitively; the text itself otherwise.
[[nodiscard]] QString canonicalService(const QString& text);

/// The URI scheme of an IMPP value for a service.
[[nodiscard]] QString schemeForService(const QString& service);

} // namespace Quillary::AddressBook::VCard
