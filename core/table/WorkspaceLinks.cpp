#include "WorkspaceLinks.h"

#include "output/QRCodePayload.h"
#include "support/PrivateFiles.h"

namespace Quillary::WorkspaceLinks {

namespace {

QUrl fromEncoded(const QString& text)
{
    return QUrl::fromEncoded(text.toUtf8(), QUrl::StrictMode);
}

QString percentEncoded(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

// RFC 5545 TEXT: backslash, semicolon and comma are escaped, line breaks become "\n".
QString escapeText(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u';' || c == u',')
            escaped += u'\\' + QString(c);
        else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        else if (c == u'\r' || c == u'\n')
            escaped += QStringLiteral("\\n");
        else
            escaped += c;
    }
    return escaped;
}

// Lines longer than 75 octets are folded (CRLF and a blank) between UTF-8 characters.
QByteArray foldedLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    QByteArray folded;
    qsizetype start = 0;
    qsizetype limit = 75;
    while (bytes.size() - start > limit) {
        qsizetype cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(bytes.at(cut)) & 0xC0) == 0x80)
            --cut;
        folded += bytes.mid(start, cut - start) + "\r\n ";
        start = cut;
        limit = 74;
    }
    return folded + bytes.mid(start) + "\r\n";
}

} // namespace

QUrl phone(const QString& number)
{
    QString digits = number;
    digits.remove(u'(').remove(u')').remove(u' ');
    return digits.isEmpty() ? QUrl() : fromEncoded(u"tel:" + percentEncoded(digits, "+*#"));
}

QUrl email(const QString& address)
{
    const QString trimmed = address.trimmed();
    return trimmed.isEmpty() ? QUrl() : fromEncoded(u"mailto:" + percentEncoded(trimmed, "@+"));
}

QUrl web(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QUrl() : QUrl(QRCodePayload::webAddress(trimmed), QUrl::TolerantMode);
}

QUrl map(const QString& address)
{
    const QString trimmed = address.trimmed();
    return trimmed.isEmpty() ? QUrl() : fromEncoded(u"geo:0,0?q=" + percentEncoded(trimmed));
}

QUrl webMap(const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return {};
    return fromEncoded(u"https://www.google.com/maps/search/?api=1&query=" + percentEncoded(trimmed));
}

QByteArray yearlyEvent(const DateComponents& date, const QString& summary, const QString& uid, const QDateTime& stamp)
{
    if (!date.isValid())
        return {};
    const QDate start = date.hasYear() ? date.toDate() : QDate(2000, date.month, date.day);
    const QString day = QStringLiteral("yyyyMMdd");
    QByteArray event = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillary//Contacts//EN\r\n"
                       "BEGIN:VEVENT\r\n";
    event += foldedLine(u"UID:" + escapeText(uid));
    event += foldedLine(u"DTSTAMP:" + stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    event += foldedLine(u"DTSTART;VALUE=DATE:" + start.toString(day));
    event += foldedLine(u"DTEND;VALUE=DATE:" + start.addDays(1).toString(day));
    event += "RRULE:FREQ=YEARLY\r\nTRANSP:TRANSPARENT\r\n";
    event += foldedLine(u"SUMMARY:" + escapeText(summary));
    event += "END:VEVENT\r\nEND:VCALENDAR\r\n";
    return event;
}

QUrl yearlyEventFile(const DateComponents& date, const QString& summary, const QString& uid, const QDateTime& stamp,
                     QString* error)
{
    const QByteArray event = yearlyEvent(date, summary, uid, stamp);
    if (event.isEmpty())
        return {};
    const QString path = PrivateFiles::write(summary + QStringLiteral(".ics"), event, error);
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

} // namespace Quillary::WorkspaceLinks
