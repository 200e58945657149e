#pragma once

#include "PersonDsc.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace Quillary {

/// The text of one card: a slice of the stream it was read from (shared with the other cards of that
/// stream, so reading keeps one copy of the file), or a text of its own.
class CardText
{
public:
    CardText() = default;
    explicit CardText(QByteArray text);
    CardText(std::shared_ptr<const QByteArray> stream, qsizetype offset, qsizetype length);

    [[nodiscard]] QByteArrayView utf8() const;
    [[nodiscard]] QString toString() const { return QString::fromUtf8(utf8()); }
    [[nodiscard]] bool isEmpty() const { return m_length == 0; }
    void clear() { *this = CardText(); }

private:
    std::shared_ptr<const QByteArray> m_stream;
    qsizetype m_offset = 0;
    qsizetype m_length = 0;
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
