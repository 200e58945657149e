#pragma once

#include "documents/DocumentMenuValidation.h"

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace Quillary::Ui {

class ContactPane;

/// The menu commands on contacts of a document window and of its find bar: the contact commands,
/// the clipboard, the exports of contacts, the phone formats, the case transformations and the
/// find commands, with their shortcuts, the menus they appear in, and their enabling.
class ContactActions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactActions)

public:
    enum class Id {
        AddContact,
        DeleteContact,
        DuplicateContact,
        Cut,
        Copy,
        CopyAsCSV,
        CopyAsVCard,
        Paste,
        ExportContactAsVCard,
        ExportContactsAsCSV,
        ExportContactsAsVCard,
        Uppercase,
        Lowercase,
        Capitalize,
        Find,
        FindAndReplace,
        FindNext,
        FindPrevious,
        UseSelectionForFind,
    };

    explicit ContactActions(ContactPane* pane);
    ~ContactActions() override;

    [[nodiscard]] QAction* action(Id id) const { return m_actions.value(id); }
    /// The items of the "Phone Format" submenu, one per layout.
    [[nodiscard]] const QList<QAction*>& phoneFormatActions() const { return m_phoneFormats; }

    /// Cut, Copy, Copy as CSV, Copy as vCard and Paste, appended to a menu.
    void addClipboardItems(QMenu* menu) const;
    /// The "Find" and "Transformations" submenus of the Edit menu.
    [[nodiscard]] QMenu* findMenu(QWidget* parent) const;
    [[nodiscard]] QMenu* transformationsMenu(QWidget* parent) const;
    /// The "Contact" menu of the menu bar.
    [[nodiscard]] QMenu* contactMenu(QWidget* parent) const;

    /// Enables the commands by the window's state (`state` is the document's menu state).
    void validate(const DocumentMenuValidation::DocumentMenuState& state);

private:
    QAction* add(Id id, const QString& name, const QString& text, const QList<QKeySequence>& shortcuts = {});
    void createContactActions();
    void createEditActions();
    void createFindActions();
    void useSelectionForFind();

    ContactPane* m_pane;
    QHash<Id, QAction*> m_actions;
    QList<QAction*> m_phoneFormats;
};

} // namespace Quillary::Ui
