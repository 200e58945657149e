#include "AddressBook.h"

namespace Quillary::AddressBook {

AddressBook::AddressBook(const QLocale& locale)
    : m_defaultNameOrdering(nameOrderingForLocale(locale)), m_defaultCountryCode(countryCodeForLocale(locale))
{ }

std::shared_ptr<Group> AddressBook::group(const QString& uniqueId) const
{
    for (const auto& group : m_groups) {
        if (group->uniqueId() == uniqueId)
            return group;
    }
    return {};
}

QList<std::shared_ptr<Group>> AddressBook::parentGroups(const QString& personId) const
{
    QList<std::shared_ptr<Group>> result;
    for (const auto& group : m_groups) {
        if (group->hasMember(personId))
            result.append(group);
    }
    return result;
}

bool AddressBook::addRecord(const std::shared_ptr<Person>& person)
{
    if (!person || m_peopleById.contains(person->uniqueId()))
        return false;
    m_people.append(person);
    m_peopleById.insert(person->uniqueId(), person);
    return true;
}

bool AddressBook::addRecord(const std::shared_ptr<Group>& group)
{
    if (!group || this->group(group->uniqueId()))
        return false;
    m_groups.append(group);
    return true;
}

bool AddressBook::removeRecord(const std::shared_ptr<Person>& person)
{
    if (!person || !m_peopleById.remove(person->uniqueId()))
        return false;
    m_people.removeOne(person);
    for (const auto& group : m_groups)
        group->removeMember(person->uniqueId());
    return true;
}

bool AddressBook::removeRecord(const std::shared_ptr<Group>& group)
{
    return group && m_groups.removeOne(group);
}

int AddressBook::nameOrderingForLocale(const QLocale& locale)
{
    // Languages that put the family name first.
    switch (locale.language()) {
    case QLocale::Japanese:
    case QLocale::Chinese:
    case QLocale::Korean:
    case QLocale::Hungarian:
    case QLocale::Vietnamese:
        return PersonFlags::LastNameFirst;
    default:
        return PersonFlags::FirstNameFirst;
    }
}

QString AddressBook::countryCodeForLocale(const QLocale& locale)
{
    const QLocale::Territory territory = locale.territory();
    if (territory == QLocale::AnyTerritory || locale.language() == QLocale::C)
        return QStringLiteral("US");
    const QString code = QLocale::territoryToCode(territory);
    return code.size() == 2 ? code.toUpper() : QStringLiteral("US");
}

} // namespace Quillary::AddressBook
