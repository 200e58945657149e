#include "NormalizePhoneNumber.h"

#include "support/DataFiles.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPhoneNumbers, "quillary.core.model.phonenumbers")

namespace Quillary {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Sorted by code as text, entries with the same first digit are adjacent and shorter codes come before
// the longer codes they prefix, which is what the walk in countryNumber() relies on.
std::shared_ptr<const CountryNumberTable> sorted(CountryNumberTable table)
{
    std::stable_sort(table.begin(), table.end(),
                     [](const CountryNumber& a, const CountryNumber& b) { return a.number < b.number; });
    return std::make_shared<const CountryNumberTable>(std::move(table));
}

std::shared_ptr<const CountryNumberTable> loadResource()
{
    QFile file(DataFiles::locate(QStringLiteral("CountryNumbers.csv")));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPhoneNumbers) << "ERROR country numbers: the table is missing";
        return sorted({});
    }
    return sorted(NormalizePhoneNumber::parseCountryNumbers(file.readAll()));
}

// "(head) middle-last4" for the layouts with a hyphen; "(head) last4" when there are too few digits.
QString groupedWithHyphen(QStringView digits, qsizetype middle)
{
    const qsizetype length = digits.size();
    if (length < middle + 5)
        return u'(' + digits.first(length - 4).toString() + u") " + digits.last(4).toString();
    const qsizetype head = length - middle - 4;
    return u'(' + digits.first(head).toString() + u") " + digits.sliced(head, middle).toString() + u'-'
        + digits.last(4).toString();
}

// "(head) 12 34 ..." with `pairs` groups of two digits at the end.
QString groupedInPairs(QStringView digits, qsizetype pairs)
{
    const qsizetype head = digits.size() - 2 * pairs;
    QString result = u'(' + digits.first(head).toString() + u')';
    for (qsizetype at = head; at < digits.size(); at += 2)
        result += u' ' + digits.sliced(at, 2).toString();
    return result;
}

QString grouped(QStringView digits, NormalizePhoneNumber::Layout layout)
{
    using Layout = NormalizePhoneNumber::Layout;
    const qsizetype length = digits.size();
    if (length < 5)
        return digits.toString();
    switch (layout) {
    case Layout::FourPlusFour:
        return groupedWithHyphen(digits, 4);
    case Layout::ThreePlusFour:
        return groupedWithHyphen(digits, 3);
    case Layout::TwoPlusFour:
        return groupedWithHyphen(digits, 2);
    case Layout::QuadTwo:
        return groupedInPairs(digits, length >= 9 ? 4 : length >= 7 ? 3 : 2);
    }
    return digits.toString();
}

} // namespace

NormalizePhoneNumber::NormalizePhoneNumber() : m_countryNumbers(sharedCountryNumbers()) { }

NormalizePhoneNumber::NormalizePhoneNumber(CountryNumberTable countryNumbers)
    : m_countryNumbers(sorted(std::move(countryNumbers)))
{ }

std::shared_ptr<const CountryNumberTable> NormalizePhoneNumber::sharedCountryNumbers()
{
    static const std::shared_ptr<const CountryNumberTable> table = loadResource();
    return table;
}

CountryNumberTable NormalizePhoneNumber::parseCountryNumbers(const QByteArray& csv)
{
    CountryNumberTable table;
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() < 2)
            continue;
        const QStringList fields = line.split(u',');
        CountryNumber entry;
        if (fields.size() == 4) {
            entry.firstDigit = fields.at(0).left(1);
            entry.number = fields.at(0);
            entry.country = fields.at(1);
            entry.japaneseCountry = fields.at(2);
            entry.areaName = fields.at(3);
        }
        table.append(entry);
    }
    return table;
}

void NormalizePhoneNumber::setPhoneNumber(const QString& text)
{
    m_phoneNumber = normalizeExtension(removeHyphenAndParenthesis(text));
}

QString NormalizePhoneNumber::fourPlusFour() const
{
    return formatted(Layout::FourPlusFour);
}

