#pragma once

// Internal to the vCard codec: the values that X-ABLabel and X-ABADR lines give the groups of a card.

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVarLengthArray>

namespace Quillary::AddressBook::VCard {

/// Values that name the other lines of a group ("item1"). A card has a few, so a list is quickest;
/// past that a hash keeps a card with thousands of groups from taking quadratic time.
class GroupValues
{
public:
    void insert(QByteArrayView group, const QString& value)
    {
        if (m_byGroup.isEmpty() && m_values.size() < ListLimit) {
            m_values.append({group, value});
            return;
        }
        if (m_byGroup.isEmpty()) {
            for (const auto& [name, listed] : m_values)
                index(name, listed);
        }
        index(group, value);
    }
    [[nodiscard]] bool isEmpty() const { return m_values.isEmpty() && m_byGroup.isEmpty(); }
    [[nodiscard]] const QString* find(QByteArrayView group) const
    {
        if (!m_byGroup.isEmpty()) {
            const auto it = m_byGroup.constFind(group.toByteArray().toUpper());
            return it == m_byGroup.cend() ? nullptr : &it.value();
        }
        for (const auto& [name, value] : m_values) {
            if (name.size() == group.size() && qstrnicmp(name.data(), name.size(), group.data(), group.size()) == 0)
                return &value;
        }
        return nullptr;
    }

private:
    void index(QByteArrayView group, const QString& value)
    {
        QByteArray key = group.toByteArray().toUpper();
        if (!m_byGroup.contains(key))
            m_byGroup.insert(std::move(key), value);
    }

    static constexpr qsizetype ListLimit = 32;
    QVarLengthArray<std::pair<QByteArrayView, QString>, 8> m_values;
    QHash<QByteArray, QString> m_byGroup; // upper-case group → first value; once the list is full
};

} // namespace Quillary::AddressBook::VCard
