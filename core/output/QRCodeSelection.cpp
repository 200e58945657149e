#include "QRCodeSelection.h"

#include "model/PersonDsc.h"

#include <algorithm>

namespace Quillary {

bool QRCodeRow::isOrganisation() const
{
    return type == FieldId::Company || type == FieldId::Department || type == FieldId::JobTitle;
}

QString QRCodeRow::displayText() const
{
    if (value.isEmpty())
        return {};
    if (isOrganisation())
        return value;
    return label + u": " + value;
}

bool QRCodeRow::isEnabled(QRCodeFormat format) const
{
    if (isOrganisation())
        return format == QRCodeFormat::VCard;
    switch (format) {
    case QRCodeFormat::VCard:
        return true;
    case QRCodeFormat::Docomo:
    case QRCodeFormat::Au:
    case QRCodeFormat::SoftBank:
        // The carriers' address-book formats have no field for a web address.
        return type != FieldId::URL;
    case QRCodeFormat::Phone:
        return type == FieldId::Phone;
    case QRCodeFormat::Email:
        return type == FieldId::Email;
    case QRCodeFormat::URL:
        return type == FieldId::URL;
    }
    return false;
}

QRCodeSelection::QRCodeSelection(const PersonDsc& person)
{
    appendLabeled(FieldId::Phone, person.phoneValues(), true);
    appendLabeled(FieldId::Email, person.emailValues(), true);
    appendLabeled(FieldId::Address, person.addressValues(), true);
    appendLabeled(FieldId::URL, person.urlValues(), false);
    for (FieldId type : {FieldId::Company, FieldId::Department, FieldId::JobTitle}) {
        QRCodeRow row;
        row.type = type;
        row.value = person.stringValueForIdentifier(FieldIdentifiers::identifier(type));
        m_rows.append(row);
    }
}

void QRCodeSelection::appendLabeled(FieldId type, LabeledValueSpan values, bool selectFirst)
{
    // A field without values still gets a row, so that the table shows every kind of field.
    if (values.isEmpty()) {
        QRCodeRow row;
        row.type = type;
        m_rows.append(row);
        return;
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        const LabeledValue& labeled = values.at(i);
        QRCodeRow row;
        row.type = type;
        row.label = labeled.label;
        if (type == FieldId::Address) {
            row.value = labeled.stringValue();
            row.address = labeled.address;
        } else {
            row.value = labeled.value;
        }
        row.selected = selectFirst && i == 0;
        m_rows.append(row);
    }
}

bool QRCodeSelection::setSelected(qsizetype row, bool selected)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).selected == selected)
        return false;
    m_rows[row].selected = selected;
    return true;
}

QString QRCodeSelection::chosenValue(FieldId type) const
{
    for (auto it = m_rows.crbegin(); it != m_rows.crend(); ++it) {
        if (it->type == type && it->selected)
            return it->value;
    }
    return {};
}

bool QRCodeSelection::isSelected(FieldId type) const
{
    return std::any_of(m_rows.cbegin(), m_rows.cend(),
                       [type](const QRCodeRow& row) { return row.type == type && row.selected; });
}

QList<QRCodeRow> QRCodeSelection::selectedRows(FieldId type) const
{
    QList<QRCodeRow> result;
    for (const QRCodeRow& row : m_rows) {
        if (row.type == type && row.selected)
            result.append(row);
    }
    return result;
}

QList<qsizetype> QRCodeSelection::rowsOf(FieldId type) const
{
    QList<qsizetype> result;
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).type == type && !m_rows.at(row).value.isEmpty())
            result.append(row);
    }
    return result;
}

} // namespace Quillary
