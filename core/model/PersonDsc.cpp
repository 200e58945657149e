#include "PersonDsc.h"

#include "LabelTable.h"
#include "addressbook/AddressBook.h"
#include "addressbook/Records.h"

#include <QDateTime>
#include <QMutex>

namespace Quillary {

#if defined(__x86_64__) && defined(__GLIBCXX__)
// A table holds a contact per card, made with make_shared (16 bytes more): 376 bytes is the most
// that glibc's 400-byte class takes, and the next class costs 16 bytes a contact.
static_assert(sizeof(PersonDsc) <= 376);
#endif

using AddressBook::StringProperty;

namespace {

QMutex defaultsMutex;

std::optional<ContactDefaults>& sharedDefaults()
{
    static std::optional<ContactDefaults> defaults;
    return defaults;
}

} // namespace

const ContactDefaults& ContactDefaults::shared()
{
    QMutexLocker locker(&defaultsMutex);
    auto& defaults = sharedDefaults();
    if (!defaults) {
        const QLocale locale = QLocale::system();
        defaults = ContactDefaults{AddressBook::AddressBook::nameOrderingForLocale(locale),
                                   AddressBook::AddressBook::countryCodeForLocale(locale)};
    }
    return *defaults;
}

void ContactDefaults::setShared(const ContactDefaults& defaults)
{
    QMutexLocker locker(&defaultsMutex);
    sharedDefaults() = defaults;
}

QString PersonDsc::dateText()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
}

PersonDsc::PersonDsc()
    : m_defaultNameOrdering(storedOrdering(ContactDefaults::shared().nameOrdering)),
      m_defaultCountryCode(&internedText(ContactDefaults::shared().countryCode)),
      // The date text keeps identities in creation order; the UUID keeps two made in one second apart.
      m_uniqueId(dateText() + u' ' + AddressBook::newUniqueId())
{
    composeName();
}

PersonDsc::PersonDsc(std::shared_ptr<AddressBook::Person> record)
    : PersonDsc(std::move(record), ContactDefaults::shared().nameOrdering, ContactDefaults::shared().countryCode)
{ }

PersonDsc::PersonDsc(std::shared_ptr<AddressBook::Person> record, int defaultNameOrdering,
                     const QString& defaultCountryCode)
    : m_defaultNameOrdering(storedOrdering(defaultNameOrdering)), m_defaultCountryCode(&internedText(defaultCountryCode)),
      m_abPerson(std::move(record))
{
    if (m_abPerson)
        m_uniqueId = m_abPerson->uniqueId();
    readName();
    composeName();
    readStrings();
    readPhoneticName();
}

PersonDsc PersonDsc::detachedFromRecord(const AddressBook::Person& record, int defaultNameOrdering,
                                        const QString& defaultCountryCode)
{
    // Every value read as a descriptor bound to the record would read it, without binding.
    PersonDsc result(nullptr, defaultNameOrdering, defaultCountryCode);
    result.m_uniqueId = record.uniqueId();
    result.readAllFrom(&record);
    result.setRare(&Rare::keptLines, record.keptLines());
    return result;
}

PersonDsc PersonDsc::duplicate() const
{
    readAll();
    PersonDsc copy = *this;
    copy.setRare(&Rare::keptLines, keptLines());
    copy.m_abPerson.reset();
    copy.m_noteDisabled = false;
    copy.setRare(&Rare::imageData, photoData());
    copy.m_uniqueId.clear();
    copy.m_revision.bump();
    return copy;
}

PersonDsc PersonDsc::independentCopy() const
{
    PersonDsc copy = *this;
    if (m_abPerson)
        copy.m_abPerson = std::make_shared<AddressBook::Person>(*m_abPerson);
    return copy;
}

const QString& PersonDsc::uniqueId() const
{
    if (m_uniqueId.isEmpty()) {
        if (m_abPerson) {
            m_uniqueId = m_abPerson->uniqueId();
        } else {
            const QString name = compositeName();
            m_uniqueId = (name.isEmpty() ? QStringLiteral("Brackenloft") : name) + u'+' + dateText() + u' '
                + AddressBook::newUniqueId();
        }
    }
    return m_uniqueId;
}

