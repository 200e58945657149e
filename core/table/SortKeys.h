#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Quillary {

/// The sort keys offered for one column and the one chosen.
struct SortOptions
{
    QStringList items;
    QString selected;
};

/// Column identifier → its sort options.
using SortOptionsDict = QHash<QString, SortOptions>;

/// The sort keys of the contacts table: which field and value each key reads, and which keys each
/// column offers.
namespace SortKeys {

/// The field identifier and the value key a sort key reads ("Email domain" → "Email", "domain");
/// an unknown key reads its own "stringValue".
[[nodiscard]] std::pair<QString, QString> separateSortKeyIntoIdentifierAndKey(const QString& sortKey);

/// The sort options of the 23 identifiers that have any; "selected" from the stored choices
/// (identifier → key) where they name one of the items, else the built-in choice.
[[nodiscard]] SortOptionsDict aSortOptionsDict(const QVariantMap& storedChoices = {});

/// The columns whose header menu offers sort keys.
[[nodiscard]] const QStringList& headerMenuIdentifiers();
/// The columns whose key the owner's sort pop-up can choose.
[[nodiscard]] const QStringList& popupIdentifiers();

} // namespace SortKeys

} // namespace Quillary
