#include "CsvWriter.h"

#include "CsvSyntax_p.h"
#include "model/addressbook/Constants.h"

#include <QStringEncoder>

#include <array>
#include <optional>

namespace Quillary::CsvWriter {

namespace {

namespace Service = AddressBook::SocialService;

const QString HomeLabel = QStringLiteral("Home");
const QString WorkLabel = QStringLiteral("Work");
const QString OtherLabel = QStringLiteral("Other");

CsvColumn labeled(const char* header, const QString& type, const QString& label, const QString& subField = {})
{
    return {QString::fromLatin1(header), type, label, subField};
}

CsvColumn single(const char* header, const QString& type, const QString& subField = {})
{
    return {QString::fromLatin1(header), type, {}, subField};
}

/// How a column finds its value, worked out once from its descriptor.
struct ColumnPlan
{
    enum Kind { CompositeName, NamePart, Birthday, Text, Labeled };
    Kind kind = Text;
    StringField text = StringField::Company;
    LabeledField list = LabeledField::Phone;
    const CsvColumn* column = nullptr;
    bool takesOtherLabels = false;
};

const std::array<ColumnPlan, 32>& plans()
{
    static const std::array<ColumnPlan, 32> table = [] {
        std::array<ColumnPlan, 32> result;
        const QList<CsvColumn>& all = columns();
        Q_ASSERT(all.size() == qsizetype(result.size()));
        for (size_t i = 0; i < result.size(); ++i) {
            ColumnPlan& plan = result[i];
            plan.column = &all.at(qsizetype(i));
            const FieldId id = FieldIdentifiers::fieldId(plan.column->type);
            if (id == FieldId::CompositeName) {
                plan.kind = ColumnPlan::CompositeName;
            } else if (id == FieldId::Name) {
                plan.kind = ColumnPlan::NamePart;
            } else if (id == FieldId::Birthday) {
                plan.kind = ColumnPlan::Birthday;
            } else if (const auto field = FieldIdentifiers::labeledField(id)) {
                plan.kind = ColumnPlan::Labeled;
                plan.list = *field;
                plan.takesOtherLabels = plan.column->label == OtherLabel;
            } else {
                plan.kind = ColumnPlan::Text;
                plan.text = *FieldIdentifiers::stringField(id);
            }
        }
        return result;
    }();
    return table;
}

bool sameLabel(const QString& a, const QString& b)
{
    // Contacts carry the shown form ("home"); files read back carry the header's word ("Home").
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool belongsTo(const LabeledValue& value, const ColumnPlan& plan)
{
    if (sameLabel(value.label, plan.column->label))
        return true;
    return plan.takesOtherLabels && !sameLabel(value.label, HomeLabel) && !sameLabel(value.label, WorkLabel)
        && !sameLabel(value.label, OtherLabel);
}

/// UTF-8 text that grows in large steps, each piece encoded straight into it.
class Utf8Buffer
{
public:
    explicit Utf8Buffer(qsizetype expectedSize) : m_data(expectedSize, Qt::Uninitialized) { }

    void append(QStringView text)
    {
        makeRoom(text.size() * 3);
        m_size = m_encoder.appendToBuffer(m_data.data() + m_size, text) - m_data.constData();
    }
    void append(char c)
    {
        makeRoom(1);
        m_data[m_size++] = c;
    }
    void append(const char* text)
    {
        while (*text)
            append(*text++);
    }
    [[nodiscard]] bool endsWith(char c) const { return m_size > 0 && m_data.at(m_size - 1) == c; }
    void chop(qsizetype count) { m_size -= count; }
    QByteArray take()
    {
        m_data.truncate(m_size);
        return std::move(m_data);
    }

private:
    void makeRoom(qsizetype count)
    {
        if (m_size + count > m_data.size())
            m_data.resize(qMax(m_data.size() * 2, m_size + count + 4096));
    }

    QByteArray m_data;
    qsizetype m_size = 0;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
};

/// Appends a value of the file layout as RFC 4180 has it: a value that a reader would otherwise cut
/// (a comma, a line break, a leading quote) is quoted, with its quotes doubled. Line breaks and
/// tabs stay as they are, so that every text reads back the same, backslashes included.
void appendFileValue(Utf8Buffer& out, QStringView value)
{
    if (value.isEmpty())
        return;
    bool needsQuotes = value.front() == CsvSyntax::Quote;
    for (const QChar c : value)
        needsQuotes = needsQuotes || c == CsvSyntax::Separator || CsvSyntax::isLineBreak(c.unicode());
    if (!needsQuotes) {
        out.append(value);
        return;
    }
    out.append('"');
    qsizetype from = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != CsvSyntax::Quote)
            continue;
        out.append(value.sliced(from, i - from));
        out.append("\"\"");
        from = i + 1;
    }
    out.append(value.sliced(from));
    out.append('"');
}

QString columnValue(const PersonDsc& person, const ColumnPlan& plan, const CsvRow& row, const NameValue& name,
                    std::array<std::optional<LabeledValueSpan>, LabeledFieldCount>& lists)
{
    const int index = row.index;
    switch (plan.kind) {
    case ColumnPlan::CompositeName:
        return person.compositeName();
    case ColumnPlan::NamePart:
        return name.part(plan.column->subField);
    case ColumnPlan::Birthday:
        return index == 0 ? person.birthdayValue().stringValue : QString();
    case ColumnPlan::Text:
        return index == 0 ? person.stringValues()[plan.text] : QString();
    case ColumnPlan::Labeled:
        break;
    }
    // A bound contact re-reads its record for every list asked for: ask once per row.
    std::optional<LabeledValueSpan>& list = lists[size_t(plan.list)];
    if (!list)
        list = person.labeledValues(plan.list);
    const int position = row.position(plan.list);
    if (position < 0 || position >= list->size())
        return {};
    const LabeledValue& value = list->at(position);
    if (!belongsTo(value, plan))
        return {};
    return plan.list == LabeledField::Address ? value.address.part(plan.column->subField) : value.stringValue();
}

void appendRow(Utf8Buffer& out, const CsvRow& row)
{
    const PersonDsc& person = *row.contact->person;
    const NameValue name = person.nameValue();
    std::array<std::optional<LabeledValueSpan>, LabeledFieldCount> lists{};
    for (const ColumnPlan& plan : plans()) {
        appendFileValue(out, columnValue(person, plan, row, name, lists));
        out.append(',');
    }
    if (out.endsWith(','))
        out.chop(1);
    out.append('\n');
}

// The line writer ----------------------------------------------------------------------------------

QString quotedIfSpaced(const QString& text)
{
    return text.contains(u' ') ? u'"' + text + u'"' : text;
}

QString labeledItem(const LabeledValue& value)
{
    if (value.label.isEmpty() || value.stringValue().isEmpty())
        return {};
    return quotedIfSpaced(value.label + u':' + value.stringValue());
}

QString lineValue(const CsvRow& row, const QString& identifier, const QString& separator)
{
    const PersonDsc& person = *row.contact->person;
    const int index = row.index;
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    switch (id) {
    case FieldId::Name:
        return quotedIfSpaced(person.compositeName());
    case FieldId::PhoneticName:
        return quotedIfSpaced(person.phoneticNameValue().stringValue);
    case FieldId::Birthday:
        return quotedIfSpaced(person.birthdayValue().stringValue);
    default:
        break;
    }
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        const LabeledValueSpan list = person.labeledValues(*field);
        if (index != -1) {
            const int position = row.position(*field);
            return position >= 0 && position < list.size() ? labeledItem(list.at(position)) : QString();
        }
        QStringList items;
        for (const LabeledValue& value : list) {
            QString item = labeledItem(value);
            if (!item.isEmpty())
                items.append(std::move(item));
        }
        return items.join(separator);
    }
    if (FieldIdentifiers::addressIdentifiers().contains(identifier) || index >= 1)
        return {};
    const QString text = person.stringValueForIdentifier(identifier);
    if (id == FieldId::Note && !text.isEmpty())
        return quotedIfSpaced(u'"' + text + u'"');
    return quotedIfSpaced(text);
}

} // namespace

