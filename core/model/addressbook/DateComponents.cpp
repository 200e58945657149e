#include "DateComponents.h"

#include <limits>

namespace Quillary::AddressBook {

namespace {

// Parses exactly `count` ASCII digits at `pos`; -1 when they are not all digits.
int digitsAt(QStringView text, qsizetype pos, int count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = text[pos + i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

bool DateComponents::isValid() const
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    return QDate(year ? year : 2000, month, day).isValid();
}

QDate DateComponents::toDate() const
{
    return isValid() ? QDate(year ? year : 2000, month, day) : QDate();
}

QString DateComponents::toIsoString() const
{
    if (!isValid())
        return {};
    if (!hasYear())
        return QStringLiteral("--%1-%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1-%2-%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

DateComponents DateComponents::fromDate(QDate date)
{
    return date.isValid() ? fromNumbers(date.year(), date.month(), date.day()) : DateComponents{};
}

DateComponents DateComponents::fromNumbers(int year, int month, int day)
{
    const auto fits = [](int value, auto member) {
        using Limits = std::numeric_limits<decltype(member)>;
        return value >= Limits::min() && value <= Limits::max();
    };
    if (!fits(year, qint16()) || !fits(month, qint8()) || !fits(day, qint8()))
        return {};
    return {qint16(year), qint8(month), qint8(day)};
}

DateComponents DateComponents::fromIsoString(QStringView text)
{
    text = text.trimmed();
    DateComponents result;
    if (text.startsWith(u"--")) {
        // --MMDD or --MM-DD
        // At most two digits each: every value fits the narrow members.
        result.month = qint8(digitsAt(text, 2, 2));
        const qsizetype dayPos = (text.size() > 4 && text[4] == u'-') ? 5 : 4;
        result.day = qint8(digitsAt(text, dayPos, 2));
    } else {
        result.year = qint16(digitsAt(text, 0, 4));
        const bool dashed = text.size() > 4 && text[4] == u'-';
        result.month = qint8(digitsAt(text, dashed ? 5 : 4, 2));
        result.day = qint8(digitsAt(text, dashed ? 8 : 6, 2));
        if (result.year <= 0)
            return {};
    }
    return result.isValid() ? result : DateComponents{};
}

} // namespace Quillary::AddressBook
