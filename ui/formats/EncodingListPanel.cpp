#include "EncodingListPanel.h"

#include "formats/EncodingAccessoryModel.h"
#include "formats/EncodingListModel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Quillary::Ui {

EncodingListPanel::EncodingListPanel(EncodingAccessoryModel* model, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_accessory(model), m_listModel(new EncodingListModel(model, this)),
      m_tableView(new QTableView(this)), m_selectAllButton(new QPushButton(tr("Select All"), this)),
      m_clearAllButton(new QPushButton(tr("Clear All"), this)), m_revertButton(new QPushButton(tr("Revert"), this))
{
    setObjectName(QStringLiteral("encodingListPanel"));
    setWindowTitle(tr("Customize Encoding List"));
    m_tableView->setObjectName(QStringLiteral("encodingTable"));
    m_tableView->setModel(m_listModel);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->verticalHeader()->hide();
    m_tableView->horizontalHeader()->hide();
    m_tableView->setShowGrid(false);
    m_tableView->horizontalHeader()->setSectionResizeMode(EncodingListModel::CheckBoxColumn,
                                                          QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_selectAllButton->setObjectName(QStringLiteral("selectAllButton"));
    m_clearAllButton->setObjectName(QStringLiteral("clearAllButton"));
    m_revertButton->setObjectName(QStringLiteral("revertButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAllButton);
    buttons->addWidget(m_clearAllButton);
    buttons->addWidget(m_revertButton);
    buttons->addStretch();
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tableView);
    layout->addLayout(buttons);
    resize(420, 480);

    connect(m_selectAllButton, &QPushButton::clicked, m_accessory, &EncodingAccessoryModel::selectAll);
    connect(m_clearAllButton, &QPushButton::clicked, m_accessory, &EncodingAccessoryModel::clearAll);
    connect(m_revertButton, &QPushButton::clicked, m_accessory, &EncodingAccessoryModel::revert);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

EncodingListPanel::~EncodingListPanel() = default;

void EncodingListPanel::done(int result)
{
    m_accessory->saveEncodings();
    QDialog::done(result);
}

} // namespace Quillary::Ui
