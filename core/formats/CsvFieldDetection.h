#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

/// What one column of a CSV file being read holds, guessed from its header text.
struct CsvColumnDescriptor
{
    QString fieldName; ///< the header text
    QString type; ///< a column type: "Name", "Phone", "ZIP", "Social Network", "Unknown", ...
    QString label; ///< "Home", "Work", "Mobile" or "Other"; the service of a social network; else empty

    friend bool operator==(const CsvColumnDescriptor&, const CsvColumnDescriptor&) = default;
};

/// Guessing the contents of CSV columns from words in their header texts ("Home Phone", "Work
/// Email", "Other ZIP"), so that the files Quillary writes and many hand-made ones can be read.
namespace CsvFieldDetection {

namespace ColumnType {
inline const QString FirstName = QStringLiteral("FirstName");
inline const QString LastName = QStringLiteral("LastName");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString Unknown = QStringLiteral("Unknown");
} // namespace ColumnType

/// The column type named by words in a header, case-insensitively: "FirstName", "LastName",
/// "Nickname", "Name", "Phone", "Email", "Address", "Birthday", "Job Title", "Title", "Company",
/// "Department", "Note", "Facebook", "LinkedIn", "Flickr", "SinaWeibo", or "" for none.
[[nodiscard]] QString detectType(QStringView header);
/// "Home", "Work" (also for "Business"), "Mobile" or "Other".
[[nodiscard]] QString detectLabel(QStringView header);
/// "ZIP", "State", "City" or "Street".
[[nodiscard]] QString detectAddressType(QStringView header);

/// The descriptor of a column; a header that ends in "Type" or "Label" names the label of another
/// column's value and gives "Unknown".
[[nodiscard]] CsvColumnDescriptor columnDescriptor(const QString& header);
[[nodiscard]] QList<CsvColumnDescriptor> columnDescriptors(const QStringList& headers);

/// Whether the first line of a file is its header: its first field is "Name", or another header
/// text of the columns Quillary writes ("First Name", "Title", ...), as the exports of mail
/// programs begin.
[[nodiscard]] bool isHeaderLine(const QStringList& fields);

/// The columns assumed for a file without a header line.
[[nodiscard]] const QStringList& defaultHeader();

} // namespace CsvFieldDetection

} // namespace Quillary
