#pragma once

#include "model/addressbook/Records.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <optional>

// The cards of the store's files: what one file holds, and the text a person record is written as.
namespace Quillary::StoreCards {

/// What one card file holds: a person, a group, or nothing readable.
struct ParsedCard
{
    std::optional<AddressBook::Person> person;
    std::optional<AddressBook::Group> group;
    QStringList categories; ///< the CATEGORIES names of a person card, written back as they were
    QByteArray groupCardText; ///< a group card's text, whose other lines are written back
    QString problem; ///< why nothing could be read

    [[nodiscard]] bool isReadable() const { return person || group; }
};

/// Reads a card file. A file with more than one card is not read (a rewrite would lose the others).
[[nodiscard]] ParsedCard parse(QByteArrayView bytes);

/// The card a person record is stored as: vCard 3.0 in UTF-8 with its note, photo and the given
/// categories.
[[nodiscard]] QByteArray personCard(const std::shared_ptr<AddressBook::Person>& person, const QStringList& categories);

} // namespace Quillary::StoreCards
