#pragma once

#include <QWidget>

class QAbstractItemView;

namespace Quillary::Ui {

/// What an empty table says instead of nothing: how contacts get in. It lies over the table's
/// viewport while the table has no rows, lets every mouse event and drop through to the table, and
/// follows its size.
class EmptyStateOverlay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EmptyStateOverlay)

public:
    EmptyStateOverlay(QAbstractItemView* view, const QString& title, const QString& hint);
    ~EmptyStateOverlay() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QAbstractItemView* m_view;
    QString m_title;
    QString m_hint;
};

} // namespace Quillary::Ui
