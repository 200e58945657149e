#include "VCardValues_p.h"

#include "support/Charset.h"
#include "support/RepeatedTexts.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace Quillary::AddressBook::VCard {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray decodeQuotedPrintable(QByteArrayView encoded)
{
    QByteArray out;
    out.reserve(encoded.size());
    const qsizetype size = encoded.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = encoded[i];
        if (c != '=') {
            out.append(c);
            continue;
        }
        if (i + 2 < size && hexValue(encoded[i + 1]) >= 0 && hexValue(encoded[i + 2]) >= 0) {
            out.append(char(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2])));
            i += 2;
        } else if (i + 1 < size && (encoded[i + 1] == '\r' || encoded[i + 1] == '\n')) {
            // A soft line break left in the value.
            ++i;
            if (encoded[i] == '\r' && i + 1 < size && encoded[i + 1] == '\n')
                ++i;
        } else if (i + 1 < size) {
            out.append(c); // a stray "=" is kept as text
        }
    }
    return out;
}

namespace {

// Base64 digit values; 64 marks white space to skip, 65 anything that is not base64.
constexpr std::array<quint8, 256> base64Digits = [] {
    std::array<quint8, 256> table{};
    table.fill(65);
    for (int i = 0; i < 26; ++i) {
        table[size_t('A' + i)] = quint8(i);
        table[size_t('a' + i)] = quint8(26 + i);
    }
    for (int i = 0; i < 10; ++i)
        table[size_t('0' + i)] = quint8(52 + i);
    table[size_t('+')] = 62;
    table[size_t('/')] = 63;
    for (char c : {' ', '\t', '\r', '\n'})
        table[size_t(uchar(c))] = 64;
    return table;
}();

} // namespace

QByteArray decodeBase64(QByteArrayView encoded)
{
    // Data URIs of vCard 4.0: data:image/jpeg;base64,....
    if (encoded.startsWith("data:")) {
        const qsizetype comma = encoded.indexOf(',');
        encoded = comma < 0 ? QByteArrayView() : encoded.sliced(comma + 1);
    }
    // Photos are the largest values of a card: decode with a table, skipping the white space that
    // folded lines leave. Anything that is not base64 makes the value unreadable: no photo.
    QByteArray out(encoded.size() * 3 / 4 + 3, Qt::Uninitialized);
    char* target = out.data();
    quint32 bits = 0;
    int count = 0;
    qsizetype i = 0;
    const qsizetype size = encoded.size();
    const auto* bytes = reinterpret_cast<const uchar*>(encoded.data());
    for (; i < size; ++i) {
        // Eight digits in a row, the common case, go in one step: six bytes, stored as eight. The output
        // has room for them: it holds three bytes per four digits of the whole value, and three more.
        if (count == 0 && i + 8 <= size) {
            const uchar* at = bytes + i;
            const quint8 d0 = base64Digits[at[0]], d1 = base64Digits[at[1]], d2 = base64Digits[at[2]],
                         d3 = base64Digits[at[3]], d4 = base64Digits[at[4]], d5 = base64Digits[at[5]],
                         d6 = base64Digits[at[6]], d7 = base64Digits[at[7]];
            if ((d0 | d1 | d2 | d3 | d4 | d5 | d6 | d7) < 64) {
                const quint64 group = (quint64(d0) << 58) | (quint64(d1) << 52) | (quint64(d2) << 46)
                    | (quint64(d3) << 40) | (quint64(d4) << 34) | (quint64(d5) << 28) | (quint64(d6) << 22)
                    | (quint64(d7) << 16);
                qToBigEndian(group, target);
                target += 6;
                i += 7;
                continue;
            }
        }
        // Else four, then one at a time.
        if (count == 0 && i + 4 <= size) {
            const quint8 a = base64Digits[bytes[i]], b = base64Digits[bytes[i + 1]], c = base64Digits[bytes[i + 2]],
                         d = base64Digits[bytes[i + 3]];
            if ((a | b | c | d) < 64) {
                const quint32 group = (quint32(a) << 18) | (quint32(b) << 12) | (quint32(c) << 6) | d;
                *target++ = char(group >> 16);
                *target++ = char(group >> 8);
                *target++ = char(group);
                i += 3;
                continue;
            }
        }
        const quint8 digit = base64Digits[bytes[i]];
        if (digit < 64) {
            bits = (bits << 6) | digit;
            if (++count == 4) {
                *target++ = char(bits >> 16);
                *target++ = char(bits >> 8);
                *target++ = char(bits);
                bits = 0;
                count = 0;
            }
        } else if (digit == 65) {
            break;
        }
    }
    // Only padding and white space may follow the digits.
    for (; i < size; ++i) {
        const char c = encoded[i];
        if (c != '=' && base64Digits[uchar(c)] != 64)
            return {};
    }
    if (count == 1)
        return {};
    if (count == 2) {
        *target++ = char(bits >> 4);
    } else if (count == 3) {
        *target++ = char(bits >> 10);
        *target++ = char(bits >> 2);
    }
    out.truncate(target - out.constData());
    return out;
}

