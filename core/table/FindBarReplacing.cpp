#include "FindBarReplacing.h"

#include "CellValues.h"
#include "TableRows.h"

#include <QHash>

#include <algorithm>

namespace Quillary::FindBarReplacing {

namespace {

using CellValues::ColumnKind;

/// The new values of the contacts, each gathered under the field it changes, so that several
/// stretches of one value (a first and a last name, a street and a city) become one edit.
class PlanBuilder
{
public:
    PlanBuilder(Plan& plan, const QStringList& selectedLabels) : m_plan(plan), m_selectedLabels(selectedLabels) { }

    /// Gives a sub-field of a row its new text; false when it is not typed over.
    bool set(const SubContactRow& row, const FindTextItem& item, const QString& text)
    {
        const PersonDsc& person = row.person();
        const QString& sub = item.subIdentifier;
        switch (CellValues::kindOf(item.identifier)) {
        case ColumnKind::Name:
            if (sub == Field::Company)
                return setString(row, Field::Company, text);
            edit(row, CellEdit::Kind::ReplaceName, Field::Name, [&](CellEdit& edit) {
                edit.name = person.nameValue();
            }).name.setPart(sub, text);
            return true;
        case ColumnKind::PhoneticName:
            edit(row, CellEdit::Kind::ReplacePhoneticName, Field::PhoneticName, [&](CellEdit& edit) {
                edit.phoneticName = person.phoneticNameValue();
            }).phoneticName.setPart(sub, text);
            return true;
        case ColumnKind::Address:
        case ColumnKind::AddressPart:
            return setLabeled(row, LabeledField::Address, [&](LabeledValue& value) {
                value.address.setPart(sub, text);
                updateAddressValue(value, person.defaultCountryCode());
            });
        case ColumnKind::InstantMessage:
            return sub == QLatin1StringView("username")
                && setLabeled(row, LabeledField::InstantMessage, [&](LabeledValue& value) {
                       value.setUsername(text);
                       updateIMSValue(value);
                   });
        case ColumnKind::LabeledText: {
            const LabeledField field = *FieldIdentifiers::labeledField(item.identifier);
            return setLabeled(row, field, [&](LabeledValue& value) {
                value = CellValues::withText(value, item.identifier, text, person.defaultCountryCode());
            });
        }
        case ColumnKind::Text:
            return setString(row, item.identifier, text);
        default:
            return false;
        }
    }

private:
    template <typename Init>
    CellEdit& edit(const SubContactRow& row, CellEdit::Kind kind, const QString& identifier, Init&& init,
                   int labelIndex = -1)
    {
        const QString key =
            QString::number(quintptr(row.contact.get())) + u'|' + identifier + u'|' + QString::number(labelIndex);
        const auto it = m_index.constFind(key);
        if (it != m_index.constEnd())
            return m_plan.edits[*it];
        CellEdit created = CellEdit::of(kind, row.contact, identifier);
        init(created);
        m_index.insert(key, m_plan.edits.size());
        m_plan.edits.append(std::move(created));
        return m_plan.edits.last();
    }

    bool setString(const SubContactRow& row, const QString& identifier, const QString& text)
    {
        edit(row, CellEdit::Kind::ReplaceString, identifier, [](CellEdit&) {}).text = text;
        return true;
    }

    template <typename Change> bool setLabeled(const SubContactRow& row, LabeledField field, Change&& change)
    {
        const LabeledValue* shown = TableRows::rowValue(row, field, m_selectedLabels);
        if (!shown)
            return false;
        const LabeledValue& current = *shown;
        CellEdit& planned = edit(
            row, CellEdit::Kind::ReplaceLabeledValue, FieldIdentifiers::identifier(field),
            [&](CellEdit& edit) { edit.value = current; }, current.labelIndex);
        change(planned.value);
        return true;
    }

    Plan& m_plan;
    const QStringList& m_selectedLabels;
    QHash<QString, qsizetype> m_index;
};

/// Sub-fields that open their editor rather than take typed text.
bool opensEditor(const FindTextItem& item)
{
    switch (CellValues::kindOf(item.identifier)) {
    case ColumnKind::Dates:
    case ColumnKind::Birthday:
        return true;
    case ColumnKind::InstantMessage:
        return item.subIdentifier == QLatin1StringView("service");
    default:
        return false;
    }
}

} // namespace

std::optional<Location> locate(FindBarText& text, const TextRange& range)
{
    const int row = text.dictForLocation(range.location);
    if (row < 0)
        return std::nullopt;
    const qsizetype offset = range.location - text.rowRange(row).location;
    for (FindTextItem& item : text.rangesInContact(row)) {
        if (!item.range.contains(offset))
            continue;
        Location location{row, std::move(item), offset, range.length};
        location.offset -= location.item.range.location;
        // The closing "\n" belongs to no field.
        if (location.offset + location.length == location.item.range.length)
            --location.length;
        return location;
    }
    return std::nullopt;
}

Plan plan(const SubContactTable& rows, const QList<Location>& locations, const QString& with,
          const QStringList& selectedLabels)
{
    Plan result;
    // Stretches grouped by sub-field, so that each sub-field is rewritten once with all of its own.
    QList<QList<const Location*>> groups;
    QHash<std::pair<int, qsizetype>, qsizetype> groupOf;
    for (const Location& location : locations) {
        if (location.row < 0 || location.row >= rows.size())
            continue;
        const std::pair<int, qsizetype> key{location.row, location.item.range.location};
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.insert(key, groups.size());
            groups.append(QList<const Location*>());
        }
        groups[*it].append(&location);
    }
    PlanBuilder builder(result, selectedLabels);
    for (QList<const Location*>& group : groups) {
        const FindTextItem& item = group.first()->item;
        if (opensEditor(item)) {
            if (result.editorRow < 0) {
                result.editorRow = group.first()->row;
                result.editorColumn = item.identifier;
            }
            continue;
        }
        // From the last stretch to the first, so that the earlier offsets still hold.
        std::sort(group.begin(), group.end(),
                  [](const Location* a, const Location* b) { return a->offset > b->offset; });
        QString text = item.text().toString();
        int replaced = 0;
        for (const Location* location : std::as_const(group)) {
            if (location->offset < 0 || location->length < 0 || location->offset + location->length > text.size())
                continue;
            text.replace(location->offset, location->length, with);
            ++replaced;
        }
        if (replaced > 0 && builder.set(rows.at(group.first()->row), item, text))
            result.replaced += replaced;
    }
    return result;
}

} // namespace Quillary::FindBarReplacing
