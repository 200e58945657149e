#include "VCardCodec.h"

#include "VCardGroupValues_p.h"
#include "VCardKeptLines_p.h"
#include "VCardLabels_p.h"
#include "VCardServices_p.h"
#include "VCardValues_p.h"

#include <cstring>
#include <vector>

namespace Quillary::AddressBook::VCardCodec {

using namespace VCard;

namespace {

constexpr qsizetype FoldWidth = 75;

/// Calls `piece(from, until)` for each piece of a line folded at FoldWidth octets, never inside a
/// UTF-8 sequence. A continuation line starts with a space, so it holds one octet less.
template <typename Piece> void forEachFoldedPiece(QByteArrayView line, Piece&& piece)
{
    const qsizetype size = line.size();
    qsizetype pos = 0;
    qsizetype limit = FoldWidth;
    while (size - pos > limit) {
        qsizetype cut = pos + limit;
        while (cut > pos + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        piece(pos, cut);
        pos = cut;
        limit = FoldWidth - 1;
    }
    piece(pos, size);
}
/// Builds one card. Each logical line is assembled in a scratch buffer and folded into the output.
class CardWriter
{
public:
    explicit CardWriter(QByteArray& out) : m_out(out) { }

    void write(const Person& person);

private:
    LineBuffer& begin(const char* name, const QString& group = {});
    void param(const char* name, QStringView value);
    void types(LabelTypes values);
    void escaped(QStringView value);
    void raw(QStringView value);
    void end();
    QString nextGroup() { return u"item" + QString::number(++m_item); }
    void labelLine(const QString& group, const QString& label);

    void textLine(const char* name, const QString& value);
    void writeName(const Person& person);
    void writeOrganization(const Person& person);
    void writeLabelled(const char* name, const MultiValue& values, bool phone, const char* extraType = nullptr);
    void writeAddresses(const MultiValue& values);
    void writeUrls(const MultiValue& values);
    void writeDates(const MultiValue& values, const std::vector<bool>& written);
    void writeRelatedNames(const MultiValue& values);
    void writeSocialProfiles(const MultiValue& values);
    void writeInstantMessages(const MultiValue& values);
    void writeKeptLines(const Person& person, const QList<QByteArrayView>& lines, const std::vector<bool>& dropped);

    QByteArray& m_out;
    LineBuffer m_line;
    int m_item = 0;
};

LineBuffer& CardWriter::begin(const char* name, const QString& group)
{
    m_line.resize(0); // keeps the buffer of the last line
    if (!group.isEmpty()) {
        appendUtf8(m_line, group);
        m_line.append('.');
    }
    m_line.append(name);
    return m_line;
}

void CardWriter::param(const char* name, QStringView value)
{
    m_line.append(';');
    m_line.append(name);
    m_line.append('=');
    QString clean = value.toString();
    clean.remove(u'"').replace(u'\n', u' ').remove(u'\r');
    const bool quote = clean.contains(u';') || clean.contains(u':') || clean.contains(u',');
    if (quote)
        m_line.append('"');
    appendUtf8(m_line, clean);
    if (quote)
        m_line.append('"');
}

void CardWriter::types(LabelTypes values)
{
    for (const char* type : values) {
        m_line.append(";TYPE=");
        m_line.append(type);
    }
}

void CardWriter::escaped(QStringView value)
{
    appendEscaped(m_line, value);
}

void CardWriter::raw(QStringView value)
{
    // URIs are not text: they are written as they are, but never with a line break.
    const qsizetype start = m_line.size();
    appendUtf8(m_line, value);
    char* const text = m_line.data();
    for (qsizetype i = start; i < m_line.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            text[i] = ' ';
    }
}

void CardWriter::end()
{
    appendFolded(m_out, m_line.view());
}

void CardWriter::labelLine(const QString& group, const QString& label)
{
    begin("X-ABLabel", group).append(':');
    escaped(label);
    end();
}

void CardWriter::textLine(const char* name, const QString& value)
{
    if (value.isEmpty())
        return;
    begin(name).append(':');
    escaped(value);
    end();
}

void CardWriter::writeName(const Person& person)
{
    begin("N").append(':');
    static constexpr StringProperty order[] = {StringProperty::LastName, StringProperty::FirstName,
                                               StringProperty::MiddleName, StringProperty::Title,
                                               StringProperty::Suffix};
    for (size_t i = 0; i < std::size(order); ++i) {
        if (i)
            m_line.append(';');
        escaped(person.value(order[i]));
    }
    end();

    // The FN as it was read ("Dr. Anna Maria Kowalski PhD") stays until the name it stands for changes.
    QString formatted = composedFormattedName(person);
    if (QString asRead = person.keptLines().formattedNameFor(formatted); !asRead.isEmpty())
        formatted = std::move(asRead);
    begin("FN").append(':');
    escaped(formatted);
    end();
}

void CardWriter::writeOrganization(const Person& person)
{
    const QString& company = person.value(StringProperty::Organization);
    const QString& department = person.value(StringProperty::Department);
    if (company.isEmpty() && department.isEmpty())
        return;
    begin("ORG").append(':');
    escaped(company);
    if (!department.isEmpty()) {
        m_line.append(';');
        escaped(department);
    }
    end();
}

void CardWriter::writeLabelled(const char* name, const MultiValue& values, bool phone, const char* extraType)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const LabelTypes labelTypes = typesForLabel(entry.label, phone);
        const bool custom = !entry.label.isEmpty() && labelTypes.empty();
        const QString group = custom ? nextGroup() : QString();
        begin(name, group);
        if (extraType)
            types(LabelTypes(&extraType, 1));
        types(labelTypes);
        m_line.append(':');
        escaped(std::get<QString>(entry.value));
        end();
        if (custom)
            labelLine(group, entry.label);
    }
}

void CardWriter::writeAddresses(const MultiValue& values)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const auto& address = std::get<PostalAddress>(entry.value);
        const LabelTypes labelTypes = typesForLabel(entry.label, false);
        const bool custom = !entry.label.isEmpty() && labelTypes.empty();
        const bool grouped = custom || !address.countryCode().isEmpty();
        const QString group = grouped ? nextGroup() : QString();
        begin("ADR", group);
        types(labelTypes);
        m_line.append(":;;");
        for (const QString* part :
             {&address.street(), &address.city(), &address.state(), &address.zip(), &address.country()}) {
            escaped(*part);
            m_line.append(';');
        }
        m_line.chop(1);
        end();
        if (!address.countryCode().isEmpty()) {
            begin("X-ABADR", group).append(':');
            escaped(address.countryCode());
            end();
        }
        if (custom)
            labelLine(group, entry.label);
    }
}

