#pragma once

#include "SubContactRow.h"
#include "documents/SortDescriptor.h"
#include "model/ContactDate.h"

#include <QStringList>

#include <optional>

namespace Quillary {

/// What the rows of the contacts table sort by: each row's sort value, and how two compare. Empty
/// values go last in both directions; dates compare as dates and text without regard to case. The
/// sorting itself, stable and kept between reloads, is SortedRows'.
namespace RowSorter {

/// The value a row sorts by: none, a text, or a date.
struct SortValue
{
    enum class Kind : quint8 { None, Text, Date };
    Kind kind = Kind::None;
    QString text;
    quint32 date = 0; ///< yyyymmdd; a date without a year has year 0
};

/// The sort value of one row for a sort key.
[[nodiscard]] SortValue sortValue(const SubContactRow& row, const QString& identifier, const QString& valueKey,
                                  const QStringList& selectedLabels);

/// The same with the identifier's field looked up once by the caller, for many rows.
[[nodiscard]] SortValue sortValue(const SubContactRow& row, FieldId id, const QString& identifier,
                                  const QString& valueKey, const QStringList& selectedLabels);

/// The sort value of a contact for a key of a field with one value per contact (a name, a birthday, a
/// note), as up to two texts read one after the other (by last name: the last name, then the first
/// name), viewed in the contact where it can: as sortValue() gives it, without copying for each row.
struct ContactSortText
{
    SortValue::Kind kind = SortValue::Kind::None;
    QStringView first;
    QStringView second;
    quint32 date = 0;
    QString owned; ///< the text, when it had to be made
};
[[nodiscard]] ContactSortText contactSortText(const PersonDsc& person, FieldId id, const QString& valueKey);

/// The text of a labelled value that a value key reads ("domain" of an e-mail, "ZIP" of an
/// address, ...), as a view into the value.
[[nodiscard]] QStringView labeledSortText(LabeledField field, const LabeledValue& value, const QString& valueKey);
/// The sort value of a labelled value without copying its text: the kind, with the text or the date.
[[nodiscard]] SortValue::Kind labeledSortValue(LabeledField field, const LabeledValue& value, const QString& valueKey,
                                               const QStringList& selectedLabels, QStringView* text, quint32* date);

/// -1, 0 or 1: how two rows compare; empty values after everything else in either direction.
[[nodiscard]] int compare(const SortValue& a, const SortValue& b, bool ascending);

/// Date comparison: none after any date; the same in both directions.
[[nodiscard]] int compareDateComponents(const std::optional<DateComponents>& a, const std::optional<DateComponents>& b,
                                        bool ascending);

} // namespace RowSorter

} // namespace Quillary
