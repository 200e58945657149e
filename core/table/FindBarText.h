#pragma once

#include "SubContactRow.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

class ContactsViewController;

/// A stretch of the find bar's text: where it starts and how long it is.
struct TextRange
{
    qsizetype location = 0;
    qsizetype length = 0;

    [[nodiscard]] qsizetype end() const { return location + length; }
    [[nodiscard]] bool contains(qsizetype at) const { return at >= location && at < end(); }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

/// One sub-field of a row as the find bar reads it: its text with the "\n" that ends it, where it
/// lies in the row's text, and where its column's sub-fields lie up to and including it.
struct FindTextItem
{
    QString string;
    TextRange range; ///< relative to the start of the row
    TextRange sectionRange; ///< the column's first item up to the end of this one, relative to the row
    QString identifier; ///< the column
    QString subIdentifier; ///< "FirstName", "service", "ZIP", ... or the column itself

    /// The text without its closing "\n".
    [[nodiscard]] QStringView text() const { return QStringView(string).chopped(1); }
};

/// The contacts table read as one text, the way the find bar searches it: the rows in display
/// order, each contributing, for every column and sub-field, the sub-field's text and a "\n". Rows
/// are laid out only when asked for and then kept until the table's rows are rebuilt, so that a
/// search over a large table lays the text out once and every later search and location look-up is
/// cheap.
class FindBarText
{
public:
    explicit FindBarText(const ContactsViewController& controller);

    /// The items of one row for the current columns; empty for a row that does not exist.
    [[nodiscard]] QList<FindTextItem> rangesInContact(int row) const;
    /// The same for a row and a list of columns.
    [[nodiscard]] static QList<FindTextItem> rangesInContact(const SubContactRow& row, const QStringList& columns,
                                                             const QStringList& selectedLabels = {});

    /// Lays out the rows from `row` to the last; answers the length of the whole text.
    qsizetype updateRangeTableFrom(int row);
    /// The length of the whole text, laying out the rows not laid out yet.
    qsizetype stringLength();
    /// The row whose text holds the location (the last row at the very end); -1 for none. Looks
    /// near the row found last before halving the table, so that stepping through matches is cheap.
    int dictForLocation(qsizetype location);
    /// Where a row's text lies; the row must have been laid out.
    [[nodiscard]] TextRange rowRange(int row) const;
    /// The item holding the location, with its range in the whole text; spaces up to the end of the
    /// text when no row or item holds it.
    [[nodiscard]] QString stringAtIndex(qsizetype location, TextRange* effectiveRange);
    /// The whole text, laid out.
    [[nodiscard]] const QString& text();

    /// The rows were rebuilt: everything is laid out again when next asked.
    void invalidate();
    [[nodiscard]] int laidOutRows() const { return m_laidOut; }
    /// Changes with every new layout of the text, so that searches know when their matches are stale.
    [[nodiscard]] quint64 generation() const { return m_generation; }

private:
    const ContactsViewController& m_controller;
    QString m_text;
    QList<qsizetype> m_starts{0}; ///< start of every laid-out row, and the end of the last one
    int m_laidOut = 0; ///< rows whose range is up to date
    int m_lastIndex = 0; ///< where the last location look-up ended
    quint64 m_generation = 1;
};

} // namespace Quillary
