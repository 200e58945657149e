#pragma once

#include "CsvFieldDetection.h"
#include "CsvReader.h"
#include "CsvWriter.h"
#include "model/ContactEntry.h"
#include "model/GroupEntry.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace Quillary {

class CardCollector;

/// Converts between vCard streams and contact entries: cuts a stream into cards, reads each card into
/// a detached contact, turns CATEGORIES into a group table, and writes contacts back as cards with
/// their NOTE, PHOTO and CATEGORIES lines. Writes and reads CSV too. Made for one operation; several
/// may run on different threads at once.
class ZQVCard
{
public:
    /// Called after each batch of cards with the byte offset at which the last card read ends, or
    /// after each contact written with its index; setting `stop` ends the work with an empty result.
    using ProgressHandler = std::function<void(bool& stop, qsizetype position)>;

    ZQVCard();

    /// The account new contacts are meant for.
    QString defaultAccount;
    int defaultNameOrdering;
    QString defaultCountryCode;
    /// The encoding the stream was read from, when not UTF-8: what quoted-printable values that
    /// declare no CHARSET are read in.
    QByteArray fileEncoding;

    /// Reads every card of a UTF-8 stream. Cards that cannot be read are skipped; a stop request
    /// gives an empty list. Each entry keeps its card as a slice of the stream. With `groupTable`, the
    /// groups that the categories name are made while reading, and each contact gets their ids, as
    /// makeGroupTableFromCategoriesOfContacts and convertCatetoriesToUniqueIds would do afterwards.
    [[nodiscard]] ContactTable contactsFromVCards(const QByteArray& stream, const ProgressHandler& progress = {},
                                                  GroupTable* groupTable = nullptr) const;
    /// Reads every card of UTF-8 text that a device delivers, a piece at a time, so that a large file
    /// never has to be in memory whole. The entries keep no card text.
    [[nodiscard]] ContactTable contactsFromVCardDevice(QIODevice& device, const ProgressHandler& progress = {},
                                                       GroupTable* groupTable = nullptr) const;
    /// The same for text; the text is encoded as UTF-8 first.
    [[nodiscard]] ContactTable contactsFromVCards(const QString& stream, const ProgressHandler& progress = {}) const;
    /// Entries with person, unique id and categories only.
    [[nodiscard]] ContactTable devideVCards(const QByteArray& stream) const;
    /// One card to one contact; none for an empty or unreadable card.
    [[nodiscard]] std::shared_ptr<PersonDsc> personFromVCard(QByteArrayView card) const;

    [[nodiscard]] static QStringList findCategories2(QByteArrayView text);
    [[nodiscard]] static GroupTable makeGroupTableFromCategoriesOfContacts(const ContactTable& contacts);
    static void convertCatetoriesToUniqueIds(const ContactTable& contacts, const GroupTable& groupTable);
    /// The names of the groups with these unique ids, in group-table order, joined by ",". A comma
    /// inside a name is written as "\\,".
    [[nodiscard]] static QString categoriesFromUniqueIds(const QStringList& uniqueIds, const GroupTable& groupTable);

    /// One contact as a card, with the extra lines the options ask for ("Note", "Photo").
    [[nodiscard]] static QByteArray vCardFromContact(const ContactEntry& contact, const QStringList& options,
                                                     const QString& categories);
    /// The same card appended to `out`; nothing for a contact without a person.
    static void appendVCardFromContact(QByteArray& out, const ContactEntry& contact, const QStringList& options,
                                       const QString& categories);
    /// Writes every contact to a device, card after card, a batch at a time: the stream is never in
    /// memory whole. The number of bytes written; -1 when writing failed or was stopped.
    qint64 writeVCards(QIODevice& device, const ContactTable& contacts, const QStringList& options,
                       const GroupTable& groupTable, const ProgressHandler& progress = {}) const;
    /// Every contact as one stream, cards in order; empty when stopped.
    [[nodiscard]] QByteArray vCardsFromContacts(const ContactTable& contacts, const QStringList& options,
                                                const GroupTable& groupTable,
                                                const ProgressHandler& progress = {}) const;

    /// The PHOTO property lines for image data; JPEG data is written as it is, other images are
    /// encoded as JPEG first. "" when there is no image.
    [[nodiscard]] static QByteArray encodeVCardPhoto(const QByteArray& imageData);
    [[nodiscard]] static QByteArray jpegDataFromImage(const QImage& image);

    /// Text of the group-table time stamps: "2026-01-31 09:15:00 +0000".
    [[nodiscard]] static QString groupDateText();

    // CSV ---------------------------------------------------------------------------------------
    /// A CSV file of table rows as UTF-8: the header line and one line per row (CsvWriter).
    [[nodiscard]] static QByteArray csvFromSubContacts(const CsvRows& rows)
    {
        return CsvWriter::csvFromSubContacts(rows);
    }
    /// A CSV file with one line per contact, each its first row.
    [[nodiscard]] static QByteArray csvFromSubContacts(const ContactTable& contacts)
    {
        return CsvWriter::csvFromSubContacts(contacts);
    }
    /// One row as one line of the given fields, for the pasteboard.
    [[nodiscard]] static QString csvStringFromContact(const CsvRow& row, const QStringList& identifiers,
                                                      const QString& separator)
    {
        return CsvWriter::csvStringFromContact(row, identifiers, separator);
    }
    /// The contacts of CSV text, one per line, for the account `defaultAccount`; with a warning
    /// when the text has no header line and the default columns were assumed.
    [[nodiscard]] CsvReadResult contactsFromCSV(QStringView text) const;
    [[nodiscard]] static QString detectType(QStringView header) { return CsvFieldDetection::detectType(header); }
    [[nodiscard]] static QString detectLabel(QStringView header) { return CsvFieldDetection::detectLabel(header); }
    [[nodiscard]] static QString detectAddressType(QStringView header)
    {
        return CsvFieldDetection::detectAddressType(header);
    }
    static void createContact(CsvRawContact& contact, const QString& value, QStringView type, const QString& label)
    {
        CsvReader::createContact(contact, value, type, label);
    }

private:
    struct Batch;
    struct Piece;
    ContactEntryPtr readCard(const Batch& batch, qsizetype offset, qsizetype length) const;
    /// Reads the cards batch after batch, each batch on all cores; `whileReading` is work of this
    /// thread done while a batch is being read.
    bool readBatches(const Batch& batch, CardCollector& collector, const ProgressHandler& progress,
                     const std::function<void()>& whileReading = {}) const;
    ContactTable readCards(const QByteArray& stream, const ProgressHandler& progress, bool fullEntry,
                           GroupTable* groupTable = nullptr) const;
};

namespace WriteOption {
inline const QString Note = QStringLiteral("Note");
inline const QString Photo = QStringLiteral("Photo");
} // namespace WriteOption

} // namespace Quillary
