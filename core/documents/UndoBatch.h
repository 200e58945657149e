#pragma once

#include <QString>

namespace Quillary {

class ContactTableView;
class UndoRegistry;

/// Gathers the registry calls of one gesture (a Replace All, a drop in the merge panel) into one
/// undo step named `text`. While it lives the owner's table is not refreshed after every call; it
/// is reloaded once at the end when anything changed, and a step that received nothing is taken
/// back so that it neither marks the owner edited nor leaves an empty Undo.
class UndoBatch
{
public:
    UndoBatch(UndoRegistry& registry, const QString& text);
    ~UndoBatch();
    Q_DISABLE_COPY_MOVE(UndoBatch)

    /// Whether the step received changes so far.
    [[nodiscard]] bool hasChanges() const;

private:
    UndoRegistry& m_registry;
    ContactTableView* m_view;
    int m_indexBefore;
};

} // namespace Quillary