// Reading ---------------------------------------------------------------------------------------

NameValue PersonDsc::nameValue() const
{
    readName();
    composeName();
    return m_nameValue;
}

void PersonDsc::composeName() const
{
    m_nameOrdering = qint8(m_nameValue.nameOrdering);
    const QString& first = m_nameValue.firstName;
    const QString& middle = m_nameValue.middleName;
    const QString& last = m_nameValue.lastName;
    int ordering = m_nameOrdering;
    if (ordering == 0)
        ordering = (isJapanseString(last) || m_defaultNameOrdering == 32) ? 1 : 2;
    if (!first.isEmpty() && !last.isEmpty())
        m_nameValue.stringValue = ordering == 1 ? first + u' ' + last : last + u' ' + first;
    else if (!first.isEmpty())
        m_nameValue.stringValue = first;
    else if (!last.isEmpty())
        m_nameValue.stringValue = last;
    else
        m_nameValue.stringValue = middle;
}

QString PersonDsc::compositeName() const
{
    updateCompositeName();
    return m_compositeName;
}

void PersonDsc::updateCompositeName() const
{
    m_compositeName = showAsPerson() ? m_nameValue.stringValue : m_stringValues[StringField::Company];
}

bool PersonDsc::showAsPerson() const
{
    if (m_abPerson)
        m_showAsPerson = (m_abPerson->flags() & AddressBook::PersonFlags::ShowAsMask) == 0;
    return m_showAsPerson;
}

PhoneticNameValue PersonDsc::phoneticNameValue() const
{
    readPhoneticName();
    return rare().phoneticName;
}

QString PersonDsc::composedPhoneticName(const PhoneticNameValue& phonetic) const
{
    const QString& first = phonetic.firstName;
    const QString& last = phonetic.lastName;
    if (first.isEmpty() || last.isEmpty())
        return first.isEmpty() ? last : first;
    const bool firstFirst =
        m_nameOrdering == 1 || (m_nameOrdering == 0 && !isJapanseString(last) && m_defaultNameOrdering == 32);
    return firstFirst ? first + u' ' + last : last + u' ' + first;
}

qint8 PersonDsc::storedOrdering(int ordering)
{
    using AddressBook::PersonFlags::FirstNameFirst, AddressBook::PersonFlags::LastNameFirst;
    static_assert(FirstNameFirst <= 127 && LastNameFirst <= 127);
    return qint8(ordering == FirstNameFirst || ordering == LastNameFirst ? ordering : 0);
}

BirthdayValue PersonDsc::birthdayValue() const
{
    readBirthday();
    return BirthdayValue{m_birthday, m_birthdayText};
}

const StringFieldValues& PersonDsc::stringValues() const
{
    readStrings();
    return m_stringValues;
}

QString PersonDsc::stringValueForIdentifier(QStringView identifier) const
{
    const auto field = FieldIdentifiers::stringField(identifier);
    return field ? stringValues()[*field] : QString();
}

LabeledValueList PersonDsc::labeledValuesForIdentifier(QStringView identifier) const
{
    const auto field = FieldIdentifiers::labeledField(identifier);
    return field ? labeledValues(*field).toList() : LabeledValueList();
}

std::optional<LabeledValue> PersonDsc::labeledValueForIdentifier(QStringView identifier, qsizetype position) const
{
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return std::nullopt;
    const LabeledValueSpan values = m_lists[*field];
    if (position < 0 || position >= values.size())
        return std::nullopt;
    return values.at(position);
}

LabeledValue PersonDsc::labeledValueForIdentifierAtLabelIndex(QStringView identifier, int labelIndex) const
{
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return {};
    const LabeledValueSpan values = m_lists[*field];
    for (auto it = values.crbegin(); it != values.crend(); ++it) {
        if (it->labelIndex == labelIndex)
            return *it;
    }
    return {};
}

