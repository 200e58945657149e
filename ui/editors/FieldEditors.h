#pragma once

#include "EditorDialog.h"

#include <functional>

namespace Quillary::Ui {

/// The one way in to the field editors, for every window that edits contacts: the contacts
/// table, the contact card, and the find, merge and address-book windows.
namespace FieldEditors {

/// Opens the editor of `kind` for `context` below `anchor` (screen coordinates) over `parent`,
/// without blocking; `closed` receives the context with "dirty" and "value" once it closes, and
/// the caller applies the value. The contact information is not a field editor: none for it.
EditorDialog* open(PopoverKind kind, const EditorContext& context, const EditorOptions& options, QWidget* parent,
                   const QRect& anchor, std::function<void(const EditorContext&)> closed);

} // namespace FieldEditors

} // namespace Quillary::Ui
