#include "TextEncodings.h"

#include "TextDecoding.h"
#include "support/Charset.h"
#include "support/CoreTr.h"

#include <algorithm>
#include <optional>
#include <unicode/ucnv.h>

namespace Quillary::TextEncodings {

namespace {

struct Row
{
    quint32 number;
    const char* icuName;
    const char* englishName;
};

// Numbers below 0x100 and the 0x8... values follow the numbering that desktop text services have
// long used for these encodings, so that numbers seen elsewhere mean the same here. Never renumber:
// settings and callers keep them. Encodings whose ICU converter is missing on a machine are left out
// of available(), not renumbered.
constexpr Row rows[] = {
    {4, "UTF-8", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-8)")},
    {10, "UTF-16", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-16)")},
    {0x90000100, "UTF-16BE", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-16BE)")},
    {0x94000100, "UTF-16LE", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-16LE)")},
    {0x8C000100, "UTF-32", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-32)")},
    {0x98000100, "UTF-32BE", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-32BE)")},
    {0x9C000100, "UTF-32LE", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-32LE)")},
    {0x84000100, "UTF-7", QT_TRANSLATE_NOOP("Quillary::Core", "Unicode (UTF-7)")},
    {1, "US-ASCII", QT_TRANSLATE_NOOP("Quillary::Core", "Western (ASCII)")},
    {5, "ISO-8859-1", QT_TRANSLATE_NOOP("Quillary::Core", "Western (ISO Latin 1)")},
    {12, "windows-1252", QT_TRANSLATE_NOOP("Quillary::Core", "Western (Windows Latin 1)")},
    {30, "macintosh", QT_TRANSLATE_NOOP("Quillary::Core", "Western (Mac OS Roman)")},
    {0x8000020F, "ISO-8859-15", QT_TRANSLATE_NOOP("Quillary::Core", "Western (ISO Latin 9)")},
    {0x80000203, "ISO-8859-3", QT_TRANSLATE_NOOP("Quillary::Core", "Western (ISO Latin 3)")},
    {0x80000410, "IBM850", QT_TRANSLATE_NOOP("Quillary::Core", "Western (DOS Latin 1)")},
    {0x80000C02, "IBM037", QT_TRANSLATE_NOOP("Quillary::Core", "Western (EBCDIC Latin 1)")},
    {0x80000400, "IBM437", QT_TRANSLATE_NOOP("Quillary::Core", "Latin-US (DOS)")},
    {9, "ISO-8859-2", QT_TRANSLATE_NOOP("Quillary::Core", "Central European (ISO Latin 2)")},
    {0x80000204, "ISO-8859-4", QT_TRANSLATE_NOOP("Quillary::Core", "Central European (ISO Latin 4)")},
    {15, "windows-1250", QT_TRANSLATE_NOOP("Quillary::Core", "Central European (Windows Latin 2)")},
    {0x8000001D, "x-mac-centraleurroman", QT_TRANSLATE_NOOP("Quillary::Core", "Central European (Mac OS)")},
    {0x80000412, "IBM852", QT_TRANSLATE_NOOP("Quillary::Core", "Central European (DOS Latin 2)")},
    {0x8000020D, "ISO-8859-13", QT_TRANSLATE_NOOP("Quillary::Core", "Baltic (ISO Latin 7)")},
    {0x80000507, "windows-1257", QT_TRANSLATE_NOOP("Quillary::Core", "Baltic (Windows)")},
    {0x80000406, "IBM775", QT_TRANSLATE_NOOP("Quillary::Core", "Baltic (DOS)")},
    {0x8000020A, "ISO-8859-10", QT_TRANSLATE_NOOP("Quillary::Core", "Nordic (ISO Latin 6)")},
    {0x8000041A, "IBM865", QT_TRANSLATE_NOOP("Quillary::Core", "Nordic (DOS)")},
    {0x8000020E, "ISO-8859-14", QT_TRANSLATE_NOOP("Quillary::Core", "Celtic (ISO Latin 8)")},
    {0x80000210, "ISO-8859-16", QT_TRANSLATE_NOOP("Quillary::Core", "Romanian (ISO Latin 10)")},
    {0x80000416, "IBM861", QT_TRANSLATE_NOOP("Quillary::Core", "Icelandic (DOS)")},
    {0x80000415, "IBM860", QT_TRANSLATE_NOOP("Quillary::Core", "Portuguese (DOS)")},
    {0x80000418, "IBM863", QT_TRANSLATE_NOOP("Quillary::Core", "Canadian French (DOS)")},
    {0x80000209, "ISO-8859-9", QT_TRANSLATE_NOOP("Quillary::Core", "Turkish (ISO Latin 5)")},
    {14, "windows-1254", QT_TRANSLATE_NOOP("Quillary::Core", "Turkish (Windows Latin 5)")},
    {0x80000023, "x-mac-turkish", QT_TRANSLATE_NOOP("Quillary::Core", "Turkish (Mac OS)")},
    {0x80000414, "IBM857", QT_TRANSLATE_NOOP("Quillary::Core", "Turkish (DOS)")},
    {0x80000205, "ISO-8859-5", QT_TRANSLATE_NOOP("Quillary::Core", "Cyrillic (ISO 8859-5)")},
    {11, "windows-1251", QT_TRANSLATE_NOOP("Quillary::Core", "Cyrillic (Windows)")},
    {0x80000A02, "KOI8-R", QT_TRANSLATE_NOOP("Quillary::Core", "Cyrillic (KOI8-R)")},
    {0x80000007, "x-mac-cyrillic", QT_TRANSLATE_NOOP("Quillary::Core", "Cyrillic (Mac OS)")},
    {0x80000413, "IBM855", QT_TRANSLATE_NOOP("Quillary::Core", "Cyrillic (DOS)")},
    {0x8000041B, "IBM866", QT_TRANSLATE_NOOP("Quillary::Core", "Russian (DOS)")},
    {0x80000A08, "KOI8-U", QT_TRANSLATE_NOOP("Quillary::Core", "Ukrainian (KOI8-U)")},
    {0x80000207, "ISO-8859-7", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (ISO 8859-7)")},
    {13, "windows-1253", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (Windows)")},
    {0x80000006, "x-mac-greek", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (Mac OS)")},
    {0x80000405, "IBM737", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (DOS)")},
    {0x80000411, "IBM851", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (DOS Greek 1)")},
    {0x8000041C, "IBM869", QT_TRANSLATE_NOOP("Quillary::Core", "Greek (DOS Greek 2)")},
    {0x80000208, "ISO-8859-8", QT_TRANSLATE_NOOP("Quillary::Core", "Hebrew (ISO 8859-8)")},
    {0x80000505, "windows-1255", QT_TRANSLATE_NOOP("Quillary::Core", "Hebrew (Windows)")},
    {0x80000417, "IBM862", QT_TRANSLATE_NOOP("Quillary::Core", "Hebrew (DOS)")},
    {0x80000206, "ISO-8859-6", QT_TRANSLATE_NOOP("Quillary::Core", "Arabic (ISO 8859-6)")},
    {0x80000506, "windows-1256", QT_TRANSLATE_NOOP("Quillary::Core", "Arabic (Windows)")},
    {0x80000419, "IBM864", QT_TRANSLATE_NOOP("Quillary::Core", "Arabic (DOS)")},
    {0x8000020B, "ISO-8859-11", QT_TRANSLATE_NOOP("Quillary::Core", "Thai (ISO 8859-11)")},
    {0x8000041D, "windows-874", QT_TRANSLATE_NOOP("Quillary::Core", "Thai (Windows, DOS)")},
    {0x80000508, "windows-1258", QT_TRANSLATE_NOOP("Quillary::Core", "Vietnamese (Windows)")},
    // Files labelled Shift_JIS are really written in the Windows variant, which adds ①, ㈱, 髙 ...
    {ShiftJis, "windows-31j", QT_TRANSLATE_NOOP("Quillary::Core", "Japanese (Shift JIS)")},
    {3, "EUC-JP", QT_TRANSLATE_NOOP("Quillary::Core", "Japanese (EUC)")},
    {21, "ISO-2022-JP", QT_TRANSLATE_NOOP("Quillary::Core", "Japanese (ISO 2022-JP)")},
    {0x80000822, "ISO-2022-JP-1", QT_TRANSLATE_NOOP("Quillary::Core", "Japanese (ISO 2022-JP-1)")},
    {0x80000821, "ISO-2022-JP-2", QT_TRANSLATE_NOOP("Quillary::Core", "Japanese (ISO 2022-JP-2)")},
    {0x80000632, "GB18030", QT_TRANSLATE_NOOP("Quillary::Core", "Chinese (GB 18030)")},
    {0x80000830, "ISO-2022-CN", QT_TRANSLATE_NOOP("Quillary::Core", "Chinese (ISO 2022-CN)")},
    {0x80000930, "GB2312", QT_TRANSLATE_NOOP("Quillary::Core", "Simplified Chinese (GB 2312)")},
    {0x80000421, "GBK", QT_TRANSLATE_NOOP("Quillary::Core", "Simplified Chinese (Windows, DOS)")},
    {0x80000A05, "HZ-GB-2312", QT_TRANSLATE_NOOP("Quillary::Core", "Simplified Chinese (HZ GB 2312)")},
    {0x80000A03, "Big5", QT_TRANSLATE_NOOP("Quillary::Core", "Traditional Chinese (Big 5)")},
    {0x80000A06, "Big5-HKSCS", QT_TRANSLATE_NOOP("Quillary::Core", "Traditional Chinese (Big 5 HKSCS)")},
    {0x80000931, "EUC-TW", QT_TRANSLATE_NOOP("Quillary::Core", "Traditional Chinese (EUC)")},
    {0x80000940, "EUC-KR", QT_TRANSLATE_NOOP("Quillary::Core", "Korean (EUC)")},
    {0x80000422, "windows-949", QT_TRANSLATE_NOOP("Quillary::Core", "Korean (Windows, DOS)")},
    {0x80000840, "ISO-2022-KR", QT_TRANSLATE_NOOP("Quillary::Core", "Korean (ISO 2022-KR)")},
};

// ICU's own name for the converter behind a name or alias ("latin1" → "ISO-8859-1"), after our
// reading of Shift_JIS as windows-31j; empty when ICU cannot open it.
QByteArray converterName(QByteArrayView name)
{
    const QByteArray canonical = Charset::canonicalName(name);
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(canonical.constData(), &error);
    if (U_FAILURE(error) || !converter)
        return {};
    error = U_ZERO_ERROR;
    QByteArray result(ucnv_getName(converter, &error));
    ucnv_close(converter);
    return U_SUCCESS(error) ? result : QByteArray();
}

struct Table
{
    QList<Encoding> encodings;
    QList<QByteArray> converterNames; ///< parallel to encodings
};

const Table& table()
{
    static const Table instance = [] {
        Table built;
        for (const Row& row : rows) {
            QByteArray converter = converterName(row.icuName);
            if (converter.isEmpty())
                continue;
            built.encodings.append(Encoding{row.number, QByteArray(row.icuName), row.englishName});
            built.converterNames.append(std::move(converter));
        }
        return built;
    }();
    return instance;
}

std::optional<quint32> parseNumber(QStringView text)
{
    bool ok = false;
    const quint32 number =
        text.startsWith(u"0x", Qt::CaseInsensitive) ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    return ok ? std::optional<quint32>(number) : std::nullopt;
}

} // namespace

QString Encoding::displayName() const
{
    return Tr::tr(englishName);
}

const QList<Encoding>& available()
{
    return table().encodings;
}

const Encoding* byNumber(quint32 number)
{
    for (const Encoding& encoding : available()) {
        if (encoding.number == number)
            return &encoding;
    }
    return nullptr;
}

const Encoding* byIcuName(QByteArrayView name)
{
    const QByteArray converter = converterName(name);
    if (converter.isEmpty())
        return nullptr;
    const Table& all = table();
    const qsizetype index = all.converterNames.indexOf(converter);
    return index < 0 ? nullptr : &all.encodings.at(index);
}

const Encoding* byDisplayName(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    for (const Encoding& encoding : available()) {
        if (trimmed.compare(encoding.displayName(), Qt::CaseInsensitive) == 0
            || trimmed.compare(QLatin1StringView(encoding.englishName), Qt::CaseInsensitive) == 0)
            return &encoding;
    }
    return nullptr;
}

QString displayNameForIcuName(QByteArrayView name)
{
    if (const Encoding* encoding = byIcuName(name))
        return encoding->displayName();
    return QString::fromLatin1(name);
}

Resolution resolve(QStringView argument)
{
    Resolution result;
    const QStringView trimmed = argument.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1StringView(TextDecoding::Automatic), Qt::CaseInsensitive) == 0
        || trimmed.compare(Tr::tr("Automatic"), Qt::CaseInsensitive) == 0) {
        result.encoding = TextDecoding::Automatic.toByteArray();
        return result;
    }
    if (const std::optional<quint32> number = parseNumber(trimmed)) {
        if (*number == Automatic)
            result.encoding = TextDecoding::Automatic.toByteArray();
        else if (const Encoding* encoding = byNumber(*number))
            result.encoding = encoding->icuName;
        else
            result.errorString = Tr::tr("No text encoding has the number %1.").arg(trimmed);
        return result;
    }
    if (const Encoding* encoding = byDisplayName(trimmed)) {
        result.encoding = encoding->icuName;
        return result;
    }
    // Converter names are ASCII; anything else cannot name one.
    const bool ascii = std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.unicode() < 0x80; });
    const QByteArray name = ascii ? trimmed.toLatin1() : QByteArray();
    if (const Encoding* encoding = ascii ? byIcuName(name) : nullptr)
        result.encoding = encoding->icuName;
    else if (ascii && !converterName(name).isEmpty())
        result.encoding = name;
    else
        result.errorString = Tr::tr("Unknown text encoding “%1”.").arg(trimmed);
    return result;
}

} // namespace Quillary::TextEncodings
