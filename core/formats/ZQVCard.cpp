#include "ZQVCard.h"

#include "CardCollector.h"
#include "CategoryNames.h"
#include "VCardStream.h"
#include "model/addressbook/VCardCodec.h"
#include "support/CoreTr.h"
#include "support/SharedWork.h"

#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace Quillary {

namespace {

// Cards are converted in batches spread over the cores; progress is reported after each batch. A batch
// must take long against waking the threads for it: with 512 cards (about 2 ms of work on two cores)
// the cores stood idle for a third of the time.
constexpr qsizetype BatchSize = 4096;
// Cards a thread takes at a time from a batch: enough to make taking them cheap, few enough that the
// threads finish a batch together.
constexpr qsizetype CardsAtOnce = 8;

constexpr qsizetype FoldWidth = 75; // octets of a line
constexpr qsizetype PhotoLine = 74;

bool isJpeg(const QByteArray& data)
{
    return data.size() > 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 && uchar(data[2]) == 0xFF;
}

/// The TYPE of image data by its first bytes, for photos written as they came; "" when unknown.
QByteArray imageType(const QByteArray& data)
{
    if (data.size() >= 12 && data.sliced(4, 4) == "ftyp") {
        const QByteArray brand = data.sliced(8, 4);
        if (brand == "avif" || brand == "avis")
            return QByteArrayLiteral("AVIF");
        return QByteArrayLiteral("HEIC"); // heic, heix, mif1, msf1 ...
    }
    if (data.startsWith("RIFF") && data.size() >= 12 && data.sliced(8, 4) == "WEBP")
        return QByteArrayLiteral("WEBP");
    if (data.startsWith("GIF8"))
        return QByteArrayLiteral("GIF");
    if (data.startsWith("\x89PNG"))
        return QByteArrayLiteral("PNG");
    if (data.startsWith("II*") || data.startsWith(QByteArrayView("MM\0*", 4)))
        return QByteArrayLiteral("TIFF");
    if (data.startsWith("BM"))
        return QByteArrayLiteral("BMP");
    return {};
}

/// A note as vCard 3.0 text: backslash, comma and semicolon escaped; CR LF, CR and LF each as \n.
QString escapedNote(const QString& note)
{
    return AddressBook::VCardCodec::escapeText(note);
}

} // namespace

ZQVCard::ZQVCard()
    : defaultAccount(GroupText::LocalAccount), defaultNameOrdering(ContactDefaults::shared().nameOrdering),
      defaultCountryCode(ContactDefaults::shared().countryCode)
{ }

/// Cards cut from one piece of a stream, converted together.
struct ZQVCard::Batch
{
    QByteArrayView text; ///< the piece the card ranges point into
    std::shared_ptr<const QByteArray> owner; ///< when set, entries keep their card as a slice of it
    const QList<VCardStream::CardRange>* cards = nullptr;
    qsizetype streamOffset = 0; ///< offset of the piece in the whole stream
    bool fullEntry = true;
};

ContactEntryPtr ZQVCard::readCard(const Batch& batch, qsizetype offset, qsizetype length) const
{
    const QByteArrayView card = batch.text.sliced(offset, length);
    QStringList categories;
    PersonDsc::Builder builder(defaultNameOrdering, defaultCountryCode); // the contact keeps the one interned copy
    const std::optional<AddressBook::Person> record =
        AddressBook::VCardCodec::readPerson(card, &categories, fileEncoding, &builder);
    if (!record)
        return {};
    auto person = std::make_shared<PersonDsc>(builder.finish(*record));
    auto entry = ContactEntry::make(person);
    entry->categories = std::move(categories);
    if (batch.fullEntry) {
        const QString name = person->compositeName();
        entry->compositeName = name.isEmpty() ? NoNameText : name;
        if (batch.owner)
            entry->vCardString = CardText(batch.owner, offset, length);
    }
    return entry;
}