namespace {

/// Line breaks inside a value as LF, whatever the sender's platform wrote.
QString withLineFeeds(QString text)
{
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

QString decodeQuotedPrintableText(const ContentLine& line, QByteArrayView charset, const Fallback& fallback)
{
    const QByteArray bytes = decodeQuotedPrintable(line.value);
    if (!charset.isEmpty())
        return Charset::decode(bytes, charset);
    // No CHARSET: UTF-8 when the bytes are valid UTF-8. Else what the card or the file says they
    // are; a guess would read "Fran=E7ois" as Shift-JIS.
    if (Charset::isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    for (const QByteArrayView candidate : {fallback.declared, fallback.file}) {
        if (candidate.isEmpty() || Charset::canonicalName(candidate) == "UTF-8")
            continue;
        Charset::StrictResult decoded = Charset::decodeStrict(bytes, candidate);
        if (decoded.ok())
            return std::move(decoded.text);
    }
    return Charset::decode(bytes, "windows-1252");
}

} // namespace

PlainValue::PlainValue(QByteArrayView bytes)
{
    if (bytes.size() > Longest)
        return;
    for (const char c : bytes) {
        if (uchar(c) >= 0x80 || c == '\\')
            return;
    }
    m_units.resize(bytes.size());
    std::copy(bytes.begin(), bytes.end(), m_units.begin());
    m_plain = true;
}

PlainValue::PlainValue(const ContentLine& line) : PlainValue(line.value)
{
    if (line.isQuotedPrintable() || line.isBase64())
        m_plain = false;
}

QString escapedText(const ContentLine& line, const Fallback& fallback)
{
    const QByteArrayView charset = line.param("CHARSET");
    if (line.isQuotedPrintable())
        return withLineFeeds(decodeQuotedPrintableText(line, charset, fallback));
    if (line.isBase64() && !charset.isEmpty())
        return Charset::decode(decodeBase64(line.value), charset);
    // The stream was decoded to UTF-8 already; a CHARSET parameter on plain text only names the
    // encoding the whole file had.
    return QString::fromUtf8(line.value);
}

namespace {

/// Unescapes text whose first backslash is at `backslash`.
QString unescapeFrom(QStringView text, qsizetype backslash, Version version)
{
    const qsizetype size = text.size();
    // Unescaping only ever shortens the text: it is written into a string of the full size, by runs
    // of plain text between backslashes, and cut to what was written.
    QString out(size, Qt::Uninitialized);
    QChar* const first = out.data();
    QChar* to = first;
    qsizetype plain = 0;
    while (backslash >= 0) {
        std::copy(text.data() + plain, text.data() + backslash, to);
        to += backslash - plain;
        plain = backslash + 1;
        if (backslash + 1 >= size) {
            *to++ = u'\\';
            break;
        }
        const QChar next = text[backslash + 1];
        if (version == Version::V21) {
            // Only "\;" is an escape; any other backslash is plain text.
            *to++ = next == u';' ? next : u'\\';
            if (next == u';')
                ++plain;
        } else {
            switch (next.unicode()) {
            case 'n':
            case 'N':
                *to++ = u'\n';
                break;
            case ',':
            case ';':
            case '\\':
            case ':':
                *to++ = next;
                break;
            default:
                *to++ = u'\\';
                *to++ = next;
                break;
            }
            ++plain;
        }
        backslash = plain < size ? text.indexOf(u'\\', plain) : -1;
    }
    if (plain < size) {
        std::copy(text.data() + plain, text.data() + size, to);
        to += size - plain;
    }
    out.truncate(to - first);
    return out;
}

} // namespace

QString unescape(QString escaped, Version version)
{
    const qsizetype backslash = escaped.indexOf(u'\\');
    return backslash < 0 ? escaped : unescapeFrom(escaped, backslash, version);
}

QString unescape(QStringView text, Version version)
{
    const qsizetype backslash = text.indexOf(u'\\');
    return backslash < 0 ? text.toString() : unescapeFrom(text, backslash, version);
}

Components::Components(QString escaped, Version version) : m_escaped(std::move(escaped)), m_version(version)
{
    const QStringView text(m_escaped);
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == u'\\' && i + 1 < size) {
            // vCard 2.1 escapes only the semicolon; any other backslash is plain text there.
            if (version != Version::V21 || text[i + 1] == u';')
                ++i;
            continue;
        }
        if (text[i] == u';') {
            m_ranges.append({start, i - start});
            start = i + 1;
        }
    }
    m_ranges.append({start, size - start});
}

