#include "KeptLines.h"

namespace Quillary::AddressBook {

KeptLines::KeptLines(QByteArray lines, QString formattedName, QString composedName)
{
    if (lines.isEmpty() && formattedName.isEmpty())
        return;
    m_data = std::make_shared<const Data>(Data{std::move(lines), std::move(formattedName), std::move(composedName)});
}

bool operator==(const KeptLines& a, const KeptLines& b)
{
    if (a.m_data == b.m_data)
        return true;
    return a.lines() == b.lines() && a.formattedName() == b.formattedName() && a.composedName() == b.composedName();
}

} // namespace Quillary::AddressBook
