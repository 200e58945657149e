#pragma once

#include "SubContactRow.h"

#include <QStringList>

namespace Quillary {

/// What one cell of the contacts table shows, decided without pixels: the window only draws it.
struct CellContent
{
    enum class Template { None, Name, DetailCell, TextCell, PopupAndText };
    Template cellTemplate = Template::None;
    QString text;
    QString detailText; ///< second line of the name cell
    QString label; ///< the value's label (labelled cells)
    QStringList labels; ///< the labels the pop-up offers
    bool boldText = false; ///< the name in the bold font
    /// A name repeated on a later row of its contact, drawn greyed: the row stands apart from the
    /// contact's first row (a sort spread its rows), so a name tells whose value it shows.
    bool dimmed = false;
    bool showsImage = false; ///< the contact's thumbnail beside the name
    bool editable = false; ///< the text can be edited in place
    bool hasValue = false; ///< a labelled cell with a value (label pop-up shown)
};

/// Settings of the table that change what cells show.
struct CellOptions
{
    QStringList selectedLabels{QStringLiteral("All")};
    bool editState = false;
    bool showNameInAllRows = false;
    bool showCompanyInNameCell = false;
};

/// A stretch of a cell's text that the find bar marks.
struct TextHighlight
{
    int start = 0;
    int length = 0;
    bool current = false; ///< the match the find bar stands on

    friend bool operator==(const TextHighlight&, const TextHighlight&) = default;
};

/// Where in a cell the find bar's current match lies: the cell and the stretch of its text.
struct CellMatch
{
    int row = -1;
    int column = -1;
    int start = 0;
    int length = 0;

    [[nodiscard]] bool isValid() const { return row >= 0 && column >= 0 && length > 0; }
    friend bool operator==(const CellMatch&, const CellMatch&) = default;
};

namespace TableCells {

/// The cell of a row (at table position `tableRow`) in a column.
[[nodiscard]] CellContent cell(const SubContactRow& row, int tableRow, const QString& identifier,
                               const CellOptions& options);

/// The number of text lines of a row over the given columns, for the values the row shows.
[[nodiscard]] int numLines(const SubContactRow& row, const QStringList& identifiers, bool showCompanyInNameCell,
                           const QStringList& selectedLabels);

/// The summary row's text: "%1: total %2 contacts".
[[nodiscard]] QString summaryText(const QString& groupName, int contactCount);

/// Where the search string occurs in a text: (start, length) pairs, left to right.
[[nodiscard]] QList<std::pair<int, int>> highlightRanges(const QString& text, const QString& searchString,
                                                         Qt::CaseSensitivity cs = Qt::CaseSensitive);

/// The field a column edits: "Address" for an address part, the column itself otherwise.
[[nodiscard]] QString fieldOfColumn(const QString& identifier);

} // namespace TableCells

} // namespace Quillary