bool ZQVCard::readBatches(const Batch& batch, CardCollector& collector, const ProgressHandler& progress,
                          const std::function<void()>& whileReading) const
{
    const QList<VCardStream::CardRange>& cards = *batch.cards;
    for (qsizetype first = 0; first < cards.size(); first += BatchSize) {
        const qsizetype count = qMin(BatchSize, cards.size() - first);
        QList<ContactEntryPtr> entries(count);
        QList<CardCollector::Facts> facts(count);
        const auto readOne = [&](qsizetype position) {
            const VCardStream::CardRange& range = cards.at(first + position);
            ContactEntryPtr entry = readCard(batch, range.offset, range.length);
            facts[position] = CardCollector::Facts(entry.get());
            entries[position] = std::move(entry);
        };
        shareWork(count, CardsAtOnce, readOne, [&] {
            collector.settle(); // the batch before, while this one is read
            if (whileReading)
                whileReading();
        });
        collector.take(entries, facts);
        if (progress) {
            bool stop = false;
            const VCardStream::CardRange& last = cards.at(first + count - 1);
            progress(stop, batch.streamOffset + last.offset + last.length);
            if (stop)
                return false;
        }
    }
    return true;
}

ContactTable ZQVCard::readCards(const QByteArray& streamBytes, const ProgressHandler& progress, bool fullEntry,
                                GroupTable* groupTable) const
{
    const auto stream = std::make_shared<const QByteArray>(streamBytes);
    const QList<VCardStream::CardRange> cards = VCardStream::cut(*stream);
    ContactTable result;
    result.reserve(cards.size());
    CardCollector collector(result, groupTable);
    if (!readBatches(Batch{*stream, stream, &cards, 0, fullEntry}, collector, progress))
        return {};
    collector.finish();
    return result;
}

/// A piece of a stream read from a device, with the cards that end in it.
struct ZQVCard::Piece
{
    QByteArray text;
    qsizetype offset = 0; ///< of text[0] in the stream
    QList<VCardStream::CardRange> cards;
    qsizetype done = 0; ///< where the text still to be cut starts
    bool atEnd = false;

    qsizetype size = 0; ///< of what was read from the device into it

    /// The piece after this one: the text not yet cut, then what the device gives next. The first
    /// piece is small, so that reading cards starts at once; each next one is twice as large, up to
    /// 4 MiB (smaller pieces leave the cores idle more often: 1 MiB reads 15 % slower), and at most a
    /// quarter of what is left of the stream.
    [[nodiscard]] Piece next(QIODevice& device)
    {
        constexpr qsizetype FirstSize = qsizetype(256) << 10;
        constexpr qsizetype LargestSize = qsizetype(4) << 20;
        qsizetype pieceSize = qBound(FirstSize, 2 * size, LargestSize);
        // Near the end of the stream the pieces get smaller: the last cards are read while the contacts
        // of all the others are held, and that is when memory peaks (100 000 cards: 7 MiB less).
        if (const qint64 remaining = device.bytesAvailable(); remaining > 0)
            pieceSize = qBound(FirstSize, qMin<qint64>(pieceSize, remaining / 4), LargestSize);
        Piece result;
        result.size = pieceSize;
        // A card longer than a piece grows the same buffer, so that it is never copied again and again.
        result.text = done == 0 ? std::move(text) : text.sliced(done);
        result.offset = offset + done;
        // Read straight into the buffer's end: no piece is copied on its way in.
        const qsizetype kept = result.text.size();
        result.text.resize(kept + pieceSize);
        const qint64 read = device.read(result.text.data() + kept, pieceSize);
        result.text.resize(kept + qMax<qint64>(read, 0));
        result.atEnd = device.atEnd();
        result.done = VCardStream::cutComplete(result.text, result.atEnd, result.cards);
        return result;
    }
};

ContactTable ZQVCard::contactsFromVCardDevice(QIODevice& device, const ProgressHandler& progress,
                                              GroupTable* groupTable) const
{
    ContactTable result;
    CardCollector collector(result, groupTable);
    Piece piece = Piece().next(device);
    for (;;) {
        // The next piece is read and cut while the cards of this one are read.
        std::optional<Piece> next;
        const auto readNext = [&] {
            if (!next && !piece.atEnd && !piece.cards.isEmpty())
                next = piece.next(device);
        };
        if (!readBatches(Batch{piece.text, nullptr, &piece.cards, piece.offset, true}, collector, progress, readNext))
            return {};
        if (piece.atEnd)
            break;
        piece = next ? std::move(*next) : piece.next(device);
    }
    collector.finish();
    return result;
}

