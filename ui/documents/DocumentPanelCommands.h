#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>

class QAction;

namespace Quillary::Ui {

class ContactPane;

/// The panels a document window opens over itself: the find panel, the merge panel for the
/// selected contacts, and the duplicate finder. Each is window-modal; while one is open the others
/// stay disabled.
class DocumentPanelCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentPanelCommands)

public:
    explicit DocumentPanelCommands(ContactPane* pane);
    ~DocumentPanelCommands() override;

    /// Edit > Find > Find Panel… (Shift+Ctrl+F).
    [[nodiscard]] QAction* findPanelAction() const { return m_findPanel; }
    /// Contact > Merge Contacts…: two or more distinct contacts selected.
    [[nodiscard]] QAction* mergeAction() const { return m_merge; }
    /// Contact > Find Duplicates…
    [[nodiscard]] QAction* findDuplicatesAction() const { return m_findDuplicates; }

    void showFindPanel();
    void mergeContacts();
    void findDuplicates();

    /// The panel open now, if any.
    [[nodiscard]] QDialog* openPanel() const { return m_panel; }
    /// Enables the commands by the window's state.
    void validate();

private:
    void panelOpened(QDialog* panel);

    ContactPane* m_pane;
    QAction* m_findPanel;
    QAction* m_merge;
    QAction* m_findDuplicates;
    QPointer<QDialog> m_panel;
};

} // namespace Quillary::Ui
