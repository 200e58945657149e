#include "VCardContentLine_p.h"

#include <algorithm>
#include <cstring>

namespace Quillary::AddressBook::VCard {

namespace {

/// True when the line holds nothing but white space.
bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), isWhiteSpace);
}

bool isBase64Text(QByteArrayView line)
{
    if (isBlank(line))
        return false;
    for (char c : line) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
            || c == '/' || c == '=' || c == ' ' || c == '\t';
        if (!ok)
            return false;
    }
    return true;
}

/// Tells whether a line being unfolded is a quoted-printable value whose last physical line ends
/// with "=". The name and parameters before the ":" that starts the value do not change as folded
/// lines are added, so they are looked at once, and only the added text is searched for that ":"
/// until it appears. As when the line is parsed, a ":" or a ";" inside a double-quoted parameter value
/// is text, and so is an encoding's name there: a quoted value that reads "ENCODING=QUOTED-PRINTABLE"
/// does not make a line quoted-printable.
class SoftLineBreakProbe
{
public:
    /// `declaresQuotedPrintable` tells it from the name and parameters, ":" included.
    explicit SoftLineBreakProbe(bool (*declaresQuotedPrintable)(QByteArrayView head))
        : m_declaresQuotedPrintable(declaresQuotedPrintable)
    { }

    bool endsWithSoftLineBreak(QByteArrayView text)
    {
        if (!text.endsWith('='))
            return false;
        if (!m_headRead) {
            for (; m_searched < text.size(); ++m_searched) {
                const char c = text[m_searched];
                if (c == ';')
                    m_inParameters = true;
                if (c == '"' && m_inParameters)
                    m_quoted = !m_quoted;
                else if (c == ':' && !m_quoted)
                    break;
            }
            if (m_searched >= text.size())
                return false;
            m_headRead = true;
            m_quotedPrintable = m_declaresQuotedPrintable(text.first(m_searched + 1));
        }
        return m_quotedPrintable;
    }

private:
    bool (*m_declaresQuotedPrintable)(QByteArrayView head);
    qsizetype m_searched = 0;
    bool m_inParameters = false; // past the first ";": double quotes count from there
    bool m_quoted = false;
    bool m_headRead = false;
    bool m_quotedPrintable = false;
};

} // namespace

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
    if (m_peekedAt == m_pos) {
        *end = m_peekedEnd;
        return m_peekedLine;
    }
    m_peekedAt = m_pos;
    m_peekedLine = scanPhysicalLine(&m_peekedEnd);
    *end = m_peekedEnd;
    return m_peekedLine;
}

QByteArrayView Tokenizer::scanPhysicalLine(qsizetype* end) const
{
    const char* data = m_text.data();
    const qsizetype size = m_text.size();
    const char* start = data + m_pos;
    // The next LF is remembered: in a card whose lines end in CR alone, looking for it again from
    // every line would read the rest of the card once per line.
    if (m_pos < m_lfSearchedFrom || m_pos > m_lfAt) {
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', size_t(size - m_pos)));
        m_lfSearchedFrom = m_pos;
        m_lfAt = lf ? lf - data : size;
    }
    const qsizetype lfAt = m_lfAt;
    const bool hasLf = lfAt < size;
    // A CR alone also ends a line; look for one before the LF.
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', size_t(lfAt - m_pos)));
    if (cr && cr - data + 1 < lfAt) {
        *end = cr - data + 1;
        return m_text.sliced(m_pos, cr - start);
    }
    const qsizetype lineEnd = cr ? cr - data : lfAt;
    *end = hasLf ? lfAt + 1 : size;
    return m_text.sliced(m_pos, lineEnd - m_pos);
}

QByteArrayView UnfoldedLines::join(QByteArrayView text, QByteArrayView more)
{
    const bool continuing = m_line && text.data() == m_line;
    if (continuing)
        m_free = m_line + text.size();
    const qsizetype needed = (continuing ? 0 : text.size()) + more.size();
    if (m_end - m_free < needed) {
        // A new block; the views of the lines in the last one stay valid.
        const qsizetype capacity = qMax(m_blockSize, 2 * (text.size() + more.size()));
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size_t(capacity)));
        char* block = m_blocks.back().get();
        if (!text.isEmpty())
            std::memcpy(block, text.data(), size_t(text.size()));
        m_line = block;
        m_free = block + text.size();
        m_end = block + capacity;
    } else if (!continuing) {
        m_line = m_free;
        if (!text.isEmpty())
            std::memcpy(m_free, text.data(), size_t(text.size()));
        m_free += text.size();
    }
    if (!more.isEmpty())
        std::memcpy(m_free, more.data(), size_t(more.size()));
    m_free += more.size();
    return QByteArrayView(m_line, m_free - m_line);
}

