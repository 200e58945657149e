#pragma once

#include "PersonDsc.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace Quillary {

/// The text of one card: a slice of the stream it was read from (shared with the other cards of that
/// stream, so reading keeps one copy of the file), a text of its own, or the card a contact writes,
/// made when first asked for.
class CardText
{
public:
    CardText() = default;
    explicit CardText(QByteArray text);
    CardText(std::shared_ptr<const QByteArray> stream, qsizetype offset, qsizetype length);
    /// The card of a contact read from another format (CSV): written when first asked for, as the
    /// contact stands then. Few ever are, and writing every one while reading took a third of the
    /// reading time and more memory than the contacts themselves.
    [[nodiscard]] static CardText writtenFrom(std::shared_ptr<const PersonDsc> person);

    /// The text; writes a deferred card, so one thread at a time asks, as for its contact.
    [[nodiscard]] QByteArrayView utf8() const;
    [[nodiscard]] QString toString() const { return QString::fromUtf8(utf8()); }
    [[nodiscard]] bool isEmpty() const { return m_length == 0; }
    void clear() { *this = CardText(); }

private:
    static constexpr qsizetype NotWritten = -1;
    void holdText(QByteArray text) const;

    /// The stream the card is a slice of, or the contact of a card not written yet (the length is
    /// NotWritten then): one pointer, as every contact of a table holds one.
    mutable std::shared_ptr<const void> m_source;
    mutable qsizetype m_offset = 0;
    mutable qsizetype m_length = 0;
};

/// One contact of an owner's contact table.
struct ContactEntry
{
    std::shared_ptr<PersonDsc> person;
    QString uniqueId;
    QString compositeName; ///< at reading time, or "No name"
    QStringList categories; ///< category names of the card it was read from
    CardText vCardString; ///< the card it was read from, or the snapshot taken when deleted
    QStringList groupUniqueIds; ///< the groups it belongs to
    QStringList removedGroupUniqueIds; ///< groups it was removed from
    bool groupChanged = false;
    bool deleted = false;
    bool dirty = false;
    QString remote; ///< the account it belongs to

    /// A new entry for a descriptor, keyed by its unique id.
    static std::shared_ptr<ContactEntry> make(std::shared_ptr<PersonDsc> person);
};

using ContactEntryPtr = std::shared_ptr<ContactEntry>;
using ContactTable = QList<ContactEntryPtr>;

/// The text contacts without a name are listed with.
inline const QString NoNameText = QStringLiteral("No name");

} // namespace Quillary
