// The editing operations of a contact: each changes the cached values and, for a bound contact,
// its record at once.

#include "PersonDsc.h"

#include "LabelTable.h"
#include "LabeledValueOrder.h"
#include "addressbook/Constants.h"
#include "addressbook/Records.h"

#include <QLoggingCategory>
#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

Q_LOGGING_CATEGORY(lcEditing, "quillary.core.model.editing")

namespace Quillary {

using AddressBook::StringProperty;

namespace {

constexpr StringProperty recordProperty(StringField field)
{
    constexpr StringProperty properties[StringFieldCount] = {
        StringProperty::Organization, StringProperty::Department, StringProperty::JobTitle, StringProperty::Nickname,
        StringProperty::Title,        StringProperty::Suffix,     StringProperty::Note,
    };
    return properties[int(field)];
}

std::optional<StringProperty> namePartProperty(FieldId id)
{
    switch (id) {
    case FieldId::FirstName:
        return StringProperty::FirstName;
    case FieldId::MiddleName:
        return StringProperty::MiddleName;
    case FieldId::LastName:
        return StringProperty::LastName;
    case FieldId::PreviousFamilyName:
        return StringProperty::MaidenName;
    case FieldId::PhoneticFirstName:
        return StringProperty::FirstNamePhonetic;
    case FieldId::PhoneticMiddleName:
        return StringProperty::MiddleNamePhonetic;
    case FieldId::PhoneticLastName:
        return StringProperty::LastNamePhonetic;
    default:
        return std::nullopt;
    }
}

// Shown forms of the labels that new entries get when none is given.
const QString& homeLabel()
{
    static const QString label = LabelTable::labelFromiLabel(AddressBook::Label::Home);
    return label;
}

const QString& anniversaryLabel()
{
    static const QString label = LabelTable::labelFromiLabel(AddressBook::Label::Anniversary);
    return label;
}

const QString& orDefault(const QString& text, const QString& fallback)
{
    return text.isEmpty() ? fallback : text;
}

/// Recomputes the derived members of an entry that replaces a whole list.
void updateDerived(LabeledField field, LabeledValue& value, const QString& defaultCountryCode)
{
    switch (field) {
    case LabeledField::Phone:
    case LabeledField::URL:
    case LabeledField::Relationship:
        value.setStringValue(value.value);
        break;
    case LabeledField::Email:
        updateEmailValue(value);
        break;
    case LabeledField::Address:
        updateAddressValue(value, defaultCountryCode);
        break;
    case LabeledField::SocialNetwork:
        value.setStringValue(value.username());
        break;
    case LabeledField::InstantMessage:
        updateIMSValue(value);
        break;
    case LabeledField::Dates:
        updateDateValue(value);
        break;
    }
}

} // namespace

void PersonDsc::setValue(const FieldValue& value, QStringView identifier)
{
    m_revision.bump();
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        if (const auto* list = std::get_if<LabeledValueList>(&value))
            replaceLabeledValueAtIndex(*list, identifier, 0);
        return;
    }
    if (FieldIdentifiers::stringField(id)) {
        if (const auto* text = std::get_if<QString>(&value))
            setStringValue(*text, identifier);
        else
            qCWarning(lcEditing) << "xxxx" << identifier;
        return;
    }
    switch (id) {
    case FieldId::Name:
        if (const auto* name = std::get_if<NameValue>(&value)) {
            m_nameValue = *name;
            m_nameOrdering = qint8(name->nameOrdering);
            m_showAsPerson = name->showAsPerson;
            writeNameToRecord();
            composeName();
            updateCompositeName();
        }
        break;
    case FieldId::PhoneticName:
        if (const auto* phonetic = std::get_if<PhoneticNameValue>(&value)) {
            setRare(&Rare::phoneticName, *phonetic);
            if (m_abPerson) {
                m_abPerson->setValue(StringProperty::FirstNamePhonetic, phonetic->firstName);
                m_abPerson->setValue(StringProperty::MiddleNamePhonetic, phonetic->middleName);
                m_abPerson->setValue(StringProperty::LastNamePhonetic, phonetic->lastName);
            }
        }
        break;
    case FieldId::FirstName:
    case FieldId::MiddleName:
    case FieldId::LastName:
    case FieldId::PreviousFamilyName:
    case FieldId::PhoneticFirstName:
    case FieldId::PhoneticMiddleName:
    case FieldId::PhoneticLastName:
        if (const auto* text = std::get_if<QString>(&value)) {
            if (m_abPerson)
                m_abPerson->setValue(*namePartProperty(id), *text);
            // A part of the reading changes the contact's rare parts, and only such a part.
            const auto setPhonetic = [&](QString PhoneticNameValue::*part) {
                PhoneticNameValue phonetic = rare().phoneticName;
                phonetic.*part = *text;
                setRare(&Rare::phoneticName, phonetic);
            };
            if (id == FieldId::PhoneticFirstName)
                setPhonetic(&PhoneticNameValue::firstName);
            else if (id == FieldId::PhoneticMiddleName)
                setPhonetic(&PhoneticNameValue::middleName);
            else if (id == FieldId::PhoneticLastName)
                setPhonetic(&PhoneticNameValue::lastName);
            else
                m_nameValue.setPart(identifier, *text);
            composeName();
        }
        break;
    case FieldId::Birthday:
        if (const auto* birthday = std::get_if<BirthdayValue>(&value))
            setBirthdayValue(*birthday);
        else if (std::holds_alternative<std::monostate>(value))
            setBirthdayValue(std::nullopt);
        break;
    case FieldId::Photo:
        if (const auto* data = std::get_if<QByteArray>(&value))
            setPhoto(*data);
        else if (std::holds_alternative<std::monostate>(value))
            setPhoto({});
        break;
    default:
        break;
    }
}

