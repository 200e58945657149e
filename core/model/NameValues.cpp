#include "NameValues.h"

namespace Quillary {

QString NameValue::part(QStringView key) const
{
    if (key == u"FirstName")
        return firstName;
    if (key == u"MiddleName")
        return middleName;
    if (key == u"LastName")
        return lastName;
    if (key == u"PreviousFamilyName")
        return previousFamilyName;
    return {};
}

void NameValue::setPart(QStringView key, const QString& value)
{
    if (key == u"FirstName")
        firstName = value;
    else if (key == u"MiddleName")
        middleName = value;
    else if (key == u"LastName")
        lastName = value;
    else if (key == u"PreviousFamilyName")
        previousFamilyName = value;
}

QString PhoneticNameValue::part(QStringView key) const
{
    if (key == u"FirstName")
        return firstName;
    if (key == u"MiddleName")
        return middleName;
    if (key == u"LastName")
        return lastName;
    return {};
}

void PhoneticNameValue::setPart(QStringView key, const QString& value)
{
    if (key == u"FirstName")
        firstName = value;
    else if (key == u"MiddleName")
        middleName = value;
    else if (key == u"LastName")
        lastName = value;
}

} // namespace Quillary
