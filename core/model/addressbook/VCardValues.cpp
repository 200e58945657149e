#include "VCardValues_p.h"

#include "../../formats/Charset.h"

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

QByteArray decodeBase64(QByteArrayView encoded)
{
    // Data URIs of vCard 4.0: data:image/jpeg;base64,....
    if (encoded.startsWith("data:")) {
        const qsizetype comma = encoded.indexOf(',');
        encoded = comma < 0 ? QByteArrayView() : encoded.sliced(comma + 1);
    }
    const auto strict = [](const QByteArray& text) {
        auto result = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
        return result ? *result : QByteArray();
    };
    // Unfolded vCard 3.0 data has no white space left; vCard 2.1 lines keep some.
    QByteArray decoded = strict(QByteArray::fromRawData(encoded.data(), encoded.size()));
    if (decoded.isEmpty()) {
        QByteArray compact;
        compact.reserve(encoded.size());
        for (char c : encoded) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                compact.append(c);
        }
        decoded = strict(compact);
    }
    return decoded;
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

QString decodeQuotedPrintableText(const ContentLine& line, QByteArrayView charset)
{
        const QByteArray bytes = decodeQuotedPrintable(line.value);
        if (!charset.isEmpty())
            return Charset::decode(bytes, charset);
        // No CHARSET: UTF-8 when the bytes are valid UTF-8, else Windows-31J when they are valid
        // in it (phones that omit the parameter), else Windows Latin 1.
        if (Charset::isValidUtf8(bytes))
            return QString::fromUtf8(bytes);
        Charset::StrictResult sjis = Charset::decodeStrict(bytes, "windows-31j");
        if (sjis.ok())
            return sjis.text;
        return Charset::decode(bytes, "windows-1252");
}

} // namespace

QString escapedText(const ContentLine& line)
{
    const QByteArrayView charset = line.param("CHARSET");
    if (line.isQuotedPrintable())
        return withLineFeeds(decodeQuotedPrintableText(line, charset));
    if (line.isBase64() && !charset.isEmpty())
        return Charset::decode(decodeBase64(line.value), charset);
    // The stream was decoded to UTF-8 already; a CHARSET parameter on plain text only names the
    // encoding the whole file had.
    return QString::fromUtf8(line.value);
}

QString unescape(QString escaped, Version version)
{
    if (!escaped.contains(u'\\'))
        return escaped;
    const QStringView text(escaped);
    QString out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 >= size) {
            out.append(c);
            continue;
        }
        const QChar next = text[i + 1];
        if (version == Version::V21) {
            if (next == u';') {
                out.append(next);
                ++i;
            } else {
                out.append(c);
            }
            continue;
        }
        switch (next.unicode()) {
        case 'n':
        case 'N':
            out.append(u'\n');
            break;
        case ',':
        case ';':
        case '\\':
        case ':':
            out.append(next);
            break;
        default:
            out.append(c);
            out.append(next);
            break;
        }
        ++i;
    }
    return out;
}

QStringList components(QStringView text, Version version)
{
    QStringList result;
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
            result.append(unescape(text.sliced(start, i - start).toString(), version));
            start = i + 1;
        }
    }
    result.append(unescape(text.sliced(start).toString(), version));
    return result;
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

QString text(const ContentLine& line, Version version)
{
    return unescape(escapedText(line), version);
}

void appendEscaped(QByteArray& out, QStringView text)
{
    qsizetype plainStart = 0;
    const qsizetype size = text.size();
    auto flush = [&](qsizetype end) {
        if (end > plainStart)
            out.append(text.sliced(plainStart, end - plainStart).toUtf8());
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

} // namespace Quillary::AddressBook::VCard
