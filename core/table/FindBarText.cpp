#include "FindBarText.h"

#include "TableRows.h"

#include "CellValues.h"
#include "ContactsViewController.h"
#include "model/AddressFormats.h"

namespace Quillary {

namespace {

using CellValues::ColumnKind;

/// Name parts come first name first when the contact's ordering (or, without one, the default)
/// says so.
bool firstNameFirst(const PersonDsc& person, const NameValue& name)
{
    const int ordering = name.nameOrdering;
    return ordering == 1 || (ordering == 0 && person.defaultNameOrdering() == 32);
}

/// The parts of addresses in their country's order, for the countries met last: a table's
/// addresses mostly share a few countries, and looking an order up costs more than the rest of a row.
class AddressOrders
{
public:
    const QStringList& order(const PostalAddress& address, const QString& defaultCountryCode)
    {
        if (!m_valid || address.countryCode() != m_countryCode || address.country() != m_country
            || defaultCountryCode != m_defaultCountryCode) {
            m_countryCode = address.countryCode();
            m_country = address.country();
            m_defaultCountryCode = defaultCountryCode;
            m_order = AddressFormats::addressFormatsOrder(m_countryCode, m_country, m_defaultCountryCode);
            m_order.removeFirst(); // the country code used
            m_valid = true;
        }
        return m_order;
    }

private:
    bool m_valid = false;
    QString m_countryCode;
    QString m_country;
    QString m_defaultCountryCode;
    QStringList m_order;
};

/// A column as the layout reads it, worked out once per layout rather than once per row.
struct LayoutColumn
{
    QString identifier;
    ColumnKind kind = ColumnKind::Other;
    std::optional<LabeledField> field;
};

QList<LayoutColumn> layoutColumns(const QStringList& columns)
{
    QList<LayoutColumn> result;
    for (const QString& column : columns)
        result.append({column, CellValues::kindOf(column), FieldIdentifiers::labeledField(column)});
    return result;
}

/// Calls `visit(column, subField, text)` for every sub-field of a row, in the order the find bar
/// reads them. A missing value gives "".
template <typename Visit>
void forEachSubField(const SubContactRow& row, const QList<LayoutColumn>& columns, const QStringList& selectedLabels,
                     AddressOrders& orders, Visit&& visit)
{
    const PersonDsc& person = row.person();
    // The values the row's cells show.
    const auto valueOf = [&row, &selectedLabels](LabeledField field) {
        return TableRows::rowValue(row, field, selectedLabels);
    };
    const bool first = row.index == 0;
    for (const LayoutColumn& layout : columns) {
        const QString& column = layout.identifier;
        switch (layout.kind) {
        case ColumnKind::Name:
        case ColumnKind::PhoneticName: {
            const bool phonetic = layout.kind == ColumnKind::PhoneticName;
            if (!phonetic && !person.showAsPerson()) {
                visit(column, Field::Company, first ? person.stringValueForIdentifier(Field::Company) : QString());
                break;
            }
            // Later rows of a contact show no name: only the number of its parts counts there.
            const NameValue name = first ? person.nameValue() : NameValue();
            const PhoneticNameValue reading = first && phonetic ? person.phoneticNameValue() : PhoneticNameValue();
            const bool ordered = !first || firstNameFirst(person, name);
            for (const QString& part :
                 {ordered ? Field::FirstName : Field::LastName, ordered ? Field::LastName : Field::FirstName})
                visit(column, part, phonetic ? reading.part(part) : name.part(part));
            break;
        }
        case ColumnKind::InstantMessage: {
            const LabeledValue* value = valueOf(LabeledField::InstantMessage);
            visit(column, QStringLiteral("service"), value ? value->service() : QString());
            visit(column, QStringLiteral("username"), value ? value->username() : QString());
            break;
        }
        case ColumnKind::Address: {
            static const PostalAddress none;
            const LabeledValue* value = valueOf(LabeledField::Address);
            const PostalAddress& address = value ? value->address : none;
            for (const QString& part : orders.order(address, person.defaultCountryCode()))
                visit(column, part, address.part(part));
            break;
        }
        case ColumnKind::AddressPart: {
            const LabeledValue* value = valueOf(LabeledField::Address);
            visit(column, column, value ? value->address.part(column) : QString());
            break;
        }
        case ColumnKind::Birthday:
            visit(column, column, first ? person.birthdayValue().stringValue : QString());
            break;
        default:
            if (const std::optional<LabeledField> field = layout.field) {
                const LabeledValue* value = valueOf(*field);
                visit(column, column, value ? value->stringValue() : QString());
            } else {
                visit(column, column, first ? person.stringValueForIdentifier(column, 0) : QString());
            }
            break;
        }
    }
}

} // namespace

FindBarText::FindBarText(const ContactsViewController& controller) : m_controller(controller) { }

QList<FindTextItem> FindBarText::rangesInContact(const SubContactRow& row, const QStringList& columns,
                                                 const QStringList& selectedLabels)
{
    QList<FindTextItem> items;
    qsizetype at = 0;
    qsizetype sectionStart = 0;
    AddressOrders orders;
    forEachSubField(row, layoutColumns(columns), selectedLabels, orders,
                    [&](const QString& column, const QString& subField, const QString& text) {
                        if (items.isEmpty() || items.constLast().identifier != column)
                            sectionStart = at;
                        FindTextItem item;
                        item.string = text + u'\n';
                        item.range = {at, item.string.size()};
                        at += item.string.size();
                        item.sectionRange = {sectionStart, at - sectionStart};
                        item.identifier = column;
                        item.subIdentifier = subField;
                        items.append(std::move(item));
                    });
    return items;
}

QList<FindTextItem> FindBarText::rangesInContact(int row) const
{
    const SubContactTable& rows = m_controller.subContactTable();
    if (row < 0 || row >= rows.size())
        return {};
    return rangesInContact(rows.at(row), m_controller.tableIdentfiers(), m_controller.collection().selectedLabels);
}

qsizetype FindBarText::updateRangeTableFrom(int row)
{
    const SubContactTable& rows = m_controller.subContactTable();
    const QList<LayoutColumn> columns = layoutColumns(m_controller.tableIdentfiers());
    const QStringList& labels = m_controller.collection().selectedLabels;
    row = qBound(0, row, int(m_starts.size()) - 1);
    if (row < m_laidOut) {
        m_text.truncate(m_starts.at(row));
        m_starts.resize(row + 1);
    }
    if (row < rows.size())
        ++m_generation;
    AddressOrders orders;
    for (; row < rows.size(); ++row) {
        forEachSubField(rows.at(row), columns, labels, orders,
                        [this](const QString&, const QString&, const QString& text) {
                            m_text += text;
                            m_text += u'\n';
                        });
        m_starts.append(m_text.size());
    }
    m_laidOut = int(rows.size());
    return m_text.size();
}

qsizetype FindBarText::stringLength()
{
    if (m_laidOut == m_controller.subContactTable().size())
        return m_text.size();
    return updateRangeTableFrom(m_laidOut);
}

TextRange FindBarText::rowRange(int row) const
{
    if (row < 0 || row >= m_laidOut)
        return {};
    return {m_starts.at(row), m_starts.at(row + 1) - m_starts.at(row)};
}

int FindBarText::dictForLocation(qsizetype location)
{
    const qsizetype total = stringLength();
    const int count = m_laidOut;
    if (count == 0 || location < 0 || location > total)
        return -1;
    if (location == total)
        return count - 1;
    // Near the row found last: successive look-ups of a search mostly land on it or the next rows.
    int row = qBound(0, m_lastIndex, count - 1);
    for (int step = 0; step < 4; ++step) {
        const TextRange range = rowRange(row);
        if (range.location > location) {
            row = qMax(0, row - 1);
        } else if (range.contains(location)) {
            m_lastIndex = row;
            return row;
        } else if (++row >= count) {
            break;
        }
    }
    if (count < 2)
        return -1;
    int low = 0;
    int high = count - 1;
    row = qBound(low, row, high);
    while (low <= high) {
        const TextRange range = rowRange(row);
        if (range.contains(location)) {
            m_lastIndex = row;
            return row;
        }
        if (range.location > location)
            high = row - 1;
        else
            low = row + 1;
        row = low + (high - low) / 2;
    }
    return -1;
}

QString FindBarText::stringAtIndex(qsizetype location, TextRange* effectiveRange)
{
    const int row = dictForLocation(location);
    if (row >= 0) {
        const TextRange rowAt = rowRange(row);
        for (const FindTextItem& item : rangesInContact(row)) {
            if (item.range.contains(location - rowAt.location)) {
                if (effectiveRange)
                    *effectiveRange = {rowAt.location + item.range.location, item.range.length};
                return item.string;
            }
        }
    }
    const qsizetype rest = qMax<qsizetype>(0, m_text.size() - location);
    if (effectiveRange)
        *effectiveRange = {location, rest};
    return QString(rest, u' ');
}

const QString& FindBarText::text()
{
    stringLength();
    return m_text;
}

void FindBarText::invalidate()
{
    m_text = QString();
    m_starts = {0};
    m_laidOut = 0;
    m_lastIndex = 0;
    ++m_generation;
}

} // namespace Quillary
