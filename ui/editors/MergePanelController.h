#pragma once

#include "EditLockControls.h"
#include "editors/MergePanelModel.h"

#include <QDialog>

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace Quillary {
class MergeSideModel;
}

namespace Quillary::Ui {

class MergeSideView;
class PhotoWell;

/// The merge panel: a window-modal dialog with two contacts side by side, one field per row, whose
/// values are dragged from one side to the other (moved, or copied with Ctrl), edited in place or in
/// their editors, and then handed back. It ends with Accepted when there is something to hand back
/// (`result()`), else Rejected; the opener then replaces the two contacts in one undo step.
class MergePanelController final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergePanelController)

public:
    explicit MergePanelController(QWidget* parent = nullptr);
    ~MergePanelController() override;

    /// The contacts (the first two are shown), whether they may be edited, the table font, and
    /// whether they come from a vCard document (which keeps no name ordering).
    void setContextInfo(const ContactTable& contacts, bool editable, const QFont& font, bool vCardDocument);

    [[nodiscard]] MergePanelModel& model() const { return *m_model; }
    [[nodiscard]] MergeSideView* sideView(MergePanelModel::Side side) const { return m_views[int(side)]; }
    /// The contacts shown, as handed in, and their edited copies once the panel was confirmed.
    [[nodiscard]] ContactTable contacts() const;
    [[nodiscard]] QList<std::shared_ptr<PersonDsc>> result() const { return m_model->result(); }

    /// Done: ends with Accepted when anything changed, else Rejected.
    void confirm();
    /// Opens the editor of a row (a date, an address, an instant message, a text value).
    void openEditor(MergePanelModel::Side side, int row);
    /// The context menu of a row: opening the value elsewhere, its editor, the photo's commands.
    [[nodiscard]] QMenu* rowMenu(MergePanelModel::Side side, int row);

private:
    QWidget* makeSide(MergePanelModel::Side side);
    void updateState();
    void rowsReloaded();
    void showRowMenu(MergePanelModel::Side side, int row, const QPoint& position);
    void addPhoto(MergePanelModel::Side side);

    MergePanelModel* m_model;
    MergeSideModel* m_sides[2] = {nullptr, nullptr};
    MergeSideView* m_views[2] = {nullptr, nullptr};
    QLabel* m_names[2] = {nullptr, nullptr};
    PhotoWell* m_photos[2] = {nullptr, nullptr};
    EditLockControls m_lock{};
    QPushButton* m_doneButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    int m_scrollKept[2] = {0, 0};
};

} // namespace Quillary::Ui
