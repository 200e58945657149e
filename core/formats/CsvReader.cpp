#include "CsvReader.h"

#include "CsvFieldDetection.h"
#include "CsvRecordReader.h"
#include "model/LabelTable.h"
#include "model/addressbook/Records.h"
#include "support/CoreTr.h"
#include "support/SharedWork.h"
#include "support/UnsharedText.h"

#include <QHash>
#include <QRegularExpression>

#include <array>
#include <atomic>
#include <optional>

namespace Quillary::CsvReader {

namespace {

/// Column types, worked out once per column rather than once per value.
enum class Kind {
    Name,
    FirstName,
    LastName,
    Company,
    Title,
    JobTitle,
    Department,
    Nickname,
    Note,
    Phone,
    Email,
    AddressPart,
    SocialNetwork,
    Birthday,
    Unknown,
};

Kind kindOfType(QStringView type)
{
    static const QHash<QString, Kind> kinds = {
        {Field::Name, Kind::Name},
        {CsvFieldDetection::ColumnType::FirstName, Kind::FirstName},
        {CsvFieldDetection::ColumnType::LastName, Kind::LastName},
        {Field::Company, Kind::Company},
        {Field::Title, Kind::Title},
        {Field::JobTitle, Kind::JobTitle},
        {Field::Department, Kind::Department},
        {Field::Nickname, Kind::Nickname},
        {Field::Note, Kind::Note},
        {Field::Phone, Kind::Phone},
        {Field::Email, Kind::Email},
        {Field::ZIP, Kind::AddressPart},
        {Field::State, Kind::AddressPart},
        {Field::City, Kind::AddressPart},
        {Field::Street, Kind::AddressPart},
        {CsvFieldDetection::ColumnType::SocialNetwork, Kind::SocialNetwork},
        {Field::Birthday, Kind::Birthday},
    };
    return kinds.value(type.toString(), Kind::Unknown);
}

LabeledValue* findLabel(LabeledValueList& list, const QString& label)
{
    for (LabeledValue& value : list) {
        if (value.label == label)
            return &value;
    }
    return nullptr;
}

/// Each column holds a whole number or address, so a second column with the same label ("Home Phone
/// 2", "Secondary Email") adds an entry; filling in the first one would lose its value.
void addPhoneOrEmail(LabeledValueList& list, const QString& value, const QString& label)
{
    LabeledValue entry;
    entry.label = label;
    entry.value = value;
    entry.setStringValue(value);
    entry.labelIndex = int(list.size());
    list.append(entry);
}

void addAddressPart(LabeledValueList& list, const QString& value, QStringView part, const QString& label)
{
    LabeledValue* address = findLabel(list, label);
    if (!address) {
        LabeledValue entry;
        entry.label = label;
        entry.labelIndex = int(list.size());
        list.append(entry);
        address = &list.last();
    }
    address->address.setPart(part, value);
    address->setStringValue(QString());
    address->value.clear();
}

void addSocialProfile(LabeledValueList& list, const QString& value, const QString& label)
{
    if (LabeledValue* existing = findLabel(list, label)) {
        existing->setUsername(value);
        existing->value = value;
        existing->setStringValue(value);
        return;
    }
    const QString service = LabelTable::labelFromiLabel(label);
    LabeledValue entry;
    entry.setUsername(value);
    entry.setService(service);
    entry.label = list.isEmpty() ? label : service;
    entry.value = value;
    entry.setStringValue(value);
    entry.labelIndex = int(list.size());
    list.append(entry);
}

/// The name parts keep the first column that gives them: later columns whose headers merely contain
/// "Name" (a middle, phonetic or organisation name) would otherwise overwrite the name.
void addNamePart(CsvRawContact& contact, QString& part, const QString& value)
{
    if (!part.isEmpty())
        return;
    part = value;
    if (contact.nameStringValue.isEmpty())
        contact.nameStringValue = value;
    if (contact.compositeName.isEmpty())
        contact.compositeName = value;
}

void addValue(CsvRawContact& contact, const QString& value, Kind kind, QStringView type, const QString& label)
{
    if (value.isEmpty())
        return;
    switch (kind) {
    case Kind::Name:
        if (contact.name.isEmpty()) {
            contact.name = value;
            contact.nameStringValue = value;
            contact.compositeName = value;
        }
        break;
    case Kind::FirstName:
        addNamePart(contact, contact.firstName, value);
        break;
    case Kind::LastName:
        addNamePart(contact, contact.lastName, value);
        break;
    case Kind::Company:
        contact.company = value;
        break;
    case Kind::Title:
        contact.title = value;
        break;
    case Kind::JobTitle:
        contact.jobTitle = value;
        break;
    case Kind::Department:
        contact.department = value;
        break;
    case Kind::Nickname:
        contact.nickname = value;
        break;
    case Kind::Note:
        contact.note = value;
        break;
    case Kind::Phone:
        addPhoneOrEmail(contact.phones, value, label);
        break;
    case Kind::Email:
        addPhoneOrEmail(contact.emails, value, label);
        break;
    case Kind::AddressPart:
        addAddressPart(contact.addresses, value, type, label);
        break;
    case Kind::SocialNetwork:
        addSocialProfile(contact.socialProfiles, value, label);
        break;
    case Kind::Birthday:
        contact.birthday = BirthdayValue{dateFromText(value), value};
        break;
    case Kind::Unknown:
        break;
    }
}

/// The label as contacts keep it: "Home" becomes "home", as the address book shows it.
QString shownLabel(const QString& label)
{
    // Every value of a column has the column's label: the last few met are remembered by identity.
    // Each remembered label is held, so that its text cannot be freed and another take its place.
    struct Memo
    {
        QString label;
        QString shown;
    };
    constexpr size_t Slots = 8;
    thread_local std::array<Memo, Slots> memo;
    thread_local size_t nextSlot = 0;
    for (const Memo& known : memo) {
        if (!known.shown.isNull() && known.label.constData() == label.constData() && known.label.size() == label.size())
            return known.shown;
    }
    QString shown = LabelTable::labelFromiLabel(LabelTable::iLabelFromLabel(label));
    memo[nextSlot++ % Slots] = {label, shown};
    return shown;
}

/// Stores a list with its shown labels and derived texts. The list is a fresh one that nobody
/// shares, so it is completed in place rather than copied again by the descriptor.
void setList(PersonDsc& person, LabeledValueList& list, LabeledField field)
{
    if (list.isEmpty())
        return;
    for (LabeledValue& value : list) {
        value.label = shownLabel(value.label);
        switch (field) {
        case LabeledField::Email:
            updateEmailValue(value);
            break;
        case LabeledField::Address:
            updateAddressValue(value, person.defaultCountryCode());
            break;
        case LabeledField::SocialNetwork:
            value.setStringValue(value.username());
            break;
        default:
            value.setStringValue(value.value);
            break;
        }
    }
    person.setLabeledValues(field, list);
}

void setName(PersonDsc& person, const CsvRawContact& contact)
{
    NameValue name;
    name.firstName = contact.firstName;
    name.lastName = contact.lastName;
    if (name.firstName.isEmpty() && name.lastName.isEmpty()) {
        // As a card without name parts is read: a line whose name is its company (or that has a
        // company and no name) is a company's; otherwise the whole name stands in for the first
        // name, for a contact needs a name part to keep its name in a card.
        if (!contact.company.isEmpty() && (contact.name.isEmpty() || contact.name == contact.company))
            name.showAsPerson = false;
        else if (contact.name.isEmpty())
            return;
        else
            name.firstName = contact.name;
    }
    person.setValue(name, Field::Name);
}

/// What every contact of one reading starts from: an empty contact with the reading's defaults, and
/// the time stamp its identity begins with (formatting it for each of many contacts costs more
/// than the rest of the identity).
struct ContactTemplate
{
    PersonDsc person;
    QString dateText = PersonDsc::dateText();
    QString remote;

