#include "ContactEntry.h"

#include "addressbook/Records.h"
#include "addressbook/VCardCodec.h"

namespace Quillary {

CardText::CardText(QByteArray text)
{
    holdText(std::move(text));
}

CardText::CardText(std::shared_ptr<const QByteArray> stream, qsizetype offset, qsizetype length)
    : m_source(std::move(stream)), m_offset(offset), m_length(length)
{ }

void CardText::holdText(QByteArray text) const
{
    auto stream = std::make_shared<const QByteArray>(std::move(text));
    m_offset = 0;
    m_length = stream->size();
    m_source = std::move(stream);
}

CardText CardText::writtenFrom(std::shared_ptr<const PersonDsc> person)
{
    CardText text;
    if (person) {
        text.m_source = std::move(person);
        text.m_length = NotWritten;
    }
    return text;
}

QByteArrayView CardText::utf8() const
{
    if (m_length == NotWritten) {
        const auto& person = *static_cast<const PersonDsc*>(m_source.get());
        holdText(AddressBook::VCardCodec::writePerson(person.toRecord())); // lets go of the contact
    }
    if (!m_source)
        return {};
    return QByteArrayView(*static_cast<const QByteArray*>(m_source.get())).sliced(m_offset, m_length);
}

std::shared_ptr<ContactEntry> ContactEntry::make(std::shared_ptr<PersonDsc> person)
{
    auto entry = std::make_shared<ContactEntry>();
    entry->uniqueId = person->uniqueId();
    entry->person = std::move(person);
    return entry;
}

} // namespace Quillary
