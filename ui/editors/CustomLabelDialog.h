#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace Quillary::Ui {

/// Asks for a label of the user's own ("Custom…" in a label menu) or a service of the user's own.
/// It does not block: the answer comes through `chosen` once the user has typed it.
class CustomLabelDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CustomLabelDialog)

public:
    CustomLabelDialog(const QString& title, QWidget* parent);
    ~CustomLabelDialog() override;

    /// Opens the dialog over `parent`; `chosen` receives the typed text when the user chose OK.
    static CustomLabelDialog* ask(QWidget* parent, const QString& title, std::function<void(const QString&)> chosen);

    [[nodiscard]] QString text() const;

private:
    QLineEdit* m_field;
};

} // namespace Quillary::Ui
