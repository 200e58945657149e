#include "ContactEntry.h"

#include "addressbook/Records.h"
#include "addressbook/VCardCodec.h"

namespace Quillary {

CardText::CardText(QByteArray text)
    : m_stream(std::make_shared<const QByteArray>(std::move(text))), m_length(m_stream->size())
{ }

CardText::CardText(std::shared_ptr<const QByteArray> stream, qsizetype offset, qsizetype length)
    : m_stream(std::move(stream)), m_offset(offset), m_length(length)
{ }

CardText CardText::writtenFrom(std::shared_ptr<const PersonDsc> person)
{
    CardText text;
    text.m_person = std::move(person);
    return text;
}

QByteArrayView CardText::utf8() const
{
    if (m_person) {
        m_stream = std::make_shared<const QByteArray>(AddressBook::VCardCodec::writePerson(m_person->toRecord()));
        m_offset = 0;
        m_length = m_stream->size();
        m_person.reset();
    }
    if (!m_stream)
        return {};
    return QByteArrayView(*m_stream).sliced(m_offset, m_length);
}

std::shared_ptr<ContactEntry> ContactEntry::make(std::shared_ptr<PersonDsc> person)
{
    auto entry = std::make_shared<ContactEntry>();
    entry->uniqueId = person->uniqueId();
    entry->person = std::move(person);
    return entry;
}

} // namespace Quillary
