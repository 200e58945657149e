#pragma once

#include "editors/EditLockControls.h"
#include "find/FindTypes.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;

namespace Quillary {
class FindPanelModel;
struct EditorContext;
} // namespace Quillary

namespace Quillary::Ui {

/// The find panel: a window-modal dialog over a document window that searches every contact, lists
/// each field holding the text with its occurrences highlighted, steps through them and replaces
/// one or all. The opener fills `model()` and calls `start()`.
class FindPanel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindPanel)

public:
    explicit FindPanel(QWidget* parent = nullptr);
    ~FindPanel() override;

    [[nodiscard]] FindPanelModel& model() const { return *m_model; }
    /// Fills the menus and the search field from the model and searches once.
    void start();

    /// The text searched last in any find panel, which the next one starts with.
    [[nodiscard]] static QString lastSearchString();

    [[nodiscard]] QTableView* resultTable() const { return m_table; }

private:
    void setUpControls();
    void setUpTable();
    QToolButton* menuButton(const QString& name, const QString& accessibleName);
    void fillMenu(QMenu* menu, const QStringList& entries, const QStringList& selection, bool localize,
                  void (FindPanelModel::*choose)(const QString&));
    void updateControls();
    void showCurrent(qsizetype row);
    void resultsReset();
    void rowSelected();
    void doubleClicked(const QModelIndex& index);
    void dateEdited(const FindRecordPtr& record, const EditorContext& closed);
    void replaceClicked();
    void replaceAllClicked();

    FindPanelModel* m_model;
    QLineEdit* m_searchField = nullptr;
    QLabel* m_errorLabel = nullptr;
    QComboBox* m_modePopup = nullptr;
    QToolButton* m_itemPopup = nullptr;
    QToolButton* m_subItemPopup = nullptr;
    QToolButton* m_labelPopup = nullptr;
    QLineEdit* m_replaceField = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    EditLockControls m_lock{};
    QTableView* m_table = nullptr;
    bool m_syncing = false;
};

} // namespace Quillary::Ui
