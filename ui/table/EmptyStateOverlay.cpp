#include "EmptyStateOverlay.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>

namespace Quillary::Ui {

EmptyStateOverlay::EmptyStateOverlay(QAbstractItemView* view, const QString& title, const QString& hint)
    : QWidget(view->viewport()), m_view(view), m_title(title), m_hint(hint)
{
    setObjectName(QStringLiteral("emptyState"));
    setAccessibleName(title);
    setAccessibleDescription(hint);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    view->viewport()->installEventFilter(this);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyStateOverlay::follow);
    connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyStateOverlay::follow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyStateOverlay::follow);
    follow();
}

EmptyStateOverlay::~EmptyStateOverlay() = default;

void EmptyStateOverlay::follow()
{
    setGeometry(m_view->viewport()->rect());
    setVisible(m_view->model()->rowCount() == 0);
    QWidget::update();
}

bool EmptyStateOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        setGeometry(m_view->viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

void EmptyStateOverlay::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    const QColor color = palette().color(QPalette::Active, QPalette::PlaceholderText);
    painter.setPen(color);
    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    const QRect area = rect().adjusted(24, 0, -24, 0);
    const QRect hint = QFontMetrics(font()).boundingRect(area, Qt::AlignHCenter | Qt::TextWordWrap, m_hint);
    const int top = (height() - titleMetrics.height() - 8 - hint.height()) / 2;
    painter.setFont(titleFont);
    painter.drawText(QRect(area.left(), top, area.width(), titleMetrics.height()), Qt::AlignCenter, m_title);
    painter.setFont(font());
    painter.drawText(QRect(area.left(), top + titleMetrics.height() + 8, area.width(), hint.height()),
                     Qt::AlignHCenter | Qt::TextWordWrap, m_hint);
}

} // namespace Quillary::Ui