void CardWriter::writeUrls(const MultiValue& values)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const LabelTypes labelTypes = typesForLabel(entry.label, false);
        const bool custom = !entry.label.isEmpty() && labelTypes.empty();
        const QString group = custom ? nextGroup() : QString();
        begin("URL", group);
        types(labelTypes);
        m_line.append(':');
        raw(std::get<QString>(entry.value));
        end();
        if (custom)
            labelLine(group, entry.label);
    }
}

void CardWriter::writeDates(const MultiValue& values, const std::vector<bool>& written)
{
    for (qsizetype i = 0; i < values.count(); ++i) {
        if (size_t(i) < written.size() && written[size_t(i)])
            continue;
        const MultiValue::Entry& entry = values.entries().at(i);
        const QString group = nextGroup();
        begin("X-ABDATE", group).append(':');
        m_line.append(std::get<DateComponents>(entry.value).toIsoString().toLatin1());
        end();
        if (!entry.label.isEmpty())
            labelLine(group, entry.label);
    }
}

void CardWriter::writeRelatedNames(const MultiValue& values)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const QString group = nextGroup();
        begin("X-ABRELATEDNAMES", group).append(':');
        escaped(std::get<QString>(entry.value));
        end();
        if (!entry.label.isEmpty())
            labelLine(group, entry.label);
    }
}

void CardWriter::writeSocialProfiles(const MultiValue& values)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const auto& profile = std::get<ServiceValue>(entry.value);
        begin("X-SOCIALPROFILE");
        const QString& service = profile.service.isEmpty() ? entry.label : profile.service;
        if (!service.isEmpty())
            param("TYPE", service);
        if (!profile.username.isEmpty())
            param("X-USER", profile.username);
        m_line.append(':');
        raw(profile.url.isEmpty() ? profile.username : profile.url);
        end();
    }
}

void CardWriter::writeInstantMessages(const MultiValue& values)
{
    for (const MultiValue::Entry& entry : values.entries()) {
        const auto& account = std::get<ServiceValue>(entry.value);
        const LabelTypes labelTypes = typesForLabel(entry.label, false);
        const bool custom = !entry.label.isEmpty() && labelTypes.empty();
        const QString group = custom ? nextGroup() : QString();
        begin("IMPP", group);
        if (!account.service.isEmpty())
            param("X-SERVICE-TYPE", account.service);
        types(labelTypes);
        m_line.append(':');
        raw(schemeForService(account.service));
        m_line.append(':');
        raw(account.username);
        end();
        if (custom)
            labelLine(group, entry.label);
    }
}

/// Which dates a card keeps its own ANNIVERSARY lines for: a line whose date the contact still has
/// is written as it was read, instead of the date's own line; a line whose date is gone or edited
/// is dropped, and the contact's dates are written as they are.
struct KeptDates
{
    std::vector<bool> writtenDates; ///< by position: the dates a kept line stands for
    std::vector<bool> droppedLines; ///< by position: the kept lines not written
};

