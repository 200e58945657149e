#pragma once

#include "model/ContactEntry.h"

#include <QStringList>
#include <optional>

namespace Quillary {

/// What a label or an envelope prints of a contact besides the name.
struct AddressBlockOptions
{
    QString addressLabel = QStringLiteral("home"); ///< the address preferred; the first one otherwise
    bool company = false;
    bool department = false;
    bool country = false;
    bool phone = false;
};

/// The addresses printed on labels, envelopes and postcards: which address of a contact, and its
/// lines in its country's format.
namespace PrintAddress {

/// The first address with the label (any letter case), else the first address; none without any.
[[nodiscard]] std::optional<LabeledValue> chooseAddress(const PersonDsc& person, const QString& label);
/// The label a mailing-label "printFormat" prefers: "home" for "Home address", "work" for "Work address".
[[nodiscard]] QString labelOfFormat(const QString& printFormat);

/// The country code an address is laid out by: its own, else the one its country names, else the default.
[[nodiscard]] QString countryCode(const PostalAddress& address, const QString& defaultCountryCode);
/// The address as lines, as its country writes them (the lines of the address format table); the
/// country's own line only with `withCountry`. Empty parts and empty lines are left out.
[[nodiscard]] QStringList addressLines(const PostalAddress& address, const QString& defaultCountryCode,
                                       bool withCountry);

/// The name a contact is addressed by.
[[nodiscard]] QString recipientName(const ContactEntry& entry);
/// A whole block: the name, company and department when asked, the address lines, then the phone.
[[nodiscard]] QStringList contactBlock(const ContactEntry& entry, const AddressBlockOptions& options);

} // namespace PrintAddress

} // namespace Quillary
