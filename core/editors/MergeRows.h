#pragma once

#include "model/PersonDsc.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

/// One row of one side of the merge panel. Both sides have the same rows field by field, so that
/// the same field stands on the same row on both sides.
struct MergeRow
{
    QString type; ///< the field identifier, or "Name Ordering" / "Name Display"
    QString label; ///< a name part, the value's label, the ordering or display choice, or ""
    QString value; ///< the text shown; "" on the photo row and on filler rows
    int labelIndex = -1; ///< the labelled value's label index; -1 on filler rows and other fields
    qsizetype index = -1; ///< the value's position in its field; -1 on filler rows and other fields
    /// Labelled fields count down from the contact's number of values: real rows have 1 or more,
    /// filler rows 0, -1, -2, ... Other fields have 1.
    qsizetype valueCount = 1;
    int numLines = 1;

    [[nodiscard]] bool isLabeled() const;
    [[nodiscard]] bool isFiller() const { return isLabeled() && valueCount <= 0; }

    friend bool operator==(const MergeRow&, const MergeRow&) = default;
};
using MergeRows = QList<MergeRow>;

namespace MergeRowBuilder {

inline const QString NameOrdering = QStringLiteral("Name Ordering");
inline const QString NameDisplay = QStringLiteral("Name Display");

/// The fields of the panel in their order.
[[nodiscard]] const QStringList& fieldOrder();
/// For each labelled field, the rows it takes on both sides: the larger number of values, at least 1.
[[nodiscard]] QHash<QString, qsizetype> valueCounts(const PersonDsc& left, const PersonDsc& right);
/// The name-ordering choices: the system default (named by the default ordering), first name
/// first, last name first.
[[nodiscard]] QStringList nameOrderingLabels();
/// The rows of one contact.
[[nodiscard]] MergeRows rowsFor(const PersonDsc& person, const QHash<QString, qsizetype>& counts);

} // namespace MergeRowBuilder

} // namespace Quillary
