#include "WorkspaceActions.h"

#include "TableRows.h"
#include "WorkspaceLinks.h"
#include "support/CoreTr.h"

namespace Quillary::WorkspaceActions {

namespace {

/// A date of the row in a "Dates" or "Birthday" column, with what the event is called.
std::pair<DateComponents, QString> dateOf(const SubContactRow& row, const QString& column,
                                          const QStringList& selectedLabels)
{
    const PersonDsc& person = row.person();
    if (column == Field::Birthday)
        return {row.index == 0 ? person.birthdayValue().value : DateComponents(), Tr::tr("Birthday")};
    const LabeledValue* value = TableRows::rowValue(row, LabeledField::Dates, selectedLabels);
    return value ? std::pair(value->date, value->label) : std::pair(DateComponents(), QString());
}

/// The text the row's cell shows in a column.
QString cellText(const SubContactRow& row, const QString& column, const QStringList& selectedLabels)
{
    if (const std::optional<LabeledField> field = FieldIdentifiers::labeledField(column)) {
        const LabeledValue* value = TableRows::rowValue(row, *field, selectedLabels);
        return value ? value->stringValue() : QString();
    }
    return row.person().stringValueForIdentifier(column, row.index);
}

QUrl calendarEvent(const SubContactRow& row, const QString& column, const QDateTime& now, QString* error,
                   const QStringList& selectedLabels)
{
    const auto [date, what] = dateOf(row, column, selectedLabels);
    if (!date.isValid())
        return {};
    const QString name = row.person().compositeName();
    const QString summary = what.isEmpty() ? name : name + QStringLiteral(": ") + what;
    const QString uid = row.uniqueId() + u'-' + column + u'-' + QString::number(row.index);
    return WorkspaceLinks::yearlyEventFile(date, summary, uid, now, error);
}

} // namespace

QUrl urlFor(MenuAction action, const SubContactRow& row, const QString& column, const QDateTime& now, QString* error,
            const QStringList& selectedLabels)
{
    const QString text = cellText(row, column, selectedLabels);
    switch (action) {
    case MenuAction::CallPhone:
        return column == Field::Phone ? WorkspaceLinks::phone(text) : QUrl();
    case MenuAction::SendEmail:
        return column == Field::Email ? WorkspaceLinks::email(text) : QUrl();
    case MenuAction::OpenURL:
        return column == Field::URL ? WorkspaceLinks::web(text) : QUrl();
    case MenuAction::OpenMap:
        return column == Field::Address ? WorkspaceLinks::map(text) : QUrl();
    case MenuAction::OpenGoogleMap:
        return column == Field::Address ? WorkspaceLinks::webMap(text) : QUrl();
    case MenuAction::OpenCalendar:
        return column == Field::Dates || column == Field::Birthday
            ? calendarEvent(row, column, now, error, selectedLabels)
            : QUrl();
    default:
        return {};
    }
}

} // namespace Quillary::WorkspaceActions
