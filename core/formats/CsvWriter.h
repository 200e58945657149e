#pragma once

#include "model/ContactEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace Quillary {

/// One line to write: a contact and which of its table rows it stands for. Row 0 carries the
/// contact's single-valued fields; row n carries the n-th value of every multi-valued field. The
/// line writer also takes -1: every value of each multi-valued field on one line.
struct CsvRow
{
    ContactEntryPtr contact;
    int index = 0;
    /// The position of each multi-valued field's value in a row of the table, which may show others
    /// than the n-th (those that pass a label filter, in the order of the sort); -1 for none.
    std::optional<std::array<int, LabeledFieldCount>> positions = std::nullopt;

    /// The position of the value of a field this line carries.
    [[nodiscard]] int position(LabeledField field) const { return positions ? (*positions)[size_t(field)] : index; }

    friend bool operator==(const CsvRow&, const CsvRow&) = default;
};

using CsvRows = QList<CsvRow>;

/// One column of the CSV file layout: its header, the field it takes its value from, the label a
/// labelled value must have to belong to it, and the part of the value it shows.
struct CsvColumn
{
    QString header;
    QString type; ///< a field identifier, or "compositeName"
    QString label; ///< empty for single-valued columns
    QString subField; ///< "FirstName"/"LastName" of the name, "ZIP"/"State"/"City"/"Street" of an address
};

/// The CSV writers: whole files in the fixed 32-column layout, and single lines in any order of
/// fields for the pasteboard. Both only read the contacts, so they may run on any thread while
/// nobody edits them.
namespace CsvWriter {

/// The 32 columns of a CSV file, in order.
[[nodiscard]] const QList<CsvColumn>& columns();

/// The header line, ended by LF.
[[nodiscard]] QString headerLine();

/// The header line and one line per row, each ended by LF, as UTF-8 text. A value with a comma, a
/// line break other than LF, or a leading double quote is written between double quotes, its
/// double quotes doubled; LF and tab are written as \n and \t.
[[nodiscard]] QByteArray csvFromSubContacts(const CsvRows& rows);
/// One line per contact: the first row of each.
[[nodiscard]] QByteArray csvFromSubContacts(const ContactTable& contacts);

/// One row as one line without line end: the fields named by the identifiers, in their order, each
/// followed by the separator (the last one removed).
[[nodiscard]] QString csvStringFromContact(const CsvRow& row, const QStringList& identifiers, const QString& separator);

/// Every row a contact has in the CSV layout: as many as its longest list of phones, e-mails,
/// addresses or social profiles (at least one).
[[nodiscard]] CsvRows rowsOfContacts(const ContactTable& contacts);

} // namespace CsvWriter

} // namespace Quillary
