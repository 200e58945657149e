#include "MultiValue.h"

namespace Quillary::AddressBook {

int MultiValue::addValue(MultiValueItem value, const QString& label)
{
    const int identifier = m_nextIdentifier++;
    m_entries.append(Entry{identifier, label, std::move(value)});
    return identifier;
}

int MultiValue::indexForIdentifier(int identifier) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).identifier == identifier)
            return int(i);
    }
    return -1;
}

} // namespace Quillary::AddressBook
