#pragma once

#include "FieldIdentifiers.h"
#include "LabeledLists.h"

#include <QStringView>
#include <QVarLengthArray>

namespace Quillary {

/// How a sort key orders the values of one labelled field of a contact: by a text of each value,
/// compared code unit by code unit, equal texts keeping their stored order.
struct LabeledValueOrder
{
    const char* key;
    LabeledField field;
    int minimumCount; ///< lists shorter than this stay as stored
    QStringView (*sortText)(const LabeledValue&);

    /// The order of the sort key, or none when the key orders no values.
    [[nodiscard]] static const LabeledValueOrder* forSortKey(QStringView sortKey);

    /// The positions of the values in this order, without allocating for a contact of a few values
    /// (the table asks every contact on a reload).
    using Positions = QVarLengthArray<qsizetype, 8>;
    [[nodiscard]] Positions positions(LabeledValueSpan values, bool ascending) const;
};

} // namespace Quillary
