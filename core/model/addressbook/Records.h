#pragma once

#include "Constants.h"
#include "DateComponents.h"
#include "KeptLines.h"
#include "MultiValue.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

namespace Quillary::AddressBook {

/// A new unique id: an upper-case UUID without braces.
[[nodiscard]] QString newUniqueId();

/// How many times a record was changed. It takes no part in comparing records: a store keeps the
/// count it saw when it read or wrote a record, and finds the records edited since without comparing
/// every value of every record.
struct ChangeCount
{
    quint64 value = 0;
    friend bool operator==(ChangeCount, ChangeCount) { return true; }
};

/// A person record of the address book: text properties, flags, birthday, multi-values, a photo,
/// and the vCard lines it keeps for writing back.
/// A text property set to "" is removed, as is a multi-value without entries.
class Person
{
public:
    explicit Person(QString uniqueId = newUniqueId());

    [[nodiscard]] const QString& uniqueId() const { return m_uniqueId; }
    void setUniqueId(const QString& uniqueId)
    {
        changed();
        m_uniqueId = uniqueId;
    }

    [[nodiscard]] const QString& value(StringProperty property) const { return m_strings[size_t(property)]; }
    [[nodiscard]] bool hasValue(StringProperty property) const { return !value(property).isEmpty(); }
    void setValue(StringProperty property, const QString& text)
    {
        changed();
        m_strings[size_t(property)] = text;
    }
    void removeValue(StringProperty property)
    {
        changed();
        m_strings[size_t(property)].clear();
    }

    [[nodiscard]] const MultiValue& value(MultiProperty property) const { return m_multi[size_t(property)]; }
    [[nodiscard]] bool hasValue(MultiProperty property) const { return !value(property).isEmpty(); }
    void setValue(MultiProperty property, MultiValue values)
    {
        changed();
        m_multi[size_t(property)] = std::move(values);
    }
    void removeValue(MultiProperty property)
    {
        changed();
        m_multi[size_t(property)] = MultiValue();
    }

    /// Show-as and name-ordering bits (PersonFlags).
    [[nodiscard]] int flags() const { return m_flags; }
    void setFlags(int flags)
    {
        changed();
        m_flags = flags;
    }

    [[nodiscard]] const std::optional<DateComponents>& birthday() const { return m_birthday; }
    void setBirthday(std::optional<DateComponents> birthday)
    {
        changed();
        m_birthday = birthday;
    }

    [[nodiscard]] const QByteArray& imageData() const { return m_imageData; }
    void setImageData(const QByteArray& data)
    {
        changed();
        m_imageData = data;
    }

    /// Counts every change made through the setters.
    [[nodiscard]] quint64 changeCount() const { return m_changes.value; }

    /// The lines of the card the record was read from that it has no property for.
    [[nodiscard]] const KeptLines& keptLines() const { return m_keptLines; }
    void setKeptLines(KeptLines lines)
    {
        changed();
        m_keptLines = std::move(lines);
    }

    friend bool operator==(const Person&, const Person&) = default;

private:
    void changed() { ++m_changes.value; }

    QString m_uniqueId;
    std::array<QString, StringPropertyCount> m_strings;
    std::array<MultiValue, MultiPropertyCount> m_multi;
    std::optional<DateComponents> m_birthday;
    QByteArray m_imageData;
    KeptLines m_keptLines;
    int m_flags = 0;
    ChangeCount m_changes;
};

/// A group record: a name and the unique ids of its member people, in the order they were added.
class Group
{
public:
    explicit Group(QString uniqueId = newUniqueId());

    [[nodiscard]] const QString& uniqueId() const { return m_uniqueId; }
    [[nodiscard]] const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    [[nodiscard]] const QStringList& memberIds() const { return m_memberIds; }
    /// Adds a member once; false when it already was one.
    bool addMember(const QString& personId);
    bool removeMember(const QString& personId);
    [[nodiscard]] bool hasMember(const QString& personId) const { return m_memberSet.contains(personId); }
    /// Replaces the members, keeping their order and dropping repeats.
    void setMemberIds(const QStringList& personIds);

private:
    QString m_uniqueId;
    QString m_name;
    QStringList m_memberIds;
    QSet<QString> m_memberSet; // the same ids, for look-ups in large groups
};

} // namespace Quillary::AddressBook
