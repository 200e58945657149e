#include "ContactDate.h"

#include <QLocale>
#include <QVarLengthArray>

#include <array>

namespace Quillary::ContactDate {

namespace {

// Weekday names are looked up once: formatting runs for every date of every contact read.
const std::array<QString, 7>& weekdayNames()
{
    static const std::array<QString, 7> names = [] {
        std::array<QString, 7> result;
        const QLocale locale;
        for (int day = 1; day <= 7; ++day)
            result[size_t(day - 1)] = locale.dayName(day, QLocale::ShortFormat);
        return result;
    }();
    return names;
}

using DateText = QVarLengthArray<char16_t, 32>;

/// The number in decimal, zeros in front up to `width` characters.
void appendNumber(DateText& out, int value, int width)
{
    char16_t digits[12];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[count++] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits[count++] = u'-';
    for (int i = count; i < width; ++i)
        out.append(u'0');
    while (count > 0)
        out.append(digits[--count]);
}

} // namespace

QString format(const DateComponents& date)
{
    if (!date.isValid())
        return {};
    // Made on the stack and copied once, instead of appended to piece by piece.
    DateText out;
    if (date.hasYear()) {
        appendNumber(out, date.year, 4);
        out.append(u'.');
    }
    appendNumber(out, date.month, 2);
    out.append(u'.');
    appendNumber(out, date.day, 2);
    if (date.hasYear()) {
        out.append(u'(');
        const QString& weekday = weekdayNames()[size_t(date.toDate().dayOfWeek() - 1)];
        out.append(reinterpret_cast<const char16_t*>(weekday.constData()), weekday.size());
        out.append(u')');
    }
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size());
}

} // namespace Quillary::ContactDate
