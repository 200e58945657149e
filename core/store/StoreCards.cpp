#include "StoreCards.h"

#include "formats/ZQVCard.h"
#include "model/addressbook/GroupCard.h"
#include "model/addressbook/VCardCodec.h"

#include "support/CoreTr.h"

#include <QCoreApplication>

namespace Quillary::StoreCards {

namespace {

qsizetype cardCount(QByteArrayView bytes)
{
    qsizetype count = 0;
    for (qsizetype at = 0; (at = bytes.indexOf(':', at)) >= 0; ++at) {
        // "BEGIN:VCARD" in any case, at the start of a line.
        if (at < 5 || bytes.size() - at < 6)
            continue;
        const qsizetype lineStart = at - 5;
        if ((lineStart > 0 && bytes[lineStart - 1] != '\n' && bytes[lineStart - 1] != '\r')
            || bytes.sliced(lineStart, 5).compare("BEGIN", Qt::CaseInsensitive) != 0
            || bytes.sliced(at + 1, 5).compare("VCARD", Qt::CaseInsensitive) != 0)
            continue;
        ++count;
    }
    return count;
}

} // namespace

ParsedCard parse(QByteArrayView bytes)
{
    ParsedCard card;
    const qsizetype cards = cardCount(bytes);
    if (cards == 0) {
        card.problem = Tr::tr("no vCard in the file");
        return card;
    }
    if (cards > 1) {
        card.problem = Tr::tr("%n cards in one file", nullptr, int(cards));
        return card;
    }
    if (AddressBook::GroupCard::mayBeGroupCard(bytes)) {
        card.group = AddressBook::GroupCard::read(bytes);
        if (card.group) {
            card.groupCardText = bytes.toByteArray();
            return card;
        }
    }
    card.person = AddressBook::VCardCodec::readPerson(bytes, &card.categories);
    if (!card.person)
        card.problem = Tr::tr("no contact could be read from the card");
    return card;
}

QByteArray personCard(const std::shared_ptr<AddressBook::Person>& person, const QStringList& categories)
{
    // Written from the record itself: whatever the record keeps of the card reaches the file.
    QByteArray card = AddressBook::VCardCodec::writePerson(*person);
    static const QByteArray endLine = QByteArrayLiteral("END:VCARD\r\n");
    if (!card.endsWith(endLine))
        return card;
    card.chop(endLine.size());
    if (const QString& note = person->value(AddressBook::StringProperty::Note); !note.isEmpty())
        AddressBook::VCardCodec::appendFolded(card,
                                              QByteArray("NOTE:" + AddressBook::VCardCodec::escapeText(note).toUtf8()));
    card.append(ZQVCard::encodeVCardPhoto(person->imageData()));
    if (!categories.isEmpty()) {
        QStringList escaped;
        for (const QString& name : categories)
            escaped.append(AddressBook::VCardCodec::escapeText(name));
        AddressBook::VCardCodec::appendFolded(card, QByteArray("CATEGORIES:" + escaped.join(u',').toUtf8()));
    }
    card.append(endLine);
    return card;
}

} // namespace Quillary::StoreCards
