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
    if (m_memberIds.contains(personId))
        return false;
    m_memberIds.append(personId);
    return true;
}

bool Group::removeMember(const QString& personId)
{
    return m_memberIds.removeOne(personId);
}

} // namespace Quillary::AddressBook
