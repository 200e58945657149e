#pragma once

// Internal to the vCard codec: decoding and encoding of property values.

#include "DateComponents.h"
#include "VCardContentLine_p.h"

#include <QString>
#include <QStringList>

#include <string>

namespace Quillary::AddressBook::VCard {

enum class Version { V21, V30, V40 };

/// The version a VERSION value names; 3.0 for anything unknown.
[[nodiscard]] Version versionOf(QByteArrayView declared);

[[nodiscard]] QByteArray decodeQuotedPrintable(QByteArrayView encoded);
[[nodiscard]] QByteArray decodeBase64(QByteArrayView encoded);

/// Where the bytes of a quoted-printable value without CHARSET are read when they are not UTF-8: in
/// the charset that its card declares on other lines, else in the encoding of the file; in
/// windows-1252 when neither fits.
struct Fallback
{
    QByteArrayView declared;
    QByteArrayView file;
};

/// The value as text, still escaped: quoted-printable undone and the bytes decoded in the line's
/// CHARSET (UTF-8 by default). Escapes are resolved only after this, so that a Shift-JIS trail byte
/// 0x5C is never taken for a backslash.
[[nodiscard]] QString escapedText(const ContentLine& line, const Fallback& fallback = {});

/// A short text that needs no decoding and no unescaping — plain ASCII without a backslash, as most
/// values are — widened on the stack instead of into a string of its own. Empty when the text is not
/// such a one: the caller decodes it the general way.
class PlainValue
{
public:
    static constexpr qsizetype Longest = 64;

    explicit PlainValue(QByteArrayView bytes);
    /// The value of a line that is neither quoted-printable nor base64.
    explicit PlainValue(const ContentLine& line);

    [[nodiscard]] explicit operator bool() const { return m_plain; }
    [[nodiscard]] QStringView view() const { return QStringView(m_units.constData(), m_units.size()); }

private:
    QVarLengthArray<char16_t, Longest> m_units;
    bool m_plain = false;
};

/// Resolves the escapes of one text value: \n \N \, \; \\ in vCard 3.0 and 4.0; only \; in 2.1.
[[nodiscard]] QString unescape(QString text, Version version);
[[nodiscard]] QString unescape(QStringView text, Version version);
/// The components of a structured value (N, ADR, ORG), split at unescaped semicolons. Each is
/// unescaped and trimmed only when asked for, and empty ones cost nothing.
class Components
{
public:
    Components(QString escaped, Version version);
    [[nodiscard]] qsizetype size() const { return m_ranges.size(); }
    /// The component unescaped and trimmed; "" past the end.
    [[nodiscard]] QString text(qsizetype index) const;
    /// The same text, shared with the equal texts read before (see RepeatedTexts): for components
    /// that repeat from card to card, such as names, companies and cities.
    [[nodiscard]] QString sharedText(qsizetype index) const;

private:
    /// The component trimmed, still escaped; empty past the end.
    [[nodiscard]] QStringView escapedPart(qsizetype index) const;

    QString m_escaped;
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 8> m_ranges; // start, length
    Version m_version;
};

[[nodiscard]] Components components(QString escaped, Version version);

/// Splits a list value (CATEGORIES, NICKNAME) at unescaped commas, unescapes and trims each item.
[[nodiscard]] QStringList listItems(QStringView text, Version version);
/// The items of a line's list value, as listItems gives them, each shared with the equal texts read
/// before (see RepeatedTexts): group names repeat from card to card.
[[nodiscard]] QStringList repeatedListItems(const ContentLine& line, Version version);

/// UTF-8 text that repeats from card to card (a service's name), shared with the equal texts read
/// before; plain ASCII costs no allocation.
[[nodiscard]] QString repeatedUtf8(QByteArrayView utf8);

/// The text without white space around it. Most values have none: they come back as they are,
/// where QString::trimmed() makes a call into the library for every one.
inline QString trimmedText(QString text)
{
    if (text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace()))
        return text;
    return std::move(text).trimmed();
}

/// The unescaped text of a line.
[[nodiscard]] QString text(const ContentLine& line, Version version, const Fallback& fallback = {});

/// The date of a line (BDAY, ANNIVERSARY, X-ABDATE); a year that X-APPLE-OMIT-YEAR names as a
/// placeholder is left out. Invalid when the value is no date.
[[nodiscard]] DateComponents dateOf(const ContentLine& line, Version version);

/// The scratch buffer a content line is assembled in before it is folded into a card: appending a
/// few octets to it is a store, where a QByteArray goes through its general insertion every time.
class LineBuffer
{
public:
    LineBuffer& append(char c)
    {
        m_text.push_back(c);
        return *this;
    }
    LineBuffer& append(QByteArrayView text)
    {
        m_text.append(text.data(), size_t(text.size()));
        return *this;
    }
    [[nodiscard]] qsizetype size() const { return qsizetype(m_text.size()); }
    /// Keeps the memory for the next line.
    void resize(qsizetype size) { m_text.resize(size_t(size)); }
    void chop(qsizetype count) { m_text.resize(m_text.size() - size_t(count)); }
    [[nodiscard]] char* data() { return m_text.data(); }
    [[nodiscard]] QByteArrayView view() const { return QByteArrayView(m_text.data(), size()); }

private:
    std::string m_text;
};

/// Appends text as UTF-8 (to a QByteArray or a LineBuffer).
template <typename Buffer> void appendUtf8(Buffer& out, QStringView text);

/// Escapes a text value for vCard 3.0: backslash, comma, semicolon and line breaks.
template <typename Buffer> void appendEscaped(Buffer& out, QStringView text);

} // namespace Quillary::AddressBook::VCard
