#pragma once

#include "documents/ContactWindow.h"

#include <QElapsedTimer>

#include <memory>

namespace Quillary {
class AddressBookOwner;
}

namespace Quillary::Ui {

class DocumentController;

/// The application's main window: the user's own address book in a ContactPane, with its own
/// commands (save, revert, the default account, smart groups, help) and alerts (a store that cannot
/// be used, a store another process writes, cards that could not be read, changes made by other
/// programs). It refuses to close while documents are open, except when the application quits.
class AddressBookWindow final : public ContactWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddressBookWindow)

public:
    /// Takes the address book, opened or not (a store that could not be opened shows no contacts).
    AddressBookWindow(std::unique_ptr<AddressBookOwner> owner, Preferences& preferences, DocumentController* controller,
                      QWidget* parent = nullptr);
    ~AddressBookWindow() override;

    [[nodiscard]] AddressBookOwner* owner() const { return m_owner.get(); }

    /// Writes the changes; a failure is told and leaves the address book edited.
    bool saveAddressBook();
    /// Asks, then reads the store again, dropping the changes.
    bool revertAddressBookToSaved();
    void reloadAddressBook();
    void showDefaultAccountPanel();
    void newSmartGroup();
    /// Help > Quillary Help: the installed documentation; Help > Feedback via Email….
    void showHelp();
    void sendFeedback();

    /// The alerts of the launch: the store's folder that cannot be used, the store another process
    /// writes, the cards that could not be read; then the user's address-format table is read.
    void showLaunchAlerts();
    /// While the application quits, the window closes even with documents open.
    void setQuitting(bool quitting) { m_quitting = quitting; }

    // PaneHost ----------------------------------------------------------------------------------
    void updateWindowState() override;
    void connectFileCommands(DocumentMenus& menus) override;
    void validateFileCommands(DocumentMenus& menus, const DocumentMenuValidation::DocumentMenuState& state) override;
    void addFileMenuItems(QMenu* file) override;
    void addHelpMenuItems(QMenu* help) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void changedExternally(const QStringList& paths);
    /// The changes not saved yet: saved, dropped, or the closing cancelled.
    bool settleChangesBeforeClosing();
    void storeViewTypes();
    void applyUserAddressFormats();

    DocumentController* m_controller;
    std::unique_ptr<AddressBookOwner> m_owner;
    QElapsedTimer m_sinceLastCheck;
    bool m_quitting = false;
    bool m_askingToReload = false;
};

} // namespace Quillary::Ui
