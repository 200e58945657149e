#pragma once

#include <QAbstractTableModel>

namespace Quillary {

class ContactsViewController;

/// The contacts table as an item model: one column per column identifier, one row per table row
/// and the summary row last. Views read what cells show through the roles; the model is reset
/// whenever the controller rebuilds its rows, and never rebuilds rows when asked for data.
class ContactsTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContactsTableModel)

public:
    enum Role {
        CellTemplateRole = Qt::UserRole + 1, ///< CellContent::Template as int
        DetailTextRole,
        LabelRole,
        LabelsRole,
        EditableRole,
        HasValueRole,
        BoldRole,
        ShowsImageRole,
        NumLinesRole, ///< text lines of the row
        SummaryRole, ///< true on the summary row
        UniqueIdRole,
        ValueIndexRole, ///< which value of the contact the row shows
        NotFirstRowRole,
        HighlightRole, ///< QVariantList of QPoint(start, length) where the search string occurs
        IdentifierRole, ///< the column's field identifier
    };

    ContactsTableModel(const ContactsViewController& controller, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // Used by the controller around a rebuild of its rows.
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void refreshAll();

private:
    QVariant rowData(int row, int role) const;

    const ContactsViewController& m_controller;
};

} // namespace Quillary