QStringView Components::escapedPart(qsizetype index) const
{
    if (index < 0 || index >= m_ranges.size())
        return {};
    return QStringView(m_escaped).sliced(m_ranges[index].first, m_ranges[index].second).trimmed();
}

QString Components::text(qsizetype index) const
{
    const QStringView part = escapedPart(index);
    if (part.isEmpty())
        return {};
    // A value with a single component keeps its text without a copy.
    if (part.size() == m_escaped.size() && !part.contains(u'\\'))
        return m_escaped;
    return trimmedText(unescape(part, m_version));
}

QString Components::sharedText(qsizetype index) const
{
    const QStringView part = escapedPart(index);
    if (part.isEmpty())
        return {};
    // A text met before costs no allocation.
    if (!part.contains(u'\\'))
        return RepeatedTexts::local().shared(part);
    return RepeatedTexts::local().shared(text(index));
}

Components components(QString escaped, Version version)
{
    return Components(std::move(escaped), version);
}

QStringList listItems(QStringView text, Version version)
{
    // A backslash protects the comma after it in every version: names with commas survive.
    QStringList result;
    qsizetype start = 0;
    const qsizetype size = text.size();
    auto take = [&](qsizetype end) {
        QString item = unescape(text.sliced(start, end - start).toString(), version);
        if (version == Version::V21)
            item.replace(QStringLiteral("\\,"), QStringLiteral(","));
        result.append(item.trimmed());
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == u'\\' && i + 1 < size) {
            ++i;
            continue;
        }
        if (text[i] == u',') {
            take(i);
            start = i + 1;
        }
    }
    take(size);
    return result;
}

QStringList repeatedListItems(const ContentLine& line, Version version)
{
    RepeatedTexts& texts = RepeatedTexts::local();
    const PlainValue plain(line);
    if (!plain) {
        QStringList items = listItems(escapedText(line), version);
        for (QString& item : items)
            item = texts.shared(std::move(item));
        return items;
    }
    // Without a backslash there is nothing to unescape: the items are the text between commas.
    QStringList items;
    for (const QStringView item : plain.view().tokenize(u','))
        items.append(texts.shared(item.trimmed()));
    return items;
}

QString repeatedUtf8(QByteArrayView utf8)
{
    const PlainValue plain(utf8);
    return plain ? RepeatedTexts::local().shared(plain.view()) : RepeatedTexts::local().shared(QString::fromUtf8(utf8));
}

QString text(const ContentLine& line, Version version, const Fallback& fallback)
{
    return unescape(escapedText(line, fallback), version);
}

Version versionOf(QByteArrayView declared)
{
    declared = declared.trimmed();
    return declared.startsWith("2.") ? Version::V21 : declared.startsWith("4.") ? Version::V40 : Version::V30;
}

DateComponents dateOf(const ContentLine& line, Version version)
{
    const PlainValue plain(line);
    DateComponents result = DateComponents::fromIsoString(plain ? plain.view() : QStringView(text(line, version)));
    // Address books that store dates without a year write a placeholder year and name it.
    const QByteArrayView omitted = line.param("X-APPLE-OMIT-YEAR");
    if (!omitted.isEmpty() && omitted.toByteArray().toInt() == result.year)
        result.year = 0;
    return result;
}

template <typename Buffer> void appendUtf8(Buffer& out, QStringView text)
{
    // Most values are ASCII: they are copied as they are, without a converted copy in between.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* const first = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            out.resize(start + i);
            out.append(text.sliced(i).toUtf8());
            return;
        }
        first[i] = char(c);
    }
}

template <typename Buffer> void appendEscaped(Buffer& out, QStringView text)
{
    qsizetype plainStart = 0;
    const qsizetype size = text.size();
    auto flush = [&](qsizetype end) {
        if (end > plainStart)
            appendUtf8(out, text.sliced(plainStart, end - plainStart));
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        const char* escape = nullptr;
        switch (c) {
        case u'\\':
            escape = "\\\\";
            break;
        case u',':
            escape = "\\,";
            break;
        case u';':
            escape = "\\;";
            break;
        case u'\n':
            escape = "\\n";
            break;
        case u'\r':
            escape = "\\n";
            if (i + 1 < size && text[i + 1] == u'\n') {
                flush(i);
                out.append(escape);
                plainStart = i + 2;
                ++i;
                continue;
            }
            break;
        default:
            continue;
        }
        flush(i);
        out.append(escape);
        plainStart = i + 1;
    }
    flush(size);
}

template void appendUtf8(QByteArray&, QStringView);
template void appendUtf8(LineBuffer&, QStringView);
template void appendEscaped(QByteArray&, QStringView);
template void appendEscaped(LineBuffer&, QStringView);

} // namespace Quillary::AddressBook::VCard
