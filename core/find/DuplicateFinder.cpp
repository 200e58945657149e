#include "DuplicateFinder.h"

#include <QHash>

#include <numeric>

namespace Quillary {

namespace {

/// Disjoint sets over contact positions, with path halving.
class UnionFind
{
public:
    explicit UnionFind(qsizetype size) : m_parent(size) { std::iota(m_parent.begin(), m_parent.end(), 0); }

    qsizetype find(qsizetype x)
    {
        while (m_parent[x] != x) {
            m_parent[x] = m_parent[m_parent[x]];
            x = m_parent[x];
        }
        return x;
    }

    void unite(qsizetype a, qsizetype b)
    {
        a = find(a);
        b = find(b);
        if (a != b)
            m_parent[qMax(a, b)] = qMin(a, b);
    }

private:
    QList<qsizetype> m_parent;
};

/// The contacts seen with one key so far.
struct Bucket
{
    qsizetype first = -1;
    qsizetype count = 0;
    QString text; ///< the value as the first contact has it ("" for names: read when needed)
};
template <typename Key> using Buckets = QHash<Key, Bucket>;

/// Puts a contact into the bucket of a key, joining it with the contacts already there.
template <typename Key>
void addKey(Buckets<Key>& buckets, UnionFind& sets, qsizetype contact, const Key& key, const QString& text)
{
    Bucket& bucket = buckets[key]; // one lookup, whether the key is new or not
    if (bucket.count == 0) {
        bucket = Bucket{contact, 1, text};
    } else if (bucket.first != contact) { // one contact with a value twice is no duplicate of itself
        ++bucket.count;
        sets.unite(bucket.first, contact);
    }
}

/// A phone key as a number; keys hold at most the 15 digits of an international number, and the
/// count of digits keeps "12" and "012" apart should a key ever begin with a zero.
quint64 phoneNumber(const QString& key)
{
    quint64 number = quint64(qMin<qsizetype>(key.size(), 19));
    for (const QChar digit : QStringView(key).first(qMin<qsizetype>(key.size(), 17)))
        number = number * 10 + quint64(digit.unicode() - u'0');
    return number;
}

} // namespace

QString DuplicateFinder::reasonName(DuplicateReason reason)
{
    switch (reason) {
    case DuplicateReason::Email:
        return QStringLiteral("email");
    case DuplicateReason::Phone:
        return QStringLiteral("phone");
    case DuplicateReason::Name:
        return QStringLiteral("name");
    }
    return {};
}

QString DuplicateGroup::reasonText() const
{
    QStringList parts;
    for (const DuplicateMatch& match : matches)
        parts.append(DuplicateFinder::reasonName(match.reason) + u' ' + match.text);
    return parts.join(QStringLiteral("; "));
}

QList<DuplicateGroup> DuplicateFinder::findGroups(const ContactTable& contacts) const
{
    UnionFind sets(contacts.size());
    Buckets<QString> emails, names;
    Buckets<quint64> phones; // the digits of a phone number as a number: no text to hash
    emails.reserve(contacts.size() * 2);
    phones.reserve(contacts.size() * 2);
    names.reserve(contacts.size());
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const ContactEntryPtr& contact = contacts.at(i);
        if (!contact || contact->deleted || !contact->person)
            continue;
        const PersonDsc& person = *contact->person;
        for (const LabeledValue& email : person.emailValues()) {
            if (const QString key = DuplicateKeys::emailKey(email.value); !key.isEmpty())
                addKey(emails, sets, i, key, email.value);
        }
        for (const LabeledValue& phone : person.phoneValues()) {
            if (const QString key = m_keys.phoneKey(phone.value); !key.isEmpty())
                addKey(phones, sets, i, phoneNumber(key), phone.value);
        }
        const NameValue& name = person.nameParts();
        if (const QString key = DuplicateKeys::nameKey(name.firstName, name.lastName); !key.isEmpty())
            addKey(names, sets, i, key, {});
    }

    QHash<qsizetype, qsizetype> groupOfRoot;
    QList<DuplicateGroup> groups;
    const auto collect = [&](const auto& table, DuplicateReason reason) {
        for (auto it = table.cbegin(); it != table.cend(); ++it) {
            if (it->count < 2)
                continue;
            const qsizetype root = sets.find(it->first);
            auto found = groupOfRoot.constFind(root);
            if (found == groupOfRoot.cend()) {
                found = groupOfRoot.insert(root, groups.size());
                groups.append(DuplicateGroup{});
            }
            const QString text =
                reason == DuplicateReason::Name ? contacts.at(it->first)->person->compositeName() : it->text;
            groups[*found].matches.append({reason, text});
        }
    };
    collect(emails, DuplicateReason::Email);
    collect(phones, DuplicateReason::Phone);
    collect(names, DuplicateReason::Name);
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        if (const auto found = groupOfRoot.constFind(sets.find(i)); found != groupOfRoot.cend())
            groups[*found].members.append(i);
    }
    for (DuplicateGroup& group : groups) {
        std::sort(group.matches.begin(), group.matches.end(), [](const DuplicateMatch& a, const DuplicateMatch& b) {
            return a.reason != b.reason ? a.reason < b.reason : a.text < b.text;
        });
    }
    std::sort(groups.begin(), groups.end(),
              [](const DuplicateGroup& a, const DuplicateGroup& b) { return a.members.first() < b.members.first(); });
    return groups;
}

} // namespace Quillary
