#pragma once

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Quillary {
class ReplaceAlertPanelModel;
}

namespace Quillary::Ui {

/// The sheet that asks for the text, and for some commands the label, of a bulk edit of the
/// selected cells of a column ("Replace Text", "Append Text", "Add Item", ...). It shows its model
/// and, with OK, leaves the entered text and the chosen label in it.
class ReplaceAlertPanel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReplaceAlertPanel)

public:
    ReplaceAlertPanel(ReplaceAlertPanelModel& model, QWidget* parent);
    ~ReplaceAlertPanel() override;

    /// Runs the panel as a sheet over `parent`; true for OK.
    static bool run(ReplaceAlertPanelModel& model, QWidget* parent);

    /// For tests: the next panel answers OK with this text (and this label, or the one it
    /// proposes) without being shown; `cancelNext` answers Cancel.
    static void setNextAnswer(const QString& text, const std::optional<QString>& label = std::nullopt);
    static void cancelNext();
    static void clearNextAnswer();

    void accept() override;
    void reject() override;

private:
    ReplaceAlertPanelModel& m_model;
    QLabel* m_replaceAlertMessage;
    QComboBox* m_columnPopup;
    QComboBox* m_labelPopup;
    QLineEdit* m_replaceTextField;
    QPushButton* m_okButton;
};

} // namespace Quillary::Ui
