#include "LabeledValue.h"

#include "AddressFormats.h"
#include "LabelTable.h"

namespace Quillary {

namespace {

const QString& noText()
{
    static const QString none;
    return none;
}

} // namespace

LabeledValue::Extra& LabeledValue::extra()
{
    if (!m_extra)
        m_extra = new Extra;
    return *m_extra; // detaches a block shared with a copy
}

const QString& LabeledValue::service() const
{
    return m_extra ? m_extra->service : noText();
}

const QString& LabeledValue::username() const
{
    return m_extra ? m_extra->username : noText();
}

void LabeledValue::setService(const QString& service)
{
    if (m_extra || !service.isEmpty())
        extra().service = service;
}

void LabeledValue::setUsername(const QString& username)
{
    if (m_extra || !username.isEmpty())
        extra().username = username;
}

const QString& LabeledValue::shownText() const
{
    if (m_extra && m_extra->ownShown)
        return m_extra->shown;
    if (const QString& shown = address.shownText(); !shown.isNull())
        return shown;
    return value;
}

void LabeledValue::setStringValue(const QString& text)
{
    const bool isAddress = !address.isEmpty();
    if (isAddress)
        address.setShownText(text);
    const bool ownShown = !isAddress && text != value;
    if (ownShown || (m_extra && m_extra->ownShown)) {
        Extra& own = extra();
        own.shown = ownShown ? text : QString();
        own.ownShown = ownShown;
    }
}

bool operator==(const LabeledValue& a, const LabeledValue& b)
{
    return a.label == b.label && a.value == b.value && a.stringValue() == b.stringValue() && a.address == b.address
        && a.date == b.date && a.labelIndex == b.labelIndex && a.service() == b.service()
        && a.username() == b.username();
}

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
    value.setStringValue(value.value);
}

void updateIMSValue(LabeledValue& value)
{
    if (value.label.isEmpty())
        value.label = LabelText::NoLabel;
    const QString joined = value.service() + u':' + value.username();
    value.setStringValue(joined.size() < 2 ? value.username() : joined);
}

void updateDateValue(LabeledValue& value)
{
    value.setStringValue(ContactDate::format(value.date));
}

void updateAddressValue(LabeledValue& value, const QString& defaultCountryCode)
{
    value.setStringValue(AddressFormats::addressText(value.address, defaultCountryCode));
}

} // namespace Quillary
