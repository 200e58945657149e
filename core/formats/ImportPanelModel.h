#pragma once

#include "model/ContactEntry.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace Quillary {

/// One row of the import panel's detail table: a field and its value as shown.
struct ImportDetailRow
{
    QString type; ///< the field identifier
    QString value; ///< the text shown; a list shows one entry per line, each ended by LF

    friend bool operator==(const ImportDetailRow&, const ImportDetailRow&) = default;
};

/// The detail table of the import panel: every field of one contact that has a value.
class ImportDetailModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportDetailModel)

public:
    enum Column { TypeColumn, ValueColumn, ColumnCount };

    explicit ImportDetailModel(QObject* parent = nullptr);

    /// The rows of a contact, in the panel's field order; none for no contact.
    [[nodiscard]] static QList<ImportDetailRow> detailRows(const PersonDsc* person);

    void setContact(const ContactEntryPtr& contact);
    [[nodiscard]] const QList<ImportDetailRow>& rows() const { return m_rows; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    QList<ImportDetailRow> m_rows;
};

/// What the import panel shows and decides, without its window: the file name, the contacts
/// offered by name, the details of the contact looked at, and the contacts chosen. The window
/// ends with `SelectCode` (the select button) or `CancelCode`; the opener then reads
/// `selectedIndexes`.
class ImportPanelModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportPanelModel)

public:
    enum Role {
        /// Whether the contact is shown as a company (the list shows a company icon).
        CompanyRole = Qt::UserRole + 1,
    };
    static constexpr int SelectCode = 1;
    static constexpr int CancelCode = 0;

    explicit ImportPanelModel(QObject* parent = nullptr);

    [[nodiscard]] const QString& filename() const { return m_filename; }
    void setFilename(const QString& filename) { m_filename = filename; }

    /// The contacts to offer; clears the selection and the details.
    void setNameTable(const ContactTable& contacts);
    [[nodiscard]] const ContactTable& nameTable() const { return m_nameTable; }

    /// The contact whose details are shown; -1 for none.
    void setCurrentRow(int row);
    [[nodiscard]] int currentRow() const { return m_currentRow; }
    [[nodiscard]] ImportDetailModel* detailModel() { return &m_details; }

    /// The rows chosen in the name list; rows out of range are dropped, the rest kept in ascending order once each.
    void setSelectedIndexes(const QList<int>& rows);
    [[nodiscard]] const QList<int>& selectedIndexes() const { return m_selectedIndexes; }
    [[nodiscard]] ContactTable selectedContacts() const;

    /// The name a contact is listed by: its composite name, or "No name".
    [[nodiscard]] static QString listedName(const ContactEntry& contact);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

private:
    QString m_filename;
    ContactTable m_nameTable;
    QList<int> m_selectedIndexes;
    int m_currentRow = -1;
    ImportDetailModel m_details;
};

} // namespace Quillary
