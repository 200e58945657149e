// libFuzzer target: a vCard stream read as a document reads it (encoding detection and decoding,
// cutting into cards, the per-record conversion, categories into groups), then written back and
// read again.

#include "FuzzSupport.h"
#include "documents/ContactFileReader.h"
#include "model/PersonDsc.h"

#include <cstdlib>

using namespace Quillary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const ContactFileReader::Result read = ContactFileReader::readBytes(Fuzz::bytesOf(data, size));
    if (!read.ok())
        return 0;
    const QByteArray written =
        ZQVCard().vCardsFromContacts(read.contacts, {WriteOption::Note, WriteOption::Photo}, read.groupTable);
    // Every contact written is read back: a card the writer makes must be one the reader takes. Only
    // a contact whose one value is a picture that cannot be decoded (and so not written) may go.
    qsizetype mayGo = 0;
    for (const ContactEntryPtr& contact : read.contacts) {
        const QByteArray photo = contact->person->photoData();
        if (!photo.isEmpty() && ZQVCard::encodeVCardPhoto(photo).isEmpty())
            ++mayGo;
    }
    const ContactFileReader::Result again = ContactFileReader::readBytes(written, "UTF-8");
    const qsizetype count = again.contacts.size();
    if (count > read.contacts.size() || count < read.contacts.size() - mayGo)
        std::abort();
    return 0;
}
