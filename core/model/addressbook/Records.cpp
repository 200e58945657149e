#include "Records.h"

#include <QRandomGenerator>

#include <array>

namespace Quillary::AddressBook {

QString newUniqueId()
{
    // A random (version 4) UUID in upper case. Each thread draws from a generator of its own, seeded
    // once from the system's: a large file without UIDs needs one per contact, and asking the
    // system's generator every time costs more than reading the contact.
    thread_local QRandomGenerator generator = [] {
        std::array<quint32, 8> seed;
        QRandomGenerator::system()->fillRange(seed.data(), qsizetype(seed.size()));
        return QRandomGenerator(seed.data(), qsizetype(seed.size()));
    }();
    std::array<quint32, 4> words;
    generator.fillRange(words.data(), qsizetype(words.size()));
    words[1] = (words[1] & 0xFFFF0FFFu) | 0x00004000u; // the version
    words[2] = (words[2] & 0x3FFFFFFFu) | 0x80000000u; // the variant
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    QString text(36, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    int position = 0;
    for (int i = 0; i < 32; ++i) {
        if (i == 8 || i == 12 || i == 16 || i == 20)
            out[position++] = u'-';
        out[position++] = digits[(words[size_t(i / 8)] >> (28 - 4 * (i % 8))) & 0xF];
    }
    return text;
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
