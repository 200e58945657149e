#pragma once

#include "table/CellEditTypes.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace Quillary {
class UndoRegistry;
}

namespace Quillary::Ui {

class ContactInfoWindow;
class ContactsTableView;

/// The field editors and the contact card of one contacts table: it opens what a cell asks for
/// (`fieldEditorRequested`) beside the cell, hands a closed editor's context back to the table's
/// cell editing, which applies it through the undo registry, and shows the contact card, which
/// follows the selected row once detached.
class TableEditors final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableEditors)

public:
    /// `canEdit` tells whether the owner can be edited now (a read-only document cannot).
    TableEditors(ContactsTableView* view, UndoRegistry& registry, std::function<bool()> canEdit);
    ~TableEditors() override;

    /// Opens what the table decided: a field editor or the contact card.
    void open(const EditDecision& decision);
    /// The card of the current row's contact (Show Contact Info); false without a contact row.
    bool showContactInfo();
    void showContactInfo(const ContactEntryPtr& contact, bool editEnabled, const QRect& anchor);
    /// The name editor of a contact, over the table (a new contact is named first).
    void openNameEditor(const ContactEntryPtr& contact);
    /// The card, once it was shown.
    [[nodiscard]] ContactInfoWindow* contactInfo() const;

private:
    [[nodiscard]] QRect cellRect(int row, int column) const;
    [[nodiscard]] ContactEntryPtr contactOfRow(int row) const;
    void selectionChanged();

    ContactsTableView* m_view;
    UndoRegistry& m_registry;
    std::function<bool()> m_canEdit;
    QPointer<ContactInfoWindow> m_contactInfo;
};

} // namespace Quillary::Ui
