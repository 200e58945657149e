#include "StringFieldValues.h"

#include <algorithm>

namespace Quillary {

namespace {

struct Slot
{
    bool common;
    int index;
};

// Where each field's text is held, in the order of StringField.
constexpr std::array<Slot, StringFieldCount> placeOf = {{
    {true, 0}, // Company
    {false, 0}, // Department
    {true, 1}, // JobTitle
    {false, 1}, // Nickname
    {false, 2}, // Title
    {false, 3}, // Suffix
    {true, 2}, // Note
}};

const QString& emptyText()
{
    static const QString empty;
    return empty;
}

} // namespace

const QString& StringFieldValues::operator[](StringField field) const
{
    const Slot slot = placeOf[size_t(field)];
    if (slot.common)
        return m_common[size_t(slot.index)];
    return m_rare ? m_rare->texts[size_t(slot.index)] : emptyText();
}

void StringFieldValues::set(StringField field, const QString& text)
{
    const Slot slot = placeOf[size_t(field)];
    if (slot.common) {
        m_common[size_t(slot.index)] = text;
        return;
    }
    if (!m_rare) {
        if (text.isEmpty())
            return;
        m_rare = new Rare;
    }
    m_rare->texts[size_t(slot.index)] = text; // detaches texts shared with a copy
}

bool StringFieldValues::isEmpty() const
{
    const auto empty = [](const QString& text) { return text.isEmpty(); };
    return std::all_of(m_common.begin(), m_common.end(), empty)
        && (!m_rare || std::all_of(m_rare->texts.begin(), m_rare->texts.end(), empty));
}

bool operator==(const StringFieldValues& a, const StringFieldValues& b)
{
    for (int i = 0; i < StringFieldCount; ++i) {
        if (a[StringField(i)] != b[StringField(i)])
            return false;
    }
    return true;
}

} // namespace Quillary
