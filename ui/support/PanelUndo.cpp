#include "PanelUndo.h"

#include <QAction>
#include <QCoreApplication>
#include <QUndoStack>
#include <QWidget>

namespace Quillary::Ui {

void addUndoActions(QWidget* panel, QUndoStack* stack)
{
    QAction* undo = stack->createUndoAction(panel, QCoreApplication::translate("Quillary::Ui", "Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = stack->createRedoAction(panel, QCoreApplication::translate("Quillary::Ui", "Redo"));
    redo->setShortcut(QKeySequence::Redo);
    panel->addActions({undo, redo});
}

} // namespace Quillary::Ui
