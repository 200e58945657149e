// libFuzzer target: a vCard stream read as a document reads it (encoding detection and decoding,
// cutting into cards, the per-record conversion, categories into groups), then written back and
// read again.

#include "FuzzSupport.h"
#include "documents/ContactFileReader.h"

#include <cstdlib>

using namespace Quillary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const ContactFileReader::Result read = ContactFileReader::readBytes(Fuzz::bytesOf(data, size));
    if (!read.ok())
        return 0;
    const QByteArray written = ZQVCard().vCardsFromContacts(read.contacts, {WriteOption::Note}, read.groupTable);
    // Every contact written is read back: a card the writer makes must be one the reader takes.
    const ContactFileReader::Result again = ContactFileReader::readBytes(written, "UTF-8");
    if (again.contacts.size() != read.contacts.size())
        std::abort();
    return 0;
}
