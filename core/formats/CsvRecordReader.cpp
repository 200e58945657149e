#include "CsvRecordReader.h"

#include "CsvSyntax_p.h"

#include "support/RepeatedTexts.h"

namespace Quillary {

namespace {

/// Appends quoted text with its line breaks as LF, the one line break the contact model keeps.
void appendQuotedText(QString& field, QStringView text)
{
    if (!text.contains(u'\r')) {
        field += text;
        return;
    }
    field.reserve(field.size() + text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            field += text[i];
            continue;
        }
        field += u'\n';
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
}

} // namespace

CsvRecordReader::CsvRecordReader(QStringView text) : m_text(text), m_lastQuote(text.lastIndexOf(CsvSyntax::Quote)) { }

qsizetype CsvRecordReader::lineEnd(qsizetype from) const
{
    const char16_t* data = m_text.utf16();
    const qsizetype size = m_text.size();
    while (from < size && !CsvSyntax::isLineBreak(data[from]))
        ++from;
    return from;
}

bool CsvRecordReader::readRecord(QStringList& fields, const QList<bool>& repeating)
{
    fields.clear();
    const qsizetype size = m_text.size();
    if (m_position >= size)
        return false;
    const qsizetype start = m_position;
    for (;;) {
        const bool quoted = m_position < size && m_text[m_position] == CsvSyntax::Quote;
        if (!quoted && fields.size() < repeating.size() && repeating.at(fields.size())) {
            fields.append(RepeatedTexts::local().shared(unquotedText()));
        } else {
            QString field;
            if (quoted)
                readQuoted(field);
            // Text after a closing quote belongs to the field, as most readers take it.
            readUnquoted(field);
            fields.append(std::move(field));
        }
        if (m_position >= size || m_text[m_position] != CsvSyntax::Separator)
            break;
        ++m_position;
    }
    m_recordLength = m_position - start;
    if (m_position < size) {
        const bool crlf = m_text[m_position] == u'\r' && m_position + 1 < size && m_text[m_position + 1] == u'\n';
        m_position += crlf ? 2 : 1;
    }
    return true;
}

void CsvRecordReader::readQuoted(QString& field)
{
    const qsizetype opening = m_position++;
    // A quote that no other follows is never closed: reading on would swallow the rest of the file.
    if (m_lastQuote <= opening) {
        const qsizetype end = lineEnd(m_position);
        field += m_text.sliced(m_position, end - m_position);
        m_position = end;
        return;
    }
    for (;;) {
        const qsizetype closing = m_text.indexOf(CsvSyntax::Quote, m_position);
        if (closing < 0) {
            // The last quote of the text was the first half of a doubled one.
            const qsizetype end = lineEnd(m_position);
            appendQuotedText(field, m_text.sliced(m_position, end - m_position));
            m_position = end;
            return;
        }
        appendQuotedText(field, m_text.sliced(m_position, closing - m_position));
        m_position = closing + 1;
        if (m_position >= m_text.size() || m_text[m_position] != CsvSyntax::Quote)
            return;
        field += CsvSyntax::Quote;
        ++m_position;
    }
}

QStringView CsvRecordReader::unquotedText()
{
    const char16_t* data = m_text.utf16();
    const qsizetype size = m_text.size();
    const qsizetype start = m_position;
    qsizetype end = start;
    while (end < size && data[end] != CsvSyntax::Separator && !CsvSyntax::isLineBreak(data[end]))
        ++end;
    m_position = end;
    return m_text.sliced(start, end - start);
}

void CsvRecordReader::readUnquoted(QString& field)
{
    const QStringView text = unquotedText();
    if (!text.isEmpty())
        field += text;
}

} // namespace Quillary
