#pragma once

#include "ContactCollection.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

namespace Quillary {

/// Every change of contact data passes through these operations: each compares the new value with
/// the current one, applies it through the contact's editing operations, and leaves an undo step
/// that puts the old value back (and whose redo applies the new one again). An unchanged value
/// leaves no step. The owner's contacts table is refreshed as each operation requires.
class UndoRegistry final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UndoRegistry)

public:
    explicit UndoRegistry(ContactCollection& collection, QObject* parent = nullptr);
    ~UndoRegistry() override;

    [[nodiscard]] QUndoStack* undoStack() { return &m_stack; }
    [[nodiscard]] const QUndoStack* undoStack() const { return &m_stack; }
    void setView(ContactTableView* view) { m_view = view; }
    [[nodiscard]] ContactTableView* view() const { return m_view; }
    [[nodiscard]] ContactCollection& collection() { return m_collection; }

    /// Whether a deleted contact keeps a card of itself from which undoing brings it back as a new
    /// contact (documents, the default). Without, the deleted entry itself comes back, unchanged:
    /// the address book keeps the contact's record, and its file, until it is saved.
    void setSnapshotsDeletedContacts(bool snapshots) { m_snapshotsDeletedContacts = snapshots; }

    /// True while an undo step is being undone or redone.
    [[nodiscard]] bool isUndoing() const { return m_undoing; }
    [[nodiscard]] bool isRedoing() const { return m_redoing; }

    /// A string field; none means "". False for an equal text or an identifier of another kind.
    bool undoReplaceStringValue(const std::optional<QString>& text, const QString& identifier,
                                const ContactEntryPtr& contact);
    /// "Name", "Phonetic Name" or one of their parts. False when unchanged or for other identifiers.
    bool undoReplaceValue(const FieldValue& value, const QString& identifier, const ContactEntryPtr& contact);
    /// Replaces a whole labelled list.
    bool undoReplaceLabeledValue(const LabeledValueList& list, const QString& identifier,
                                 const ContactEntryPtr& contact);
    /// Replaces the entry with the value's label index; false when none has it or nothing changes.
    bool undoReplaceLabeledValue(const LabeledValue& value, const QString& identifier, const ContactEntryPtr& contact);
    /// Deletes the entry at a position of the list.
    bool undoDeleteLabeledValueForIdentifier(const QString& identifier, qsizetype position,
                                             const ContactEntryPtr& contact);
    void undoAddLabeledValue(const LabeledValue& value, const QString& identifier, const ContactEntryPtr& contact);
    /// None removes the birthday.
    bool undoReplaceBirthdayValue(const std::optional<BirthdayValue>& birthday, const ContactEntryPtr& contact);
    /// Empty data removes the photo.
    bool undoReplacePhoto(const QByteArray& imageData, const ContactEntryPtr& contact);
    bool undoReplaceNameValue(const NameValue& name, const ContactEntryPtr& contact);
    bool undoReplacePhoneticNameValue(const PhoneticNameValue& phonetic, const ContactEntryPtr& contact);
    /// Gives each target contact every value of the descriptor at the same position, as one step.
    void undoReplacePersonByContacts(const QList<std::shared_ptr<PersonDsc>>& people, const ContactTable& targets);
    /// Adds contacts to the table (or brings deleted ones back) and to a group.
    void undoAddContacts(const ContactTable& contacts, const GroupEntryPtr& group);
    /// Marks contacts deleted, or with `groupOnly` takes them out of a group other than the top one.
    /// With `doUndo` false the change leaves no undo step of its own.
    void undoDeleteContacts(const ContactTable& contacts, const GroupEntryPtr& group, bool doUndo, bool groupOnly);

    /// What a step does to the table once it has changed a contact.
    enum class Refresh { None, Table, Contact, SelectContact };
    // Used by the undo steps.
    void refresh(Refresh kind, const ContactEntryPtr& contact);
    void setReplaying(bool undoing, bool redoing);
    /// Adds contacts as `undoAddContacts` does, without an undo step.
    void addContacts(const ContactTable& contacts, const GroupEntryPtr& group);
    /// Deletes contacts as `undoDeleteContacts` does, without an undo step.
    void deleteContacts(const ContactTable& contacts, const GroupEntryPtr& group, bool groupOnly);

Q_SIGNALS:
    /// Contact data changed (any step done, undone or redone).
    void contactsChanged();

private:
    void push(QUndoCommand* command);
    void refreshNow(Refresh kind, const ContactEntryPtr& contact);
    void flushPendingRefresh();
    void dropIfEmpty(int index);

    ContactCollection& m_collection;
    QUndoStack m_stack;
    ContactTableView* m_view = nullptr;
    bool m_undoing = false;
    bool m_redoing = false;
    bool m_snapshotsDeletedContacts = true;
    // While a step (possibly a group of many) is undone or redone, its refreshes are gathered and
    // done once when it has finished.
    Refresh m_pendingRefresh = Refresh::None;
    ContactEntryPtr m_pendingContact;
    bool m_pendingFromUndo = false;
};

} // namespace Quillary
