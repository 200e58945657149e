#pragma once

// Internal to the vCard codec: mapping the content lines of one card onto a person record.

#include "Records.h"
#include "VCardGroupValues_p.h"
#include "VCardValues_p.h"

#include "support/RepeatedTexts.h"

#include <optional>
#include <string_view>

namespace Quillary::AddressBook::VCard {

/// Maps the content lines of one card onto a person record. Lines the record has no property for
/// are kept as vCard 3.0 lines; so are the further lines of a property that the record holds once,
/// the first of which wins.
class CardReader
{
public:
    /// Reads a card of these lines, from a file of that encoding. With a sink, the multi-values go to
    /// it instead of the record.
    CardReader(Version version, const ContentLine* lines, qsizetype lineCount, QByteArrayView fileEncoding,
               MultiValueSink* sink = nullptr)
        : m_version(version), m_lines(lines), m_lineCount(lineCount), m_fileEncoding(fileEncoding), m_sink(sink)
    { }

    void collectGroupLabel(const ContentLine& line);
    void read(const ContentLine& line);
    /// Keeps a nested card (an AGENT) as the value of the line that carries it, or of an AGENT line.
    void keepNestedCard(const ContentLine* carrier, QByteArrayView card);
    std::optional<Person> finish();

private:
    using Handler = void (CardReader::*)(const ContentLine&);
    /// The handler of an upper-case property name; none for a name that has none.
    static Handler handlerFor(std::string_view upperName);

    /// The properties the record holds once.
    enum Single : unsigned {
        SingleName = 1u << 0,
        SingleFormattedName = 1u << 1,
        SingleNickname = 1u << 2,
        SingleOrganization = 1u << 3,
        SingleTitle = 1u << 4,
        SingleBirthday = 1u << 5,
        SingleMaidenName = 1u << 6,
        SinglePhoneticFirst = 1u << 7,
        SinglePhoneticMiddle = 1u << 8,
        SinglePhoneticLast = 1u << 9,
        SinglePhoto = 1u << 10,
        SingleUid = 1u << 11,
    };

    QString escaped(const ContentLine& line) const { return escapedText(line, fallbackFor(line)); }
    QString text(const ContentLine& line) const { return unescape(escaped(line), m_version); }
    /// The trimmed text of a value that repeats from card to card, shared with the equal ones.
    static QString repeated(QString text) { return RepeatedTexts::local().shared(trimmedText(std::move(text))); }
    /// The text of a line whose value repeats from card to card (a label, title or country), shared
    /// with the equal ones: the usual plain value costs no allocation at all.
    QString repeatedText(const ContentLine& line) const
    {
        const PlainValue plain(line);
        return plain ? RepeatedTexts::local().shared(plain.view()) : RepeatedTexts::local().shared(text(line));
    }
    QString repeatedTrimmedText(const ContentLine& line) const
    {
        const PlainValue plain(line);
        return plain ? RepeatedTexts::local().shared(plain.view().trimmed()) : repeated(text(line));
    }
    Fallback fallbackFor(const ContentLine& line) const;
    QString labelFor(const ContentLine& line, const QString& fromTypes) const;
    void setString(StringProperty property, const QString& value);
    void add(MultiProperty property, MultiValueItem value, const QString& label);
    /// True for the first line of a property held once; a later one is kept and gives false.
    bool first(Single property, const ContentLine& line);
    void keep(const ContentLine& line);
    void noteKeptGroup(QByteArrayView group);
    [[nodiscard]] bool isKeptGroup(QByteArrayView group) const;
    void keepLinesOfKeptGroups();
    void ignore(const ContentLine&) { }

    void readName(const ContentLine& line);
    void readFormattedName(const ContentLine& line);
    void readNickname(const ContentLine& line);
    void readOrganization(const ContentLine& line);
    void readTitle(const ContentLine& line);
    void readNote(const ContentLine& line);
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
    void readServiceProperty(const ContentLine& line, const QString& service);
    void readPhoneticFirst(const ContentLine& line) { readPhonetic(SinglePhoneticFirst, 0, line); }
    void readPhoneticMiddle(const ContentLine& line) { readPhonetic(SinglePhoneticMiddle, 1, line); }
    void readPhoneticLast(const ContentLine& line) { readPhonetic(SinglePhoneticLast, 2, line); }
    void readPhonetic(Single property, size_t part, const ContentLine& line);
    void readSound(const ContentLine& line);
    void readMaidenName(const ContentLine& line);
    void readShowAs(const ContentLine& line);
    void readKind(const ContentLine& line);
    void readPhoto(const ContentLine& line);
    void readUid(const ContentLine& line);

    Version m_version;
    const ContentLine* m_lines;
    qsizetype m_lineCount;
    QByteArrayView m_fileEncoding;
    mutable std::optional<QByteArray> m_declaredCharset; // the first CHARSET of the card, once asked for
    Person m_person{QString()};
    MultiValueSink* m_sink;
    std::array<MultiValue, MultiPropertyCount> m_multi; // without a sink
    GroupValues m_groupLabels; // group → X-ABLabel
    GroupValues m_groupCountryCodes; // group → X-ABADR
    QString m_formattedName;
    QStringList m_notes; // the NOTE lines
    std::array<QString, 3> m_phonetic; // X-PHONETIC-FIRST/MIDDLE/LAST-NAME
    std::array<QString, 3> m_soundPhonetic; // SOUND;X-IRMC-N
    QByteArray m_kept; // the kept lines
    GroupValues m_keptGroups; // groups of kept lines (with no value)
    unsigned m_seen = 0; // Single properties met
    bool m_hasName = false;
    bool m_isCompany = false;
    bool m_mapped = false;
};

} // namespace Quillary::AddressBook::VCard