    explicit ContactTemplate(const CsvReadOptions& options) : remote(options.remote)
    {
        person.setDefaultNameOrdering(options.defaultNameOrdering);
        person.setDefaultCountryCode(options.defaultCountryCode);
    }

    /// The same template with copies of its texts of its own: contacts made from it on one thread
    /// never touch the counts of texts that contacts on other threads share.
    [[nodiscard]] ContactTemplate ownCopy() const
    {
        ContactTemplate copy(CsvReadOptions{person.defaultNameOrdering(), unsharedCopy(person.defaultCountryCode()),
                                            unsharedCopy(remote)});
        copy.dateText = unsharedCopy(dateText);
        return copy;
    }
};

/// Makes the contact of a raw contact, taking its lists.
ContactEntryPtr takeContact(CsvRawContact& contact, const ContactTemplate& from)
{
    auto person = std::make_shared<PersonDsc>(from.person);
    person->setUniqueId(from.dateText + u' ' + AddressBook::newUniqueId());
    setName(*person, contact);
    const std::pair<const QString*, const QString*> texts[] = {
        {&contact.company, &Field::Company},   {&contact.title, &Field::Title},
        {&contact.jobTitle, &Field::JobTitle}, {&contact.department, &Field::Department},
        {&contact.nickname, &Field::Nickname}, {&contact.note, &Field::Note},
    };
    for (const auto& [text, identifier] : texts) {
        if (!text->isEmpty())
            person->setStringValue(*text, *identifier);
    }
    setList(*person, contact.phones, LabeledField::Phone);
    setList(*person, contact.emails, LabeledField::Email);
    setList(*person, contact.addresses, LabeledField::Address);
    setList(*person, contact.socialProfiles, LabeledField::SocialNetwork);
    if (contact.birthday) {
        if (contact.birthday->value.isValid())
            person->setBirthdayValue(contact.birthday);
        else
            person->setBirthday(*contact.birthday); // keeps the text that could not be read as a date
    }
    auto entry = ContactEntry::make(person);
    const QString name = person->compositeName();
    entry->compositeName = name.isEmpty() ? NoNameText : name;
    entry->vCardString = CardText::writtenFrom(person);
    entry->remote = from.remote;
    return entry;
}

struct Columns
{
    QList<CsvColumnDescriptor> descriptors;
    QList<Kind> kinds;
    QList<bool> repeating; ///< values that repeat from contact to contact: names, companies, cities
};

bool isRepeating(Kind kind, QStringView type)
{
    switch (kind) {
    case Kind::FirstName:
    case Kind::LastName:
    case Kind::Company:
    case Kind::Title:
    case Kind::JobTitle:
    case Kind::Department:
    case Kind::Nickname:
        return true;
    case Kind::AddressPart:
        return type != Field::Street;
    default:
        return false;
    }
}

Columns columnsOf(const QStringList& header)
{
    Columns columns;
    columns.descriptors = CsvFieldDetection::columnDescriptors(header);
    for (const CsvColumnDescriptor& descriptor : columns.descriptors) {
        columns.kinds.append(kindOfType(descriptor.type));
        columns.repeating.append(isRepeating(columns.kinds.last(), descriptor.type));
    }
    return columns;
}

constexpr qsizetype BatchSize = 4096;
constexpr qsizetype RecordsAtOnce = 8; // taken by a thread at a time from a batch

/// This thread's copy of the template of one reading.
const ContactTemplate& threadTemplate(const ContactTemplate& from, quint64 reading)
{
    thread_local std::optional<ContactTemplate> local;
    thread_local quint64 localReading = 0;
    if (localReading != reading) {
        local.emplace(from.ownCopy());
        localReading = reading;
    }
    return *local;
}

/// The contact of one line of fields.
ContactEntryPtr contactOf(const QStringList& fields, const Columns& columns, const ContactTemplate& from)
{
    CsvRawContact contact;
    const qsizetype count = qMin(columns.descriptors.size(), fields.size());
    for (qsizetype i = 0; i < count; ++i) {
        const CsvColumnDescriptor& column = columns.descriptors.at(i);
        addValue(contact, fields.at(i), columns.kinds.at(i), column.type, column.label);
    }
    return takeContact(contact, from);
}

} // namespace

void createContact(CsvRawContact& contact, const QString& value, QStringView type, const QString& label)
{
    addValue(contact, value, kindOfType(type), type, label);
}

ContactEntryPtr makeContact(const CsvRawContact& contact, const CsvReadOptions& options)
{
    CsvRawContact copy = contact;
    return takeContact(copy, ContactTemplate(options));
}

CsvReadResult contactsFromCSV(QStringView text, const CsvReadOptions& options)
{
    CsvReadResult result;
    CsvRecordReader reader(text);
    QStringList fields;
    // Blank lines before the header would otherwise stand for a header without columns.
    bool found = false;
    while (!found && reader.readRecord(fields))
        found = reader.recordLength() > 0;
    if (!found)
        return result;
    QStringList header = fields;
    bool hasRecord = true; // fields hold the first data line
    if (CsvFieldDetection::isHeaderLine(header)) {
        hasRecord = reader.readRecord(fields);
    } else {
        result.warning = Tr::tr("Can't find header line in the file.");
        result.informativeText = Tr::tr("Read as the following order: Name, Phone, Email, ZIP, State, City, Street");
        header = CsvFieldDetection::defaultHeader();
    }
    const Columns columns = columnsOf(header);
    const ContactTemplate from(options);
    // Records are cut on this thread, a batch at a time, while the records of the batch before become
    // contacts on all cores.
    static std::atomic<quint64> readings{0};
    const quint64 reading = ++readings;
    const auto readBatch = [&] {
        QList<QStringList> batch;
        for (; hasRecord && batch.size() < BatchSize; hasRecord = reader.readRecord(fields, columns.repeating)) {
            if (reader.recordLength() >= 2)
                batch.append(fields);
        }
        return batch;
    };
    for (QList<QStringList> batch = readBatch(); !batch.isEmpty();) {
        QList<ContactEntryPtr> made(batch.size());
        QList<QStringList> next;
        shareWork(
            batch.size(), RecordsAtOnce,
            [&](qsizetype index) { made[index] = contactOf(batch.at(index), columns, threadTemplate(from, reading)); },
            [&] { next = readBatch(); });
        result.contacts.append(made);
        batch = std::move(next);
    }
    return result;
}

DateComponents dateFromText(QStringView text)
{
    // Year, month and day with dots, hyphens or slashes, and maybe a weekday after them.
    static const QRegularExpression withYear(
        QStringLiteral(R"(^\s*(\d{4})([./-])(\d{1,2})\2(\d{1,2})(?:\s*\(\s*[^()\s]+\s*\)|\s+[^\s\d]+)?\s*$)"));
    static const QRegularExpression withoutYear(QStringLiteral(R"(^\s*(\d{1,2})\.(\d{1,2})\s*$)"));
    DateComponents date;
    if (const QRegularExpressionMatch match = withYear.match(text); match.hasMatch()) {
        date = DateComponents::fromNumbers(match.capturedView(1).toInt(), match.capturedView(3).toInt(),
                                           match.capturedView(4).toInt());
    } else if (const QRegularExpressionMatch match = withoutYear.match(text); match.hasMatch()) {
        date = DateComponents::fromNumbers(0, match.capturedView(1).toInt(), match.capturedView(2).toInt());
    } else {
        return DateComponents::fromIsoString(text);
    }
    return date.isValid() ? date : DateComponents{};
}

} // namespace Quillary::CsvReader
