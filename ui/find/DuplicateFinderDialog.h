#pragma once

#include "model/ContactEntry.h"

#include <QDialog>
#include <QFont>
#include <QPointer>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace Quillary {
class ContactOwner;
}

namespace Quillary::Ui {

class MergePanelController;

/// Contact > Find Duplicates…: the groups of contacts that are probably the same person, each with
/// what its members share. Choosing two contacts of a group (or a group of two) opens the merge
/// panel for them; nothing is ever merged or deleted without the user. After a merge that left one
/// contact without values, it offers to delete that contact as an ordinary, undoable Delete.
class DuplicateFinderDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DuplicateFinderDialog)

public:
    DuplicateFinderDialog(ContactOwner& document, bool editable, const QFont& font, QWidget* parent = nullptr);
    ~DuplicateFinderDialog() override;

    /// Looks for the groups again.
    void refresh();
    /// The two contacts the selection names; empty unless it names exactly two.
    [[nodiscard]] ContactTable chosenContacts() const;
    /// Opens the merge panel for the chosen contacts.
    void mergeChosen();

    [[nodiscard]] QTreeWidget* groupList() const { return m_list; }
    /// The merge panel while it is open.
    [[nodiscard]] MergePanelController* mergePanel() const { return m_mergePanel; }

private:
    void mergeFinished(int result);
    void updateButtons();

    ContactOwner& m_document;
    bool m_editable;
    QFont m_font;
    QTreeWidget* m_list;
    QLabel* m_summary;
    QPushButton* m_mergeButton;
    QPointer<MergePanelController> m_mergePanel;
};

} // namespace Quillary::Ui
