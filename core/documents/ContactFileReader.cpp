#include "ContactFileReader.h"

#include "formats/TextDecoding.h"
#include "support/Charset.h"
#include "support/CoreTr.h"
#include "support/Utf8CheckingDevice.h"

#include <QFile>

#include <atomic>
#include <climits>

namespace Quillary {

QString ContactFileReader::noCardMessage()
{
    return Tr::tr("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
}

QString ContactFileReader::noCsvContactMessage()
{
    return Tr::tr("Please make sure the file is a valid CSV file, or text encoding.");
}

ContactFileReader::FileType ContactFileReader::fileTypeForPath(const QString& path)
{
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? FileType::Csv : FileType::VCard;
}

namespace {

constexpr qsizetype PieceSize = qsizetype(4) << 20;

bool startsWithUtf8Mark(QFile& file)
{
    file.seek(0);
    return file.peek(3) == "\xEF\xBB\xBF";
}

/// UTF-16 of ASCII or Cyrillic text without a mark is also well-formed UTF-8: detection looks for it
/// first, and so must the reading that passes UTF-8 straight through.
bool looksLikeUtf16(QFile& file)
{
    file.seek(0);
    return !TextDecoding::utf16WithoutMark(file.peek(4096)).isEmpty();
}

bool openFile(QFile& file, ContactFileReader::Result& result)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    result.errorString = Tr::tr("The file “%1” couldn't be opened: %2").arg(file.fileName(), file.errorString());
    result.failure = ContactFileReader::Result::Failure::Open;
    return false;
}

std::atomic<qint64> sequentialLimit = qint64(1) << 30;

bool readFailed(QFile& file, ContactFileReader::Result& result)
{
    result.errorString = Tr::tr("The file “%1” couldn't be read: %2").arg(file.fileName(), file.errorString());
    result.failure = ContactFileReader::Result::Failure::Open;
    return false;
}

/// A pipe's bytes, read once, as they come: its size is not known and it cannot be read again.
bool readSequential(QFile& file, QByteArray& bytes, ContactFileReader::Result& result)
{
    const qint64 limit = sequentialLimit;
    bytes.clear();
    while (bytes.size() <= limit) {
        const QByteArray piece = file.read(qMin(PieceSize, limit + 1 - bytes.size()));
        if (piece.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return readFailed(file, result);
            return true;
        }
        bytes.append(piece);
    }
    bytes.clear();
    result.errorString =
        Tr::tr("The file “%1” couldn't be read: it holds more than %2 bytes.").arg(file.fileName()).arg(limit);
    result.failure = ContactFileReader::Result::Failure::Open;
    return false;
}

/// The whole file in one buffer of its exact size: readAll() would grow its buffer step by step.
bool readWhole(QFile& file, QByteArray& bytes, ContactFileReader::Result& result)
{
    if (file.isSequential())
        return readSequential(file, bytes, result);
    file.seek(0);
    bytes = QByteArray(file.size(), Qt::Uninitialized);
    if (file.read(bytes.data(), bytes.size()) == bytes.size())
        return true;
    return readFailed(file, result);
}

/// The bytes as UTF-8 text; on failure the result says why. Bytes of a UTF-8 file that were not
/// UTF-8 are told about: they are saved as they were read.
TextDecoding::DecodedText decode(QByteArray bytes, QByteArrayView encoding, ContactFileReader::Result& result)
{
    TextDecoding::DecodedText text = TextDecoding::toUtf8(std::move(bytes), encoding);
    result.encoding = text.encoding;
    if (!text.ok()) {
        result.errorString = text.errorString;
        result.failure = ContactFileReader::Result::Failure::Decode;
    }
    if (text.repairedBytes > 0) {
        result.warning = Tr::tr("The file is UTF-8 text with bytes that are not UTF-8.");
        result.informativeText = Tr::tr("%n byte(s) were read as Western (Windows Latin 1). Please check the "
                                        "contacts with accented letters before the file is saved.",
                                        nullptr, int(qMin<qsizetype>(text.repairedBytes, INT_MAX)));
    }
    return text;
}

} // namespace

void ContactFileReader::setSequentialLimit(qint64 bytes)
{
    sequentialLimit = bytes;
}

ContactFileReader::Result ContactFileReader::read(const QString& path, QByteArrayView encoding,
                                                  const ZQVCard::ProgressHandler& progress)
{
    return fileTypeForPath(path) == FileType::Csv ? readCsv(path, encoding) : readVCard(path, encoding, progress);
}

ContactFileReader::Result ContactFileReader::readCsv(const QString& path, QByteArrayView encoding)
{
    Result result;
    QFile file(path);
    QByteArray bytes;
    if (!openFile(file, result) || !readWhole(file, bytes, result))
        return result;
    return readCsvBytes(std::move(bytes), encoding);
}

ContactFileReader::Result ContactFileReader::readCsvBytes(QByteArray bytes, QByteArrayView encoding)
{
    Result result;
    TextDecoding::DecodedText text = decode(std::move(bytes), encoding, result);
    if (!text.ok())
        return result;
    CsvReadResult read = ZQVCard().contactsFromCSV(QString::fromUtf8(text.utf8));
    result.contacts = std::move(read.contacts);
    if (!read.warning.isEmpty()) {
        const bool both = !result.warning.isEmpty();
        result.warning = both ? result.warning + u' ' + read.warning : read.warning;
        result.informativeText = both ? result.informativeText + u'\n' + read.informativeText : read.informativeText;
    }
    if (result.contacts.isEmpty()) {
        result.errorString = noCsvContactMessage();
        result.failure = Result::Failure::NoContact;
        return result;
    }
    // Without categories the group table is the top entry alone.
    result.groupTable = ZQVCard::makeGroupTableFromCategoriesOfContacts(result.contacts);
    return result;
}

ContactFileReader::Result ContactFileReader::readVCard(const QString& path, QByteArrayView encoding,
                                                       const ZQVCard::ProgressHandler& progress)
{
    Result result;
    QFile file(path);
    if (!openFile(file, result))
        return result;
    // UTF-8, by far the most common, is read in pieces and checked as it is read: a large file is never
    // in memory whole. A file that turns out to be something else is read again, whole, and decoded;
    // so is a pipe, whose bytes can be read only once.
    const bool automatic = encoding.isEmpty() || encoding.compare(TextDecoding::Automatic, Qt::CaseInsensitive) == 0;
    if (!file.isSequential() && (automatic ? !looksLikeUtf16(file) : Charset::canonicalName(encoding) == "UTF-8")) {
        const qsizetype start = startsWithUtf8Mark(file) ? 3 : 0;
        file.seek(start);
        Utf8CheckingDevice checked(file);
        result.contacts = ZQVCard().contactsFromVCardDevice(checked, progress, &result.groupTable);
        if (checked.isValid()) {
            result.encoding = QByteArrayLiteral("UTF-8");
            return finish(std::move(result));
        }
        result = Result();
        if (!automatic) {
            result.errorString = Tr::tr("The file is not valid %1 text: invalid bytes at offset %2.")
                                     .arg(QStringLiteral("UTF-8"))
                                     .arg(start + checked.errorOffset());
            result.failure = Result::Failure::Decode;
            return result;
        }
    }
    QByteArray bytes;
    if (!readWhole(file, bytes, result))
        return result;
    return readBytes(std::move(bytes), encoding, progress);
}

ContactFileReader::Result ContactFileReader::finish(Result result)
{
    if (result.contacts.isEmpty()) {
        result.groupTable.clear();
        result.errorString = noCardMessage();
        result.failure = Result::Failure::NoContact;
        return result;
    }
    return result;
}

ContactFileReader::Result ContactFileReader::readBytes(QByteArray bytes, QByteArrayView encoding,
                                                       const ZQVCard::ProgressHandler& progress)
{
    Result result;
    TextDecoding::DecodedText text = decode(std::move(bytes), encoding, result);
    if (!text.ok())
        return result;
    ZQVCard converter;
    converter.fileEncoding = text.encoding;
    result.contacts = converter.contactsFromVCards(text.utf8, progress, &result.groupTable);
    return finish(std::move(result));
}

} // namespace Quillary
