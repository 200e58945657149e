#include "QRCodePayload.h"

#include "QRCodeSelection.h"
#include "model/PersonDsc.h"
#include "support/CoreTr.h"

namespace Quillary {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isSchemeCharacter(QChar c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == u'+' || c == u'-' || c == u'.';
}

// Payload formats keep a value on one line: a CR LF, a lone CR or a lone LF each become one blank.
QString oneLine(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    result.replace(u'\r', u' ');
    result.replace(u'\n', u' ');
    return result;
}

// A value on one vCard line: a line break in it must not start a line (a "TEL:" of its own) that a
// scanning phone would import, so it is written as "\n".
QString vCardValue(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    result.replace(u'\r', QStringLiteral("\\n"));
    return result.replace(u'\n', QStringLiteral("\\n"));
}

// A text value: a backslash is escaped too, as is the semicolon that would end its component.
QString vCardText(const QString& text)
{
    QString result = text;
    return QRCodePayload::escapeSemicolon(vCardValue(result.replace(u'\\', QStringLiteral("\\\\"))));
}

// "NAME:value;" for a MECARD, nothing for an empty value. MECARD has no line breaks in values.
QString meCardPart(QStringView name, const QString& value)
{
    return value.isEmpty() ? QString() : name + QRCodePayload::escapeSemicolon(oneLine(value)) + u';';
}

// "NAME:value\n" for the carriers' MEMORY format, nothing for an empty value; a line ends a value.
QString memoryLine(QStringView name, const QString& value)
{
    return value.isEmpty() ? QString() : name + oneLine(value) + u'\n';
}

// The contact's shown name; reading the name first brings a bound record's name up to date.
QString shownName(const PersonDsc& person)
{
    [[maybe_unused]] const NameValue name = person.nameValue();
    return person.compositeName();
}

bool isTypedLabel(const QString& label)
{
    const QString lower = label.toLower();
    return lower == u"home" || lower == u"work";
}

// "NAME;type=label:value" for home and work entries, "NAME:value" for any other label.
QString typedLine(QStringView name, const QString& label, const QString& value)
{
    if (isTypedLabel(label))
        return name + u";type=" + label + u':' + vCardValue(value) + CrLf;
    return name + u':' + vCardValue(value) + CrLf;
}

QString addressLine(const QRCodeRow& row)
{
    QString line = isTypedLabel(row.label) ? u"ADR;type=" + row.label + u":;;" : QStringLiteral("ADR:;;");
    for (const QString& key : {Field::Street, Field::City, Field::State, Field::ZIP, Field::Country}) {
        QString part = oneLine(row.address.part(key));
        part.replace(u'\t', u' ');
        line += QRCodePayload::escapeSemicolon(part) + u';';
    }
    line.chop(1);
    return line + CrLf;
}

QString organisationLines(const PersonDsc& person, const QRCodeSelection& selection)
{
    const QString company =
        selection.isSelected(FieldId::Company) ? person.stringValueForIdentifier(Field::Company) : QString();
    const QString department =
        selection.isSelected(FieldId::Department) ? person.stringValueForIdentifier(Field::Department) : QString();
    QString lines;
    if (!company.isEmpty() || !department.isEmpty()) {
        lines += u"ORG:" + vCardText(company) + u';' + vCardText(department) + CrLf;
    }
    const QString jobTitle = person.stringValueForIdentifier(Field::JobTitle);
    if (selection.isSelected(FieldId::JobTitle) && !jobTitle.isEmpty())
        lines += u"TITLE:" + vCardValue(jobTitle) + CrLf;
    return lines;
}

} // namespace

QString QRCodePayload::payload(QRCodeFormat format, const PersonDsc& person, const QRCodeSelection& selection)
{
    switch (format) {
    case QRCodeFormat::VCard:
        return vCardFromContact(person, selection);
    case QRCodeFormat::Docomo:
        return meCard(person, selection);
    case QRCodeFormat::Au:
        return carrierMemory(person, selection, true);
    case QRCodeFormat::SoftBank:
        return carrierMemory(person, selection, false);
    case QRCodeFormat::Phone:
        return u"tel:" + oneLine(selection.chosenValue(FieldId::Phone));
    case QRCodeFormat::Email:
        return u"mailto:" + oneLine(selection.chosenValue(FieldId::Email));
    case QRCodeFormat::URL: {
        // Without a URL there is nothing to encode: "http:" would lead nowhere.
        const QString url = oneLine(selection.chosenValue(FieldId::URL));
        return url.isEmpty() ? QString() : webAddress(url);
    }
    }
    return {};
}

