#pragma once

#include "FieldIdentifiers.h"
#include "LabeledValue.h"

#include <QVarLengthArray>

#include <array>
#include <iterator>
#include <span>

namespace Quillary {

/// The values of one labelled field of a contact, read in place: a run of the contact's one block of
/// values (see LabeledLists). Valid until the contact changes.
class LabeledValueSpan
{
public:
    using value_type = LabeledValue;
    using const_iterator = const LabeledValue*;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    LabeledValueSpan() = default;
    LabeledValueSpan(const LabeledValue* data, qsizetype size) : m_data(data), m_size(size) { }
    // A whole list: what tests and callers holding a list of their own pass.
    LabeledValueSpan(const LabeledValueList& list) : m_data(list.constData()), m_size(list.size()) { }

    [[nodiscard]] qsizetype size() const { return m_size; }
    [[nodiscard]] bool isEmpty() const { return m_size == 0; }
    [[nodiscard]] const LabeledValue* constData() const { return m_data; }
    [[nodiscard]] const_iterator begin() const { return m_data; }
    [[nodiscard]] const_iterator end() const { return m_data + m_size; }
    [[nodiscard]] const_iterator cbegin() const { return begin(); }
    [[nodiscard]] const_iterator cend() const { return end(); }
    [[nodiscard]] const_reverse_iterator crbegin() const { return const_reverse_iterator(end()); }
    [[nodiscard]] const_reverse_iterator crend() const { return const_reverse_iterator(begin()); }
    [[nodiscard]] const LabeledValue& at(qsizetype i) const
    {
        Q_ASSERT(i >= 0 && i < m_size);
        return m_data[i];
    }
    [[nodiscard]] const LabeledValue& operator[](qsizetype i) const { return at(i); }
    [[nodiscard]] const LabeledValue& first() const { return at(0); }
    [[nodiscard]] const LabeledValue& constFirst() const { return at(0); }
    [[nodiscard]] const LabeledValue& last() const { return at(m_size - 1); }
    [[nodiscard]] const LabeledValue& constLast() const { return at(m_size - 1); }
    /// The value at a position; an empty value when there is none.
    [[nodiscard]] LabeledValue value(qsizetype i) const { return i >= 0 && i < m_size ? m_data[i] : LabeledValue(); }
    /// A list of its own holding copies of the values.
    [[nodiscard]] LabeledValueList toList() const { return LabeledValueList(begin(), end()); }

    friend bool operator==(LabeledValueSpan a, LabeledValueSpan b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    const LabeledValue* m_data = nullptr;
    qsizetype m_size = 0;
};

/// A contact's labelled values gathered field by field, before they go into its one block.
using LabeledRuns = std::array<QVarLengthArray<LabeledValue, 4>, LabeledFieldCount>;

/// Every labelled value of a contact, in one block: the values of each field are a run of it, the
/// fields in their order. A contact has a few values of several fields; in lists of their own each
/// field took a list's header and a block of memory, and a contact eight empty lists.
class LabeledLists
{
public:
    [[nodiscard]] LabeledValueSpan operator[](LabeledField field) const
    {
        const qsizetype start = begin(field);
        return {m_values.constData() + start, end(field) - start};
    }

    /// The values of a field to change in place (their number stays).
    [[nodiscard]] std::span<LabeledValue> edit(LabeledField field);
    /// Replaces the values of a field.
    void set(LabeledField field, LabeledValueSpan values);
    void append(LabeledField field, const LabeledValue& value);
    void removeAt(LabeledField field, qsizetype position);
    void clear() { *this = LabeledLists(); }

    /// Fills empty lists from runs of values per field, moving the values: one block of the exact size.
    void takeRuns(LabeledRuns& runs);

    friend bool operator==(const LabeledLists& a, const LabeledLists& b)
    {
        return a.m_ends == b.m_ends && a.m_values == b.m_values;
    }

private:
    [[nodiscard]] qsizetype begin(LabeledField field) const
    {
        return field == LabeledField(0) ? 0 : m_ends[size_t(field) - 1];
    }
    [[nodiscard]] qsizetype end(LabeledField field) const { return m_ends[size_t(field)]; }
    void shiftEnds(LabeledField field, qsizetype by);

    LabeledValueList m_values;
    std::array<qint32, LabeledFieldCount> m_ends{}; ///< where each field's run ends
};

} // namespace Quillary
