#include "FindPanel.h"

#include "FindResultDelegate.h"
#include "editors/FieldEditors.h"
#include "find/FindMenus.h"
#include "find/FindPanelModel.h"
#include "support/Localized.h"
#include "support/PanelUndo.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

QString& sharedSearchString()
{
    static QString text;
    return text;
}

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text, const QString& accessibleName)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setAccessibleName(accessibleName);
    return button;
}

} // namespace

FindPanel::FindPanel(QWidget* parent) : QDialog(parent), m_model(new FindPanelModel(this))
{
    setObjectName(QStringLiteral("findPanel"));
    setWindowTitle(tr("Find"));
    setWindowModality(Qt::WindowModal);
    setUpControls();
    setUpTable();
    connect(m_model, &FindPanelModel::stateChanged, this, &FindPanel::updateControls);
    connect(m_model, &FindPanelModel::currentChanged, this, &FindPanel::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FindPanel::resultsReset);
    // The panel's own undo stack: its steps put back the rows and, through the owner, the contacts.
    addUndoActions(this, m_model->undoStack());
    resize(820, 460);
}

FindPanel::~FindPanel() = default;

QString FindPanel::lastSearchString()
{
    return sharedSearchString();
}

QToolButton* FindPanel::menuButton(const QString& name, const QString& accessibleName)
{
    QToolButton* button = toolButton(this, name, {}, accessibleName);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(new QMenu(button));
    return button;
}

