#include "CategoryNames.h"

#include "model/addressbook/VCardCodec.h"

#include <QVarLengthArray>

#include <algorithm>

namespace Quillary {

CategoryNames::CategoryNames(const GroupTable& groupTable)
{
    m_positions.reserve(groupTable.size());
    m_escapedNames.reserve(groupTable.size());
    for (qsizetype i = 0; i < groupTable.size(); ++i) {
        m_positions[groupTable.at(i)->uniqueId].append(i);
        m_escapedNames.append(AddressBook::VCardCodec::escapeText(groupTable.at(i)->groupName));
    }
}

QString CategoryNames::operator()(const QStringList& uniqueIds) const
{
    if (uniqueIds.isEmpty())
        return {};
    QVarLengthArray<qsizetype, 16> found;
    for (const QString& uniqueId : uniqueIds) {
        if (const auto it = m_positions.constFind(uniqueId); it != m_positions.cend())
            found.append(it->constData(), it->size());
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    qsizetype size = found.size();
    for (const qsizetype position : std::as_const(found))
        size += m_escapedNames.at(position).size();
    QString result;
    result.reserve(size);
    for (const qsizetype position : std::as_const(found)) {
        result += m_escapedNames.at(position);
        result += u',';
    }
    result.chop(1);
    return result;
}

} // namespace Quillary
