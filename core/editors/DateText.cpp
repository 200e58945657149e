#include "DateText.h"

#include <QRegularExpression>

namespace Quillary::DateText {

namespace {

std::optional<DateComponents> valid(const DateComponents& date)
{
    return date.isValid() ? std::optional(date) : std::nullopt;
}

/// Year, month and day in that order, or month and day alone: ISO and the table's forms.
std::optional<DateComponents> numericForms(const QString& text)
{
    static const QRegularExpression full(QStringLiteral("^(\\d{4})[-./](\\d{1,2})[-./](\\d{1,2})$"));
    static const QRegularExpression noYearIso(QStringLiteral("^--(\\d{2})-?(\\d{2})$"));
    static const QRegularExpression noYearTable(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})$"));
    static const QRegularExpression basic(QStringLiteral("^\\d{8}$"));
    if (const QRegularExpressionMatch m = full.match(text); m.hasMatch())
        return valid(DateComponents::fromNumbers(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()));
    for (const QRegularExpression* noYear : {&noYearIso, &noYearTable}) {
        if (const QRegularExpressionMatch m = noYear->match(text); m.hasMatch())
            return valid(DateComponents::fromNumbers(0, m.captured(1).toInt(), m.captured(2).toInt()));
    }
    if (basic.match(text).hasMatch())
        return valid(DateComponents::fromIsoString(text));
    return std::nullopt;
}

std::optional<DateComponents> localeForm(const QString& text, const QLocale& locale, QDate today)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    const bool twoDigitYear = format.contains(QLatin1StringView("yy")) && !format.contains(QLatin1StringView("yyyy"));
    if (twoDigitYear) {
        // A four-digit year typed in the short form is taken as typed.
        const QDate date =
            locale.toDate(text, QString(format).replace(QLatin1StringView("yy"), QLatin1StringView("yyyy")));
        if (date.isValid())
            return DateComponents::fromDate(date);
    }
    QDate date = locale.toDate(text, format);
    if (!date.isValid())
        return std::nullopt;
    if (twoDigitYear) {
        // Qt reads "80" as 1980 and "05" as 1905: move the year into the window around today.
        const int year = date.year() % 100;
        const int century = today.year() - today.year() % 100;
        int full = century + year;
        if (full > today.year() + 20)
            full -= 100;
        date = QDate(full, date.month(), date.day());
    }
    return valid(DateComponents::fromDate(date));
}

} // namespace

std::optional<DateComponents> parse(QStringView input, const QLocale& locale, QDate today)
{
    QString text = input.trimmed().toString();
    // The table shows the weekday after the date: "1980.05.17(Sat)".
    static const QRegularExpression weekday(QStringLiteral("\\s*\\([^()]*\\)$"));
    text.remove(weekday);
    if (text.isEmpty())
        return std::nullopt;
    if (std::optional<DateComponents> date = numericForms(text))
        return date;
    return localeForm(text, locale, today);
}

QString editText(const DateComponents& date)
{
    if (!date.isValid())
        return {};
    const QString monthDay =
        QStringLiteral("%1.%2").arg(date.month, 2, 10, QLatin1Char('0')).arg(date.day, 2, 10, QLatin1Char('0'));
    return date.hasYear() ? QStringLiteral("%1.").arg(date.year, 4, 10, QLatin1Char('0')) + monthDay : monthDay;
}

} // namespace Quillary::DateText
