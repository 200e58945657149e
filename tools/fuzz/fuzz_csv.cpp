// libFuzzer target: a CSV file read as a document reads it (encoding detection and decoding, the
// header's field detection or the default columns, one contact per line), then written as vCard.

#include "FuzzSupport.h"
#include "documents/ContactFileReader.h"

using namespace Quillary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const ContactFileReader::Result read = ContactFileReader::readCsvBytes(Fuzz::bytesOf(data, size));
    if (read.ok())
        (void)ZQVCard().vCardsFromContacts(read.contacts, {WriteOption::Note}, read.groupTable);
    return 0;
}
