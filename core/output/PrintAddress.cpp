#include "PrintAddress.h"

#include "model/AddressFormats.h"

#include <QRegularExpression>

namespace Quillary::PrintAddress {

namespace {

const QString Japan = QStringLiteral("JP");

// The lines of a format with its part names; the table's own lines when it has the country.
QList<QStringList> formatLines(const QString& code)
{
    static const QList<QStringList> fallback{{QStringLiteral("Street")},
                                             {QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("ZIP")},
                                             {QStringLiteral("Country")}};
    const auto dict = AddressFormats::addressFormatDict();
    const auto it = dict.constFind(code.toUpper());
    if (it == dict.cend() || it->formatString.isEmpty())
        return fallback;
    QList<QStringList> lines;
    QString format = it->formatString;
    format.remove(QChar(0x200E));
    for (const QString& line : format.split(u'\n'))
        lines.append(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return lines;
}

} // namespace

std::optional<LabeledValue> chooseAddress(const PersonDsc& person, const QString& label)
{
    const LabeledValueSpan addresses = person.addressValues();
    if (addresses.isEmpty())
        return std::nullopt;
    for (const LabeledValue& address : addresses) {
        if (!label.isEmpty() && address.label.compare(label, Qt::CaseInsensitive) == 0)
            return address;
    }
    return addresses.first();
}

QString labelOfFormat(const QString& printFormat)
{
    return printFormat.section(u' ', 0, 0).toLower();
}

QString countryCode(const PostalAddress& address, const QString& defaultCountryCode)
{
    return AddressFormats::addressFormatsOrder(address.countryCode(), address.country(), defaultCountryCode)
        .value(0)
        .toUpper();
}

QStringList addressLines(const PostalAddress& address, const QString& defaultCountryCode, bool withCountry)
{
    const QString code = countryCode(address, defaultCountryCode);
    QStringList lines;
    for (const QStringList& parts : formatLines(code)) {
        QStringList texts;
        for (const QString& part : parts) {
            if (part == u"Country" && !withCountry)
                continue;
            QString text = address.part(part).trimmed();
            // Japanese envelopes mark the postal code.
            if (part == u"ZIP" && code == Japan && !text.isEmpty())
                text.prepend(u'〒');
            if (!text.isEmpty())
                texts.append(text);
        }
        // A street of several lines keeps its lines.
        const QString line = texts.join(u' ');
        for (const QString& piece : line.split(u'\n'))
            if (!piece.trimmed().isEmpty())
                lines.append(piece.trimmed());
    }
    return lines;
}

QString recipientName(const ContactEntry& entry)
{
    QString name = entry.person ? entry.person->compositeName() : QString();
    if (name.isEmpty())
        name = entry.compositeName;
    return name.isEmpty() ? NoNameText : name;
}

QStringList contactBlock(const ContactEntry& entry, const AddressBlockOptions& options)
{
    QStringList lines{recipientName(entry)};
    if (!entry.person)
        return lines;
    const PersonDsc& person = *entry.person;
    if (options.company)
        lines.append(person.stringValueForIdentifier(Field::Company));
    if (options.department)
        lines.append(person.stringValueForIdentifier(Field::Department));
    lines.removeAll(QString());
    if (const auto address = chooseAddress(person, options.addressLabel))
        lines += addressLines(address->address, person.defaultCountryCode(), options.country);
    if (options.phone && !person.phoneValues().isEmpty())
        lines.append(person.phoneValues().first().value);
    return lines;
}

} // namespace Quillary::PrintAddress