const QList<CsvColumn>& columns()
{
    static const QList<CsvColumn> list = {
        single("Name", Field::CompositeName),
        labeled("Home Phone", Field::Phone, HomeLabel),
        labeled("Work Phone", Field::Phone, WorkLabel),
        labeled("Other Phone", Field::Phone, OtherLabel),
        labeled("Home Email", Field::Email, HomeLabel),
        labeled("Work Email", Field::Email, WorkLabel),
        labeled("Other Email", Field::Email, OtherLabel),
        labeled("Home ZIP", Field::Address, HomeLabel, Field::ZIP),
        labeled("Home State", Field::Address, HomeLabel, Field::State),
        labeled("Home City", Field::Address, HomeLabel, Field::City),
        labeled("Home Street", Field::Address, HomeLabel, Field::Street),
        labeled("Work ZIP", Field::Address, WorkLabel, Field::ZIP),
        labeled("Work State", Field::Address, WorkLabel, Field::State),
        labeled("Work City", Field::Address, WorkLabel, Field::City),
        labeled("Work Street", Field::Address, WorkLabel, Field::Street),
        labeled("Other ZIP", Field::Address, OtherLabel, Field::ZIP),
        labeled("Other State", Field::Address, OtherLabel, Field::State),
        labeled("Other City", Field::Address, OtherLabel, Field::City),
        labeled("Other Street", Field::Address, OtherLabel, Field::Street),
        single("Birthday", Field::Birthday),
        single("Title", Field::Title),
        single("Company", Field::Company),
        single("Department", Field::Department),
        single("Job Title", Field::JobTitle),
        single("First Name", Field::Name, Field::FirstName),
        single("Last Name", Field::Name, Field::LastName),
        single("Nickname", Field::Nickname),
        single("Note", Field::Note),
        labeled("Facebook", Field::SocialNetwork, Service::Facebook),
        labeled("LinkedIn", Field::SocialNetwork, Service::LinkedIn),
        labeled("Flickr", Field::SocialNetwork, Service::Flickr),
        labeled("SinaWeibo", Field::SocialNetwork, Service::SinaWeibo),
    };
    return list;
}

