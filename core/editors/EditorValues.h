#pragma once

#include "table/CellEditTypes.h"
#include "table/CellEdits.h"

#include <QList>

namespace Quillary {

class UndoRegistry;

/// What the field editors start from and what their results change. Every opener of an editor —
/// the contacts table, the contact card, and later windows — hands over an editor context and,
/// when the editor closed with "dirty", turns its value into edits of the owner's undo registry.
namespace EditorValues {

/// A new value of a labelled field: the field's first label and nothing else; label index -1.
[[nodiscard]] LabeledValue newValue(const QString& identifier);

/// The labelled value an editor opened with `context` edits: the context's own value, else the
/// contact's value with the context's label index, else a new value of the field.
[[nodiscard]] LabeledValue valueToEdit(const EditorContext& context);

/// The name editor's start: the contact's name with its title and suffix.
[[nodiscard]] FullNameValue fullNameOf(const PersonDsc& person);

/// The edits a closed editor asks for; none unless it is dirty. A labelled value replaces the
/// contact's value with its label index, or is added when the contact has none.
[[nodiscard]] QList<CellEdit> editsFor(const EditorContext& context);

/// Applies a closed editor's value through the registry as one undo step, then refreshes the
/// contact's rows. Answers whether the contact changed.
bool apply(UndoRegistry& registry, const EditorContext& context);

} // namespace EditorValues

} // namespace Quillary