void PersonDsc::removeValueForIdentifier(QStringView identifier)
{
    m_revision.bump();
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (FieldIdentifiers::labeledField(id)) {
        replaceLabeledValue(LabeledValueList(), identifier);
        return;
    }
    if (FieldIdentifiers::stringField(id)) {
        setStringValue(QString(), identifier);
        return;
    }
    switch (id) {
    case FieldId::PhoneticName: {
        PhoneticNameValue phonetic = rare().phoneticName;
        phonetic.firstName.clear();
        phonetic.middleName.clear();
        phonetic.lastName.clear();
        setRare(&Rare::phoneticName, phonetic);
        // Reading keeps a part the record lacks but brings back one it has, so the record must lose them too.
        if (m_abPerson) {
            m_abPerson->removeValue(StringProperty::FirstNamePhonetic);
            m_abPerson->removeValue(StringProperty::MiddleNamePhonetic);
            m_abPerson->removeValue(StringProperty::LastNamePhonetic);
        }
        break;
    }
    case FieldId::FirstName:
    case FieldId::MiddleName:
    case FieldId::LastName:
    case FieldId::PreviousFamilyName:
    case FieldId::PhoneticFirstName:
    case FieldId::PhoneticMiddleName:
    case FieldId::PhoneticLastName:
        setValue(QString(), identifier);
        break;
    case FieldId::Birthday:
        setBirthdayValue(std::nullopt);
        break;
    case FieldId::Photo:
        setRare(&Rare::imageData, QByteArray()); // the record keeps its photo until savePhoto
        break;
    default:
        break;
    }
}

void PersonDsc::setStringValue(const QString& text, QStringView identifier)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::stringField(identifier);
    if (!field)
        return;
    if (*field == StringField::Note && m_noteDisabled)
        return;
    m_stringValues.set(*field, text);
    if (m_abPerson)
        m_abPerson->setValue(recordProperty(*field), text);
}

bool PersonDsc::replaceLabeledValue(const LabeledValueList& values, QStringView identifier)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return false;
    m_lists.set(*field, values);
    for (LabeledValue& value : m_lists.edit(*field))
        updateDerived(*field, value, *m_defaultCountryCode);
    writeList(*field);
    return true;
}

LabeledValue* PersonDsc::findByLabelIndex(LabeledField field, int labelIndex)
{
    readLists();
    const std::span<LabeledValue> stored = m_lists.edit(field);
    const auto it = std::find_if(stored.begin(), stored.end(),
                                 [&](const LabeledValue& entry) { return entry.labelIndex == labelIndex; });
    return it == stored.end() ? nullptr : &*it;
}

bool PersonDsc::replaceLabeledValue(const LabeledValue& value, QStringView identifier)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return false;
    LabeledValue* const found = findByLabelIndex(*field, value.labelIndex);
    if (!found)
        return false;
    LabeledValue& entry = *found;
    entry.label = value.label;
    switch (*field) {
    case LabeledField::Phone:
    case LabeledField::URL:
        entry.value = value.value;
        entry.setStringValue(value.value);
        break;
    case LabeledField::Email:
        entry.value = value.value;
        updateEmailValue(entry);
        break;
    case LabeledField::Address:
        entry.address = value.address;
        updateAddressValue(entry, *m_defaultCountryCode);
        break;
    case LabeledField::Relationship:
        entry.setStringValue(value.stringValue());
        entry.value = value.value;
        break;
    case LabeledField::SocialNetwork:
        entry.setStringValue(value.value);
        entry.value = value.value;
        entry.setUsername(value.username());
        entry.setService(value.service());
        break;
    case LabeledField::InstantMessage:
        entry.setUsername(value.username());
        entry.setService(value.service());
        entry.value = value.username();
        updateIMSValue(entry);
        break;
    case LabeledField::Dates:
        entry.date = value.date;
        updateDateValue(entry);
        break;
    }
    writeList(*field);
    return true;
}

void PersonDsc::replaceLabeledValueAtIndex(const LabeledValueArgument& value, QStringView identifier,
                                           qsizetype position)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return;
    if (const auto* values = std::get_if<LabeledValueList>(&value)) {
        m_lists.set(*field, *values);
        writeList(*field);
        readLists();
        return;
    }
    readLists();
    if (position < 0 || position >= m_lists[*field].size())
        return;
    if (std::holds_alternative<std::monostate>(value))
        m_lists.removeAt(*field, position);
    else if (const auto* text = std::get_if<QString>(&value))
        m_lists.edit(*field)[size_t(position)].value = *text;
    else
        copyLabeledValue(std::get<LabeledValue>(value), m_lists.edit(*field)[size_t(position)], identifier);
    writeList(*field);
}

