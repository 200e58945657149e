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

const QString& LabeledValue::service() const
{
    return m_account ? m_account->service : noText();
}

const QString& LabeledValue::username() const
{
    return m_account ? m_account->username : noText();
}

void LabeledValue::setService(const QString& service)
{
    if (m_account || !service.isEmpty()) {
        if (!m_account)
            m_account = new Account;
        m_account->service = service;
    }
}

void LabeledValue::setUsername(const QString& username)
{
    if (m_account || !username.isEmpty()) {
        if (!m_account)
            m_account = new Account;
        m_account->username = username;
    }
}

bool operator==(const LabeledValue& a, const LabeledValue& b)
{
    return a.label == b.label && a.value == b.value && a.stringValue == b.stringValue && a.address == b.address
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
    value.stringValue = value.value;
}

void updateIMSValue(LabeledValue& value)
{
    if (value.label.isEmpty())
        value.label = LabelText::NoLabel;
    const QString joined = value.service() + u':' + value.username();
    value.stringValue = joined.size() < 2 ? value.username() : joined;
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
