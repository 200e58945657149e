#include "GroupMenuList.h"

#include "documents/GroupMenuModel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {
constexpr int VisibleRows = 20;
constexpr int ListWidth = 320;
} // namespace

GroupMenuList::GroupMenuList(const GroupTable& groups, const GroupEntryPtr& selected, QWidget* parent)
    : QWidget(parent), m_model(new GroupMenuModel(groups, selected, this)), m_filter(new QLineEdit(this)),
      m_list(new QListView(this))
{
    setObjectName(QStringLiteral("groupMenuList"));
    m_filter->setObjectName(QStringLiteral("groupFilterField"));
    m_filter->setPlaceholderText(tr("Filter Groups"));
    m_filter->setAccessibleName(tr("Filter Groups"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("groupList"));
    m_list->setAccessibleName(tr("Groups"));
    m_list->setUniformItemSizes(true); // rows are measured once, not a hundred thousand times
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int rowHeight = m_list->sizeHintForRow(0) > 0 ? m_list->sizeHintForRow(0) : fontMetrics().height() + 4;
    m_list->setFixedSize(ListWidth, rowHeight * VisibleRows + 2 * m_list->frameWidth());
    if (const int row = m_model->selectedRow(); row >= 0) {
        m_list->setCurrentIndex(m_model->index(row));
        m_list->scrollTo(m_model->index(row), QAbstractItemView::PositionAtCenter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model->setFilterText(text);
        if (m_model->rowCount() > 0)
            m_list->setCurrentIndex(m_model->index(qMax(0, m_model->selectedRow())));
    });
    connect(m_filter, &QLineEdit::returnPressed, this, [this] { choose(m_list->currentIndex()); });
    connect(m_list, &QListView::clicked, this, &GroupMenuList::choose);
    connect(m_list, &QListView::activated, this, &GroupMenuList::choose);
    m_filter->installEventFilter(this);
    setFocusProxy(m_filter);
}

GroupMenuList::~GroupMenuList() = default;

bool GroupMenuList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            m_list->setFocus();
            QCoreApplication::sendEvent(m_list, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GroupMenuList::choose(const QModelIndex& index)
{
    if (const GroupEntryPtr group = m_model->groupAt(index.row()))
        Q_EMIT groupChosen(group);
}

} // namespace Quillary::Ui
