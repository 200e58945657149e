#include "CustomLabelDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

CustomLabelDialog::CustomLabelDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_field(new QLineEdit(this))
{
    setObjectName(QStringLiteral("customLabelDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    m_field->setObjectName(QStringLiteral("customLabelField"));
    m_field->setAccessibleName(title);
    m_field->setMinimumWidth(220);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setEnabled(false);
    connect(m_field, &QLineEdit::textChanged, ok,
            [ok](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(title, this));
    layout->addWidget(m_field);
    layout->addWidget(buttons);
}

CustomLabelDialog::~CustomLabelDialog() = default;

QString CustomLabelDialog::text() const
{
    return m_field->text();
}

CustomLabelDialog* CustomLabelDialog::ask(QWidget* parent, const QString& title,
                                          std::function<void(const QString&)> chosen)
{
    auto* dialog = new CustomLabelDialog(title, parent);
    connect(dialog, &QDialog::accepted, dialog, [dialog, chosen = std::move(chosen)] { chosen(dialog->text()); });
    dialog->open();
    return dialog;
}

} // namespace Quillary::Ui
