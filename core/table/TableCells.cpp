#include "TableCells.h"

#include "TableRows.h"
#include "model/LabelTable.h"
#include "support/CoreTr.h"

namespace Quillary::TableCells {

namespace {

QString orNoName(const QString& text)
{
    return text.isEmpty() ? Tr::tr("No name") : text;
}

CellContent nameCell(const SubContactRow& row, int tableRow, const CellOptions& options)
{
    CellContent cell;
    cell.cellTemplate = CellContent::Template::Name;
    const PersonDsc& person = row.person();
    if (tableRow > 0 && row.index > 0) {
        // Below another contact's row, an empty name cell would make the row read as that contact's.
        if (options.showNameInAllRows || !row.notFirstRow)
            cell.text = orNoName(person.compositeName());
        cell.dimmed = !options.showNameInAllRows;
        return cell;
    }
    cell.showsImage = true;
    cell.text = orNoName(person.compositeName());
    if (options.showCompanyInNameCell) {
        const QString company = person.stringValueForIdentifier(Field::Company);
        const QString name = orNoName(person.nameValue().stringValue);
        cell.text = person.showAsPerson() ? name : company;
        cell.detailText = person.showAsPerson() ? company : name;
    }
    if (!cell.detailText.isEmpty())
        cell.cellTemplate = CellContent::Template::DetailCell;
    else
        cell.boldText = true;
    return cell;
}

CellContent labeledCell(const SubContactRow& row, const QString& identifier, LabeledField field,
                        const CellOptions& options)
{
    CellContent cell;
    cell.cellTemplate = CellContent::Template::PopupAndText;
    const LabeledValue* shown = TableRows::rowValue(row, field, options.selectedLabels);
    if (!shown)
        return cell;
    const LabeledValue& value = *shown;
    const bool part = field == LabeledField::Address && identifier != Field::Address;
    cell.text = part ? value.address.part(identifier) : value.stringValue();
    if (!part && cell.text.isEmpty())
        return cell;
    cell.hasValue = true;
    cell.label = value.label;
    const QString labelField = FieldIdentifiers::identifier(field);
    cell.labels = options.editState ? LabelTable::labelsForIdentifier(labelField).value_or(QStringList())
                                    : QStringList{value.label};
    // Addresses and instant messages are edited in their own editors.
    cell.editable = options.editState && field != LabeledField::Address && field != LabeledField::InstantMessage;
    if (part)
        cell.editable = options.editState;
    return cell;
}

/// The text of a column in a row, for measuring the row.
QString measuredText(const SubContactRow& row, const QString& identifier, const QStringList& selectedLabels)
{
    const PersonDsc& person = row.person();
    if (const std::optional<LabeledField> field = TableRows::listForColumn(identifier)) {
        const LabeledValue* value = TableRows::rowValue(row, *field, selectedLabels);
        if (!value)
            return {};
        return *field == LabeledField::Address && identifier != Field::Address ? value->address.part(identifier)
                                                                               : value->stringValue();
    }
    if (row.index > 0)
        return {};
    return person.stringValueForIdentifier(identifier, 0);
}

int lineCount(const QString& text)
{
    if (text.isEmpty())
        return 0;
    int lines = 1;
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029))
            ++lines;
    }
    return lines;
}

} // namespace

QString fieldOfColumn(const QString& identifier)
{
    return FieldIdentifiers::addressIdentifiers().contains(identifier) ? Field::Address : identifier;
}

CellContent cell(const SubContactRow& row, int tableRow, const QString& identifier, const CellOptions& options)
{
    if (identifier == Field::Name)
        return nameCell(row, tableRow, options);
    if (const std::optional<LabeledField> field = TableRows::listForColumn(identifier))
        return labeledCell(row, identifier, *field, options);
    CellContent cell;
    if (identifier == Field::PhoneticName || identifier == Field::Birthday) {
        cell.cellTemplate = CellContent::Template::TextCell;
        if (row.index == 0)
            cell.text = row.person().stringValueForIdentifier(identifier, 0);
        return cell;
    }
    if (row.index > 0)
        return cell; // no view
    cell.cellTemplate = CellContent::Template::TextCell;
    cell.text = row.person().stringValueForIdentifier(identifier);
    cell.editable = options.editState;
    return cell;
}

int numLines(const SubContactRow& row, const QStringList& identifiers, bool showCompanyInNameCell,
             const QStringList& selectedLabels)
{
    int count = showCompanyInNameCell ? 2 : 1;
    for (const QString& identifier : identifiers) {
        count = std::max(count, lineCount(measuredText(row, identifier, selectedLabels)));
        if (identifier == Field::Note && count >= 6)
            count = 5;
    }
    return count;
}

QString summaryText(const QString& groupName, int contactCount)
{
    return Tr::tr("%1: total %2 contacts").arg(groupName).arg(contactCount);
}

QList<std::pair<int, int>> highlightRanges(const QString& text, const QString& searchString, Qt::CaseSensitivity cs)
{
    QList<std::pair<int, int>> ranges;
    if (searchString.isEmpty())
        return ranges;
    for (qsizetype at = text.indexOf(searchString, 0, cs); at >= 0;
         at = text.indexOf(searchString, at + searchString.size(), cs))
        ranges.append({int(at), int(searchString.size())});
    return ranges;
}

} // namespace Quillary::TableCells
