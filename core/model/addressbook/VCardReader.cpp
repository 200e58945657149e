#include "VCardCodec.h"

#include "VCardLabels_p.h"
#include "VCardValues_p.h"

#include <QHash>

#include <string_view>
#include <unordered_map>

namespace Quillary::AddressBook::VCardCodec {

using namespace VCard;

namespace {

bool startsWithIgnoringCase(QStringView text, QStringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

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

/// A known service name for a service text, matching case-insensitively; the text itself otherwise.
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

/// Values that name the other lines of a group ("item1"). A card has a few, so a list is quickest;
/// past that a hash keeps a card with thousands of groups from taking quadratic time.
class GroupValues
{
public:
    void insert(QByteArrayView group, const QString& value)
    {
        if (m_byGroup.isEmpty() && m_values.size() < ListLimit) {
            m_values.append({group, value});
            return;
        }
        if (m_byGroup.isEmpty()) {
            for (const auto& [name, listed] : m_values)
                index(name, listed);
        }
        index(group, value);
    }
    [[nodiscard]] const QString* find(QByteArrayView group) const
    {
        if (!m_byGroup.isEmpty()) {
            const auto it = m_byGroup.constFind(group.toByteArray().toUpper());
            return it == m_byGroup.cend() ? nullptr : &it.value();
        }
        for (const auto& [name, value] : m_values) {
            if (name.size() == group.size() && qstrnicmp(name.data(), name.size(), group.data(), group.size()) == 0)
                return &value;
        }
        return nullptr;
    }

private:
    void index(QByteArrayView group, const QString& value)
    {
        QByteArray key = group.toByteArray().toUpper();
        if (!m_byGroup.contains(key))
            m_byGroup.insert(std::move(key), value);
    }

    static constexpr qsizetype ListLimit = 32;
    QVarLengthArray<std::pair<QByteArrayView, QString>, 8> m_values;
    QHash<QByteArray, QString> m_byGroup; // upper-case group → first value; once the list is full
};

/// Maps the content lines of one card onto a person record.
class CardReader
{
public:
    explicit CardReader(Version version) : m_version(version) { }

    void collectGroupLabel(const ContentLine& line);
    void read(const ContentLine& line);
    std::optional<Person> finish();

private:
    using Handler = void (CardReader::*)(const ContentLine&);
    static const std::unordered_map<std::string_view, Handler>& handlers();

    QString text(const ContentLine& line) const { return VCard::text(line, m_version); }
    QString labelFor(const ContentLine& line, const QString& fromTypes) const;
    void setString(StringProperty property, const QString& value);
    void add(MultiProperty property, MultiValueItem value, const QString& label);
    DateComponents date(const ContentLine& line) const;

    void readName(const ContentLine& line);
    void readFormattedName(const ContentLine& line) { m_formattedName = text(line); }
    void readNickname(const ContentLine& line) { setString(StringProperty::Nickname, text(line)); }
    void readOrganization(const ContentLine& line);
    void readTitle(const ContentLine& line) { setString(StringProperty::JobTitle, text(line)); }
    void readNote(const ContentLine& line) { setString(StringProperty::Note, text(line)); }
    void readBirthday(const ContentLine& line);
    void readPhone(const ContentLine& line);
    void readEmail(const ContentLine& line);
    void readUrl(const ContentLine& line);
    void readAddress(const ContentLine& line);
    void readDate(const ContentLine& line);
    void readAnniversary(const ContentLine& line);
    void readRelatedName(const ContentLine& line);
    void readRelated(const ContentLine& line);
    void readSocialProfile(const ContentLine& line);
    void readImpp(const ContentLine& line);
    void readServiceProperty(const ContentLine& line);
    void readPhoneticFirst(const ContentLine& line) { m_phonetic[0] = text(line); }
    void readPhoneticMiddle(const ContentLine& line) { m_phonetic[1] = text(line); }
    void readPhoneticLast(const ContentLine& line) { m_phonetic[2] = text(line); }
    void readSound(const ContentLine& line);
    void readMaidenName(const ContentLine& line) { setString(StringProperty::MaidenName, text(line)); }
    void readShowAs(const ContentLine& line);
    void readKind(const ContentLine& line);
    void readPhoto(const ContentLine& line);
    void readUid(const ContentLine& line);

    Version m_version;
    Person m_person{QString()};
    std::array<MultiValue, MultiPropertyCount> m_multi;
    GroupValues m_groupLabels; // group → X-ABLabel
    GroupValues m_groupCountryCodes; // group → X-ABADR
    QString m_formattedName;
    std::array<QString, 3> m_phonetic; // X-PHONETIC-FIRST/MIDDLE/LAST-NAME
    std::array<QString, 3> m_soundPhonetic; // SOUND;X-IRMC-N
    bool m_hasName = false;
    bool m_isCompany = false;
    bool m_mapped = false;
};

const std::unordered_map<std::string_view, CardReader::Handler>& CardReader::handlers()
{
    static const std::unordered_map<std::string_view, Handler> table = {
        {"N", &CardReader::readName},
        {"FN", &CardReader::readFormattedName},
        {"NICKNAME", &CardReader::readNickname},
        {"ORG", &CardReader::readOrganization},
        {"TITLE", &CardReader::readTitle},
        {"NOTE", &CardReader::readNote},
        {"BDAY", &CardReader::readBirthday},
        {"TEL", &CardReader::readPhone},
        {"EMAIL", &CardReader::readEmail},
        {"URL", &CardReader::readUrl},
        {"ADR", &CardReader::readAddress},
        {"X-ABDATE", &CardReader::readDate},
        {"ANNIVERSARY", &CardReader::readAnniversary},
        {"X-ANNIVERSARY", &CardReader::readAnniversary},
        {"X-ABRELATEDNAMES", &CardReader::readRelatedName},
        {"RELATED", &CardReader::readRelated},
        {"X-SOCIALPROFILE", &CardReader::readSocialProfile},
        {"IMPP", &CardReader::readImpp},
        {"X-PHONETIC-FIRST-NAME", &CardReader::readPhoneticFirst},
        {"X-PHONETIC-MIDDLE-NAME", &CardReader::readPhoneticMiddle},
        {"X-PHONETIC-LAST-NAME", &CardReader::readPhoneticLast},
        {"SOUND", &CardReader::readSound},
        {"X-MAIDENNAME", &CardReader::readMaidenName},
        {"X-ABSHOWAS", &CardReader::readShowAs},
        {"KIND", &CardReader::readKind},
        {"X-ADDRESSBOOKSERVER-KIND", &CardReader::readKind},
        {"PHOTO", &CardReader::readPhoto},
        {"UID", &CardReader::readUid},
    };
    return table;
}

void CardReader::collectGroupLabel(const ContentLine& line)
{
    if (line.group.isEmpty())
        return;
    if (line.nameIs("X-ABLABEL"))
        m_groupLabels.insert(line.group, sharedLabel(text(line)));
    else if (line.nameIs("X-ABADR"))
        m_groupCountryCodes.insert(line.group, text(line).trimmed());
}

void CardReader::read(const ContentLine& line)
{
    char upper[32];
    if (line.name.size() >= qsizetype(sizeof upper))
        return;
    for (qsizetype i = 0; i < line.name.size(); ++i) {
        const char c = line.name[i];
        upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    const std::string_view name(upper, size_t(line.name.size()));
    const auto& table = handlers();
    if (const auto it = table.find(name); it != table.end()) {
        (this->*(it->second))(line);
        return;
    }
    for (const ServiceProperty& property : serviceProperties) {
        if (name == property.name) {
            readServiceProperty(line);
            return;
        }
    }
}

QString CardReader::labelFor(const ContentLine& line, const QString& fromTypes) const
{
    if (!line.group.isEmpty()) {
        if (const QString* label = m_groupLabels.find(line.group))
            return *label;
    }
    return fromTypes;
}

void CardReader::setString(StringProperty property, const QString& value)
{
    if (value.isEmpty())
        return;
    m_person.setValue(property, value);
    m_mapped = true;
}

void CardReader::add(MultiProperty property, MultiValueItem value, const QString& label)
{
    m_multi[size_t(property)].addValue(std::move(value), label);
    m_mapped = true;
}

DateComponents CardReader::date(const ContentLine& line) const
{
    DateComponents result = DateComponents::fromIsoString(text(line));
    // Address books that store dates without a year write a placeholder year and name it.
    const QByteArrayView omitted = line.param("X-APPLE-OMIT-YEAR");
    if (!omitted.isEmpty() && omitted.toByteArray().toInt() == result.year)
        result.year = 0;
    return result;
}

void CardReader::readName(const ContentLine& line)
{
    const Components parts = components(escapedText(line), m_version);
    static constexpr StringProperty order[] = {StringProperty::LastName, StringProperty::FirstName,
                                               StringProperty::MiddleName, StringProperty::Title,
                                               StringProperty::Suffix};
    for (qsizetype i = 0; i < parts.size() && i < 5; ++i) {
        const QString part = parts.text(i);
        setString(order[i], part);
        if (i < 3 && !part.isEmpty())
            m_hasName = true;
    }
}

void CardReader::readOrganization(const ContentLine& line)
{
    const Components parts = components(escapedText(line), m_version);
    setString(StringProperty::Organization, parts.text(0));
    // Further organisational units stay with the department, which is written back as one unit.
    QStringList units;
    for (qsizetype i = 1; i < parts.size(); ++i)
        units.append(parts.text(i));
    while (!units.isEmpty() && units.last().isEmpty())
        units.removeLast();
    setString(StringProperty::Department, units.join(u';').trimmed());
}

void CardReader::readBirthday(const ContentLine& line)
{
    const DateComponents birthday = date(line);
    if (birthday.isValid()) {
        m_person.setBirthday(birthday);
        m_mapped = true;
    }
}

void CardReader::readPhone(const ContentLine& line)
{
    QString number = text(line).trimmed();
    if (startsWithIgnoringCase(number, u"tel:"))
        number.remove(0, 4);
    add(MultiProperty::Phone, number, labelFor(line, phoneLabel(typeFlags(line))));
}

void CardReader::readEmail(const ContentLine& line)
{
    QString address = text(line).trimmed();
    if (startsWithIgnoringCase(address, u"mailto:"))
        address.remove(0, 7);
    add(MultiProperty::Email, address, labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readUrl(const ContentLine& line)
{
    add(MultiProperty::URLs, text(line).trimmed(), labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readAddress(const ContentLine& line)
{
    const Components parts = components(escapedText(line), m_version);
    // The post-office box and the extended address have no field of their own: they join the street.
    QString street = parts.text(2);
    for (const qsizetype extra : {1, 0}) {
        const QString piece = parts.text(extra);
        if (!piece.isEmpty())
            street = street.isEmpty() ? piece : street + u'\n' + piece;
    }
    PostalAddress address;
    address.setStreet(street);
    address.setCity(parts.text(3));
    address.setState(parts.text(4));
    address.setZip(parts.text(5));
    address.setCountry(parts.text(6));
    if (!line.group.isEmpty()) {
        if (const QString* code = m_groupCountryCodes.find(line.group))
            address.setCountryCode(*code);
    }
    add(MultiProperty::Address, address, labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readDate(const ContentLine& line)
{
    const DateComponents value = date(line);
    if (value.isValid())
        add(MultiProperty::OtherDates, value, labelFor(line, QString()));
}

void CardReader::readAnniversary(const ContentLine& line)
{
    const DateComponents value = date(line);
    if (value.isValid())
        add(MultiProperty::OtherDates, value, labelFor(line, Label::Anniversary));
}

void CardReader::readRelatedName(const ContentLine& line)
{
    add(MultiProperty::RelatedNames, text(line).trimmed(), labelFor(line, QString()));
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
    add(MultiProperty::RelatedNames, text(line).trimmed(), labelFor(line, label));
}

void CardReader::readSocialProfile(const ContentLine& line)
{
    ServiceValue profile;
    profile.url = text(line).trimmed();
    for (const QByteArrayView type : line.types()) {
        if (!equalsUpper(type, "PREF")) {
            profile.service = QString::fromUtf8(type);
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
    const QString value = text(line).trimmed();
    ServiceValue account;
    account.username = value;
    const qsizetype colon = value.indexOf(u':');
    if (colon > 0) {
        const QStringView scheme = QStringView(value).first(colon);
        account.username = value.sliced(colon + 1);
        // An unknown scheme names the service itself; "x-im" is what a handle without a service gets.
        if (scheme.compare(u"x-im", Qt::CaseInsensitive) != 0)
            account.service = scheme.toString();
        for (const ServiceScheme& known : serviceSchemes) {
            if (scheme.compare(QLatin1StringView(known.scheme), Qt::CaseInsensitive) == 0) {
                account.service = *known.service;
                break;
            }
        }
    }
    const QByteArrayView declared = line.param("X-SERVICE-TYPE");
    if (!declared.isEmpty())
        account.service = canonicalService(QString::fromUtf8(declared));
    add(MultiProperty::InstantMessage, account, labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readServiceProperty(const ContentLine& line)
{
    ServiceValue account;
    account.username = text(line).trimmed();
    for (const ServiceProperty& property : serviceProperties) {
        if (line.nameIs(QByteArrayView(property.name))) {
            account.service = *property.service;
            break;
        }
    }
    add(MultiProperty::InstantMessage, account, labelFor(line, placeLabel(typeFlags(line))));
}

void CardReader::readSound(const ContentLine& line)
{
    // Japanese phones spell the reading of the name as SOUND;X-IRMC-N:last;first;middle;;
    bool irmcName = false;
    for (const Param& param : line.params)
        irmcName = irmcName || (param.name.isEmpty() && equalsUpper(param.value, "X-IRMC-N"));
    if (!irmcName)
        return;
    const Components parts = components(escapedText(line), m_version);
    m_soundPhonetic[2] = parts.text(0);
    m_soundPhonetic[0] = parts.text(1);
    m_soundPhonetic[1] = parts.text(2);
}

void CardReader::readShowAs(const ContentLine& line)
{
    if (text(line).trimmed().compare(u"COMPANY", Qt::CaseInsensitive) == 0) {
        m_isCompany = true;
        m_mapped = true;
    }
}

void CardReader::readKind(const ContentLine& line)
{
    const QString kind = text(line).trimmed();
    if (kind.compare(u"org", Qt::CaseInsensitive) == 0 || kind.compare(u"organization", Qt::CaseInsensitive) == 0)
        m_isCompany = true;
}

void CardReader::readPhoto(const ContentLine& line)
{
    QByteArray data;
    if (line.isBase64() || line.value.startsWith("data:"))
        data = decodeBase64(line.value);
    if (!data.isEmpty()) {
        m_person.setImageData(data);
        m_mapped = true;
    }
}

void CardReader::readUid(const ContentLine& line)
{
    QString uid = text(line).trimmed();
    if (startsWithIgnoringCase(uid, u"urn:uuid:"))
        uid.remove(0, 9);
    m_person.setUniqueId(uid);
}

std::optional<Person> CardReader::finish()
{
    for (int i = 0; i < 3; ++i) {
        static constexpr StringProperty phonetic[] = {
            StringProperty::FirstNamePhonetic, StringProperty::MiddleNamePhonetic, StringProperty::LastNamePhonetic};
        setString(phonetic[i], m_phonetic[size_t(i)].isEmpty() ? m_soundPhonetic[size_t(i)] : m_phonetic[size_t(i)]);
    }
    const QString& company = m_person.value(StringProperty::Organization);
    const QString formattedName = m_formattedName.trimmed();
    if (!m_hasName) {
        // No readable card shows as "No name": a company card shows its company; otherwise the
        // formatted name stands in for the name.
        if (!company.isEmpty() && (formattedName.isEmpty() || formattedName == company))
            m_isCompany = true;
        else if (!formattedName.isEmpty())
            setString(StringProperty::FirstName, formattedName);
    }
    if (m_isCompany)
        m_person.setFlags((m_person.flags() & ~PersonFlags::ShowAsMask) | PersonFlags::ShowAsCompany);
    for (int i = 0; i < MultiPropertyCount; ++i) {
        if (!m_multi[size_t(i)].isEmpty())
            m_person.setValue(MultiProperty(i), std::move(m_multi[size_t(i)]));
    }
    if (!m_mapped)
        return std::nullopt;
    if (m_person.uniqueId().isEmpty())
        m_person.setUniqueId(newUniqueId());
    return std::move(m_person);
}

} // namespace

namespace {

Version versionOf(QByteArrayView declared)
{
    declared = declared.trimmed();
    return declared.startsWith("2.") ? Version::V21 : declared.startsWith("4.") ? Version::V40 : Version::V30;
}

} // namespace

QStringList readCategories(QByteArrayView text)
{
    Tokenizer tokenizer(text);
    ContentLine line;
    Version version = Version::V30;
    QStringList result;
    while (tokenizer.next(line)) {
        if (line.nameIs("VERSION"))
            version = versionOf(line.value);
        else if (line.nameIs("CATEGORIES"))
            result += listItems(escapedText(line), version);
    }
    return result;
}

QString escapeText(const QString& name)
{
    QByteArray escaped;
    appendEscaped(escaped, name);
    return QString::fromUtf8(escaped);
}

std::optional<Person> readPerson(QByteArrayView card, QStringList* categories)
{
    // Only the first card counts; anything from its END:VCARD on is not read.
    Tokenizer tokenizer(card);
    QVarLengthArray<ContentLine, 48> lines;
    bool begun = false;
    lines.emplace_back();
    while (tokenizer.next(lines.back())) {
        const ContentLine& line = lines.back();
        if (line.nameIs("BEGIN")) {
            begun = true;
            continue;
        }
        if (line.nameIs("END"))
            break;
        if (begun)
            lines.emplace_back(); // keep this line, read the next into a new one
    }
    lines.pop_back(); // the END line, or the one the tokenizer could not fill
    if (!begun)
        return std::nullopt;
    Version version = Version::V30;
    for (const ContentLine& content : lines) {
        if (content.nameIs("VERSION")) {
            version = versionOf(content.value);
            break;
        }
    }
    if (categories) {
        categories->clear();
        for (const ContentLine& content : lines) {
            if (content.nameIs("CATEGORIES"))
                *categories += listItems(escapedText(content), version);
        }
    }
    CardReader reader(version);
    for (const ContentLine& content : lines)
        reader.collectGroupLabel(content);
    for (const ContentLine& content : lines)
        reader.read(content);
    return reader.finish();
}

} // namespace Quillary::AddressBook::VCardCodec
