#include "LabeledValue.h"

#include "AddressFormats.h"
#include "LabelTable.h"

namespace Quillary {

QString LabeledValue::emailUsername() const
{
    const qsizetype at = value.indexOf(u'@');
    return (at < 0 || at == value.size() - 1) ? value : value.first(at);
}

QString LabeledValue::emailDomain() const
{
    const qsizetype at = value.indexOf(u'@');
    return (at < 0 || at == value.size() - 1) ? QString() : value.sliced(at + 1);
}

void updateEmailValue(LabeledValue& value)
{
    if (value.label.isEmpty())
        value.label = LabelText::NoLabel;
    value.stringValue = value.value;
}

void updateIMSValue(LabeledValue& value)
{
    if (value.label.isEmpty())
        value.label = LabelText::NoLabel;
    const QString joined = value.service + u':' + value.username;
    value.stringValue = joined.size() < 2 ? value.username : joined;
}

void updateDateValue(LabeledValue& value)
{
    value.stringValue = ContactDate::format(value.date);
}

void updateAddressValue(LabeledValue& value, const QString& defaultCountryCode)
{
    value.stringValue = AddressFormats::addressText(value.address, defaultCountryCode);
}

} // namespace Quillary
