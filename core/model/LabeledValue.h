#pragma once

#include "ContactDate.h"
#include "addressbook/PostalAddress.h"

#include <QList>
#include <QSharedData>
#include <QString>

namespace Quillary {

using AddressBook::PostalAddress;

/// One entry of a labelled field of a contact: a phone number, e-mail address, address, URL, social
/// profile, instant-message account, related name or date, with its label.
struct LabeledValue
{
    QString label; ///< shown form; "No label" for an empty label; the service for social profiles
    QString value; ///< text of phones, e-mails, URLs and related names; a social profile's address
    PostalAddress address;
    DateComponents date;
    int labelIndex = 0; ///< the entry's identity within its list

    /// A value of a text field (phone, e-mail, URL, related name) with its label.
    [[nodiscard]] static LabeledValue withText(const QString& label, const QString& text)
    {
        LabeledValue result;
        result.label = label;
        result.value = text;
        return result;
    }

    /// The text shown for the entry. Phones, e-mails, URLs and related names show their value, which
    /// is then not held twice; an address holds its shown text in its own block.
    [[nodiscard]] const QString& stringValue() const
    {
        // Sorting by a column asks every value: phones and e-mails answer without a call.
        return !m_extra && address.isNull() ? value : shownText();
    }
    void setStringValue(const QString& text);

    /// Instant messages and social profiles: the service.
    [[nodiscard]] const QString& service() const;
    /// Instant messages and social profiles: the user name.
    [[nodiscard]] const QString& username() const;
    void setService(const QString& service);
    void setUsername(const QString& username);

    /// Phones: the number as read.
    [[nodiscard]] const QString& phoneNumber() const { return value; }
    /// E-mails: the text before the first "@" (the whole text when there is none or it is last).
    [[nodiscard]] QString emailUsername() const;
    /// E-mails: the text after the first "@" when that is not the last character, else "".
    [[nodiscard]] QString emailDomain() const;
    /// Social profiles: the service name.
    [[nodiscard]] const QString& servicename() const { return service(); }

    friend bool operator==(const LabeledValue& a, const LabeledValue& b);

private:
    // Most values are phones and e-mails, which show their value and are no accounts: a shown text of
    // its own (IMs, dates, a related name shown otherwise), a service and a user name are kept apart,
    // and only by the values that have one, so that every other value is smaller.
    struct Extra : QSharedData
    {
        QString service;
        QString username;
        QString shown;
        bool ownShown = false; ///< shows `shown`, not the value or the address's text
    };
    Extra& extra();
    [[nodiscard]] const QString& shownText() const;
    QSharedDataPointer<Extra> m_extra;
};

using LabeledValueList = QList<LabeledValue>;

// Recompute the derived members of one labelled value in place.
void updateEmailValue(LabeledValue& value);
void updateIMSValue(LabeledValue& value);
void updateDateValue(LabeledValue& value);
void updateAddressValue(LabeledValue& value, const QString& defaultCountryCode);

} // namespace Quillary
