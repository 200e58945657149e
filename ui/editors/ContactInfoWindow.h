#pragma once

#include "EditLockControls.h"
#include "model/ContactEntry.h"

#include <QDialog>

#include <functional>

class QFrame;
class QToolButton;

namespace Quillary {
class UndoRegistry;
}

namespace Quillary::Ui {

class ContactCard;

/// The contact card beside the table. Opened from a row it belongs to that row's contact, like a
/// popover, and closes when another contact is selected; detached it becomes a panel that stays
/// open and follows the selected row. It has the Edit/Lock button and red separator of editors.
class ContactInfoWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactInfoWindow)

public:
    ContactInfoWindow(UndoRegistry& registry, std::function<bool()> canEdit, QWidget* parent);
    ~ContactInfoWindow() override;

    [[nodiscard]] ContactCard* card() const { return m_card; }
    /// Shows a contact below a rectangle of the screen (the cell it was opened from).
    void showContact(const ContactEntryPtr& contact, bool editEnabled, const QRect& anchor);
    [[nodiscard]] bool isDetached() const;
    void setDetached(bool detached);
    /// The selected row's contact: a panel shows it, a popover of another contact closes.
    void selectedContactChanged(const ContactEntryPtr& contact);
    void setEditEnabled(bool on);

private:
    ContactCard* m_card;
    EditLockControls m_lock;
    QToolButton* m_detachButton;
    std::function<bool()> m_canEdit;
};

} // namespace Quillary::Ui
