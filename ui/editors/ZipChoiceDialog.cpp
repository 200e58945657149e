#include "ZipChoiceDialog.h"

#include "editors/AddressEditorModel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

ZipChoiceDialog::ZipChoiceDialog(const QList<ZipAddress>& addresses, QWidget* parent)
    : QDialog(parent), m_addresses(addresses), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("zipChoiceDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Choose an Address"));
    m_list->setObjectName(QStringLiteral("zipChoices"));
    m_list->setAccessibleName(tr("Addresses of the postal code"));
    m_list->setMinimumSize(360, 240);
    for (const ZipAddress& address : addresses)
        m_list->addItem(AddressEditorModel::choiceText(address));
    m_list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("%n addresses match this postal code.", nullptr, int(addresses.size())), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
}

ZipChoiceDialog::~ZipChoiceDialog() = default;

ZipChoiceDialog* ZipChoiceDialog::choose(const QList<ZipAddress>& addresses, QWidget* parent,
                                         std::function<void(const ZipAddress&)> chosen)
{
    auto* dialog = new ZipChoiceDialog(addresses, parent);
    connect(dialog, &QDialog::accepted, dialog, [dialog, chosen = std::move(chosen)] {
        const int row = dialog->m_list->currentRow();
        if (row >= 0 && row < dialog->m_addresses.size())
            chosen(dialog->m_addresses.at(row));
    });
    dialog->open();
    return dialog;
}

} // namespace Quillary::Ui
