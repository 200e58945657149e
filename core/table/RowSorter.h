#pragma once

#include "SubContactRow.h"
#include "documents/SortDescriptor.h"
#include "model/ContactDate.h"

#include <QStringList>

#include <optional>

namespace Quillary {

/// Sorting the rows of the contacts table: each row's sort value is computed once per sort; the
/// sort is stable; empty values go last in both directions; dates compare as dates and text
/// without regard to case.
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

/// -1, 0 or 1: how two rows compare; empty values after everything else in either direction.
[[nodiscard]] int compare(const SortValue& a, const SortValue& b, bool ascending);

/// Sorts rows in place by a sort descriptor; without one the order stays as built.
void sortSubContactTable(SubContactTable& rows, const std::optional<SortDescriptor>& sort,
                         const QStringList& selectedLabels);

/// Date comparison: none after any date; the same in both directions.
[[nodiscard]] int compareDateComponents(const std::optional<DateComponents>& a, const std::optional<DateComponents>& b,
                                        bool ascending);

} // namespace RowSorter

} // namespace Quillary
