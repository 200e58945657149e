#include "Records.h"

#include <QUuid>

namespace Quillary::AddressBook {

QString newUniqueId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

Person::Person(QString uniqueId) : m_uniqueId(std::move(uniqueId)) { }

Group::Group(QString uniqueId) : m_uniqueId(std::move(uniqueId)) { }

bool Group::addMember(const QString& personId)
{
    if (m_memberSet.contains(personId))
        return false;
    m_memberSet.insert(personId);
    m_memberIds.append(personId);
    return true;
}

bool Group::removeMember(const QString& personId)
{
    return m_memberSet.remove(personId) && m_memberIds.removeOne(personId);
}

void Group::setMemberIds(const QStringList& personIds)
{
    m_memberIds.clear();
    m_memberSet.clear();
    for (const QString& id : personIds)
        addMember(id);
}

} // namespace Quillary::AddressBook
