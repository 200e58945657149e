#include "ContactDate.h"

#include "support/RepeatedTexts.h"

#include <QLocale>

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

void appendNumber(QString& out, int value, int width)
{
    const QString digits = QString::number(value);
    for (qsizetype i = digits.size(); i < width; ++i)
        out.append(u'0');
    out.append(digits);
}

} // namespace

QString format(const DateComponents& date)
{
    if (!date.isValid())
        return {};
    QString out;
    out.reserve(16);
    if (date.hasYear()) {
        appendNumber(out, date.year, 4);
        out.append(u'.');
    }
    appendNumber(out, date.month, 2);
    out.append(u'.');
    appendNumber(out, date.day, 2);
    if (date.hasYear()) {
        out.append(u'(');
        out.append(weekdayNames()[size_t(date.toDate().dayOfWeek() - 1)]);
        out.append(u')');
    }
    // Many contacts share a date: they share its text.
    return RepeatedTexts::local().shared(std::move(out));
}

} // namespace Quillary::ContactDate
