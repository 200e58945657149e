#include "LabeledLists.h"

namespace Quillary {

std::span<LabeledValue> LabeledLists::edit(LabeledField field)
{
    const qsizetype start = begin(field);
    const qsizetype count = end(field) - start;
    if (count == 0)
        return {};
    return {m_values.data() + start, size_t(count)}; // data() gives this contact its own block
}

void LabeledLists::set(LabeledField field, LabeledValueSpan values)
{
    const qsizetype start = begin(field);
    const qsizetype count = end(field) - start;
    if (values.size() == count) {
        std::copy(values.begin(), values.end(), edit(field).begin());
        return;
    }
    // The block stays of its exact size: a contact is read once and edited rarely.
    LabeledValueList result;
    result.reserve(m_values.size() - count + values.size());
    const auto appendRun = [&result](const LabeledValue* first, const LabeledValue* last) {
        for (; first != last; ++first)
            result.append(*first);
    };
    const LabeledValue* const stored = m_values.constData();
    appendRun(stored, stored + start);
    appendRun(values.begin(), values.end());
    appendRun(stored + start + count, stored + m_values.size());
    m_values = std::move(result);
    shiftEnds(field, values.size() - count);
}

void LabeledLists::append(LabeledField field, const LabeledValue& value)
{
    LabeledValueList values = (*this)[field].toList();
    values.append(value);
    set(field, values);
}

void LabeledLists::removeAt(LabeledField field, qsizetype position)
{
    LabeledValueList values = (*this)[field].toList();
    values.removeAt(position);
    set(field, values);
}

void LabeledLists::takeRuns(LabeledRuns& runs)
{
    Q_ASSERT(m_values.isEmpty());
    qsizetype total = 0;
    for (const auto& run : runs)
        total += run.size();
    m_values.reserve(total);
    for (size_t i = 0; i < runs.size(); ++i) {
        for (LabeledValue& value : runs[i])
            m_values.append(std::move(value));
        m_ends[i] = qint32(m_values.size());
    }
}

void LabeledLists::shiftEnds(LabeledField field, qsizetype by)
{
    for (size_t i = size_t(field); i < m_ends.size(); ++i)
        m_ends[i] = qint32(m_ends[i] + by);
}

} // namespace Quillary