QString headerLine()
{
    QString line;
    for (const CsvColumn& column : columns()) {
        line += column.header;
        line += CsvSyntax::Separator;
    }
    line.chop(1);
    line += u'\n';
    return line;
}

QByteArray csvFromSubContacts(const CsvRows& rows)
{
    // About the size of a line with a name, a phone, an e-mail address and an address.
    Utf8Buffer out(1024 + rows.size() * 160);
    out.append(headerLine());
    for (const CsvRow& row : rows) {
        if (row.contact && row.contact->person)
            appendRow(out, row);
    }
    return out.take();
}

QByteArray csvFromSubContacts(const ContactTable& contacts)
{
    CsvRows rows;
    rows.reserve(contacts.size());
    for (const ContactEntryPtr& contact : contacts)
        rows.append({contact, 0, std::nullopt});
    return csvFromSubContacts(rows);
}

QString csvStringFromContact(const CsvRow& row, const QStringList& identifiers, const QString& separator)
{
    if (!row.contact || !row.contact->person)
        return {};
    QString line;
    for (const QString& identifier : identifiers) {
        QString value = lineValue(row, identifier, separator);
        value.replace(u'\n', QLatin1StringView("\\n")).replace(u'\t', QLatin1StringView("\\t"));
        line += value;
        line += separator;
    }
    if (line.size() > separator.size())
        line.chop(separator.size());
    return line;
}

CsvRows rowsOfContacts(const ContactTable& contacts)
{
    CsvRows rows;
    rows.reserve(contacts.size());
    for (const ContactEntryPtr& contact : contacts) {
        if (!contact || !contact->person)
            continue;
        qsizetype count = 1;
        for (const LabeledField field :
             {LabeledField::Phone, LabeledField::Email, LabeledField::Address, LabeledField::SocialNetwork})
            count = qMax(count, contact->person->labeledValues(field).size());
        for (qsizetype index = 0; index < count; ++index)
            rows.append({contact, int(index), std::nullopt});
    }
    return rows;
}

} // namespace Quillary::CsvWriter
