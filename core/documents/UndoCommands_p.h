#pragma once

// Internal to the undo registry: one undo step class per kind of edit.

#include "UndoRegistry.h"

#include <QUndoCommand>

namespace Quillary::UndoCommands {

/// An edit of one contact. The first redo() is the edit itself (QUndoStack::push runs it); later
/// undo() and redo() calls replay it in either direction and refresh the table as a replay must.
class ContactCommand : public QUndoCommand
{
public:
    ContactCommand(UndoRegistry& registry, ContactEntryPtr contact, const QString& text, UndoRegistry::Refresh onEdit,
                   UndoRegistry::Refresh onReplay);
    void undo() final;
    void redo() final;

protected:
    /// Puts the new state (forward) or the old one on the contact.
    virtual void apply(bool forward) = 0;
    [[nodiscard]] PersonDsc& person() const { return *m_contact->person; }

private:
    UndoRegistry& m_registry;
    ContactEntryPtr m_contact;
    UndoRegistry::Refresh m_onEdit;
    UndoRegistry::Refresh m_onReplay;
    bool m_done = false;
};

/// A string field ("Company", "Note", ...).
class ReplaceStringValue final : public ContactCommand
{
public:
    ReplaceStringValue(UndoRegistry& registry, const ContactEntryPtr& contact, const QString& identifier,
                       QString oldText, QString newText);

private:
    void apply(bool forward) override;
    QString m_identifier;
    QString m_old;
    QString m_new;
};

/// A value set through `setValue`: the name, the phonetic name, their parts, the birthday, the photo.
class ReplaceFieldValue final : public ContactCommand
{
public:
    ReplaceFieldValue(UndoRegistry& registry, const ContactEntryPtr& contact, const QString& identifier,
                      FieldValue oldValue, FieldValue newValue, UndoRegistry::Refresh onEdit);

private:
    void apply(bool forward) override;
    QString m_identifier;
    FieldValue m_old;
    FieldValue m_new;
};

/// A whole labelled list (also what deleting or adding one value leaves behind).
class ReplaceLabeledList final : public ContactCommand
{
public:
    ReplaceLabeledList(UndoRegistry& registry, const ContactEntryPtr& contact, const QString& identifier,
                       LabeledValueList oldList, LabeledValueList newList, UndoRegistry::Refresh onEdit);

private:
    void apply(bool forward) override;
    QString m_identifier;
    LabeledValueList m_old;
    LabeledValueList m_new;
};

/// One labelled value, found by its label index.
class ReplaceLabeledValue final : public ContactCommand
{
public:
    ReplaceLabeledValue(UndoRegistry& registry, const ContactEntryPtr& contact, const QString& identifier,
                        LabeledValue oldValue, LabeledValue newValue);

private:
    void apply(bool forward) override;
    QString m_identifier;
    LabeledValue m_old;
    LabeledValue m_new;
};

/// Contacts added to the table or a group. Undoing takes back exactly what the adding changed:
/// contacts that were new are marked deleted again, contacts that were already there only lose the
/// group.
class AddContacts final : public QUndoCommand
{
public:
    AddContacts(UndoRegistry& registry, ContactTable contacts, GroupEntryPtr group);
    void undo() override;
    void redo() override;

private:
    struct Before
    {
        bool inTable;
        bool deleted;
        bool groupChanged;
        bool dirty;
        QStringList groupUniqueIds;
        QStringList removedGroupUniqueIds;
    };
    UndoRegistry& m_registry;
    ContactTable m_contacts;
    GroupEntryPtr m_group;
    QList<Before> m_before;
    bool m_done = false;
};

/// Contacts marked deleted, or taken out of a group; undoing adds them back from their snapshot.
class DeleteContacts final : public QUndoCommand
{
public:
    DeleteContacts(UndoRegistry& registry, ContactTable contacts, GroupEntryPtr group, bool groupOnly);
    void undo() override;
    void redo() override;

private:
    UndoRegistry& m_registry;
    ContactTable m_contacts;
    GroupEntryPtr m_group;
    bool m_groupOnly;
    bool m_done = false;
};

} // namespace Quillary::UndoCommands
