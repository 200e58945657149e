// The labelled values of a card: phones, e-mails, addresses, URLs, dates, related names, profiles
// and instant-message accounts.

#include "VCardCardReader_p.h"

#include "VCardLabels_p.h"
#include "VCardServices_p.h"

namespace Quillary::AddressBook::VCard {

namespace {

bool startsWithIgnoringCase(QStringView text, QStringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

void CardReader::readPhone(const ContentLine& line)
{
    QString number = trimmedText(text(line));
    if (startsWithIgnoringCase(number, u"tel:"))
        number.remove(0, 4);
    add(MultiProperty::Phone, std::move(number), labelFor(line, phoneLabel(typeFlags(line))));
}

void CardReader::readEmail(const ContentLine& line)
{
    QString address = trimmedText(text(line));
    if (startsWithIgnoringCase(address, u"mailto:"))
        address.remove(0, 7);
    add(MultiProperty::Email, std::move(address), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readUrl(const ContentLine& line)
{
    add(MultiProperty::URLs, trimmedText(text(line)), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readAddress(const ContentLine& line)
{
    const Components parts = components(escaped(line), m_version);
    // The post-office box and the extended address have no field of their own: they join the street.
    QString street = parts.text(2);
    for (const qsizetype extra : {1, 0}) {
        const QString piece = parts.text(extra);
        if (!piece.isEmpty())
            street = street.isEmpty() ? piece : street + u'\n' + piece;
    }
    PostalAddress address;
    address.setStreet(street);
    address.setCity(parts.sharedText(3));
    address.setState(parts.sharedText(4));
    address.setZip(parts.sharedText(5));
    address.setCountry(parts.sharedText(6));
    if (!line.group.isEmpty()) {
        if (const QString* code = m_groupCountryCodes.find(line.group))
            address.setCountryCode(*code);
    }
    add(MultiProperty::Address, std::move(address), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readDate(const ContentLine& line)
{
    const DateComponents value = dateOf(line, m_version);
    if (value.isValid())
        add(MultiProperty::OtherDates, value, labelFor(line, QString()));
    else
        keep(line);
}

void CardReader::readAnniversary(const ContentLine& line)
{
    // Kept as well: written as it was read while the contact still has that anniversary.
    const DateComponents value = dateOf(line, m_version);
    if (value.isValid())
        add(MultiProperty::OtherDates, value, labelFor(line, Label::Anniversary));
    keep(line);
}

void CardReader::readRelatedName(const ContentLine& line)
{
    add(MultiProperty::RelatedNames, repeatedTrimmedText(line), labelFor(line, QString()));
}

void CardReader::readRelated(const ContentLine& line)
{
    // vCard 4.0: RELATED;TYPE=spouse;VALUE=text:Name. Its types are relationship words.
    const auto types = line.types();
    QString label;
    if (!types.isEmpty()) {
        const QString word = QString::fromUtf8(types.first()).toLower();
        static const QHash<QString, const QString*> relations = {
            {QStringLiteral("spouse"), &Label::Spouse},      {QStringLiteral("child"), &Label::Child},
            {QStringLiteral("parent"), &Label::Parent},      {QStringLiteral("friend"), &Label::Friend},
            {QStringLiteral("sweetheart"), &Label::Partner},
        };
        const QString* known = relations.value(word);
        label = known ? *known : word;
    }
    add(MultiProperty::RelatedNames, repeatedTrimmedText(line), labelFor(line, label));
}

void CardReader::readSocialProfile(const ContentLine& line)
{
    ServiceValue profile;
    profile.url = trimmedText(text(line));
    for (const QByteArrayView type : line.types()) {
        if (!equalsUpper(type, "PREF")) {
            profile.service = repeatedUtf8(type);
            break;
        }
    }
    profile.username = QString::fromUtf8(line.param("X-USER"));
    if (profile.username.isEmpty()) {
        // The last path segment of the profile's address names the user.
        QStringView url(profile.url);
        while (url.endsWith(u'/'))
            url.chop(1);
        profile.username = url.sliced(url.lastIndexOf(u'/') + 1).toString();
    }
    add(MultiProperty::SocialProfile, profile, profile.service);
}

void CardReader::readImpp(const ContentLine& line)
{
    const QString value = trimmedText(text(line));
    ServiceValue account;
    account.username = value;
    const qsizetype colon = value.indexOf(u':');
    if (colon > 0) {
        const QStringView scheme = QStringView(value).first(colon);
        account.username = value.sliced(colon + 1);
        // An unknown scheme names the service itself; "x-im" is what a handle without a service gets.
        if (scheme.compare(u"x-im", Qt::CaseInsensitive) != 0)
            account.service = RepeatedTexts::local().shared(scheme);
        if (const QString* known = serviceOfScheme(scheme))
            account.service = *known;
    }
    const QByteArrayView declared = line.param("X-SERVICE-TYPE");
    if (!declared.isEmpty())
        account.service = canonicalService(QString::fromUtf8(declared));
    add(MultiProperty::InstantMessage, std::move(account), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readServiceProperty(const ContentLine& line, const QString& service)
{
    ServiceValue account;
    account.username = trimmedText(text(line));
    account.service = service;
    add(MultiProperty::InstantMessage, std::move(account), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readSound(const ContentLine& line)
{
    // Japanese phones spell the reading of the name as SOUND;X-IRMC-N:last;first;middle;;
    bool irmcName = false;
    for (const Param& param : line.params)
        irmcName = irmcName || (param.name.isEmpty() && equalsUpper(param.value, "X-IRMC-N"));
    if (!irmcName) {
        keep(line); // a recording, or a link to one
        return;
    }
    const Components parts = components(escaped(line), m_version);
    m_soundPhonetic[2] = parts.text(0);
    m_soundPhonetic[0] = parts.text(1);
    m_soundPhonetic[1] = parts.text(2);
}

} // namespace Quillary::AddressBook::VCard
