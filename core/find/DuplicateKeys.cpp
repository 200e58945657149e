#include "DuplicateKeys.h"

#include "model/NormalizePhoneNumber.h"

namespace Quillary {

namespace {

constexpr qsizetype MinimumPhoneDigits = 6;
constexpr qsizetype LongestCallingCode = 4;

QSet<QString> sharedCallingCodes()
{
    QSet<QString> codes;
    for (const CountryNumber& entry : *NormalizePhoneNumber::sharedCountryNumbers()) {
        if (!entry.number.isEmpty())
            codes.insert(entry.number);
    }
    return codes;
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

DuplicateKeys::DuplicateKeys() : m_callingCodes(sharedCallingCodes()) { }

DuplicateKeys::DuplicateKeys(QSet<QString> callingCodes) : m_callingCodes(std::move(callingCodes)) { }

QString DuplicateKeys::emailKey(const QString& address)
{
    if (!address.contains(u'@'))
        return {};
    const bool trimmed = !address.front().isSpace() && !address.back().isSpace();
    return (trimmed ? address : address.trimmed()).toCaseFolded();
}

QString DuplicateKeys::phoneKey(const QString& number) const
{
    // The digits up to an extension ("x12", "ext. 12") or any other letter.
    QString digits;
    digits.reserve(number.size());
    bool international = false;
    for (const QChar c : number) {
        if (c.isLetter())
            break;
        if (c == u'+' && digits.isEmpty())
            international = true;
        else if (c.isDigit())
            digits += QChar(u'0' + c.digitValue());
    }
    if (!international && digits.startsWith(QLatin1StringView("00"))) {
        international = true;
        digits.remove(0, 2);
    }
    if (international) {
        // Of two codes that both begin the number the shorter wins, as in the calling-code table.
        for (qsizetype length = 1; length <= LongestCallingCode && length < digits.size(); ++length) {
            if (m_callingCodes.contains(QStringView(digits).first(length).toString())) {
                digits.remove(0, length);
                break;
            }
        }
    }
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits.at(zeros) == u'0')
        ++zeros;
    digits.remove(0, zeros);
    return digits.size() >= MinimumPhoneDigits ? digits : QString();
}

QString DuplicateKeys::foldedName(const QString& text)
{
    QString folded = isAscii(text) ? text : text.normalized(QString::NormalizationForm_KC);
    for (QChar& c : folded) {
        // Katakana to hiragana: the two scripts lie 0x60 apart.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(char16_t(c.unicode() - 0x60));
    }
    folded.removeIf([](QChar c) { return c.isSpace(); });
    return folded.toCaseFolded();
}

QString DuplicateKeys::nameKey(const QString& firstName, const QString& lastName)
{
    const QString first = foldedName(firstName);
    const QString last = foldedName(lastName);
    if (first.isEmpty() || last.isEmpty())
        return {};
    return first < last ? first + u'\x1f' + last : last + u'\x1f' + first;
}

} // namespace Quillary
