#pragma once

#include "Records.h"

#include <QHash>
#include <QList>
#include <QLocale>

#include <memory>

namespace Quillary::AddressBook {

/// The user's address book in memory: people and groups with stable unique ids, the user's own card,
/// and the defaults that contacts are shown with. A store on disk loads and saves it.
class AddressBook
{
public:
    /// Defaults come from the given locale (the system locale when none is given).
    explicit AddressBook(const QLocale& locale = QLocale::system());

    [[nodiscard]] const QList<std::shared_ptr<Person>>& people() const { return m_people; }
    [[nodiscard]] const QList<std::shared_ptr<Group>>& groups() const { return m_groups; }
    [[nodiscard]] std::shared_ptr<Person> person(const QString& uniqueId) const { return m_peopleById.value(uniqueId); }
    [[nodiscard]] std::shared_ptr<Group> group(const QString& uniqueId) const;
    /// The groups that hold the person, in group order.
    [[nodiscard]] QList<std::shared_ptr<Group>> parentGroups(const QString& personId) const;

    /// The user's own card, or none.
    [[nodiscard]] std::shared_ptr<Person> me() const { return person(m_meId); }
    void setMe(const QString& personId) { m_meId = personId; }

    /// Adds a record; false when it is null or a record with its unique id is already present.
    bool addRecord(const std::shared_ptr<Person>& person);
    bool addRecord(const std::shared_ptr<Group>& group);
    /// Removes a record (a person also leaves every group); false when it was not present.
    bool removeRecord(const std::shared_ptr<Person>& person);
    bool removeRecord(const std::shared_ptr<Group>& group);

    /// 32: first name first; 16: last name first.
    [[nodiscard]] int defaultNameOrdering() const { return m_defaultNameOrdering; }
    void setDefaultNameOrdering(int ordering) { m_defaultNameOrdering = ordering; }
    /// Upper-case two-letter country code of the user's region.
    [[nodiscard]] const QString& defaultCountryCode() const { return m_defaultCountryCode; }
    void setDefaultCountryCode(const QString& code) { m_defaultCountryCode = code; }

    static int nameOrderingForLocale(const QLocale& locale);
    static QString countryCodeForLocale(const QLocale& locale);

private:
    QList<std::shared_ptr<Person>> m_people;
    QHash<QString, std::shared_ptr<Person>> m_peopleById;
    QList<std::shared_ptr<Group>> m_groups;
    QString m_meId;
    int m_defaultNameOrdering;
    QString m_defaultCountryCode;
};

} // namespace Quillary::AddressBook
