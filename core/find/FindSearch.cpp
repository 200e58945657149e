#include "FindSearch.h"

#include "TextMatcher.h"
#include "model/LabelTable.h"

namespace Quillary::FindSearch {

namespace {

/// How one searched identifier is read from a contact.
enum class ItemKind { Name, PhoneticName, Address, AddressPart, InstantMessage, Labeled, Birthday, String };

using AddressPart = const QString& (PostalAddress::*)() const;

/// One searched identifier, resolved once per search rather than once per contact.
struct PlannedItem
{
    ItemKind kind = ItemKind::String;
    QString identifier;
    LabeledField field = LabeledField::Phone;
    StringField stringField = StringField::Company;
    QList<std::pair<QString, AddressPart>> addressParts; ///< Address and address parts: what is read
};

AddressPart addressPart(const QString& identifier)
{
    if (identifier == Field::ZIP)
        return &PostalAddress::zip;
    if (identifier == Field::State)
        return &PostalAddress::state;
    if (identifier == Field::City)
        return &PostalAddress::city;
    if (identifier == Field::Street)
        return &PostalAddress::street;
    return &PostalAddress::country;
}

bool passes(bool all, const QStringList& selection, const QString& entry)
{
    return all || selection.contains(entry);
}

std::optional<PlannedItem> planItem(const QString& identifier, const FindSelection& selection, bool allSubItems,
                                    bool allLabels)
{
    PlannedItem item;
    item.identifier = identifier;
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (id == FieldId::Name || id == FieldId::PhoneticName) {
        item.kind = id == FieldId::Name ? ItemKind::Name : ItemKind::PhoneticName;
        return allLabels ? std::optional(item) : std::nullopt;
    }
    if (id == FieldId::Address || FieldIdentifiers::addressIdentifiers().contains(identifier)) {
        item.kind = id == FieldId::Address ? ItemKind::Address : ItemKind::AddressPart;
        const QStringList parts =
            id == FieldId::Address ? FieldIdentifiers::addressIdentifiers() : QStringList{identifier};
        for (const QString& part : parts) {
            if (item.kind == ItemKind::AddressPart || passes(allSubItems, selection.subItems, part))
                item.addressParts.append({part, addressPart(part)});
        }
        return item;
    }
    if (id == FieldId::InstantMessage) {
        item.kind = ItemKind::InstantMessage;
        return item;
    }
    if (const auto field = FieldIdentifiers::labeledField(id)) {
        item.kind = ItemKind::Labeled;
        item.field = *field;
        return allSubItems ? std::optional(item) : std::nullopt;
    }
    if (!allSubItems || !allLabels)
        return std::nullopt;
    if (id == FieldId::Birthday) {
        item.kind = ItemKind::Birthday;
        return item;
    }
    if (const auto field = FieldIdentifiers::stringField(id)) {
        item.stringField = *field;
        return item;
    }
    return std::nullopt;
}

/// The plan of one search and the records it collects.
class Search
{
public:
    Search(const FindSelection& selection, TextMatcher& matcher)
        : m_selection(selection), m_matcher(matcher), m_allSubItems(selection.subItems.contains(LabelText::All)),
          m_allLabels(selection.labels.contains(LabelText::All))
    {
        for (const QString& identifier : selection.items) {
            if (std::optional<PlannedItem> item = planItem(identifier, selection, m_allSubItems, m_allLabels))
                m_plan.append(std::move(*item));
        }
        const std::pair<QString, QString NameValue::*> nameParts[] = {{Field::FirstName, &NameValue::firstName},
                                                                      {Field::LastName, &NameValue::lastName},
                                                                      {Field::MiddleName, &NameValue::middleName}};
        for (const auto& part : nameParts) {
            if (passes(m_allSubItems, selection.subItems, part.first))
                m_nameParts.append(part);
        }
        for (const QString& part :
             {Field::PhoneticFirstNameSpaced, Field::PhoneticLastNameSpaced, Field::PhoneticMiddleNameSpaced}) {
            if (passes(m_allSubItems, selection.subItems, part))
                m_phoneticParts.append(part);
        }
    }

    void searchContact(const ContactEntryPtr& contact)
    {
        m_contact = &contact;
        m_name = QString();
        const PersonDsc& person = *contact->person;
        for (const PlannedItem& item : std::as_const(m_plan)) {
            searchItem(person, item);
            if (!m_matcher.isUsable())
                return;
        }
    }

