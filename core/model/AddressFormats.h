#pragma once

#include "addressbook/PostalAddress.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

using AddressBook::PostalAddress;

/// How one country writes its addresses, from the address format table.
struct AddressFormatEntry
{
    QString countryCode; ///< two letters, the key of the entry
    QString formatString; ///< part names in the country's order
    QString country; ///< the country's name in English
    QString alpha3; ///< three-letter code
    QString localizedCountry; ///< the name in the user's language ("" for English users)
    QStringList order; ///< the words of formatString
    QJsonObject fields; ///< the entry as read, with any further keys ("States", "StateCodes", ...)
};

/// The address format table: the order of address parts per country, the guess of a country code
/// from a country name, and the one-line address text of every address. Loaded once from the
/// resource AddressFormat.json; a user's file can replace entries. Callable from any thread.
class AddressFormats
{
public:
    AddressFormats() = delete;

    /// Entries in file order.
    [[nodiscard]] static QList<AddressFormatEntry> addressFormatTable();
    /// Entries by upper-case country code.
    [[nodiscard]] static QHash<QString, AddressFormatEntry> addressFormatDict();
    static void setAddressFormatDict(const QHash<QString, AddressFormatEntry>& dict);
    /// Merges replacement entries: each is stored in the map; an entry whose code the table had
    /// replaces it in place, new codes reach the map only.
    static void setAddressFormatTable(const QJsonArray& entries);
    /// Replaces both table and map by the "AddressFormat" list of a JSON text (tests, reloading).
    static bool loadFromJson(const QByteArray& json);

    /// The country code for a country name, code or three-letter code; "" when none matches.
    [[nodiscard]] static QString predictCountryCode(const QString& text);
    /// The code used, then the part names in the country's order.
    [[nodiscard]] static QStringList addressFormatsOrder(const QString& countryCode, const QString& country,
                                                         const QString& defaultCountryCode);
    /// The address as one line in its country's order.
    [[nodiscard]] static QString addressText(const PostalAddress& address, const QString& defaultCountryCode);

    /// The two-letter language whose country names are added as "LocalizedCountry".
    [[nodiscard]] static QString userLanguage();
};

} // namespace Quillary
