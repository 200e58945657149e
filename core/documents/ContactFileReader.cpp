#include "ContactFileReader.h"

#include "formats/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>

namespace Quillary {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Core)
};
} // namespace

QString ContactFileReader::noCardMessage()
{
    return Tr::tr("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
}

ContactFileReader::Result ContactFileReader::read(const QString& path, QByteArrayView encoding,
                                                  const ZQVCard::ProgressHandler& progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.errorString = Tr::tr("The file “%1” couldn't be opened: %2").arg(path, file.errorString());
        return result;
    }
    return readBytes(file.readAll(), encoding, progress);
}

ContactFileReader::Result ContactFileReader::readBytes(QByteArray bytes, QByteArrayView encoding,
                                                       const ZQVCard::ProgressHandler& progress)
{
    Result result;
    TextDecoding::DecodedText text = TextDecoding::toUtf8(std::move(bytes), encoding);
    result.encoding = text.encoding;
    if (!text.ok()) {
        result.errorString = text.errorString;
        return result;
    }
    const ZQVCard converter;
    result.contacts = converter.contactsFromVCards(text.utf8, progress);
    if (result.contacts.isEmpty()) {
        result.errorString = noCardMessage();
        return result;
    }
    result.groupTable = ZQVCard::makeGroupTableFromCategoriesOfContacts(result.contacts);
    ZQVCard::convertCatetoriesToUniqueIds(result.contacts, result.groupTable);
    return result;
}

} // namespace Quillary