ContactTable ZQVCard::contactsFromVCards(const QByteArray& stream, const ProgressHandler& progress,
                                         GroupTable* groupTable) const
{
    return readCards(stream, progress, true, groupTable);
}

ContactTable ZQVCard::contactsFromVCards(const QString& stream, const ProgressHandler& progress) const
{
    return readCards(stream.toUtf8(), progress, true);
}

ContactTable ZQVCard::devideVCards(const QByteArray& stream) const
{
    return readCards(stream, {}, false);
}

std::shared_ptr<PersonDsc> ZQVCard::personFromVCard(QByteArrayView card) const
{
    if (card.isEmpty())
        return {};
    std::optional<AddressBook::Person> record = AddressBook::VCardCodec::readPerson(card, nullptr, fileEncoding);
    if (!record)
        return {};
    return std::make_shared<PersonDsc>(
        PersonDsc::detachedFromRecord(std::move(*record), defaultNameOrdering, defaultCountryCode));
}

CsvReadResult ZQVCard::contactsFromCSV(QStringView text) const
{
    return CsvReader::contactsFromCSV(text, CsvReadOptions{defaultNameOrdering, defaultCountryCode, defaultAccount});
}

QStringList ZQVCard::findCategories2(QByteArrayView text)
{
    return AddressBook::VCardCodec::readCategories(text);
}

QString ZQVCard::groupDateText()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
}

GroupTable ZQVCard::makeGroupTableFromCategoriesOfContacts(const ContactTable& contacts)
{
    CategoryGroups groups;
    for (const ContactEntryPtr& contact : contacts)
        groups.add(contact, CategoryGroups::Ids::Keep);
    return groups.take(contacts);
}

void ZQVCard::convertCatetoriesToUniqueIds(const ContactTable& contacts, const GroupTable& groupTable)
{
    QHash<QString, QString> uniqueIdsByName;
    for (const GroupEntryPtr& group : groupTable) {
        if (!group->top)
            uniqueIdsByName.insert(group->groupName, group->uniqueId);
    }
    if (uniqueIdsByName.isEmpty())
        return;
    for (const ContactEntryPtr& contact : contacts) {
        contact->groupUniqueIds.clear();
        for (const QString& name : contact->categories) {
            const auto it = uniqueIdsByName.constFind(name);
            if (it != uniqueIdsByName.constEnd())
                contact->groupUniqueIds.append(*it);
        }
    }
}

namespace {

/// The positions of the groups of a table by unique id. A contact's categories are then found in the
/// time of its own memberships, not of the whole table: a file can hold thousands of categories.
} // namespace

QString ZQVCard::categoriesFromUniqueIds(const QStringList& uniqueIds, const GroupTable& groupTable)
{
    if (uniqueIds.isEmpty())
        return {};
    return CategoryNames(groupTable)(uniqueIds);
}

QByteArray ZQVCard::vCardFromContact(const ContactEntry& contact, const QStringList& options, const QString& categories)
{
    QByteArray card;
    appendVCardFromContact(card, contact, options, categories);
    return card;
}

void ZQVCard::appendVCardFromContact(QByteArray& out, const ContactEntry& contact, const QStringList& options,
                                     const QString& categories)
{
    if (!contact.person)
        return;
    const PersonDsc& person = *contact.person;
    const qsizetype start = out.size();
    AddressBook::VCardCodec::appendPerson(out, person.toRecord());
    static const QByteArray endLine = QByteArrayLiteral("END:VCARD\r\n");
    if (!out.endsWith(endLine)) {
        out.truncate(start);
        return;
    }
    out.chop(endLine.size());
    if (options.contains(WriteOption::Note)) {
        const QString note = person.stringValueForIdentifier(Field::Note);
        if (!note.isEmpty())
            AddressBook::VCardCodec::appendFolded(out, QByteArray("NOTE:" + escapedNote(note).toUtf8()));
    }
    if (options.contains(WriteOption::Photo))
        out.append(encodeVCardPhoto(person.photoData()));
    if (!categories.isEmpty())
        AddressBook::VCardCodec::appendFolded(out, QByteArray("CATEGORIES:" + categories.toUtf8()));
    out.append(endLine);
}

