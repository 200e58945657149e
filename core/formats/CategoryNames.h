#pragma once

#include "model/GroupEntry.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

/// The CATEGORIES text of contacts written as cards: the names of their groups in group-table
/// order, joined by "," with a comma inside a name written as "\\,". Made once for a group table,
/// then asked for each contact, so that writing many contacts never goes through the table again.
class CategoryNames
{
public:
    explicit CategoryNames(const GroupTable& groupTable);

    /// The text for the groups with these unique ids; "" when none of them is a group of the table.
    [[nodiscard]] QString operator()(const QStringList& uniqueIds) const;

private:
    QHash<QString, QList<qsizetype>> m_positions; ///< of each unique id in the table
    QStringList m_escapedNames; ///< of each group, by position
};

} // namespace Quillary
