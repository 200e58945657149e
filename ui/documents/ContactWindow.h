#pragma once

#include "ContactPane.h"
#include "PaneHost.h"

#include <QMainWindow>
#include <QUndoStack>

namespace Quillary {
class ContactOwner;
class ContactsViewController;
class Preferences;
} // namespace Quillary

namespace Quillary::Ui {

class ContactsTableView;
class DocumentHost;
class DocumentMenus;

/// A window that shows an owner's contacts in a ContactPane: a document window, or the address-book
/// window. It gives the pane its menu bar and toolbar and keeps the edited mark and the commands up
/// to date; what is its own (saving, reverting, closing) it adds as the pane's host.
class ContactWindow : public QMainWindow, public PaneHost
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactWindow)

public:
    ~ContactWindow() override;

    [[nodiscard]] ContactPane* pane() const { return m_pane; }
    [[nodiscard]] ContactsViewController* tableController() const { return m_pane->tableController(); }
    [[nodiscard]] ContactsTableView* tableView() const { return m_pane->tableView(); }
    [[nodiscard]] DocumentMenus* menus() const { return m_pane->menus(); }
    [[nodiscard]] DocumentHost* documentHost() const override { return m_host; }

protected:
    ContactWindow(Preferences& preferences, DocumentHost* host, QWidget* parent);

    /// Puts the owner's contacts into the window, with the menu bar and the toolbar.
    void setUpPane(ContactOwner& owner);
    /// The owner's edited mark and edit mode reach the window; its undo steps refresh the commands.
    template <typename Owner> void followOwner(Owner* owner)
    {
        connect(owner, &Owner::modificationChanged, this, [this] { updateWindowState(); });
        connect(owner, &Owner::editStateChanged, m_pane, &ContactPane::applyEditState);
        connect(owner->undoStack(), &QUndoStack::indexChanged, this, [this] { updateWindowState(); });
    }
    /// Lets go of the owner's signals and of the pane before the owner goes.
    void releaseOwner(QObject* owner);
    void changeEvent(QEvent* event) override;

    Preferences& m_preferences;

private:
    DocumentHost* m_host;
    ContactPane* m_pane = nullptr;
};

} // namespace Quillary::Ui