bool Tokenizer::next(ContentLine& line)
{
    while (m_pos < m_text.size()) {
        qsizetype end;
        QByteArrayView text = peekPhysicalLine(&end);
        m_pos = end;
        SoftLineBreakProbe softBreak([](QByteArrayView head) {
            ContentLine probe;
            parse(head, probe);
            return probe.isQuotedPrintable();
        });
        // Unfold: a following line that starts with white space continues this one. After a
        // quoted-printable soft line break that white space is part of the value, and the joining
        // is left to joinQuotedPrintable().
        for (QByteArrayView more = peekPhysicalLine(&end); m_pos < m_text.size() && !more.isEmpty()
             && (more.front() == ' ' || more.front() == '\t') && !softBreak.endsWithSoftLineBreak(text);
             more = peekPhysicalLine(&end)) {
            text = m_unfolded.join(text, more.sliced(1));
            m_pos = end;
        }
        if (isBlank(text))
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
        text = m_unfolded.join(text.chopped(1), more);
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
        text = m_unfolded.join(text, more);
        m_pos = end;
    }
    return text;
}

namespace {

/// The octets that end a name or a parameter, and those that parameters are made of, looked up in
/// one table instead of compared one by one.
struct SyntaxTable
{
    bool delimiter[256] = {};
    bool parameter[256] = {};
    constexpr SyntaxTable()
    {
        for (const unsigned char c : {';', ':'})
            delimiter[c] = parameter[c] = true;
        for (const unsigned char c : {'"', '='})
            parameter[c] = true;
    }
};
constexpr SyntaxTable syntaxTable;

inline bool isDelimiter(char c)
{
    return syntaxTable.delimiter[static_cast<unsigned char>(c)];
}

inline bool isParameterSyntax(char c)
{
    return syntaxTable.parameter[static_cast<unsigned char>(c)];
}

/// The text without spaces and tabs around it (QByteArrayView::trimmed is out of line and also
/// looks for line breaks, which a content line cannot hold).
inline QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.sliced(begin, end - begin);
}

void noteEncoding(const Param& param, ContentLine& line)
{
    if (!param.name.isEmpty() && !equalsUpper(param.name, "ENCODING"))
        return;
    const QByteArrayView encoding = unquote(param.value);
    if (equalsUpper(encoding, "QUOTED-PRINTABLE"))
        line.quotedPrintable = true;
    else if (equalsUpper(encoding, "B") || equalsUpper(encoding, "BASE64"))
        line.base64 = true;
}

} // namespace

void Tokenizer::parse(QByteArrayView text, ContentLine& line)
{
    line.group = {};
    line.name = {};
    if (!line.params.isEmpty())
        line.params.clear(); // clearing goes through a reallocation, even of an empty array
    line.value = {};
    line.quotedPrintable = false;
    line.base64 = false;
    const char* data = text.data();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && !isDelimiter(data[i]))
        ++i;
    if (i >= size)
        return; // no value: not a content line
    QByteArrayView name = trimBlanks(text.first(i));
    if (const auto* dot = static_cast<const char*>(std::memchr(name.data(), '.', size_t(name.size())))) {
        line.group = name.first(dot - name.data());
        name = name.sliced(dot - name.data() + 1);
    }
    while (i < size && data[i] == ';') {
        const qsizetype start = ++i;
        qsizetype equals = -1;
        bool quoted = false;
        for (; i < size; ++i) {
            const char c = data[i];
            if (!isParameterSyntax(c))
                continue; // most octets are none of the four
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && (c == ';' || c == ':'))
                break;
            else if (c == '=' && equals < 0)
                equals = i;
        }
        const QByteArrayView param(data + start, i - start);
        Param parsed = equals < 0
            ? Param{QByteArrayView(), trimBlanks(param)}
            : Param{trimBlanks(param.first(equals - start)), trimBlanks(param.sliced(equals - start + 1))};
        if (parsed.value.isEmpty() && parsed.name.isEmpty())
            continue;
        noteEncoding(parsed, line);
        line.params.append(parsed);
    }
    if (i >= size)
        return;
    line.name = name;
    line.value = text.sliced(i + 1);
}

} // namespace Quillary::AddressBook::VCard
