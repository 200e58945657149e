#pragma once

#include "model/ContactEntry.h"

#include <QDialog>

class QLabel;
class QListView;
class QPushButton;
class QTableView;

namespace Quillary {
class ImportPanelModel;
}

namespace Quillary::Ui {

/// The sheet in which the user picks which contacts of an imported file are added: the file name,
/// the contacts by name, and the fields of the contact looked at. It ends with the select button
/// (Accepted) or Cancel; the chosen contacts are then the model's selection.
class ImportPanel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportPanel)

public:
    ImportPanel(ImportPanelModel* model, QWidget* parent);
    ~ImportPanel() override;

    [[nodiscard]] QListView* nameList() const { return m_nameList; }
    [[nodiscard]] QTableView* detailTable() const { return m_detailTable; }

    /// For tests: answers the next panel with these rows (none cancels it) instead of showing it.
    static void setNextSelection(const QList<int>& rows);
    static void clearNextSelection();
    /// Offers `contacts` of the file `filename`; the chosen ones, or none when cancelled.
    static ContactTable choose(QWidget* parent, const QString& filename, const ContactTable& contacts);

private:
    void selectionChanged();

    ImportPanelModel* m_model;
    QLabel* m_filename;
    QListView* m_nameList;
    QTableView* m_detailTable;
    QPushButton* m_selectButton;
};

} // namespace Quillary::Ui
