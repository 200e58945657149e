#include "NameValues.h"

namespace Quillary {

namespace {

/// The member named by a part key of a name or phonetic name, or null.
template <typename Value> auto partOf(Value& value, QStringView key) -> decltype(&value.firstName)
{
    if (key == u"FirstName")
        return &value.firstName;
    if (key == u"MiddleName")
        return &value.middleName;
    if (key == u"LastName")
        return &value.lastName;
    return nullptr;
}

} // namespace

QString NameValue::part(QStringView key) const
{
    if (key == u"PreviousFamilyName")
        return previousFamilyName;
    const QString* member = partOf(*this, key);
    return member ? *member : QString();
}

void NameValue::setPart(QStringView key, const QString& value)
{
    if (key == u"PreviousFamilyName")
        previousFamilyName = value;
    else if (QString* member = partOf(*this, key))
        *member = value;
}

QString PhoneticNameValue::part(QStringView key) const
{
    const QString* member = partOf(*this, key);
    return member ? *member : QString();
}

void PhoneticNameValue::setPart(QStringView key, const QString& value)
{
    if (QString* member = partOf(*this, key))
        *member = value;
}

} // namespace Quillary
