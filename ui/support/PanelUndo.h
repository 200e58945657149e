#pragma once

class QUndoStack;
class QWidget;

namespace Quillary::Ui {

/// Gives a panel Undo and Redo (Ctrl+Z, Shift+Ctrl+Z) of its own undo stack.
void addUndoActions(QWidget* panel, QUndoStack* stack);

} // namespace Quillary::Ui