    FindRecords takeRecords() { return std::move(m_records); }

private:
    void searchItem(const PersonDsc& person, const PlannedItem& item)
    {
        switch (item.kind) {
        case ItemKind::Name: {
            const NameValue& name = person.nameParts();
            for (const auto& [part, read] : std::as_const(m_nameParts))
                add(item.identifier, part, {}, -1, name.*read);
            break;
        }
        case ItemKind::PhoneticName: {
            const PhoneticNameValue phonetic = person.phoneticNameValue();
            // The phonetic parts are named "Phonetic FirstName", ...; their values by the plain part.
            for (const QString& part : std::as_const(m_phoneticParts))
                add(item.identifier, part, {}, -1, phonetic.part(QStringView(part).sliced(9)));
            break;
        }
        case ItemKind::Address:
        case ItemKind::AddressPart:
            searchAddresses(person, item);
            break;
        case ItemKind::InstantMessage:
            searchInstantMessages(person);
            break;
        case ItemKind::Labeled: {
            const LabeledValueSpan values = person.labeledValues(item.field);
            for (qsizetype i = 0; i < values.size(); ++i) {
                const LabeledValue& value = values.at(i);
                if (passes(m_allLabels, m_selection.labels, value.label))
                    add(item.identifier, {}, value.label, i, value.stringValue());
            }
            break;
        }
        case ItemKind::Birthday:
            add(item.identifier, {}, {}, -1, person.birthdayValue().stringValue);
            break;
        case ItemKind::String:
            add(item.identifier, {}, {}, -1, person.stringValues()[item.stringField]);
            break;
        }
    }

    /// A record when the text holds the search text; answers whether it did.
    bool add(const QString& item, const QString& subItem, const QString& label, qsizetype index, const QString& text)
    {
        if (text.isEmpty())
            return false;
        FindRanges ranges = m_matcher.ranges(text);
        if (ranges.isEmpty())
            return false;
        if (m_name.isNull())
            m_name = (*m_contact)->person->compositeName();
        m_records.append(std::make_shared<FindRecord>(
            FindRecord{m_name, item, subItem, label, index, text, std::move(ranges), *m_contact}));
        return true;
    }

    void searchAddresses(const PersonDsc& person, const PlannedItem& item)
    {
        const LabeledValueSpan addresses = person.addressValues();
        for (qsizetype i = 0; i < addresses.size(); ++i) {
            const LabeledValue& address = addresses.at(i);
            if (!passes(m_allLabels, m_selection.labels, address.label))
                continue;
            for (const auto& [part, read] : item.addressParts)
                add(Field::Address, part, address.label, i, (address.address.*read)());
        }
    }

    void searchInstantMessages(const PersonDsc& person)
    {
        const LabeledValueSpan values = person.imsValues();
        for (qsizetype i = 0; i < values.size(); ++i) {
            const LabeledValue& value = values.at(i);
            // The service is known only once the user name matched: a record of a filtered-out
            // service is taken back.
            if (passes(m_allLabels, m_selection.labels, value.label)
                && add(Field::InstantMessage, value.service(), value.label, i, value.username())
                && !passes(m_allSubItems, m_selection.subItems, value.service()))
                m_records.removeLast();
        }
    }

    const FindSelection& m_selection;
    TextMatcher& m_matcher;
    const bool m_allSubItems;
    const bool m_allLabels;
    QList<PlannedItem> m_plan;
    QList<std::pair<QString, QString NameValue::*>> m_nameParts;
    QStringList m_phoneticParts;
    const ContactEntryPtr* m_contact = nullptr;
    QString m_name;
    FindRecords m_records;
};

} // namespace

FindRecords searchContact(const ContactEntryPtr& contact, const FindSelection& selection, TextMatcher& matcher)
{
    return search({contact}, selection, matcher);
}

FindRecords search(const ContactTable& contacts, const FindSelection& selection, TextMatcher& matcher)
{
    if (!matcher.isUsable())
        return {};
    Search search(selection, matcher);
    for (const ContactEntryPtr& contact : contacts) {
        if (contact && contact->person && !contact->deleted)
            search.searchContact(contact);
        if (!matcher.isUsable())
            break;
    }
    return search.takeRecords();
}

} // namespace Quillary::FindSearch
