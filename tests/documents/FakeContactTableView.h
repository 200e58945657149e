#pragma once

#include "documents/ContactCollection.h"
#include "documents/UndoRegistry.h"

#include <QStringList>

namespace Quillary::Test {

/// A contacts table that records what the owner asks of it. Each call is written as its name (and
/// its argument), with "undoing"/"redoing" appended while the registry replays a step. Its selection
/// and its rows are what the test sets.
class FakeContactTableView final : public ContactTableView
{
public:
    explicit FakeContactTableView(const UndoRegistry* registry = nullptr) : m_registry(registry) { }

    QStringList calls;
    QStringList selection;
    /// The rows of the table, for `contactsForIndexes`.
    ContactTable rows;

    void updateTable() override { record(QStringLiteral("updateTable")); }
    void updateTableForContact(const ContactEntryPtr& contact) override
    {
        record(QStringLiteral("updateTableForContact ") + (contact ? contact->uniqueId : QString()));
    }
    void updateTableThenSelectByUniquId(const QString& uniqueId) override
    {
        record(QStringLiteral("updateTableThenSelectByUniquId ") + uniqueId);
    }
    void updateTableThenSelectByUniquIds(const QStringList& uniqueIds) override
    {
        record(QStringLiteral("updateTableThenSelectByUniquIds ") + uniqueIds.join(u','));
    }
    [[nodiscard]] QStringList uniqueIdsOfSelectedContacts() const override { return selection; }
    [[nodiscard]] ContactTable selectedContacts() const override
    {
        ContactTable result;
        for (const ContactEntryPtr& row : rows) {
            if (selection.contains(row->uniqueId) && !result.contains(row))
                result.append(row);
        }
        return result;
    }
    [[nodiscard]] ContactTable contactsForIndexes(const QList<int>& indexes) const override
    {
        ContactTable result;
        for (const int index : indexes) {
            if (index < rows.size() && !rows.at(index)->deleted && !result.contains(rows.at(index)))
                result.append(rows.at(index));
        }
        return result;
    }

private:
    void record(const QString& call)
    {
        QString entry = call;
        if (m_registry && m_registry->isUndoing())
            entry += QStringLiteral(" undoing");
        if (m_registry && m_registry->isRedoing())
            entry += QStringLiteral(" redoing");
        calls.append(entry);
    }

    const UndoRegistry* m_registry;
};

} // namespace Quillary::Test
