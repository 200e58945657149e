#include "VCardKeptLines_p.h"

#include <array>

namespace Quillary::AddressBook::VCard {

namespace {

bool showsAsCompany(const Person& person)
{
    return (person.flags() & PersonFlags::ShowAsMask) != PersonFlags::ShowAsPerson;
}

/// The name's parts in the order the FN has them.
std::array<const QString*, 3> nameParts(const Person& person)
{
    std::array<const QString*, 3> parts{&person.value(StringProperty::FirstName),
                                        &person.value(StringProperty::MiddleName),
                                        &person.value(StringProperty::LastName)};
    if ((person.flags() & PersonFlags::NameOrderingMask) == PersonFlags::LastNameFirst)
        std::swap(parts[0], parts[2]);
    return parts;
}

} // namespace

QString composedFormattedName(const Person& person)
{
    if (showsAsCompany(person))
        return person.value(StringProperty::Organization);
    const std::array<const QString*, 3> parts = nameParts(person);
    QString result;
    result.reserve(parts[0]->size() + parts[1]->size() + parts[2]->size() + 2);
    for (const QString* part : parts) {
        if (part->isEmpty())
            continue;
        if (!result.isEmpty())
            result += u' ';
        result += *part;
    }
    return result;
}

bool isComposedFormattedName(QStringView text, const Person& person)
{
    if (showsAsCompany(person))
        return text == person.value(StringProperty::Organization);
    qsizetype at = 0;
    for (const QString* part : nameParts(person)) {
        if (part->isEmpty())
            continue;
        if (at > 0 && (at >= text.size() || text[at++] != u' '))
            return false;
        if (!text.sliced(at).startsWith(*part))
            return false;
        at += part->size();
    }
    return at == text.size();
}

namespace {

/// Whether the line can be kept as the bytes it was read in: vCard 3.0 or 4.0 text in UTF-8.
bool keptAsItIs(const ContentLine& line, Version version)
{
    return version != Version::V21 && !line.isQuotedPrintable() && line.param("CHARSET").isNull();
}

/// Whether an ENCODING value only says how vCard 2.1 carried text, which 3.0 writes as UTF-8.
bool isTextEncoding(QByteArrayView encoding)
{
    return equalsUpper(encoding, "QUOTED-PRINTABLE") || equalsUpper(encoding, "8BIT") || equalsUpper(encoding, "7BIT");
}

void appendConvertedParam(QByteArray& out, const Param& param)
{
    const QByteArrayView value = unquote(param.value);
    if (param.name.isEmpty() || equalsUpper(param.name, "ENCODING")) {
        if (isTextEncoding(value))
            return;
        if (equalsUpper(value, "BASE64") || equalsUpper(value, "B")) {
            out.append(";ENCODING=b");
            return;
        }
    }
    if (equalsUpper(param.name, "CHARSET"))
        return;
    if (equalsUpper(param.name, "VALUE") && equalsUpper(value, "URL")) {
        out.append(";VALUE=uri");
        return;
    }
    out.append(';');
    out.append(param.name.isEmpty() ? QByteArrayView("TYPE") : param.name);
    out.append('=');
    out.append(param.value);
}

/// A vCard 2.1 text as vCard 3.0 text: a backslash is a character of its own there, except before
/// the semicolon that it escapes.
void appendAs30Text(QByteArray& out, QStringView text, Version version)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n') {
            escaped += QLatin1StringView("\\n");
        } else if (c == u'\\' && version == Version::V21 && !(i + 1 < text.size() && text[i + 1] == u';')) {
            escaped += QLatin1StringView("\\\\");
        } else {
            escaped += c;
        }
    }
    out.append(escaped.toUtf8());
}

} // namespace

void appendKeptPrefix(QByteArray& out, const ContentLine& line, Version version)
{
    const char* start = line.group.isEmpty() ? line.name.data() : line.group.data();
    if (keptAsItIs(line, version)) {
        out.append(start, line.value.data() - start);
        return;
    }
    out.append(start, line.name.data() + line.name.size() - start);
    for (const Param& param : line.params)
        appendConvertedParam(out, param);
    out.append(':');
}

void appendKeptLine(QByteArray& out, const ContentLine& line, Version version, const Fallback& fallback)
{
    appendKeptPrefix(out, line, version);
    if (keptAsItIs(line, version)) {
        out.append(line.value);
    } else if (line.isBase64()) {
        // vCard 2.1 indents the lines of a base64 value at will.
        for (const char c : line.value) {
            if (c != ' ' && c != '\t')
                out.append(c);
        }
    } else {
        appendAs30Text(out, escapedText(line, fallback), version);
    }
    out.append("\r\n");
}

QByteArray nestedCardValue(QByteArrayView card, Version version)
{
    Tokenizer tokenizer(card);
    ContentLine line;
    QByteArray lines;
    while (tokenizer.next(line)) {
        if (line.nameIs("VERSION")) {
            version = versionOf(line.value);
            lines.append("VERSION:3.0\r\n");
            continue;
        }
        appendKeptLine(lines, line, version);
    }
    lines.chop(2);
    QByteArray value;
    appendEscaped(value, QString::fromUtf8(lines));
    return value;
}

KeptLine splitKeptLine(QByteArrayView line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != ';' && line[end] != ':')
        ++end;
    KeptLine result{{}, line.first(end), line.sliced(end)};
    if (const qsizetype dot = result.name.indexOf('.'); dot >= 0) {
        result.group = result.name.first(dot);
        result.name = result.name.sliced(dot + 1);
    }
    return result;
}

QList<QByteArrayView> keptLineList(QByteArrayView lines)
{
    QList<QByteArrayView> result;
    while (!lines.isEmpty()) {
        const qsizetype end = lines.indexOf("\r\n");
        result.append(end < 0 ? lines : lines.first(end));
        lines = end < 0 ? QByteArrayView() : lines.sliced(end + 2);
    }
    return result;
}

bool isItemGroup(QByteArrayView group)
{
    if (group.size() < 5 || !equalsUpper(group.first(4), "ITEM"))
        return false;
    for (const char c : group.sliced(4)) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

DateComponents keptLineDate(QByteArrayView line)
{
    Tokenizer tokenizer(line);
    ContentLine content;
    if (!tokenizer.next(content))
        return {};
    return dateOf(content, Version::V30);
}

} // namespace Quillary::AddressBook::VCard
