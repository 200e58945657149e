#pragma once

#include "model/LabeledValue.h"

#include <QString>

namespace Quillary {

/// The list editor without its window: every value of one labelled field of one contact, added,
/// removed, reordered, relabelled and retyped in memory and handed back whole, so that the
/// changes become one undo step. Values typed as text (phones, e-mails, URLs, related names and
/// profiles) are edited in the list; addresses, instant messages and dates in their own editors.
class MultiValueListModel
{
public:
    MultiValueListModel(const QString& identifier, LabeledValueList values);

    [[nodiscard]] const QString& identifier() const { return m_identifier; }
    [[nodiscard]] const LabeledValueList& values() const { return m_values; }
    [[nodiscard]] int count() const { return int(m_values.size()); }
    /// Whether the values are typed in the list rather than in an editor of their own.
    [[nodiscard]] bool isText() const;
    /// The text a value shows (a profile's user name, an address on one line).
    [[nodiscard]] QString text(int row) const;

    void setLabel(int row, const QString& label);
    void setText(int row, const QString& text);
    /// A value from its own editor; it keeps the row's label index.
    void setValue(int row, const LabeledValue& value);
    /// Appends a value with a fresh label index (new values have none yet); answers its row.
    int add(LabeledValue value);
    void remove(int row);
    /// Moves a value up (negative) or down; false when it cannot move that way.
    bool move(int row, int offset);

    /// The list to store: without the text values left empty.
    [[nodiscard]] LabeledValueList result() const;

private:
    [[nodiscard]] bool isRow(int row) const { return row >= 0 && row < m_values.size(); }

    QString m_identifier;
    LabeledValueList m_values;
    int m_nextLabelIndex = 0;
};

} // namespace Quillary
