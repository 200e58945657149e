#include "RowSorter.h"

#include "SortKeys.h"
#include "TableRows.h"
#include "model/LabelTable.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace Quillary::RowSorter {

namespace {

SortValue textValue(const QString& text)
{
    SortValue value;
    if (!text.isEmpty()) {
        value.kind = SortValue::Kind::Text;
        value.text = text;
    }
    return value;
}

SortValue dateValue(const DateComponents& date)
{
    SortValue value;
    if (date.isValid()) {
        value.kind = SortValue::Kind::Date;
        // A date without a year comes before every date with one, as year 1 would.
        value.date = quint32(date.year) * 10000 + quint32(date.month) * 100 + quint32(date.day);
    }
    return value;
}

/// Appends the text case-folded by code point (characters outside the basic plane fold too), as
/// QString::compare does when it ignores case.
void appendFolded(std::vector<char16_t>& out, const QString& text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        const char16_t unit = c.unicode();
        if (unit < 0x80) { // most text is ASCII: only A-Z change
            out.push_back(unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit);
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, text.at(i + 1)));
            out.push_back(QChar::highSurrogate(folded));
            out.push_back(QChar::lowSurrogate(folded));
            ++i;
        } else {
            out.push_back(c.toCaseFolded().unicode());
        }
    }
}

/// Ranks of the texts: equal (ignoring case) texts share a rank. Many rows share a text (a name
/// on every row of its contact, common names), so the distinct texts are sorted, not the rows.
/// Where a sample shows that texts rarely repeat (phone numbers, e-mail addresses), looking them
/// up costs more than sorting the repeats, so the rest go into the sort unchecked: equal texts get
/// one rank there all the same.
QList<quint32> textRanks(const QList<SortValue>& values)
{
    constexpr qsizetype Sample = 4096;
    QHash<QString, quint32> idOfText;
    QList<const QString*> texts;
    QList<quint32> idOfRow(values.size(), 0);
    qsizetype looked = 0;
    bool lookUp = true;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const SortValue& value = values.at(i);
        if (value.kind != SortValue::Kind::Text)
            continue;
        // Rows of one contact usually hold the very same text.
        if (i > 0 && values.at(i - 1).kind == SortValue::Kind::Text
            && values.at(i - 1).text.constData() == value.text.constData()
            && values.at(i - 1).text.size() == value.text.size()) {
            idOfRow[i] = idOfRow.at(i - 1);
            continue;
        }
        if (!lookUp) {
            idOfRow[i] = quint32(texts.size());
            texts.append(&value.text);
            continue;
        }
        auto it = idOfText.constFind(value.text);
        if (it == idOfText.constEnd()) {
            it = idOfText.insert(value.text, quint32(texts.size()));
            texts.append(&value.text);
        }
        idOfRow[i] = *it;
        if (++looked == Sample)
            lookUp = idOfText.size() < Sample * 3 / 4;
    }
    // Case-folded once per distinct text into one buffer, then compared as plain code units; the
    // first eight of them, as two numbers, sit in the sorted array so most comparisons stay in cache.
    std::vector<char16_t> folded;
    struct Entry
    {
        quint64 high;
        quint64 low;
        quint32 offset;
        quint32 length;
        quint32 id;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(texts.size()));
    for (const QString* text : std::as_const(texts)) {
        Entry entry{0, 0, quint32(folded.size()), 0, quint32(entries.size())};
        appendFolded(folded, *text);
        entry.length = quint32(folded.size()) - entry.offset;
        const char16_t* units = folded.data() + entry.offset;
        for (quint32 i = 0; i < 4; ++i)
            entry.high = (entry.high << 16) | (i < entry.length ? units[i] : 0u);
        for (quint32 i = 4; i < 8; ++i)
            entry.low = (entry.low << 16) | (i < entry.length ? units[i] : 0u);
        entries.push_back(entry);
    }
    const auto less = [&](const Entry& x, const Entry& y) {
        if (x.high != y.high)
            return x.high < y.high;
        if (x.low != y.low)
            return x.low < y.low;
        const char16_t* a = folded.data() + x.offset;
        const char16_t* b = folded.data() + y.offset;
        return std::lexicographical_compare(a, a + x.length, b, b + y.length);
    };
    std::sort(entries.begin(), entries.end(), less);
    QList<quint32> rankOfId(texts.size(), 0);
    quint32 rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && less(entries[i - 1], entries[i]))
            ++rank;
        rankOfId[entries[i].id] = rank;
    }
    for (qsizetype i = 0; i < values.size(); ++i)
        idOfRow[i] = rankOfId.value(idOfRow.at(i));
    return idOfRow;
}

/// The entry of a labelled value under a value key.
QString labeledEntry(LabeledField field, const LabeledValue& value, const QString& valueKey)
{
    if (valueKey == u"stringValue")
        return value.stringValue;
    if (valueKey == u"label")
        return value.label;
    switch (field) {
    case LabeledField::Address:
        return value.address.part(valueKey);
    case LabeledField::Email:
        return valueKey == u"domain" ? value.emailDomain() : value.emailUsername();
    case LabeledField::InstantMessage:
    case LabeledField::SocialNetwork:
        if (valueKey == u"service" || valueKey == u"servicename")
            return value.service;
        if (valueKey == u"username")
            return value.username;
        return value.stringValue;
    default:
        return value.stringValue;
    }
}

