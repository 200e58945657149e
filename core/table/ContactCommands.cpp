#include "ContactCommands.h"

#include "CellEdits.h"
#include "ContactsViewController.h"
#include "TableRows.h"
#include "documents/UndoRegistry.h"
#include "model/NormalizePhoneNumber.h"
#include "support/CoreTr.h"
#include "support/SafeFileName.h"

#include <algorithm>

namespace Quillary {

namespace {

/// A copy of a contact with every value and group, but an identity of its own and none of the
/// state of the entry it was made from.
ContactEntryPtr copyOf(const ContactEntry& original)
{
    auto copy = std::make_shared<ContactEntry>(original);
    copy->person = std::make_shared<PersonDsc>(original.person->duplicate());
    copy->uniqueId = copy->person->uniqueId();
    // The card the original was read from would bring back the original's values as read, not
    // the current ones.
    copy->vCardString.clear();
    copy->removedGroupUniqueIds.clear();
    copy->deleted = false;
    copy->dirty = false;
    return copy;
}

} // namespace

ContactCommands::ContactCommands(ContactsViewController& controller) : m_controller(controller) { }

QList<int> ContactCommands::commandRows(int clickedRow) const
{
    QList<int> rows = m_controller.selectedIndexes();
    const qsizetype count = m_controller.subContactTable().size();
    if (clickedRow >= 0 && clickedRow < count && !rows.contains(clickedRow))
        rows.append(clickedRow);
    rows.removeIf([count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString ContactCommands::compositeNameOf(int row) const
{
    const SubContactTable& rows = m_controller.subContactTable();
    if (row < 0 || row >= rows.size())
        return {};
    const QString name = rows.at(row).person().compositeName();
    return name.isEmpty() ? NoNameText : name;
}

// Adding ----------------------------------------------------------------------------------------

int ContactCommands::addContact()
{
    UndoRegistry* registry = m_controller.delegate();
    ContactCollection& collection = m_controller.collection();
    if (!registry || !collection.selectedGroupDict)
        return -1;
    auto person = std::make_shared<PersonDsc>();
    NameValue name;
    name.firstName = QStringLiteral("new");
    name.showAsPerson = true;
    person->setValue(name, Field::Name);
    const ContactEntryPtr contact = ContactEntry::make(person);
    registry->undoAddContacts({contact}, collection.selectedGroupDict);
    const SubContactTable& rows = m_controller.subContactTable();
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).contact == contact) {
            m_controller.selectRowIndexes({row});
            return row;
        }
    }
    return -1;
}

ContactCommands::AddResult ContactCommands::addContactsFromOutside(const ContactTable& contacts)
{
    ContactCollection& collection = m_controller.collection();
    const GroupEntryPtr& group = collection.selectedGroupDict;
    UndoRegistry* registry = m_controller.delegate();
    if (!group || group->remote != collection.defaultAccount)
        return AddResult::OtherAccount;
    if (contacts.isEmpty() || !registry)
        return AddResult::NoContacts;
    for (const ContactEntryPtr& contact : contacts) {
        // The groups of the file they came from mean nothing here: they join the selected group.
        contact->groupUniqueIds.clear();
        contact->vCardString.clear();
    }
    collection.giveTakenUniqueIdsNewOnes(contacts);
    registry->undoAddContacts(contacts, group);
    return AddResult::Added;
}

QString ContactCommands::otherAccountMessage()
{
    return Tr::tr("Can't drag the contact.");
}

QString ContactCommands::otherAccountInformativeText()
{
    return Tr::tr("Please select a group which is one of the default account before dragging a contact");
}

// Deleting --------------------------------------------------------------------------------------

std::optional<ContactCommands::DeleteRequest> ContactCommands::deleteRequest(int clickedRow) const
{
    DeleteRequest request;
    request.rows = commandRows(clickedRow);
    if (request.rows.isEmpty())
        return std::nullopt;
    request.contacts = m_controller.contactsForIndexes(request.rows);
    request.messageText = request.rows.size() == 1 ? Tr::tr("Do you want to remove the contact?")
                                                   : Tr::tr("Do you want to remove multiple contacts?");
    const ContactCollection& collection = m_controller.collection();
    request.undoable =
        collection.selectedGroupDict && collection.selectedGroupDict->remote == collection.defaultAccount;
    if (!request.undoable)
        request.informativeText = Tr::tr("This operation can't be undone.");
    return request;
}

void ContactCommands::deleteContacts(const DeleteRequest& request)
{
    if (UndoRegistry* registry = m_controller.delegate())
        registry->undoDeleteContacts(request.contacts, m_controller.collection().selectedGroupDict, request.undoable,
                                     true);
}

// Duplicating -----------------------------------------------------------------------------------

bool ContactCommands::asksMultipleFirst(int clickedRow) const
{
    return commandRows(clickedRow).size() >= 2;
}

QString ContactCommands::multipleContactsMessage()
{
    return Tr::tr("multiple contacts are selected");
}

ContactTable ContactCommands::duplicateContacts(int clickedRow)
{
    UndoRegistry* registry = m_controller.delegate();
    if (!m_controller.editState() || !registry)
        return {};
    ContactTable copies;
    for (const ContactEntryPtr& contact : m_controller.selectedContactsWithClickedRowIndex(clickedRow)) {
        if (!contact->deleted)
            copies.append(copyOf(*contact));
    }
    registry->undoAddContacts(copies, m_controller.collection().selectedGroupDict);
    return copies;
}

// Phone numbers ---------------------------------------------------------------------------------

bool ContactCommands::normalizePhoneNumbers(int clickedRow, const QString& layoutTitle)
{
    UndoRegistry* registry = m_controller.delegate();
    if (!registry || !NormalizePhoneNumber::layoutForTitle(layoutTitle))
        return false;
    NormalizePhoneNumber normalizer;
    QList<CellEdit> edits;
    for (int position : commandRows(clickedRow)) {
        const SubContactRow& row = m_controller.subContactTable().at(position);
        const LabeledValue* phone =
            TableRows::rowValue(row, LabeledField::Phone, m_controller.collection().selectedLabels);
        if (!phone)
            continue;
        LabeledValue value = *phone;
        const QString number = normalizer.normalizedNumber(value.value, layoutTitle);
        if (number.isEmpty() || number == value.value)
            continue;
        value.value = number;
        value.setStringValue(number);
        CellEdit edit = CellEdit::of(CellEdit::Kind::ReplaceLabeledValue, row.contact, Field::Phone);
        edit.value = value;
        edits.append(edit);
    }
    if (!CellEdits::applyInOneStep(*registry, edits, Tr::tr("Phone Format")))
        return false;
    m_controller.updateTable();
    return true;
}

// Exports ---------------------------------------------------------------------------------------

ContactCommands::ExportRequest ContactCommands::exportToVCard(int clickedRow) const
{
    ExportRequest request;
    const QList<int> rows = commandRows(clickedRow);
    request.contacts = m_controller.contactsForIndexes(rows);
    for (int row : rows)
        request.rows.append(
            TableRows::csvRow(m_controller.subContactTable().at(row), m_controller.collection().selectedLabels));
    request.defaultFileName =
        SafeFileName::make(compositeNameOf(rows.value(0, -1)), QStringLiteral("Exporting"), QStringLiteral("vcf"));
    request.asksMultipleFirst = rows.size() >= 2;
    return request;
}

ContactCommands::ExportRequest ContactCommands::exportContacts(int clickedRow, const QString& extension) const
{
    ExportRequest request = exportToVCard(clickedRow);
    request.asksMultipleFirst = false;
    const int named = clickedRow >= 0 ? clickedRow : m_controller.selectedIndexes().value(0, -1);
    request.defaultFileName = SafeFileName::make(compositeNameOf(named), QStringLiteral("Exporting"), extension);
    return request;
}

} // namespace Quillary
