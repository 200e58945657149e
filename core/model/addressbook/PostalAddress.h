#pragma once

#include <QSharedDataPointer>
#include <QString>

namespace Quillary::AddressBook {

class PostalAddressData;

/// A postal address: street (possibly several lines), city, state, ZIP, country and its two-letter code.
/// Implicitly shared, so the many copies that labelled values pass around cost a pointer each.
class PostalAddress
{
public:
    PostalAddress();
    PostalAddress(const PostalAddress&);
    PostalAddress(PostalAddress&&) noexcept;
    PostalAddress& operator=(const PostalAddress&);
    PostalAddress& operator=(PostalAddress&&) noexcept;
    ~PostalAddress();

    [[nodiscard]] const QString& street() const;
    [[nodiscard]] const QString& city() const;
    [[nodiscard]] const QString& state() const;
    [[nodiscard]] const QString& zip() const;
    [[nodiscard]] const QString& country() const;
    [[nodiscard]] const QString& countryCode() const;
    void setStreet(const QString& value);
    void setCity(const QString& value);
    void setState(const QString& value);
    void setZip(const QString& value);
    void setCountry(const QString& value);
    void setCountryCode(const QString& value);

    /// The part named by an address key: "Street", "City", "State", "ZIP", "Country" or "CountryCode".
    [[nodiscard]] const QString& part(QStringView key) const;
    void setPart(QStringView key, const QString& value);

    /// The text the address is shown with, as its contact formats it; not one of its parts, so it
    /// plays no part in comparing addresses or in whether one is empty. Kept here, where an address
    /// already has a block of its own, instead of beside every other labelled value.
    [[nodiscard]] const QString& shownText() const;
    void setShownText(const QString& text);

    [[nodiscard]] bool isEmpty() const;
    /// Whether the address has no block at all: no part and no shown text was ever set.
    [[nodiscard]] bool isNull() const { return !d; }
    friend bool operator==(const PostalAddress& a, const PostalAddress& b);

private:
    [[nodiscard]] const PostalAddressData& data() const;
    PostalAddressData& edit();

    QSharedDataPointer<PostalAddressData> d; ///< none for an empty address
};

/// A service account of a person: an instant-message handle or a social profile.
struct ServiceValue
{
    QString username;
    QString service;
    QString url; ///< social profiles: the profile's address when one is known

    friend bool operator==(const ServiceValue&, const ServiceValue&) = default;
};

} // namespace Quillary::AddressBook
