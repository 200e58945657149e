#pragma once

#include "formats/ZQVCard.h"

#include <QString>

namespace Quillary {

/// Reads a vCard or CSV file into contacts and groups: the bytes in the chosen encoding (or
/// detected), then the cards and their categories as a group table, or the lines of the CSV text
/// with a group table of the top entry alone.
class ContactFileReader
{
public:
    struct Result
    {
        ContactTable contacts;
        GroupTable groupTable;
        QByteArray encoding; ///< the encoding the file was read in
        QString errorString; ///< why the file could not be read; empty on success
        enum class Failure { None, Open, Decode, NoContact };
        Failure failure = Failure::None;
        QString warning; ///< what the user should know about a file that was read; else empty
        QString informativeText; ///< the details of the warning
        [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
    };

    enum class FileType { VCard, Csv };
    /// CSV for the extension "csv" (in any case), else vCard.
    [[nodiscard]] static FileType fileTypeForPath(const QString& path);

    /// Reads the file as its extension says. `encoding` is an encoding name, or "auto" to detect it.
    [[nodiscard]] static Result read(const QString& path, QByteArrayView encoding = "auto",
                                     const ZQVCard::ProgressHandler& progress = {});
    /// The same for vCard bytes already in memory.
    [[nodiscard]] static Result readBytes(QByteArray bytes, QByteArrayView encoding = "auto",
                                          const ZQVCard::ProgressHandler& progress = {});
    [[nodiscard]] static Result readVCard(const QString& path, QByteArrayView encoding = "auto",
                                          const ZQVCard::ProgressHandler& progress = {});
    /// A CSV file, whatever its extension.
    [[nodiscard]] static Result readCsv(const QString& path, QByteArrayView encoding = "auto");
    [[nodiscard]] static Result readCsvBytes(QByteArray bytes, QByteArrayView encoding = "auto");

    /// How much of a pipe or another file without a known size is read at most (1 GiB unless set):
    /// such a file is read once, whole, before its text is decoded.
    static void setSequentialLimit(qint64 bytes);

    /// The message for a file without any readable card.
    [[nodiscard]] static QString noCardMessage();
    /// The message for a CSV file without any contact.
    [[nodiscard]] static QString noCsvContactMessage();

private:
    /// The group table of the contacts read, or the error of a file without any.
    static Result finish(Result result);
};

} // namespace Quillary