QString PersonDsc::stringValueForIdentifier(QStringView identifier, qsizetype position) const
{
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        const LabeledValueSpan values = m_lists[*field];
        return position >= 0 && position < values.size() ? values.at(position).stringValue() : QString();
    }
    switch (id) {
    case FieldId::Birthday:
        return m_birthdayText;
    case FieldId::Name:
        return m_nameValue.stringValue;
    case FieldId::PhoneticName:
        return rare().phoneticName.stringValue;
    default:
        return stringValueForIdentifier(identifier);
    }
}

FieldValue PersonDsc::valueForIdentifier(QStringView identifier) const
{
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (const auto field = FieldIdentifiers::labeledField(id))
        return labeledValues(*field).toList();
    if (FieldIdentifiers::stringField(id))
        return stringValueForIdentifier(identifier);
    switch (id) {
    case FieldId::Name:
        return nameValue();
    case FieldId::CompositeName:
        // Recomputed: nothing else refreshes the cached one after the name or company changes.
        return compositeName();
    case FieldId::FirstName:
    case FieldId::MiddleName:
    case FieldId::LastName:
    case FieldId::PreviousFamilyName:
        // Callers keep what this returns as the old value of an edit: it must be the record's.
        return nameValue().part(identifier);
    case FieldId::PhoneticName:
        return phoneticNameValue();
    case FieldId::PhoneticFirstName:
        return phoneticNameValue().firstName;
    case FieldId::PhoneticMiddleName:
        return phoneticNameValue().middleName;
    case FieldId::PhoneticLastName:
        return phoneticNameValue().lastName;
    case FieldId::Birthday:
        return birthdayValue();
    case FieldId::Photo:
        return photoData();
    default:
        return QString();
    }
}

QByteArray PersonDsc::photoData() const
{
    const QByteArray& data = rare().imageData;
    if (data.isEmpty() && m_abPerson)
        return m_abPerson->imageData();
    return data;
}

const AddressBook::KeptLines& PersonDsc::keptLines() const
{
    return m_abPerson ? m_abPerson->keptLines() : rare().keptLines;
}

QImage PersonDsc::photo() const
{
    const QByteArray data = photoData();
    return data.isEmpty() ? QImage() : QImage::fromData(data);
}

bool PersonDsc::isJapanese(QChar unit)
{
    const char16_t c = unit.unicode();
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3200 && c <= 0x32FF)
        || (c >= 0x3300 && c <= 0x34FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF)
        || (c >= 0xF900 && c <= 0xFAFF);
}

bool PersonDsc::isJapanseString(QStringView text)
{
    for (const QChar c : text) {
        if (isJapanese(c))
            return true;
    }
    return false;
}

void PersonDsc::refreshCache()
{
    m_revision.bump();
    m_nameValue = NameValue();
    m_stringValues.clear();
    setRare(&Rare::phoneticName, PhoneticNameValue());
    m_compositeName.clear();
    m_lists.clear();
    m_birthday = {};
    m_birthdayText.clear();
    if (m_abPerson)
        setRare(&Rare::imageData, QByteArray());
    readAll();
}

bool PersonDsc::needsRead(quint32 part) const
{
    // Without a record the reading functions compose derived values from the cache: always run.
    return !m_abPerson || m_abPerson.needsRead(part);
}

void PersonDsc::readAll() const
{
    readAllFrom(m_abPerson.get());
    if (m_abPerson)
        m_abPerson.markAllRead();
}

void PersonDsc::readAllFrom(const AddressBook::Person* record) const
{
    readSinglePartsFrom(record);
    readListsFrom(record);
    if (record && rare().imageData.isEmpty())
        setRare(&Rare::imageData, record->imageData());
}

void PersonDsc::readSinglePartsFrom(const AddressBook::Person* record) const
{
    readNameFrom(record);
    composeName();
    readStringsFrom(record);
    readPhoneticNameFrom(record);
    updateCompositeName();
    readBirthdayFrom(record);
}

} // namespace Quillary
