#include "PostalAddress.h"

namespace Quillary::AddressBook {

class PostalAddressData : public QSharedData
{
public:
    QString street;
    QString city;
    QString state;
    QString zip;
    QString country;
    QString countryCode;
    QString shown;
};

namespace {
// What an empty address reads. An empty address has no data of its own: creating and copying it
// touches no count that every thread would share.
const PostalAddressData& emptyData()
{
    static const PostalAddressData empty;
    return empty;
}
} // namespace

PostalAddress::PostalAddress() = default;
PostalAddress::PostalAddress(const PostalAddress&) = default;
PostalAddress::PostalAddress(PostalAddress&&) noexcept = default;
PostalAddress& PostalAddress::operator=(const PostalAddress&) = default;
PostalAddress& PostalAddress::operator=(PostalAddress&&) noexcept = default;
PostalAddress::~PostalAddress() = default;

const QString& PostalAddress::street() const
{
    return data().street;
}
const QString& PostalAddress::city() const
{
    return data().city;
}
const QString& PostalAddress::state() const
{
    return data().state;
}
const QString& PostalAddress::zip() const
{
    return data().zip;
}
const QString& PostalAddress::country() const
{
    return data().country;
}
const QString& PostalAddress::countryCode() const
{
    return data().countryCode;
}
void PostalAddress::setStreet(const QString& value)
{
    edit().street = value;
}
void PostalAddress::setCity(const QString& value)
{
    edit().city = value;
}
void PostalAddress::setState(const QString& value)
{
    edit().state = value;
}
void PostalAddress::setZip(const QString& value)
{
    edit().zip = value;
}
void PostalAddress::setCountry(const QString& value)
{
    edit().country = value;
}
void PostalAddress::setCountryCode(const QString& value)
{
    edit().countryCode = value;
}

namespace {

/// The member of the parts a key names; none for an unknown key. The six keys differ in length, so
/// one comparison tells.
QString PostalAddressData::*memberOf(QStringView key)
{
    switch (key.size()) {
    case 3:
        return key == u"ZIP" ? &PostalAddressData::zip : nullptr;
    case 4:
        return key == u"City" ? &PostalAddressData::city : nullptr;
    case 5:
        return key == u"State" ? &PostalAddressData::state : nullptr;
    case 6:
        return key == u"Street" ? &PostalAddressData::street : nullptr;
    case 7:
        return key == u"Country" ? &PostalAddressData::country : nullptr;
    case 11:
        return key == u"CountryCode" ? &PostalAddressData::countryCode : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

const QString& PostalAddress::part(QStringView key) const
{
    static const QString none;
    const auto member = memberOf(key);
    return member ? data().*member : none;
}

void PostalAddress::setPart(QStringView key, const QString& value)
{
    if (const auto member = memberOf(key))
        edit().*member = value;
}

bool PostalAddress::isEmpty() const
{
    const PostalAddressData& parts = data();
    return parts.street.isEmpty() && parts.city.isEmpty() && parts.state.isEmpty() && parts.zip.isEmpty()
        && parts.country.isEmpty() && parts.countryCode.isEmpty();
}

const PostalAddressData& PostalAddress::data() const
{
    return d ? *d : emptyData();
}

PostalAddressData& PostalAddress::edit()
{
    if (!d)
        d = new PostalAddressData;
    return *d;
}

const QString& PostalAddress::shownText() const
{
    return data().shown;
}

void PostalAddress::setShownText(const QString& text)
{
    if (d || !text.isEmpty())
        edit().shown = text;
}

bool operator==(const PostalAddress& a, const PostalAddress& b)
{
    return a.d == b.d
        || (a.street() == b.street() && a.city() == b.city() && a.state() == b.state() && a.zip() == b.zip()
            && a.country() == b.country() && a.countryCode() == b.countryCode());
}

} // namespace Quillary::AddressBook
