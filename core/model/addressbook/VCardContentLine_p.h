#pragma once

// Internal to the vCard codec: cutting one card into content lines.

#include <QByteArray>
#include <QList>
#include <QVarLengthArray>

namespace Quillary::AddressBook::VCard {

struct Param
{
    QByteArrayView name;  ///< empty for a bare vCard 2.1 value such as "WORK" or "QUOTED-PRINTABLE"
    QByteArrayView value; ///< raw, possibly a comma-separated list or double-quoted
};

/// One property of a card: [group.]name[;params]:value, unfolded.
struct ContentLine
{
    QByteArrayView group;
    QByteArrayView name;
    QVarLengthArray<Param, 6> params;
    QByteArrayView value; ///< still encoded and escaped

    [[nodiscard]] bool nameIs(const char* upperName) const;
    /// The value of the first parameter with that name (case-insensitive), or a null view.
    [[nodiscard]] QByteArrayView param(const char* upperName) const;
    [[nodiscard]] bool isQuotedPrintable() const;
    [[nodiscard]] bool isBase64() const;
    /// Every TYPE value, bare 2.1 types included, split at commas and unquoted.
    [[nodiscard]] QVarLengthArray<QByteArrayView, 8> types() const;
};

/// Reads the content lines of one card. Line ends may be CR LF, LF or CR; a line that starts with a
/// space or tab continues the previous one; a quoted-printable value continues past a line that
/// ends with "="; a vCard 2.1 base64 value runs on until a blank line.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView card) : m_text(card) {}
    bool next(ContentLine& line);

private:
    QByteArrayView nextPhysicalLine();
    [[nodiscard]] QByteArrayView peekPhysicalLine(qsizetype* end) const;
    QByteArrayView appendToStorage(QByteArrayView text, QByteArrayView more);
    void parse(QByteArrayView text, ContentLine& line) const;
    QByteArrayView joinQuotedPrintable(QByteArrayView text);
    QByteArrayView joinBase64(QByteArrayView text);

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    QList<QByteArray> m_storage; // unfolded lines; views point into these
};

/// Upper-case ASCII copy of a short name, for comparisons.
bool equalsUpper(QByteArrayView text, const char* upper);

} // namespace Quillary::AddressBook::VCard
