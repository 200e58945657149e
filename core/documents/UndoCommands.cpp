#include "UndoCommands_p.h"

#include "support/CoreTr.h"
#include "support/Localized.h"

#include <QCoreApplication>

namespace Quillary::UndoCommands {

ContactCommand::ContactCommand(UndoRegistry& registry, ContactEntryPtr contact, const QString& text,
                               UndoRegistry::Refresh onEdit, UndoRegistry::Refresh onReplay)
    : QUndoCommand(text), m_registry(registry), m_contact(std::move(contact)), m_onEdit(onEdit), m_onReplay(onReplay)
{ }

void ContactCommand::undo()
{
    m_registry.setReplaying(true, false);
    apply(false);
    m_registry.refresh(m_onReplay, m_contact);
    m_registry.setReplaying(false, false);
}

void ContactCommand::redo()
{
    if (!m_done) {
        m_done = true;
        apply(true);
        m_registry.refresh(m_onEdit, m_contact);
        return;
    }
    m_registry.setReplaying(false, true);
    apply(true);
    m_registry.refresh(m_onReplay, m_contact);
    m_registry.setReplaying(false, false);
}

ReplaceStringValue::ReplaceStringValue(UndoRegistry& registry, const ContactEntryPtr& contact,
                                       const QString& identifier, QString oldText, QString newText)
    : ContactCommand(registry, contact, Tr::tr("Change %1").arg(localized(identifier)), UndoRegistry::Refresh::Contact,
                     UndoRegistry::Refresh::Contact),
      m_identifier(identifier), m_old(std::move(oldText)), m_new(std::move(newText))
{ }

void ReplaceStringValue::apply(bool forward)
{
    person().setStringValue(forward ? m_new : m_old, m_identifier);
}

ReplaceFieldValue::ReplaceFieldValue(UndoRegistry& registry, const ContactEntryPtr& contact, const QString& identifier,
                                     FieldValue oldValue, FieldValue newValue, UndoRegistry::Refresh onEdit)
    : ContactCommand(registry, contact, Tr::tr("Change %1").arg(localized(identifier)), onEdit,
                     UndoRegistry::Refresh::Table),
      m_identifier(identifier), m_old(std::move(oldValue)), m_new(std::move(newValue))
{ }

void ReplaceFieldValue::apply(bool forward)
{
    person().setValue(forward ? m_new : m_old, m_identifier);
}

ReplaceLabeledList::ReplaceLabeledList(UndoRegistry& registry, const ContactEntryPtr& contact,
                                       const QString& identifier, LabeledValueList oldList, LabeledValueList newList,
                                       UndoRegistry::Refresh onEdit)
    : ContactCommand(registry, contact, Tr::tr("Change %1").arg(localized(identifier)), onEdit,
                     UndoRegistry::Refresh::Table),
      m_identifier(identifier), m_old(std::move(oldList)), m_new(std::move(newList))
{ }

void ReplaceLabeledList::apply(bool forward)
{
    person().replaceLabeledValue(forward ? m_new : m_old, m_identifier);
}

ReplaceLabeledValue::ReplaceLabeledValue(UndoRegistry& registry, const ContactEntryPtr& contact,
                                         const QString& identifier, LabeledValue oldValue, LabeledValue newValue)
    : ContactCommand(registry, contact, Tr::tr("Change %1").arg(localized(identifier)), UndoRegistry::Refresh::None,
                     UndoRegistry::Refresh::Table),
      m_identifier(identifier), m_old(std::move(oldValue)), m_new(std::move(newValue))
{ }

void ReplaceLabeledValue::apply(bool forward)
{
    person().replaceLabeledValue(forward ? m_new : m_old, m_identifier);
}

AddContacts::AddContacts(UndoRegistry& registry, ContactTable contacts, GroupEntryPtr group)
    : QUndoCommand(Tr::tr("Add Contacts")), m_registry(registry), m_contacts(std::move(contacts)),
      m_group(std::move(group))
{
    const ContactTable& table = m_registry.collection().contactTable;
    for (const ContactEntryPtr& contact : std::as_const(m_contacts)) {
        m_before.append({table.contains(contact), contact->deleted, contact->groupChanged, contact->dirty,
                         contact->groupUniqueIds, contact->removedGroupUniqueIds});
    }
}

void AddContacts::redo()
{
    if (m_done)
        m_registry.setReplaying(false, true);
    m_registry.addContacts(m_contacts, m_group);
    if (m_done)
        m_registry.setReplaying(false, false);
    m_done = true;
}

void AddContacts::undo()
{
    m_registry.setReplaying(true, false);
    for (qsizetype i = 0; i < m_contacts.size(); ++i) {
        ContactEntry& contact = *m_contacts.at(i);
        const Before& before = m_before.at(i);
        contact.groupUniqueIds = before.groupUniqueIds;
        contact.removedGroupUniqueIds = before.removedGroupUniqueIds;
        contact.groupChanged = before.groupChanged;
        // A contact that was new (or deleted) before goes again; one that was there keeps living.
        contact.deleted = !before.inTable || before.deleted;
        contact.dirty = before.dirty || contact.deleted;
    }
    m_registry.refresh(UndoRegistry::Refresh::Table, {});
    m_registry.setReplaying(false, false);
}

DeleteContacts::DeleteContacts(UndoRegistry& registry, ContactTable contacts, GroupEntryPtr group, bool groupOnly)
    : QUndoCommand(Tr::tr("Delete Contacts")), m_registry(registry), m_contacts(std::move(contacts)),
      m_group(std::move(group)), m_groupOnly(groupOnly)
{ }

void DeleteContacts::redo()
{
    if (m_done)
        m_registry.setReplaying(false, true);
    m_registry.deleteContacts(m_contacts, m_group, m_groupOnly);
    if (m_done)
        m_registry.setReplaying(false, false);
    m_done = true;
}

void DeleteContacts::undo()
{
    m_registry.setReplaying(true, false);
    m_registry.addContacts(m_contacts, m_group);
    m_registry.setReplaying(false, false);
}

} // namespace Quillary::UndoCommands