void PersonDsc::copyLabeledValue(const LabeledValue& source, LabeledValue& target, QStringView identifier) const
{
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return;
    switch (*field) {
    case LabeledField::Phone:
    case LabeledField::URL:
    case LabeledField::Relationship:
        target.label = orDefault(source.label, homeLabel());
        target.value = source.value;
        target.setStringValue(source.value);
        break;
    case LabeledField::Email:
        target.label = source.label;
        target.value = source.value;
        updateEmailValue(target);
        break;
    case LabeledField::Address:
        target.label = orDefault(source.label, homeLabel());
        target.address = source.address;
        updateAddressValue(target, *m_defaultCountryCode);
        break;
    case LabeledField::SocialNetwork: {
        const QString service = orDefault(source.label, AddressBook::SocialService::Twitter);
        target.value = source.value;
        target.setUsername(source.value);
        target.setService(service);
        target.setStringValue(source.value);
        target.label = service;
        break;
    }
    case LabeledField::InstantMessage: {
        static const QString none = QStringLiteral("none");
        const QString service = orDefault(source.service(), none);
        target.value = source.username();
        target.setUsername(source.username());
        target.setService(service);
        target.label = orDefault(source.label, homeLabel());
        target.setStringValue(service + u':' + source.username());
        break;
    }
    case LabeledField::Dates:
        if (!source.date.isValid())
            return;
        target.date = source.date;
        target.setStringValue(ContactDate::format(source.date));
        target.label = orDefault(source.label, anniversaryLabel());
        break;
    }
}

void PersonDsc::addLabeledValue(const LabeledValue& value, QStringView identifier)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return;
    LabeledValue entry;
    copyLabeledValue(value, entry, identifier);
    // The whole list is written back: start from what the record holds, or entries not read yet are lost.
    readLists();
    const LabeledValueSpan stored = m_lists[*field];
    int largest = -1;
    for (const LabeledValue& existing : stored)
        largest = std::max(largest, existing.labelIndex);
    entry.labelIndex = std::max(int(stored.size()), largest + 1);
    m_lists.append(*field, entry);
    writeList(*field);
}

bool PersonDsc::deleteLabeledValue(const LabeledValue& value, QStringView identifier)
{
    m_revision.bump();
    const auto field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return false;
    const LabeledValue* const found = findByLabelIndex(*field, value.labelIndex);
    if (!found)
        return false;
    m_lists.removeAt(*field, found - m_lists[*field].constData());
    writeList(*field);
    return true;
}

void PersonDsc::setBirthdayValue(const std::optional<BirthdayValue>& birthday)
{
    m_revision.bump();
    m_birthday = {};
    m_birthdayText.clear();
    if (birthday && birthday->value.isValid()) {
        m_birthday = birthday->value;
        m_birthdayText = ContactDate::format(birthday->value);
        if (m_abPerson)
            m_abPerson->setBirthday(birthday->value);
    } else if (m_abPerson) {
        m_abPerson->setBirthday(std::nullopt);
    }
}

void PersonDsc::setPhoto(const QByteArray& imageData)
{
    m_revision.bump();
    setRare(&Rare::imageData, imageData);
}

void PersonDsc::savePhoto()
{
    if (m_abPerson)
        m_abPerson->setImageData(rare().imageData);
}

bool PersonDsc::sortsLabeledValues(QStringView sortKey)
{
    return LabeledValueOrder::forSortKey(sortKey) != nullptr;
}

std::optional<LabeledField> PersonDsc::fieldSortedBy(QStringView sortKey)
{
    const LabeledValueOrder* order = LabeledValueOrder::forSortKey(sortKey);
    return order ? std::optional<LabeledField>(order->field) : std::nullopt;
}

QList<qsizetype> PersonDsc::labeledValueOrder(QStringView sortKey, bool ascending) const
{
    const LabeledValueOrder* order = LabeledValueOrder::forSortKey(sortKey);
    if (!order)
        return {};
    const LabeledValueOrder::Positions positions = order->positions(labeledValues(order->field), ascending);
    return QList<qsizetype>(positions.cbegin(), positions.cend());
}

LabeledValueList PersonDsc::sortForLabeledValue(QStringView sortKey, bool ascending)
{
    const LabeledValueOrder* rule = LabeledValueOrder::forSortKey(sortKey);
    if (!rule)
        return {};
    const QList<qsizetype> order = labeledValueOrder(sortKey, ascending);
    const LabeledValueSpan stored = m_lists[rule->field];
    LabeledValueList sorted;
    sorted.reserve(stored.size());
    bool moved = false;
    for (const qsizetype position : order) {
        moved = moved || position != sorted.size();
        sorted.append(stored.at(position));
    }
    if (order.isEmpty())
        sorted = stored.toList();
    // Values already in order stay as they are, and so does the revision.
    if (moved) {
        m_lists.set(rule->field, sorted);
        m_revision.bump();
    }
    return sorted;
}

} // namespace Quillary
