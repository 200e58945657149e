#pragma once

#include "SubContactRow.h"

#include <QStringList>
#include <optional>

namespace Quillary {

/// What the editing code needs to know of a table cell: which kind of field its column shows and
/// the value the row holds there. Values filtered out by the label filter count as absent, as the
/// cell shows nothing for them.
namespace CellValues {

enum class ColumnKind {
    Name,
    LabeledText, ///< "Phone", "Email", "URL", "Social Network", "Relationship": edited as text
    Address,
    InstantMessage,
    Dates,
    AddressPart, ///< "ZIP", "State", "City", "Street", "Country"
    PhoneticName,
    Birthday,
    Text, ///< the string fields ("Company", "Note", ...)
    Other,
};

[[nodiscard]] ColumnKind kindOf(const QString& identifier);

/// The labelled value a row shows in a labelled or address-part column; none when it has none.
[[nodiscard]] std::optional<LabeledValue> valueAt(const SubContactRow& row, const QString& identifier,
                                                  const QStringList& selectedLabels);

/// Whether the row's cell in the column shows a value (a name always counts).
[[nodiscard]] bool hasValue(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels);

/// Whether the cell can be typed into: a labelled text or address-part cell with a value, or a
/// string field on a contact's first row (empty or not).
[[nodiscard]] bool hasTextCell(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels);

/// The text the cell shows: the value's text, an address part, a string field, the phonetic name
/// or the birthday.
[[nodiscard]] QString textAt(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels);

/// A labelled value with its text replaced as a cell edit replaces it (an address part for an
/// address-part column), derived texts included.
[[nodiscard]] LabeledValue withText(LabeledValue value, const QString& identifier, const QString& text,
                                    const QString& defaultCountryCode);

/// The text of a labelled value as a cell shows it in a column.
[[nodiscard]] QString textOf(const LabeledValue& value, const QString& identifier);

} // namespace CellValues

} // namespace Quillary
