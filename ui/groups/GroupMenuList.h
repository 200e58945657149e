#pragma once

#include "model/GroupEntry.h"

#include <QWidget>

class QLineEdit;
class QListView;
class QModelIndex;

namespace Quillary {
class GroupMenuModel;
}

namespace Quillary::Ui {

/// The groups of a group menu when there are too many for an item each: a filter field over a list
/// that scrolls. Typing filters the list; Down moves into it; Return or a click chooses a group.
class GroupMenuList final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupMenuList)

public:
    GroupMenuList(const GroupTable& groups, const GroupEntryPtr& selected, QWidget* parent = nullptr);
    ~GroupMenuList() override;

    [[nodiscard]] QLineEdit* filterField() const { return m_filter; }
    [[nodiscard]] QListView* listView() const { return m_list; }
    [[nodiscard]] GroupMenuModel* model() const { return m_model; }

Q_SIGNALS:
    void groupChosen(const Quillary::GroupEntryPtr& group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(const QModelIndex& index);

    GroupMenuModel* m_model;
    QLineEdit* m_filter;
    QListView* m_list;
};

} // namespace Quillary::Ui
