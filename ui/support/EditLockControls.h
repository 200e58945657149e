#pragma once

class QFrame;
class QToolButton;
class QWidget;

namespace Quillary::Ui::EditLockControls {

/// The Edit/Lock button of a panel: checkable, titled "Lock" while editing is on, "Edit" otherwise.
[[nodiscard]] QToolButton* makeButton(QWidget* parent);
/// The line under a panel's controls: red and 2 pixels high while editing is on, grey otherwise.
[[nodiscard]] QFrame* makeSeparator(QWidget* parent);
/// Shows a state on both.
void apply(QToolButton* button, QFrame* separator, bool on);

} // namespace Quillary::Ui::EditLockControls