QString QRCodePayload::payload(QStringView title, const PersonDsc& person, const QRCodeSelection& selection)
{
    const auto format = QRCodeFormats::fromTitle(title);
    return format ? payload(*format, person, selection) : QString();
}

QString QRCodePayload::meCard(const PersonDsc& person, const QRCodeSelection& selection)
{
    return u"MECARD:" + meCardPart(u"N:", shownName(person))
        + meCardPart(u"SOUND:", person.phoneticNameValue().stringValue)
        + meCardPart(u"TEL:", selection.chosenValue(FieldId::Phone))
        + meCardPart(u"EMAIL:", selection.chosenValue(FieldId::Email))
        + meCardPart(u"ADR:", selection.chosenValue(FieldId::Address));
}

QString QRCodePayload::carrierMemory(const PersonDsc& person, const QRCodeSelection& selection, bool withAddress)
{
    QString text = u"MEMORY:\n" + memoryLine(u"NAME1:", shownName(person))
        + memoryLine(u"NAME2:", person.phoneticNameValue().stringValue)
        + memoryLine(u"TEL1:", selection.chosenValue(FieldId::Phone))
        + memoryLine(u"MAIL1:", selection.chosenValue(FieldId::Email));
    if (withAddress)
        text += memoryLine(u"ADD:", selection.chosenValue(FieldId::Address));
    return text;
}

QString QRCodePayload::vCardFromContact(const PersonDsc& person, const QRCodeSelection& selection)
{
    const NameValue name = person.nameValue();
    const QString composite = person.compositeName();
    QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    card += u"FN:" + vCardText(composite.isEmpty() ? Tr::tr("No name") : composite) + CrLf;
    card += u"N:" + vCardText(name.lastName) + u';' + vCardText(name.firstName) + u";;;" + CrLf;
    const PhoneticNameValue phonetic = person.phoneticNameValue();
    if (!phonetic.firstName.isEmpty())
        card += u"X-PHONETIC-FIRST-NAME:" + vCardText(phonetic.firstName) + CrLf;
    if (!phonetic.lastName.isEmpty())
        card += u"X-PHONETIC-LAST-NAME:" + vCardText(phonetic.lastName) + CrLf;
    for (const QRCodeRow& row : selection.selectedRows(FieldId::Email))
        card += typedLine(u"EMAIL", row.label, row.value);
    for (const QRCodeRow& row : selection.selectedRows(FieldId::Phone))
        card += typedLine(u"TEL", row.label, row.value);
    for (const QRCodeRow& row : selection.selectedRows(FieldId::Address))
        card += addressLine(row);
    for (const QRCodeRow& row : selection.selectedRows(FieldId::URL))
        card += typedLine(u"URL", row.label, webAddress(row.value));
    card += organisationLines(person, selection);
    card += QStringLiteral("END:VCARD\r\n");
    return card;
}

QString QRCodePayload::escapeSemicolon(const QString& text)
{
    QString result = text;
    return result.replace(u';', QStringLiteral("\\;"));
}

bool QRCodePayload::hasScheme(QStringView url)
{
    // scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":"
    if (url.isEmpty() || !isAsciiLetter(url.front()))
        return false;
    qsizetype colon = 1;
    while (colon < url.size() && isSchemeCharacter(url.at(colon)))
        ++colon;
    if (colon == url.size() || url.at(colon) != u':')
        return false;
    // "example.com:8080/path" fits that grammar as well. People type host names with a port far more
    // often than one of the few schemes with a dot, so a dotted name (or "localhost") followed by a
    // port and then nothing, "/", "?" or "#" is read as a host, as browsers do.
    const QStringView name = url.first(colon);
    if (!name.contains(u'.') && name.compare(u"localhost", Qt::CaseInsensitive) != 0)
        return true;
    qsizetype end = colon + 1;
    while (end < url.size() && isAsciiDigit(url.at(end)))
        ++end;
    const bool port = end == url.size() || url.at(end) == u'/' || url.at(end) == u'?' || url.at(end) == u'#';
    return !port;
}

QString QRCodePayload::webAddress(const QString& url)
{
    return hasScheme(url) ? url : u"http://" + url;
}

} // namespace Quillary
