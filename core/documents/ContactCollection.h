#pragma once

#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QString>
#include <QStringList>

namespace Quillary {

/// The contacts an owner (a contact document or the address-book window) edits: its contact table,
/// its group table and the account new contacts and groups belong to. The contacts table, the undo
/// registry and the group commands all work on the owner's one collection.
struct ContactCollection
{
    ContactTable contactTable;
    GroupTable groupTable;
    GroupEntryPtr selectedGroupDict;
    QStringList selectedLabels{QStringLiteral("All")};
    QString defaultAccount = GroupText::VCardAccount;

    [[nodiscard]] ContactEntryPtr contact(const QString& uniqueId) const;
    [[nodiscard]] GroupEntryPtr group(const QString& uniqueId) const;
    [[nodiscard]] GroupEntryPtr topGroup() const { return groupTable.isEmpty() ? GroupEntryPtr() : groupTable.first(); }
    /// The contacts that are not deleted, in table order.
    [[nodiscard]] ContactTable liveContacts() const;
    /// Contacts about to join the table (an import, a drop) whose unique id another contact has
    /// already get a new one: selections and look-ups by unique id need each to have its own.
    void giveTakenUniqueIdsNewOnes(const ContactTable& incoming) const;
};

/// What an owner asks of the contacts table after it changed the data: the reloads of the table and
/// the selection it keeps. The table controller implements it; without one, nothing is shown.
class ContactTableView
{
public:
    virtual ~ContactTableView() = default;
    virtual void updateTable() = 0;
    virtual void updateTableForContact(const ContactEntryPtr& contact) = 0;
    virtual void updateTableThenSelectByUniquId(const QString& uniqueId) = 0;
    virtual void updateTableThenSelectByUniquIds(const QStringList& uniqueIds) = 0;
    [[nodiscard]] virtual QStringList uniqueIdsOfSelectedContacts() const = 0;
    /// The contacts of the selected rows: distinct, not deleted, in row order.
    [[nodiscard]] virtual ContactTable selectedContacts() const = 0;
    /// The contacts of the given rows: distinct, not deleted, in row order.
    [[nodiscard]] virtual ContactTable contactsForIndexes(const QList<int>& rows) const = 0;
};

} // namespace Quillary
