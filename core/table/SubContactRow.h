#pragma once

#include "model/ContactEntry.h"

#include <QList>

#include <array>
#include <memory>

namespace Quillary {

/// One row of the contacts table: a contact and which of its values the row shows. Row `index` 0 is
/// the contact's first row and carries its single-valued fields; row n shows the n-th value that
/// passes the label filter of every multi-valued field (TableRows::valuePosition). Rows are rebuilt
/// on every reload and read the contact's current values.
struct SubContactRow
{
    ContactEntryPtr contact;
    int index = 0;
    bool notFirstRow = false; ///< the row right above belongs to the same contact
    /// The field whose values the rows of this contact show in the order of the sort key (their
    /// stored order stays as it is), and the position of this row's value of it; -1 for none.
    qint8 orderedField = -1;
    int orderedPosition = -1;
    /// Under a label filter, for a contact with many rows: the positions of the values that pass it,
    /// by field, shared by the contact's rows so that finding a row's value takes no scan.
    std::shared_ptr<const std::array<QList<int>, LabeledFieldCount>> passing = nullptr;

    [[nodiscard]] const PersonDsc& person() const { return *contact->person; }
    [[nodiscard]] const QString& uniqueId() const { return contact->uniqueId; }
};

using SubContactTable = QList<SubContactRow>;

} // namespace Quillary