SortValue nameValue(const PersonDsc& person, const QString& valueKey)
{
    if (valueKey == u"FirstName" || valueKey == u"LastName") {
        if (!person.showAsPerson())
            return textValue(person.stringValueForIdentifier(Field::Company));
        const NameValue name = person.nameValue();
        return textValue(valueKey == u"FirstName" ? name.firstName + name.lastName : name.lastName + name.firstName);
    }
    return textValue(person.compositeName());
}

SortValue phoneticValue(const PersonDsc& person, const QString& valueKey)
{
    const PhoneticNameValue phonetic = person.phoneticNameValue();
    if (valueKey == u"PhoneticFirstName")
        return textValue(phonetic.firstName + phonetic.lastName);
    if (valueKey == u"PhoneticLastName")
        return textValue(phonetic.lastName + phonetic.firstName);
    return textValue(phonetic.stringValue);
}

} // namespace

namespace {

/// The sort value with the field looked up once for the whole sort.
SortValue sortValueOf(const SubContactRow& row, FieldId id, const QString& identifier, const QString& valueKey,
                      const QStringList& selectedLabels)
{
    const PersonDsc& person = row.person();
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        const LabeledValue* shown = TableRows::rowValue(row, *field, selectedLabels);
        if (!shown)
            return {};
        const LabeledValue& value = *shown;
        if (*field == LabeledField::Dates && valueKey != u"label")
            return dateValue(value.date);
        return textValue(labeledEntry(*field, value, valueKey));
    }
    switch (id) {
    case FieldId::Birthday:
        return dateValue(person.birthdayValue().value);
    case FieldId::Name:
        return nameValue(person, valueKey);
    case FieldId::PhoneticName:
        return phoneticValue(person, valueKey);
    default:
        return textValue(person.stringValueForIdentifier(identifier));
    }
}

} // namespace

SortValue sortValue(const SubContactRow& row, const QString& identifier, const QString& valueKey,
                    const QStringList& selectedLabels)
{
    return sortValueOf(row, FieldIdentifiers::fieldId(identifier), identifier, valueKey, selectedLabels);
}

int compareDateComponents(const std::optional<DateComponents>& a, const std::optional<DateComponents>& b,
                          bool ascending)
{
    if (!a && !b)
        return 0;
    if (!a)
        return 1;
    if (!b)
        return -1;
    return compare(dateValue(*a), dateValue(*b), ascending);
}

int compare(const SortValue& a, const SortValue& b, bool ascending)
{
    const bool aEmpty = a.kind == SortValue::Kind::None;
    const bool bEmpty = b.kind == SortValue::Kind::None;
    if (aEmpty || bEmpty)
        return aEmpty == bEmpty ? 0 : aEmpty ? 1 : -1;
    int order = a.kind == SortValue::Kind::Date || b.kind == SortValue::Kind::Date
        ? (a.date < b.date       ? -1
               : a.date > b.date ? 1
                                 : 0)
        : QString::compare(a.text, b.text, Qt::CaseInsensitive);
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return ascending ? order : -order;
}

void sortSubContactTable(SubContactTable& rows, const std::optional<SortDescriptor>& sort,
                         const QStringList& selectedLabels)
{
    if (!sort || rows.size() < 2)
        return;
    const auto [identifier, valueKey] = SortKeys::separateSortKeyIntoIdentifierAndKey(sort->key);
    // Each row's value once; then every row gets a number that orders it, and the numbers are
    // sorted stably. Rows without a value go last in either direction, in their order.
    QList<SortValue> values;
    values.reserve(rows.size());
    // A field with one value per contact gives all rows of a contact the same value.
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    const bool perContact = !FieldIdentifiers::labeledField(id);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (perContact && i > 0 && rows.at(i).contact == rows.at(i - 1).contact)
            values.append(values.at(i - 1));
        else
            values.append(sortValueOf(rows.at(i), id, identifier, valueKey, selectedLabels));
    }
    const QList<quint32> ranks = textRanks(values);
    struct Key
    {
        quint32 order;
        qint32 row;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(rows.size()));
    QList<int> empty;
    for (int i = 0; i < int(values.size()); ++i) {
        const SortValue& value = values.at(i);
        if (value.kind == SortValue::Kind::None)
            empty.append(i);
        else
            keys.push_back({value.kind == SortValue::Kind::Date ? value.date : ranks.at(i), i});
    }
    if (sort->ascending)
        std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.order < b.order; });
    else
        std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.order > b.order; });
    SubContactTable sorted;
    sorted.reserve(rows.size());
    for (const Key& key : keys)
        sorted.append(std::move(rows[key.row]));
    for (int row : std::as_const(empty))
        sorted.append(std::move(rows[row]));
    rows = std::move(sorted);
}

} // namespace Quillary::RowSorter
