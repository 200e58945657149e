#pragma once

#include "formats/ZQVCard.h"

#include <QString>

namespace Quillary {

/// Reads a vCard file into contacts and groups: the bytes in the chosen encoding (or detected), the
/// cards, their categories as a group table.
class ContactFileReader
{
public:
    struct Result
    {
        ContactTable contacts;
        GroupTable groupTable;
        QByteArray encoding;  ///< the encoding the file was read in
        QString errorString;  ///< why the file could not be read; empty on success
        enum class Failure { None, Open, Decode, NoContact };
        Failure failure = Failure::None;
        [[nodiscard]] bool ok() const { return errorString.isEmpty(); }
    };

    /// `encoding` is an encoding name, or "auto" to detect it.
    [[nodiscard]] static Result read(const QString& path, QByteArrayView encoding = "auto",
                                     const ZQVCard::ProgressHandler& progress = {});
    /// The same for bytes already in memory.
    [[nodiscard]] static Result readBytes(QByteArray bytes, QByteArrayView encoding = "auto",
                                          const ZQVCard::ProgressHandler& progress = {});

    /// The message for a file without any readable card.
    [[nodiscard]] static QString noCardMessage();

private:
    /// The group table of the contacts read, or the error of a file without any.
    static Result finish(Result result);
};

} // namespace Quillary
