#include "MultiValueListModel.h"

#include "model/FieldIdentifiers.h"
#include "table/CellValues.h"

namespace Quillary {

MultiValueListModel::MultiValueListModel(const QString& identifier, LabeledValueList values)
    : m_identifier(identifier), m_values(std::move(values))
{
    // As a contact numbers an added value: past both the count and the largest index in use.
    m_nextLabelIndex = int(m_values.size());
    for (const LabeledValue& value : std::as_const(m_values))
        m_nextLabelIndex = qMax(m_nextLabelIndex, value.labelIndex + 1);
}

bool MultiValueListModel::isText() const
{
    return CellValues::kindOf(m_identifier) == CellValues::ColumnKind::LabeledText;
}

QString MultiValueListModel::text(int row) const
{
    if (!isRow(row))
        return {};
    return CellValues::textOf(m_values.at(row), m_identifier);
}

void MultiValueListModel::setLabel(int row, const QString& label)
{
    if (isRow(row))
        m_values[row].label = label;
}

void MultiValueListModel::setText(int row, const QString& text)
{
    if (isRow(row) && isText())
        m_values[row] = CellValues::withText(m_values.at(row), m_identifier, text, QString());
}

void MultiValueListModel::setValue(int row, const LabeledValue& value)
{
    if (!isRow(row))
        return;
    const int labelIndex = m_values.at(row).labelIndex;
    m_values[row] = value;
    m_values[row].labelIndex = labelIndex;
}

int MultiValueListModel::add(LabeledValue value)
{
    value.labelIndex = m_nextLabelIndex++;
    m_values.append(value);
    return count() - 1;
}

void MultiValueListModel::remove(int row)
{
    if (isRow(row))
        m_values.removeAt(row);
}

bool MultiValueListModel::move(int row, int offset)
{
    const int target = row + offset;
    if (!isRow(row) || !isRow(target) || offset == 0)
        return false;
    m_values.move(row, target);
    return true;
}

LabeledValueList MultiValueListModel::result() const
{
    LabeledValueList list = m_values;
    if (isText())
        list.removeIf([this](const LabeledValue& value) { return CellValues::textOf(value, m_identifier).isEmpty(); });
    return list;
}

} // namespace Quillary
