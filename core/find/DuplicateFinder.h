#pragma once

#include "DuplicateKeys.h"
#include "model/ContactEntry.h"

#include <QList>

namespace Quillary {

/// Why contacts were put together.
enum class DuplicateReason { Email, Phone, Name };

/// One value that two or more contacts of a group share.
struct DuplicateMatch
{
    DuplicateReason reason;
    QString text; ///< the value as the first of the contacts has it

    friend bool operator==(const DuplicateMatch&, const DuplicateMatch&) = default;
};

/// Contacts that are probably the same person: each shares an e-mail address, a phone number or
/// a name with another member (directly or through another member).
struct DuplicateGroup
{
    QList<qsizetype> members; ///< positions in the searched list, ascending
    QList<DuplicateMatch> matches; ///< what they share

    /// "email anna@example.com; phone +81 90-1111-2222", untranslated, for scripts.
    [[nodiscard]] QString reasonText() const;
};

/// Finds groups of probable duplicates among contacts by hashing their keys: each contact is looked
/// at once, so 100 000 contacts take no longer than reading them. Nothing is merged or deleted.
class DuplicateFinder
{
public:
    DuplicateFinder() = default;
    explicit DuplicateFinder(DuplicateKeys keys) : m_keys(std::move(keys)) { }

    /// The groups of the contacts that are not deleted, ordered by their first member.
    [[nodiscard]] QList<DuplicateGroup> findGroups(const ContactTable& contacts) const;

    [[nodiscard]] static QString reasonName(DuplicateReason reason);

private:
    DuplicateKeys m_keys;
};

} // namespace Quillary
