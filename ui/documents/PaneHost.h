#pragma once

#include "documents/DocumentMenuValidation.h"

class QMenu;

namespace Quillary::Ui {

class DocumentHost;
class DocumentMenus;

/// What a contact pane asks of the window around it: the commands that differ between a document
/// window and the address-book window (saving, reverting, the window's own File and Help items) and
/// the application's commands on documents.
class PaneHost
{
public:
    /// New, Open…, Open Recent and Quit; null for a window of its own.
    [[nodiscard]] virtual DocumentHost* documentHost() const = 0;
    /// Connects the menus' Save and Revert to Saved to the window's commands.
    virtual void connectFileCommands(DocumentMenus& menus) = 0;
    /// Enables Save and Revert to Saved by the window's rules.
    virtual void validateFileCommands(DocumentMenus& menus, const DocumentMenuValidation::DocumentMenuState& state) = 0;
    /// The window's own items of the File menu (after Revert to Saved) and of the Help menu.
    virtual void addFileMenuItems(QMenu* file) = 0;
    virtual void addHelpMenuItems(QMenu* help) = 0;
    /// The title and the edited mark may have changed.
    virtual void updateWindowState() = 0;

protected:
    ~PaneHost() = default;
};

} // namespace Quillary::Ui
