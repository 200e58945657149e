#include "BoundRecord.h"

#include "addressbook/Records.h"

namespace Quillary {

bool BoundRecord::needsRead(quint32 part) const
{
    const quint64 changes = m_state->record->changeCount();
    if (changes != m_state->readChangeCount) {
        m_state->readChangeCount = changes;
        m_state->readParts = 0;
    }
    if (m_state->readParts & part)
        return false;
    m_state->readParts |= part;
    return true;
}

void BoundRecord::markAllRead() const
{
    m_state->readChangeCount = m_state->record->changeCount();
    m_state->readParts = ~quint32(0);
}

} // namespace Quillary