QString NormalizePhoneNumber::threePlusFour() const
{
    return formatted(Layout::ThreePlusFour);
}

QString NormalizePhoneNumber::twoPlusFour() const
{
    return formatted(Layout::TwoPlusFour);
}

QString NormalizePhoneNumber::quadTwo() const
{
    return formatted(Layout::QuadTwo);
}

QString NormalizePhoneNumber::formatted(Layout layout) const
{
    QString number = m_phoneNumber;
    QString extension;
    if (const qsizetype x = number.indexOf(u'x'); x >= 0 && x + 1 < number.size()) {
        extension = number.sliced(x + 1);
        number.truncate(x);
    }
    const QString code = countryNumber(number);
    if (!code.isEmpty())
        number = number.size() > code.size() + 1 ? number.sliced(code.size() + 1) : QString();
    // A bare extension has no number to group: the caller keeps the entry as it is.
    if (number.isEmpty())
        return {};
    QString result = grouped(number, layout);
    if (!extension.isEmpty())
        result += u" x" + extension;
    if (!code.isEmpty())
        result = u'+' + code + u' ' + result;
    return result;
}

QString NormalizePhoneNumber::countryNumber(const QString& text) const
{
    if (text.size() < 2 || !text.startsWith(u'+'))
        return {};
    const QChar digit = text.at(1);
    const QStringView afterPlus = QStringView(text).sliced(1);
    for (const CountryNumber& entry : *m_countryNumbers) {
        if (entry.firstDigit.isEmpty())
            continue;
        const QChar first = entry.firstDigit.at(0);
        if (first > digit)
            return {};
        // The first code in text order that prefixes the number wins, so "1" beats a longer "1242".
        if (first == digit && text.size() > entry.number.size() + 1 && afterPlus.startsWith(entry.number))
            return entry.number;
    }
    return {};
}

QString NormalizePhoneNumber::removeHyphenAndParenthesis(const QString& text)
{
    QString result = text;
    result.removeIf([](QChar c) { return c == u'-' || c == u'(' || c == u')' || c == u' '; });
    return result;
}

QString NormalizePhoneNumber::normalizeExtension(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("(ext\\.|ext|x)[0-9]"));
    if (const QRegularExpressionMatch match = marker.match(text); match.hasMatch()) {
        QString result = text;
        result.replace(match.capturedStart(1), match.capturedLength(1), QStringLiteral("x"));
        return result;
    }
    const qsizetype start = text.startsWith(u'+') ? 1 : 0;
    qsizetype end = start;
    while (end < text.size() && isAsciiDigit(text.at(end)))
        ++end;
    if (end == start)
        return {};
    // Trailing words such as "(home)" may go, but digits after them are part of the number (an
    // unmarked extension, dots as separators, a second number): cutting them would lose them.
    const QStringView rest = QStringView(text).sliced(end);
    if (std::any_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); }))
        return {};
    return text.left(end);
}

std::optional<NormalizePhoneNumber::Layout> NormalizePhoneNumber::layoutForTitle(QStringView title)
{
    if (title == PhoneLayout::FourPlusFour)
        return Layout::FourPlusFour;
    if (title == PhoneLayout::ThreePlusFour)
        return Layout::ThreePlusFour;
    if (title == PhoneLayout::TwoPlusFour)
        return Layout::TwoPlusFour;
    if (title == PhoneLayout::QuadTwo)
        return Layout::QuadTwo;
    return std::nullopt;
}

QStringList NormalizePhoneNumber::layoutTitles()
{
    return {PhoneLayout::FourPlusFour, PhoneLayout::ThreePlusFour, PhoneLayout::TwoPlusFour, PhoneLayout::QuadTwo};
}

QString NormalizePhoneNumber::normalizedNumber(const QString& number, QStringView layoutTitle)
{
    const std::optional<Layout> layout = layoutForTitle(layoutTitle);
    if (!layout)
        return {};
    setPhoneNumber(number);
    return formatted(*layout);
}

} // namespace Quillary