qint64 ZQVCard::writeVCards(QIODevice& device, const ContactTable& contacts, const QStringList& options,
                            const GroupTable& groupTable, const ProgressHandler& progress) const
{
    // Each task writes a run of contacts into one text of its own: a text per card would be freed by
    // the writing thread while the tasks allocate in the same heaps.
    constexpr qsizetype RunSize = 128;
    qint64 written = 0;
    QList<QByteArray> made; // texts of the batch before, not written yet
    qsizetype madeLast = -1; // the index of its last contact
    const auto writeMade = [&] {
        for (const QByteArray& text : std::as_const(made)) {
            if (device.write(text) != text.size())
                return false;
            written += text.size();
        }
        if (made.isEmpty())
            return true;
        made.clear();
        bool stop = false;
        if (progress)
            progress(stop, madeLast);
        return !stop;
    };
    const CategoryNames categories(groupTable);
    for (qsizetype first = 0; first < contacts.size(); first += BatchSize) {
        const qsizetype count = qMin(BatchSize, contacts.size() - first);
        QList<QByteArray> texts((count + RunSize - 1) / RunSize);
        const auto makeRun = [&](qsizetype run) {
            const qsizetype begin = first + run * RunSize;
            const qsizetype end = qMin(begin + RunSize, first + count);
            for (qsizetype index = begin; index < end; ++index) {
                const ContactEntry& contact = *contacts.at(index);
                appendVCardFromContact(texts[run], contact, options, categories(contact.groupUniqueIds));
            }
        };
        bool ok = true;
        shareWork(texts.size(), 1, makeRun, [&] { ok = writeMade(); }); // the batch before, while this one is made
        if (!ok)
            return -1;
        made = std::move(texts);
        madeLast = first + count - 1;
    }
    return writeMade() ? written : -1;
}

QByteArray ZQVCard::vCardsFromContacts(const ContactTable& contacts, const QStringList& options,
                                       const GroupTable& groupTable, const ProgressHandler& progress) const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (writeVCards(buffer, contacts, options, groupTable, progress) < 0)
        return {};
    return data;
}

QByteArray ZQVCard::jpegDataFromImage(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 90);
    return data;
}

QByteArray ZQVCard::encodeVCardPhoto(const QByteArray& imageData)
{
    if (imageData.isEmpty())
        return {};
    // Encoding JPEG again would lose a little more of the photo on every save; an image that cannot
    // be decoded here (HEIC, for one) is written as it came.
    QByteArray data = imageData;
    QByteArray type = QByteArrayLiteral("JPEG");
    if (!isJpeg(imageData)) {
        const QImage image = QImage::fromData(imageData);
        if (image.isNull())
            type = imageType(imageData);
        else
            data = jpegDataFromImage(image);
    }
    if (data.isEmpty())
        return {};
    const QByteArray base64 = data.toBase64();
    QByteArray out;
    out.reserve(base64.size() + base64.size() / PhotoLine * 3 + 40);
    out.append("PHOTO;ENCODING=b");
    if (!type.isEmpty())
        out.append(";TYPE=" + type);
    out.append(':');
    // The first line is as long as the others: 48 characters after a JPEG's prefix.
    const qsizetype firstLine = FoldWidth - out.size();
    out.append(base64.left(firstLine));
    out.append("\r\n");
    for (qsizetype pos = firstLine; pos < base64.size(); pos += PhotoLine) {
        out.append(' ');
        out.append(base64.constData() + pos, qMin(PhotoLine, base64.size() - pos));
        out.append("\r\n");
    }
    return out;
}

} // namespace Quillary
