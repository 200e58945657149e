#pragma once

#include "model/GroupEntry.h"

#include <QAbstractListModel>

namespace Quillary {

/// The groups of a group menu that holds too many of them for one item each: a list to scroll, with
/// a filter on the groups' titles. A file can have a category per contact, and a menu of a hundred
/// thousand items takes long to build and cannot be used.
class GroupMenuModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupMenuModel)

public:
    /// Above this many groups the menus show the list instead of an item per group.
    static constexpr qsizetype ItemLimit = 40;

    GroupMenuModel(GroupTable groups, GroupEntryPtr selected, QObject* parent = nullptr);
    ~GroupMenuModel() override;

    /// Shows only the groups whose title contains the text, ignoring case; "" shows every group.
    void setFilterText(const QString& text);
    [[nodiscard]] const QString& filterText() const { return m_filterText; }

    /// The group of a row; none outside the rows.
    [[nodiscard]] GroupEntryPtr groupAt(int row) const;
    /// The row of the selected group; -1 when the filter hides it.
    [[nodiscard]] int selectedRow() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    /// The group's title ("groupId") as DisplayRole; Qt::Checked as CheckStateRole for the selection.
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    GroupTable m_groups;
    GroupEntryPtr m_selected;
    QString m_filterText;
    QList<qsizetype> m_shown; ///< positions in m_groups of the rows
};

} // namespace Quillary