void FindPanel::setUpControls()
{
    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setAccessibleName(tr("Search text"));
    m_searchField->setPlaceholderText(tr("Find"));
    m_searchField->setClearButtonEnabled(true);
    connect(m_searchField, &QLineEdit::returnPressed, this, [this] {
        sharedSearchString() = m_searchField->text();
        m_model->searchTextEntered(m_searchField->text());
    });
    m_errorLabel = new QLabel(this);
    m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
    m_errorLabel->setAccessibleName(tr("Search error"));
    m_errorLabel->setStyleSheet(QStringLiteral("color: #c00000"));
    m_errorLabel->hide();
    m_modePopup = new QComboBox(this);
    m_modePopup->setObjectName(QStringLiteral("searchModePopup"));
    m_modePopup->setAccessibleName(tr("Search mode"));
    m_modePopup->addItem(tr("Case Insensitive"), int(SearchMode::CaseInsensitive));
    m_modePopup->addItem(tr("Case Sensitive"), int(SearchMode::CaseSensitive));
    m_modePopup->addItem(tr("Regular Expression"), int(SearchMode::Regex));
    connect(m_modePopup, &QComboBox::activated, this,
            [this](int index) { m_model->chooseSearchMode(SearchMode(m_modePopup->itemData(index).toInt())); });
    m_itemPopup = menuButton(QStringLiteral("itemPopup"), tr("Items"));
    m_subItemPopup = menuButton(QStringLiteral("subItemPopup"), tr("Sub Items"));
    m_labelPopup = menuButton(QStringLiteral("labelPopup"), tr("Labels"));

    m_replaceField = new QLineEdit(this);
    m_replaceField->setObjectName(QStringLiteral("replaceField"));
    m_replaceField->setAccessibleName(tr("Replacement text"));
    m_replaceField->setPlaceholderText(tr("Replace"));
    m_replaceButton = new QPushButton(tr("Replace"), this);
    m_replaceButton->setObjectName(QStringLiteral("replaceButton"));
    m_replaceButton->setAccessibleName(tr("Replace the current occurrence"));
    m_replaceButton->setAutoDefault(false);
    connect(m_replaceButton, &QPushButton::clicked, this, &FindPanel::replaceClicked);
    m_replaceAllButton = new QPushButton(tr("Replace All"), this);
    m_replaceAllButton->setObjectName(QStringLiteral("replaceAllButton"));
    m_replaceAllButton->setAccessibleName(tr("Replace every occurrence"));
    m_replaceAllButton->setAutoDefault(false);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &FindPanel::replaceAllClicked);
    QToolButton* previous =
        toolButton(this, QStringLiteral("previousButton"), tr("Previous"), tr("Previous occurrence"));
    previous->setArrowType(Qt::LeftArrow);
    connect(previous, &QToolButton::clicked, m_model, &FindPanelModel::stepPrevious);
    QToolButton* next = toolButton(this, QStringLiteral("nextButton"), tr("Next"), tr("Next occurrence"));
    next->setArrowType(Qt::RightArrow);
    connect(next, &QToolButton::clicked, m_model, &FindPanelModel::stepNext);

    m_lock = EditLockControls::create(this);
    connect(m_lock.button, &QToolButton::clicked, this, [this](bool on) {
        m_model->setEditState(on);
        updateControls(); // a refused change puts the button back
    });
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(tr("Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_lock.button);
    top->addWidget(m_searchField, 1);
    top->addWidget(m_modePopup);
    top->addWidget(previous);
    top->addWidget(next);
    layout->addLayout(top);
    layout->addWidget(m_errorLabel);
    auto* menus = new QHBoxLayout;
    menus->addWidget(m_itemPopup);
    menus->addWidget(m_subItemPopup);
    menus->addWidget(m_labelPopup);
    menus->addStretch();
    layout->addLayout(menus);
    auto* replace = new QHBoxLayout;
    replace->addWidget(m_replaceField, 1);
    replace->addWidget(m_replaceButton);
    replace->addWidget(m_replaceAllButton);
    layout->addLayout(replace);
    layout->addWidget(m_lock.separator);
    m_table = new QTableView(this);
    layout->addWidget(m_table, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);
}

void FindPanel::setUpTable()
{
    m_table->setObjectName(QStringLiteral("resultTable"));
    m_table->setAccessibleName(tr("Results"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new FindResultDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setWordWrap(false);
    QHeaderView* rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(FindPanelModel::RowHeight);
    QHeaderView* columns = m_table->horizontalHeader();
    columns->setStretchLastSection(true);
    // Results stay in contact order until a header is clicked.
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &FindPanel::rowSelected);
    connect(m_table, &QTableView::doubleClicked, this, &FindPanel::doubleClicked);
}

void FindPanel::start()
{
    m_model->setUp();
    m_searchField->setText(m_model->searchString());
    m_modePopup->setCurrentIndex(m_modePopup->findData(int(m_model->searchMode())));
    m_model->updateTable();
    updateControls();
}

void FindPanel::fillMenu(QMenu* menu, const QStringList& entries, const QStringList& selection, bool localize,
                         void (FindPanelModel::*choose)(const QString&))
{
    menu->clear();
    for (const QString& entry : entries) {
        QAction* action = menu->addAction(localize ? localized(entry) : entry);
        action->setCheckable(true);
        action->setChecked(selection.contains(entry));
        connect(action, &QAction::triggered, this, [this, entry, choose] { (m_model->*choose)(entry); });
    }
}

void FindPanel::updateControls()
{
    m_itemPopup->setText(m_model->itemMenuTitle());
    m_subItemPopup->setText(m_model->subItemMenuTitle());
    m_labelPopup->setText(m_model->labelMenuTitle());
    fillMenu(m_itemPopup->menu(), m_model->items(), m_model->selectedItems(), true, &FindPanelModel::chooseItem);
    fillMenu(m_subItemPopup->menu(), m_model->subItems(), m_model->selectedSubItems(), true,
             &FindPanelModel::chooseSubItem);
    fillMenu(m_labelPopup->menu(), m_model->labels(), m_model->selectedLabels(), false, &FindPanelModel::chooseLabel);
    m_errorLabel->setText(m_model->errorString());
    m_errorLabel->setVisible(!m_model->errorString().isEmpty());
    m_replaceButton->setEnabled(m_model->canReplace());
    m_replaceAllButton->setEnabled(m_model->canReplaceAll());
    m_lock.button->setEnabled(m_model->isEditable());
    m_lock.show(m_model->editState());
}

void FindPanel::resultsReset()
{
    // Rows are one line high unless their value has more.
    const int rows = m_model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const int lines = m_model->index(row, FindPanelModel::ValueColumn).data(FindPanelModel::LineCountRole).toInt();
        if (lines > 1)
            m_table->setRowHeight(row, FindPanelModel::RowHeight * lines);
    }
}

void FindPanel::showCurrent(qsizetype row)
{
    m_syncing = true;
    if (row < 0) {
        m_table->clearSelection();
    } else {
        const QModelIndex index = m_model->index(int(row), FindPanelModel::ValueColumn);
        m_table->selectionModel()->setCurrentIndex(index,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_table->scrollTo(index);
    }
    m_syncing = false;
    updateControls();
}

void FindPanel::rowSelected()
{
    if (m_syncing)
        return;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (!rows.isEmpty())
        m_model->selectRow(rows.first().row());
}

void FindPanel::doubleClicked(const QModelIndex& index)
{
    if (!index.isValid() || !m_model->editState())
        return;
    const FindRecordPtr record = m_model->searchResults().at(index.row());
    if (!record->isDate())
        return; // other values are typed in the cell
    EditorContext context;
    context.contact = record->contact;
    context.type = record->item;
    context.index = int(qMax<qsizetype>(0, record->index));
    if (record->item == Field::Dates)
        context.labelIndex = record->contact->person->labeledValueForIdentifier(Field::Dates, record->index)
                                 .value_or(LabeledValue())
                                 .labelIndex;
    context.editEnabled = true;
    EditorOptions options;
    options.contacts = {record->contact};
    const QRect cell = m_table->visualRect(index);
    FieldEditors::open(PopoverKind::Date, context, options, this,
                       QRect(m_table->viewport()->mapToGlobal(cell.topLeft()), cell.size()),
                       [this, record](const EditorContext& closed) { dateEdited(record, closed); });
}

void FindPanel::dateEdited(const FindRecordPtr& record, const EditorContext& closed)
{
    if (!closed.dirty)
        return;
    // The rows may have been sorted while the editor was open: the record says where it is now.
    const qsizetype row = m_model->searchResults().indexOf(record);
    if (const auto* birthday = std::get_if<BirthdayValue>(&closed.value))
        m_model->setDateValue(row, birthday->value);
    else if (const auto* value = std::get_if<LabeledValue>(&closed.value))
        m_model->setDateValue(row, value->date);
}

void FindPanel::replaceClicked()
{
    m_model->replace(m_replaceField->text());
}

void FindPanel::replaceAllClicked()
{
    m_model->replaceAll(m_replaceField->text());
    m_table->clearSelection();
}

} // namespace Quillary::Ui
