#include "UndoBatch.h"

#include "UndoRegistry.h"

namespace Quillary {

UndoBatch::UndoBatch(UndoRegistry& registry, const QString& text)
    : m_registry(registry), m_view(registry.view()), m_indexBefore(registry.undoStack()->index())
{
    m_registry.setView(nullptr);
    m_registry.undoStack()->beginMacro(text);
}

bool UndoBatch::hasChanges() const
{
    const QUndoCommand* step = m_registry.undoStack()->command(m_indexBefore);
    return step && step->childCount() > 0;
}

UndoBatch::~UndoBatch()
{
    QUndoStack& stack = *m_registry.undoStack();
    const bool changed = hasChanges();
    stack.endMacro();
    if (!changed) {
        // An obsolete step is deleted instead of undone.
        const QSignalBlocker blocker(&stack);
        const_cast<QUndoCommand*>(stack.command(m_indexBefore))->setObsolete(true);
        stack.undo();
    }
    m_registry.setView(m_view);
    if (changed && m_view)
        m_view->updateTable();
}

} // namespace Quillary
