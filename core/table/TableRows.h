#pragma once

#include "SubContactRow.h"
#include "documents/ContactCollection.h"
#include "documents/SortDescriptor.h"
#include "formats/CsvWriter.h"
#include "model/LabeledValueOrder.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVarLengthArray>

#include <array>
#include <memory>
#include <optional>

namespace Quillary {

/// Building the rows of the contacts table from an owner's contacts.
namespace TableRows {

/// Whether a value with this label passes the label filter (["All"] passes everything).
[[nodiscard]] bool passesLabelFilter(const QStringList& selectedLabels, const QString& label);

/// The labelled list a column shows: its own for a labelled field, the addresses for an address
/// part; none for other columns.
[[nodiscard]] std::optional<LabeledField> listForColumn(const QString& identifier);

/// Registers the labels met in contacts with the custom label tables, once per label and field.
class LabelCollector
{
public:
    enum Mode { Registering, Deferred };
    /// A deferred collector only notes the labels it meets first, for registerWith() on the thread
    /// that owns the label tables: rows are counted on several threads.
    explicit LabelCollector(Mode mode = Registering) : m_mode(mode) { }

    void addLabel(const QString& label, const QString& identifier);
    /// Passes the labels a deferred collector met, in the order met, to another.
    void registerWith(LabelCollector& other) const;

private:
    Mode m_mode;
    QList<std::pair<QString, QString>> m_deferred; // label, field
    struct Seen
    {
        QString field;
        QSet<QString> labels; ///< registered
    };
    std::vector<std::unique_ptr<Seen>> m_seen; // a few fields: found by the address of their name first
    Seen* seen(const QString& field);
    // Labels met lately, known again by their data without hashing the text: most are a few shared
    // texts. The copies keep that data alive, so its address cannot come back for another text.
    struct Recent
    {
        QString field;
        QString label;
    };
    std::array<Recent, 64> m_recent;
    Seen* m_lastSeen = nullptr;
};

/// The position in the contact's list of the value that a row shows for a field: the row's
/// `index`-th value that passes the filter; -1 when the row shows none.
[[nodiscard]] qsizetype valuePosition(const SubContactRow& row, LabeledField field, const QStringList& selectedLabels);
/// That value itself, or none.
[[nodiscard]] const LabeledValue* rowValue(const SubContactRow& row, LabeledField field,
                                           const QStringList& selectedLabels);

/// A row as a line of the CSV writers, with the positions of the values it shows.
[[nodiscard]] CsvRow csvRow(const SubContactRow& row, const QStringList& selectedLabels);

/// The order in which the rows of a contact show the values of the field a sort key orders.
struct ValueOrder
{
    QString sortKey;
    bool ascending = true;
    LabeledField field; ///< the field the key orders (PersonDsc::fieldSortedBy)
    const LabeledValueOrder* values = nullptr; ///< how it orders them

    /// The order of a sort key in a direction; none when the key orders no values.
    [[nodiscard]] static std::optional<ValueOrder> of(const QString& sortKey, bool ascending);
};

/// The rows of one contact for the given columns: as many as the shown field with the most values
/// that pass the filter has, and at least one.
void createSubContactsFromContact(const ContactEntryPtr& contact, const QStringList& identifiers,
                                  const QStringList& selectedLabels, SubContactTable& rows,
                                  LabelCollector* labels = nullptr);

/// The columns that give a contact rows, with the list each shows: worked out once per rebuild.
struct RowColumn
{
    QString identifier;
    LabeledField field;
};
[[nodiscard]] QList<RowColumn> rowColumns(const QStringList& identifiers);
/// How many rows a contact has for the columns (registering the labels met): as many as the shown
/// field with the most values that pass the filter has, and at least one.
[[nodiscard]] int rowCount(const ContactEntry& contact, const QList<RowColumn>& columns,
                           const QStringList& selectedLabels, LabelCollector* labels);
/// The positions of a field's values that the rows of a contact show, row 0 first: those that pass
/// the filter, in the order of the sort key when it orders this field, else as stored.
using ShownPositions = QVarLengthArray<qsizetype, 8>;
[[nodiscard]] ShownPositions shownPositions(const PersonDsc& person, LabeledField field,
                                            const QStringList& selectedLabels, const std::optional<ValueOrder>& order);
/// The positions of the values that pass a label filter, by field, for a contact of many rows
/// under a filter; none otherwise (the rows find their values by a short scan).
using PassingPositions = std::shared_ptr<const std::array<QList<int>, LabeledFieldCount>>;
[[nodiscard]] PassingPositions passingPositions(const PersonDsc& person, const QStringList& selectedLabels,
                                                int rowCount);
void createSubContactsFromContact(const ContactEntryPtr& contact, const QList<RowColumn>& columns,
                                  const QStringList& selectedLabels, SubContactTable& rows, LabelCollector* labels,
                                  const std::optional<ValueOrder>& order = std::nullopt);

/// Whether a contact belongs to the rows of a group.
[[nodiscard]] bool isShownInGroup(const ContactEntry& contact, const GroupEntry& group);

/// The rows of the selected group; the rows of each contact show the values of the field that the
/// sort key orders in that order, without changing the contact.
[[nodiscard]] SubContactTable updateSubContactTable(const ContactCollection& collection, const QStringList& identifiers,
                                                    const std::optional<SortDescriptor>& sort,
                                                    LabelCollector* labels = nullptr);

/// Marks the rows that directly follow a row of the same contact.
void markContinuationRows(SubContactTable& rows);

} // namespace TableRows

} // namespace Quillary
