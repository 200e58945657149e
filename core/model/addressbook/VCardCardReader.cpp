#include "VCardCardReader_p.h"

#include "VCardKeptLines_p.h"
#include "VCardLabels_p.h"
#include "VCardServices_p.h"

#include <array>
#include <vector>

namespace Quillary::AddressBook::VCard {

CardReader::Handler CardReader::handlerFor(std::string_view upperName)
{
    struct Named
    {
        std::string_view name;
        Handler handler;
    };
    static const Named named[] = {
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
        {"X-ABLABEL", &CardReader::ignore}, // read by collectGroupLabel()
        {"X-ABADR", &CardReader::ignore},
        // Written anew with every card, or from the contact's groups.
        {"VERSION", &CardReader::ignore},
        {"PRODID", &CardReader::ignore},
        {"REV", &CardReader::ignore},
        {"CATEGORIES", &CardReader::ignore},
        {"BEGIN", &CardReader::ignore},
        {"END", &CardReader::ignore},
    };
    // Names by length: a line's name is compared with the few names of its length only.
    static const auto byLength = [] {
        std::array<std::vector<Named>, 32> lists;
        for (const Named& entry : named)
            lists[entry.name.size()].push_back(entry);
        return lists;
    }();
    if (upperName.size() >= byLength.size())
        return nullptr;
    for (const Named& entry : byLength[upperName.size()]) {
        if (entry.name == upperName)
            return entry.handler;
    }
    return nullptr;
}

void CardReader::collectGroupLabel(const ContentLine& line)
{
    if (line.group.isEmpty())
        return;
    if (line.nameIs("X-ABLABEL"))
        m_groupLabels.insert(line.group, sharedLabel(repeatedText(line)));
    else if (line.nameIs("X-ABADR"))
        m_groupCountryCodes.insert(line.group, repeatedTrimmedText(line));
}

void CardReader::read(const ContentLine& line)
{
    char upper[32];
    if (line.name.size() >= qsizetype(sizeof upper)) {
        keep(line);
        return;
    }
    for (qsizetype i = 0; i < line.name.size(); ++i) {
        const char c = line.name[i];
        upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    const std::string_view name(upper, size_t(line.name.size()));
    if (const Handler handler = handlerFor(name)) {
        (this->*handler)(line);
        return;
    }
    if (const QString* service = serviceOfProperty(QByteArrayView(upper, line.name.size()))) {
        readServiceProperty(line, *service);
        return;
    }
    keep(line);
}

bool CardReader::first(Single property, const ContentLine& line)
{
    if (m_seen & property) {
        keep(line);
        return false;
    }
    m_seen |= property;
    return true;
}

Fallback CardReader::fallbackFor(const ContentLine& line) const
{
    if (!line.isQuotedPrintable() || !line.param("CHARSET").isNull())
        return {};
    if (!m_declaredCharset) {
        m_declaredCharset.emplace();
        for (qsizetype i = 0; i < m_lineCount && m_declaredCharset->isEmpty(); ++i)
            *m_declaredCharset = m_lines[i].param("CHARSET").toByteArray();
    }
    return Fallback{*m_declaredCharset, m_fileEncoding};
}

void CardReader::keep(const ContentLine& line)
{
    appendKeptLine(m_kept, line, m_version, fallbackFor(line));
    noteKeptGroup(line.group);
}

void CardReader::noteKeptGroup(QByteArrayView group)
{
    if (!group.isEmpty() && !isKeptGroup(group))
        m_keptGroups.insert(group, QString());
}

void CardReader::keepLinesOfKeptGroups()
{
    // The label or country of a kept line's group goes with it; those of the lines read into the
    // record are written with them.
    if (m_keptGroups.isEmpty())
        return;
    for (qsizetype i = 0; i < m_lineCount; ++i) {
        const ContentLine& line = m_lines[i];
        if ((line.nameIs("X-ABLABEL") || line.nameIs("X-ABADR")) && isKeptGroup(line.group))
            appendKeptLine(m_kept, line, m_version, fallbackFor(line));
    }
}

bool CardReader::isKeptGroup(QByteArrayView group) const
{
    return m_keptGroups.find(group) != nullptr;
}

void CardReader::keepNestedCard(const ContentLine* carrier, QByteArrayView card)
{
    if (carrier)
        appendKeptPrefix(m_kept, *carrier, m_version);
    else
        m_kept.append("AGENT:");
    m_kept.append(nestedCardValue(card, m_version));
    m_kept.append("\r\n");
    if (carrier)
        noteKeptGroup(carrier->group);
}

void CardReader::readFormattedName(const ContentLine& line)
{
    if (first(SingleFormattedName, line))
        m_formattedName = text(line);
}

void CardReader::readNickname(const ContentLine& line)
{
    if (first(SingleNickname, line))
        setString(StringProperty::Nickname, repeatedText(line));
}

void CardReader::readTitle(const ContentLine& line)
{
    if (first(SingleTitle, line))
        setString(StringProperty::JobTitle, repeatedText(line));
}

void CardReader::readMaidenName(const ContentLine& line)
{
    if (first(SingleMaidenName, line))
        setString(StringProperty::MaidenName, repeatedText(line));
}

void CardReader::readPhonetic(Single property, size_t part, const ContentLine& line)
{
    if (first(property, line))
        m_phonetic[part] = repeatedText(line);
}

void CardReader::readNote(const ContentLine& line)
{
    // A card with several notes keeps them all, one after the other: joined once the card is read.
    QString note = text(line);
    if (!note.isEmpty() || !m_notes.isEmpty())
        m_notes.append(std::move(note));
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
    if (m_sink)
        m_sink->add(property, std::move(value), label);
    else
        m_multi[size_t(property)].addValue(std::move(value), label);
    m_mapped = true;
}

void CardReader::readName(const ContentLine& line)
{
    if (!first(SingleName, line))
        return;
    const Components parts = components(escaped(line), m_version);
    static constexpr StringProperty order[] = {StringProperty::LastName, StringProperty::FirstName,
                                               StringProperty::MiddleName, StringProperty::Title,
                                               StringProperty::Suffix};
    for (qsizetype i = 0; i < parts.size() && i < 5; ++i) {
        const QString part = parts.sharedText(i);
        setString(order[i], part);
        if (i < 3 && !part.isEmpty())
            m_hasName = true;
    }
}

void CardReader::readOrganization(const ContentLine& line)
{
    if (!first(SingleOrganization, line))
        return;
    const Components parts = components(escaped(line), m_version);
    setString(StringProperty::Organization, parts.sharedText(0));
    // Further organisational units stay with the department, which is written back as one unit.
    qsizetype last = parts.size() - 1;
    QString lastUnit;
    while (last >= 1 && (lastUnit = parts.text(last)).isEmpty())
        --last;
    if (last == 1) {
        setString(StringProperty::Department, RepeatedTexts::local().shared(std::move(lastUnit)));
    } else if (last > 1) {
        QStringList units;
        for (qsizetype i = 1; i <= last; ++i)
            units.append(parts.text(i));
        setString(StringProperty::Department, repeated(units.join(u';')));
    }
}

void CardReader::readBirthday(const ContentLine& line)
{
    const DateComponents birthday = dateOf(line, m_version);
    if (!birthday.isValid()) {
        keep(line);
        return;
    }
    if (first(SingleBirthday, line)) {
        m_person.setBirthday(birthday);
        m_mapped = true;
    }
}

void CardReader::readShowAs(const ContentLine& line)
{
    if (trimmedText(text(line)).compare(u"COMPANY", Qt::CaseInsensitive) == 0) {
        m_isCompany = true;
        m_mapped = true;
    }
}

void CardReader::readKind(const ContentLine& line)
{
    // A company is shown as one; any other kind (individual, group, location) is kept as it is.
    const QString kind = trimmedText(text(line));
    if (kind.compare(u"org", Qt::CaseInsensitive) == 0 || kind.compare(u"organization", Qt::CaseInsensitive) == 0)
        m_isCompany = true;
    else
        keep(line);
}

void CardReader::readPhoto(const ContentLine& line)
{
    // A photo given by its address, one that cannot be decoded, and further photos stay as they came.
    QByteArray data;
    if (line.isBase64() || line.value.startsWith("data:"))
        data = decodeBase64(line.value);
    if (data.isEmpty() || !first(SinglePhoto, line)) {
        if (data.isEmpty())
            keep(line);
        return;
    }
    m_person.setImageData(data);
    m_mapped = true;
}

void CardReader::readUid(const ContentLine& line)
{
    // A second identity is not kept: the card has one.
    if (m_seen & SingleUid)
        return;
    m_seen |= SingleUid;
    QString uid = trimmedText(text(line));
    if (uid.startsWith(u"urn:uuid:", Qt::CaseInsensitive))
        uid.remove(0, 9);
    m_person.setUniqueId(uid);
}

std::optional<Person> CardReader::finish()
{
    setString(StringProperty::Note, m_notes.size() == 1 ? m_notes.first() : m_notes.join(u'\n'));
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
    // The FN goes back as it was read while the name it stands for is not edited.
    keepLinesOfKeptGroups();
    if (m_formattedName.isEmpty() || isComposedFormattedName(m_formattedName, m_person))
        m_person.setKeptLines(KeptLines(m_kept, QString(), QString()));
    else
        m_person.setKeptLines(KeptLines(m_kept, m_formattedName, composedFormattedName(m_person)));
    return std::move(m_person);
}

} // namespace Quillary::AddressBook::VCard
