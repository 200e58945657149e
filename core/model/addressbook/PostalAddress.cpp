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
};

namespace {
// One empty instance for every default-constructed address, so empty addresses allocate nothing.
QSharedDataPointer<PostalAddressData>& sharedEmpty()
{
    static QSharedDataPointer<PostalAddressData> empty(new PostalAddressData);
    return empty;
}
} // namespace

PostalAddress::PostalAddress() : d(sharedEmpty()) { }
PostalAddress::PostalAddress(const PostalAddress&) = default;
PostalAddress::PostalAddress(PostalAddress&&) noexcept = default;
PostalAddress& PostalAddress::operator=(const PostalAddress&) = default;
PostalAddress& PostalAddress::operator=(PostalAddress&&) noexcept = default;
PostalAddress::~PostalAddress() = default;

const QString& PostalAddress::street() const
{
    return d->street;
}
const QString& PostalAddress::city() const
{
    return d->city;
}
const QString& PostalAddress::state() const
{
    return d->state;
}
const QString& PostalAddress::zip() const
{
    return d->zip;
}
const QString& PostalAddress::country() const
{
    return d->country;
}
const QString& PostalAddress::countryCode() const
{
    return d->countryCode;
}
void PostalAddress::setStreet(const QString& value)
{
    d->street = value;
}
void PostalAddress::setCity(const QString& value)
{
    d->city = value;
}
void PostalAddress::setState(const QString& value)
{
    d->state = value;
}
void PostalAddress::setZip(const QString& value)
{
    d->zip = value;
}
void PostalAddress::setCountry(const QString& value)
{
    d->country = value;
}
void PostalAddress::setCountryCode(const QString& value)
{
    d->countryCode = value;
}

const QString& PostalAddress::part(QStringView key) const
{
    static const QString none;
    if (key == u"Street")
        return d->street;
    if (key == u"City")
        return d->city;
    if (key == u"State")
        return d->state;
    if (key == u"ZIP")
        return d->zip;
    if (key == u"Country")
        return d->country;
    if (key == u"CountryCode")
        return d->countryCode;
    return none;
}

void PostalAddress::setPart(QStringView key, const QString& value)
{
    if (key == u"Street")
        setStreet(value);
    else if (key == u"City")
        setCity(value);
    else if (key == u"State")
        setState(value);
    else if (key == u"ZIP")
        setZip(value);
    else if (key == u"Country")
        setCountry(value);
    else if (key == u"CountryCode")
        setCountryCode(value);
}

bool PostalAddress::isEmpty() const
{
    return d->street.isEmpty() && d->city.isEmpty() && d->state.isEmpty() && d->zip.isEmpty() && d->country.isEmpty()
        && d->countryCode.isEmpty();
}

bool operator==(const PostalAddress& a, const PostalAddress& b)
{
    return a.d == b.d
        || (a.street() == b.street() && a.city() == b.city() && a.state() == b.state() && a.zip() == b.zip()
            && a.country() == b.country() && a.countryCode() == b.countryCode());
}

} // namespace Quillary::AddressBook
