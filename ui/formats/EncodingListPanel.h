#pragma once

#include <QDialog>

class QPushButton;
class QTableView;

namespace Quillary {
class EncodingAccessoryModel;
class EncodingListModel;
} // namespace Quillary

namespace Quillary::Ui {

/// The "Customize Encoding List…" panel: every encoding the application can read with a check box
/// that puts it in the encoding pop-up, and buttons to tick all, none or the defaults. It works
/// while the open panel that opened it is modal; closing it stores the choice.
class EncodingListPanel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncodingListPanel)

public:
    EncodingListPanel(EncodingAccessoryModel* model, QWidget* parent);
    ~EncodingListPanel() override;

    [[nodiscard]] QTableView* tableView() const { return m_tableView; }

protected:
    void done(int result) override;

private:
    EncodingAccessoryModel* m_accessory;
    EncodingListModel* m_listModel;
    QTableView* m_tableView;
    QPushButton* m_selectAllButton;
    QPushButton* m_clearAllButton;
    QPushButton* m_revertButton;
};

} // namespace Quillary::Ui