KeptDates matchKeptDates(const Person& person, const QList<QByteArrayView>& lines)
{
    const MultiValue& dates = person.value(MultiProperty::OtherDates);
    KeptDates result{std::vector<bool>(size_t(dates.count())), std::vector<bool>(size_t(lines.size()))};
    // The contact's anniversaries by date, in order, and how many of each a kept line stands for:
    // a card with thousands of them is matched in one pass.
    const auto key = [](const DateComponents& date) {
        return (qint64(date.year) << 32) | (qint64(date.month) << 16) | qint64(date.day);
    };
    QHash<qint64, std::pair<QList<qsizetype>, qsizetype>> anniversaries;
    for (qsizetype j = 0; j < dates.count(); ++j) {
        const MultiValue::Entry& entry = dates.entries().at(j);
        if (entry.label == Label::Anniversary)
            anniversaries[key(std::get<DateComponents>(entry.value))].first.append(j);
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView name = splitKeptLine(lines.at(i)).name;
        if (!equalsUpper(name, "ANNIVERSARY") && !equalsUpper(name, "X-ANNIVERSARY"))
            continue;
        const DateComponents date = keptLineDate(lines.at(i));
        if (!date.isValid())
            continue; // never read as a date
        const auto it = anniversaries.find(key(date));
        if (it == anniversaries.end() || it->second >= it->first.size())
            result.droppedLines[size_t(i)] = true;
        else
            result.writtenDates[size_t(it->first.at(it->second++))] = true;
    }
    return result;
}

void CardWriter::writeKeptLines(const Person& person, const QList<QByteArrayView>& lines,
                                const std::vector<bool>& dropped)
{
    const bool hasPhoto = !person.imageData().isEmpty();
    // Kept "itemN" groups get numbers after the writer's own, the same for all lines of a group.
    VCard::GroupValues groups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const KeptLine line = splitKeptLine(lines.at(i));
        // A photo of the contact's own replaces one that was kept (one given by its address, say).
        if (dropped[size_t(i)] || (hasPhoto && equalsUpper(line.name, "PHOTO")))
            continue;
        m_line.resize(0);
        if (isItemGroup(line.group)) {
            const QString* written = groups.find(line.group);
            if (!written) {
                groups.insert(line.group, nextGroup());
                written = groups.find(line.group);
            }
            appendUtf8(m_line, *written);
            m_line.append('.');
        } else if (!line.group.isEmpty()) {
            m_line.append(line.group);
            m_line.append('.');
        }
        m_line.append(line.name);
        m_line.append(line.rest);
        end();
    }
}

void CardWriter::write(const Person& person)
{
    m_out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    writeName(person);
    textLine("X-MAIDENNAME", person.value(StringProperty::MaidenName));
    textLine("X-PHONETIC-FIRST-NAME", person.value(StringProperty::FirstNamePhonetic));
    textLine("X-PHONETIC-MIDDLE-NAME", person.value(StringProperty::MiddleNamePhonetic));
    textLine("X-PHONETIC-LAST-NAME", person.value(StringProperty::LastNamePhonetic));
    textLine("NICKNAME", person.value(StringProperty::Nickname));
    writeOrganization(person);
    textLine("TITLE", person.value(StringProperty::JobTitle));
    writeLabelled("EMAIL", person.value(MultiProperty::Email), false, "INTERNET");
    writeLabelled("TEL", person.value(MultiProperty::Phone), true);
    writeAddresses(person.value(MultiProperty::Address));
    writeUrls(person.value(MultiProperty::URLs));
    if (const auto& birthday = person.birthday(); birthday && birthday->isValid()) {
        begin("BDAY").append(':');
        m_line.append(birthday->toIsoString().toLatin1());
        end();
    }
    const QList<QByteArrayView> keptLines = keptLineList(person.keptLines().lines());
    const KeptDates keptDates = keptLines.isEmpty() ? KeptDates() : matchKeptDates(person, keptLines);
    writeDates(person.value(MultiProperty::OtherDates), keptDates.writtenDates);
    writeRelatedNames(person.value(MultiProperty::RelatedNames));
    writeSocialProfiles(person.value(MultiProperty::SocialProfile));
    writeInstantMessages(person.value(MultiProperty::InstantMessage));
    if ((person.flags() & PersonFlags::ShowAsMask) != PersonFlags::ShowAsPerson)
        m_out.append("X-ABShowAs:COMPANY\r\n");
    if (!keptLines.isEmpty())
        writeKeptLines(person, keptLines, keptDates.droppedLines);
    textLine("UID", person.uniqueId());
    m_out.append("END:VCARD\r\n");
}

} // namespace

void appendFolded(QByteArray& out, QByteArrayView line)
{
    // Pieces are counted first, so that the output grows once and the pieces are copied into it.
    qsizetype pieces = 0;
    forEachFoldedPiece(line, [&pieces](qsizetype, qsizetype) { ++pieces; });
    const qsizetype start = out.size();
    out.resize(start + line.size() + 3 * (pieces - 1) + 2);
    char* to = out.data() + start;
    forEachFoldedPiece(line, [&to, &line](qsizetype from, qsizetype until) {
        if (from > 0) {
            *to++ = '\r';
            *to++ = '\n';
            *to++ = ' ';
        }
        if (until > from) {
            std::memcpy(to, line.data() + from, size_t(until - from));
            to += until - from;
        }
    });
    *to++ = '\r';
    *to = '\n';
}

QByteArray writePerson(const Person& person)
{
    QByteArray out;
    out.reserve(1024);
    appendPerson(out, person);
    return out;
}

void appendPerson(QByteArray& out, const Person& person)
{
    CardWriter(out).write(person);
}

} // namespace Quillary::AddressBook::VCardCodec
