#include "VCardServices_p.h"

#include "Constants.h"

#include <QByteArrayView>

namespace Quillary::AddressBook::VCard {

namespace {

struct ServiceScheme
{
    const char* scheme;
    const QString* service;
};

// URI schemes of IMPP values and the services they stand for.
const ServiceScheme serviceSchemes[] = {
    {"aim", &InstantMessageService::AIM},
    {"xmpp", &InstantMessageService::Jabber},
    {"msnim", &InstantMessageService::MSN},
    {"msn", &InstantMessageService::MSN},
    {"ymsgr", &InstantMessageService::Yahoo},
    {"icq", &InstantMessageService::ICQ},
    {"qq", &InstantMessageService::QQ},
    {"skype", &InstantMessageService::Skype},
    {"callto", &InstantMessageService::Skype},
    {"gg", &InstantMessageService::GaduGadu},
    {"gtalk", &InstantMessageService::GoogleTalk},
};

struct ServiceProperty
{
    const char* name;
    const QString* service;
};

// The per-service properties that older address books write instead of IMPP.
const ServiceProperty serviceProperties[] = {
    {"X-AIM", &InstantMessageService::AIM},           {"X-JABBER", &InstantMessageService::Jabber},
    {"X-MSN", &InstantMessageService::MSN},           {"X-YAHOO", &InstantMessageService::Yahoo},
    {"X-ICQ", &InstantMessageService::ICQ},           {"X-QQ", &InstantMessageService::QQ},
    {"X-SKYPE", &InstantMessageService::Skype},       {"X-SKYPE-USERNAME", &InstantMessageService::Skype},
    {"X-GADUGADU", &InstantMessageService::GaduGadu}, {"X-GOOGLE-TALK", &InstantMessageService::GoogleTalk},
    {"X-GTALK", &InstantMessageService::GoogleTalk},
};

bool isSchemeToken(const QString& text)
{
    if (text.isEmpty() || !text.front().isLetter())
        return false;
    for (const QChar c : text) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return true;
}

} // namespace

const QString* serviceOfScheme(QStringView scheme)
{
    for (const ServiceScheme& known : serviceSchemes) {
        if (scheme.compare(QLatin1StringView(known.scheme), Qt::CaseInsensitive) == 0)
            return known.service;
    }
    return nullptr;
}

const QString* serviceOfProperty(QByteArrayView upperName)
{
    for (const ServiceProperty& property : serviceProperties) {
        if (upperName == QByteArrayView(property.name))
            return property.service;
    }
    return nullptr;
}

QString canonicalService(const QString& text)
{
    static const QString* const known[] = {
        &InstantMessageService::AIM,      &InstantMessageService::Jabber,   &InstantMessageService::MSN,
        &InstantMessageService::Yahoo,    &InstantMessageService::ICQ,      &InstantMessageService::QQ,
        &InstantMessageService::Skype,    &InstantMessageService::GaduGadu, &InstantMessageService::GoogleTalk,
        &InstantMessageService::Facebook,
    };
    for (const QString* service : known) {
        if (text.compare(*service, Qt::CaseInsensitive) == 0)
            return *service;
    }
    if (text.compare(u"GOOGLE TALK", Qt::CaseInsensitive) == 0 || text.compare(u"GTALK", Qt::CaseInsensitive) == 0)
        return InstantMessageService::GoogleTalk;
    return text;
}

QString schemeForService(const QString& service)
{
    static const std::pair<const QString*, const char*> schemes[] = {
        {&InstantMessageService::AIM, "aim"},       {&InstantMessageService::ICQ, "aim"},
        {&InstantMessageService::Jabber, "xmpp"},   {&InstantMessageService::GoogleTalk, "xmpp"},
        {&InstantMessageService::Facebook, "xmpp"}, {&InstantMessageService::MSN, "msnim"},
        {&InstantMessageService::Yahoo, "ymsgr"},   {&InstantMessageService::Skype, "skype"},
        {&InstantMessageService::QQ, "qq"},         {&InstantMessageService::GaduGadu, "gg"},
    };
    for (const auto& [known, scheme] : schemes) {
        if (service == *known)
            return QString::fromLatin1(scheme);
    }
    return isSchemeToken(service) ? service.toLower() : QStringLiteral("x-im");
}

} // namespace Quillary::AddressBook::VCard
