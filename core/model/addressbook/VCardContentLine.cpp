#include "VCardContentLine_p.h"

#include <cstring>

namespace Quillary::AddressBook::VCard {

bool equalsUpper(QByteArrayView text, const char* upper)
{
    const size_t length = std::strlen(upper);
    if (size_t(text.size()) != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        char c = text[qsizetype(i)];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    return true;
}

namespace {

QByteArrayView unquote(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.sliced(1, value.size() - 2);
    return value;
}

bool isBase64Text(QByteArrayView line)
{
    if (line.trimmed().isEmpty())
        return false;
    for (char c : line) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
            || c == '/' || c == '=' || c == ' ' || c == '\t';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool ContentLine::nameIs(const char* upperName) const
{
    return equalsUpper(name, upperName);
}

QByteArrayView ContentLine::param(const char* upperName) const
{
    for (const Param& p : params) {
        if (equalsUpper(p.name, upperName))
            return unquote(p.value);
    }
    return {};
}

bool ContentLine::isQuotedPrintable() const
{
    for (const Param& p : params) {
        if ((p.name.isEmpty() || equalsUpper(p.name, "ENCODING")) && equalsUpper(unquote(p.value), "QUOTED-PRINTABLE"))
            return true;
    }
    return false;
}

bool ContentLine::isBase64() const
{
    for (const Param& p : params) {
        if (p.name.isEmpty() || equalsUpper(p.name, "ENCODING")) {
            const QByteArrayView v = unquote(p.value);
            if (equalsUpper(v, "B") || equalsUpper(v, "BASE64"))
                return true;
        }
    }
    return false;
}

QVarLengthArray<QByteArrayView, 8> ContentLine::types() const
{
    QVarLengthArray<QByteArrayView, 8> result;
    for (const Param& p : params) {
        if (p.name.isEmpty()) {
            result.append(p.value);
            continue;
        }
        if (!equalsUpper(p.name, "TYPE"))
            continue;
        QByteArrayView rest = unquote(p.value);
        while (!rest.isEmpty()) {
            const qsizetype comma = rest.indexOf(',');
            const QByteArrayView item = (comma < 0 ? rest : rest.first(comma)).trimmed();
            if (!item.isEmpty())
                result.append(unquote(item));
            rest = comma < 0 ? QByteArrayView() : rest.sliced(comma + 1);
        }
    }
    return result;
}

QByteArrayView Tokenizer::peekPhysicalLine(qsizetype* end) const
{
    qsizetype i = m_pos;
    const qsizetype size = m_text.size();
    while (i < size && m_text[i] != '\r' && m_text[i] != '\n')
        ++i;
    const QByteArrayView line = m_text.sliced(m_pos, i - m_pos);
    if (i < size && m_text[i] == '\r')
        ++i;
    if (i < size && m_text[i] == '\n' && (i == m_pos + line.size() || m_text[i - 1] == '\r'))
        ++i;
    *end = i;
    return line;
}

QByteArrayView Tokenizer::nextPhysicalLine()
{
    qsizetype end;
    const QByteArrayView line = peekPhysicalLine(&end);
    m_pos = end;
    return line;
}

QByteArrayView Tokenizer::appendToStorage(QByteArrayView text, QByteArrayView more)
{
    // `text` either already is the last stored buffer or a view into the card.
    if (m_storage.isEmpty() || text.data() != m_storage.last().constData()) {
        m_storage.append(text.toByteArray());
    }
    QByteArray& buffer = m_storage.last();
    buffer.append(more);
    return buffer;
}

bool Tokenizer::next(ContentLine& line)
{
    while (m_pos < m_text.size()) {
        QByteArrayView text = nextPhysicalLine();
        // Unfold: a following line that starts with white space continues this one.
        qsizetype end;
        for (QByteArrayView more = peekPhysicalLine(&end);
             m_pos < m_text.size() && !more.isEmpty() && (more.front() == ' ' || more.front() == '\t');
             more = peekPhysicalLine(&end)) {
            text = appendToStorage(text, more.sliced(1));
            m_pos = end;
        }
        if (text.trimmed().isEmpty())
            continue;
        parse(text, line);
        if (line.name.isEmpty())
            continue; // not a content line
        if (line.isQuotedPrintable() && line.value.endsWith('=')) {
            parse(joinQuotedPrintable(text), line);
        } else if (line.isBase64()) {
            const QByteArrayView joined = joinBase64(text);
            if (joined.data() != text.data() || joined.size() != text.size())
                parse(joined, line);
        }
        return true;
    }
    return false;
}

QByteArrayView Tokenizer::joinQuotedPrintable(QByteArrayView text)
{
    // A soft line break: the "=" is dropped and the next physical line follows directly.
    while (text.endsWith('=') && m_pos < m_text.size()) {
        qsizetype end;
        const QByteArrayView more = peekPhysicalLine(&end);
        if (equalsUpper(more.trimmed(), "END:VCARD"))
            break;
        text = appendToStorage(text, {});
        m_storage.last().chop(1);
        text = appendToStorage(m_storage.last(), more);
        m_pos = end;
    }
    return text;
}

QByteArrayView Tokenizer::joinBase64(QByteArrayView text)
{
    // vCard 2.1 writers put base64 on lines of their own, not always indented, until a blank line.
    for (;;) {
        qsizetype end;
        const QByteArrayView more = peekPhysicalLine(&end);
        if (m_pos >= m_text.size() || !isBase64Text(more))
            break;
        text = appendToStorage(text, more);
        m_pos = end;
    }
    return text;
}

void Tokenizer::parse(QByteArrayView text, ContentLine& line) const
{
    line = ContentLine();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && text[i] != ';' && text[i] != ':')
        ++i;
    if (i >= size)
        return; // no value: not a content line
    QByteArrayView name = text.first(i).trimmed();
    if (const qsizetype dot = name.indexOf('.'); dot >= 0) {
        line.group = name.first(dot);
        name = name.sliced(dot + 1);
    }
    while (i < size && text[i] == ';') {
        const qsizetype start = ++i;
        bool quoted = false;
        while (i < size && (quoted || (text[i] != ';' && text[i] != ':'))) {
            if (text[i] == '"')
                quoted = !quoted;
            ++i;
        }
        const QByteArrayView param = text.sliced(start, i - start).trimmed();
        if (param.isEmpty())
            continue;
        const qsizetype equals = param.indexOf('=');
        if (equals < 0)
            line.params.append({QByteArrayView(), param});
        else
            line.params.append({param.first(equals).trimmed(), param.sliced(equals + 1).trimmed()});
    }
    if (i >= size)
        return;
    line.name = name;
    line.value = text.sliced(i + 1);
}

} // namespace Quillary::AddressBook::VCard
