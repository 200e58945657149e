#pragma once

#include "model/ContactEntry.h"

#include <QList>
#include <QString>

#include <memory>

namespace Quillary {

/// How the find panel compares texts. The values are the compare options the panel keeps.
enum class SearchMode { CaseSensitive = 0, CaseInsensitive = 1, Regex = 1024 };

/// One occurrence inside a value: offset and length in UTF-16 units.
struct FindRange
{
    qsizetype location = 0;
    qsizetype length = 0;

    [[nodiscard]] qsizetype end() const { return location + length; }
    friend bool operator==(const FindRange&, const FindRange&) = default;
};
using FindRanges = QList<FindRange>;

/// One field of one contact that holds the search text: a row of the find panel's results. It is
/// shared, so that undo steps keep changing the very record the table shows, whatever its position
/// after a sort.
struct FindRecord
{
    QString name; ///< the contact's composite name
    QString item; ///< the field identifier ("Name", "Phone", "Address", ...)
    QString subItem; ///< a name or address part, an instant-message service, or ""
    QString label; ///< the labelled value's label; "" for fields without labels
    qsizetype index = -1; ///< position in the labelled field; -1 for fields without labels
    QString value; ///< the searched text
    FindRanges ranges; ///< every occurrence in `value`
    ContactEntryPtr contact;

    /// Birthday and Dates records are edited with a date editor and never replaced as text.
    [[nodiscard]] bool isDate() const;
};
using FindRecordPtr = std::shared_ptr<FindRecord>;
using FindRecords = QList<FindRecordPtr>;

} // namespace Quillary
