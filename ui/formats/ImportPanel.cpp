#include "ImportPanel.h"

#include "formats/ImportPanelModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

namespace Quillary::Ui {

namespace {

std::optional<QList<int>>& nextSelection()
{
    static std::optional<QList<int>> rows;
    return rows;
}

} // namespace

ImportPanel::ImportPanel(ImportPanelModel* model, QWidget* parent)
    : QDialog(parent), m_model(model), m_filename(new QLabel(model->filename(), this)), m_nameList(new QListView(this)),
      m_detailTable(new QTableView(this)), m_selectButton(nullptr)
{
    setObjectName(QStringLiteral("importPanel"));
    setWindowTitle(tr("Import from vCard"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_filename->setObjectName(QStringLiteral("filename"));
    m_nameList->setObjectName(QStringLiteral("nameList"));
    m_nameList->setModel(m_model);
    m_nameList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_detailTable->setObjectName(QStringLiteral("detailTable"));
    m_detailTable->setModel(m_model->detailModel());
    m_detailTable->verticalHeader()->hide();
    m_detailTable->horizontalHeader()->setStretchLastSection(true);
    m_detailTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_detailTable->setWordWrap(true);
    m_detailTable->setSelectionMode(QAbstractItemView::NoSelection);

    auto* buttons = new QDialogButtonBox(this);
    m_selectButton = buttons->addButton(tr("Select"), QDialogButtonBox::AcceptRole);
    m_selectButton->setObjectName(QStringLiteral("selectButton"));
    m_selectButton->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_nameList);
    splitter->addWidget(m_detailTable);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filename);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(640, 420);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ImportPanel::selectionChanged);
    connect(m_nameList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { m_model->setCurrentRow(current.isValid() ? current.row() : -1); });
    if (m_model->rowCount() > 0)
        m_nameList->setCurrentIndex(m_model->index(0));
    m_nameList->selectAll();
}

ImportPanel::~ImportPanel() = default;

void ImportPanel::selectionChanged()
{
    QList<int> rows;
    for (const QModelIndex& index : m_nameList->selectionModel()->selectedRows())
        rows.append(index.row());
    m_model->setSelectedIndexes(rows);
    m_selectButton->setEnabled(!rows.isEmpty());
}

void ImportPanel::setNextSelection(const QList<int>& rows)
{
    nextSelection() = rows;
}

void ImportPanel::clearNextSelection()
{
    nextSelection().reset();
}

ContactTable ImportPanel::choose(QWidget* parent, const QString& filename, const ContactTable& contacts)
{
    ImportPanelModel model;
    model.setFilename(filename);
    model.setNameTable(contacts);
    if (std::optional<QList<int>> answer = std::exchange(nextSelection(), std::nullopt)) {
        model.setSelectedIndexes(*answer);
        return model.selectedContacts();
    }
    ImportPanel panel(&model, parent);
    if (panel.exec() != QDialog::Accepted)
        return {};
    return model.selectedContacts();
}

} // namespace Quillary::Ui
