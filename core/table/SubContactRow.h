#pragma once

#include "model/ContactEntry.h"

#include <QList>

namespace Quillary {

/// One row of the contacts table: a contact and which of its values the row shows. Row `index` 0 is
/// the contact's first row and carries its single-valued fields; row n shows the n-th value of every
/// multi-valued field. Rows are rebuilt on every reload and read the contact's current values.
struct SubContactRow
{
    ContactEntryPtr contact;
    int index = 0;
    bool notFirstRow = false; ///< the row right above belongs to the same contact

    [[nodiscard]] const PersonDsc& person() const { return *contact->person; }
    [[nodiscard]] const QString& uniqueId() const { return contact->uniqueId; }
};

using SubContactTable = QList<SubContactRow>;

} // namespace Quillary
