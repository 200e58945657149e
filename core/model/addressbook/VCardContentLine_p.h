#pragma once

// Internal to the vCard codec: cutting one card into content lines.

#include <QByteArray>
#include <QList>
#include <QVarLengthArray>

#include <memory>
#include <vector>

namespace Quillary::AddressBook::VCard {

/// The white space QByteArrayView::trimmed() removes.
inline bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

/// True when `text` equals the upper-case ASCII word, ignoring the case of `text`.
inline bool equalsUpper(QByteArrayView text, QByteArrayView upper)
{
    if (text.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    return true;
}

/// The same for a word written in the code.
template <qsizetype N> inline bool equalsUpper(QByteArrayView text, const char (&upper)[N])
{
    return equalsUpper(text, QByteArrayView(upper, N - 1));
}

/// The value without its surrounding double quotes.
inline QByteArrayView unquote(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.sliced(1, value.size() - 2);
    return value;
}

struct Param
{
    QByteArrayView name; ///< empty for a bare vCard 2.1 value such as "WORK" or "QUOTED-PRINTABLE"
    QByteArrayView value; ///< raw, possibly a comma-separated list or double-quoted
};

/// One property of a card: [group.]name[;params]:value, unfolded.
struct ContentLine
{
    QByteArrayView group;
    QByteArrayView name;
    QVarLengthArray<Param, 6> params;
    QByteArrayView value; ///< still encoded and escaped
    bool quotedPrintable = false;
    bool base64 = false;

    template <qsizetype N> [[nodiscard]] bool nameIs(const char (&upperName)[N]) const
    {
        return equalsUpper(name, upperName);
    }
    [[nodiscard]] bool nameIs(QByteArrayView upperName) const { return equalsUpper(name, upperName); }
    /// The value of the first parameter with that name (case-insensitive), or a null view.
    template <qsizetype N> [[nodiscard]] QByteArrayView param(const char (&upperName)[N]) const
    {
        for (const Param& p : params) {
            if (equalsUpper(p.name, upperName))
                return unquote(p.value);
        }
        return {};
    }
    [[nodiscard]] bool isQuotedPrintable() const { return quotedPrintable; }
    [[nodiscard]] bool isBase64() const { return base64; }
    /// Every TYPE value, bare 2.1 types included, split at commas and unquoted.
    [[nodiscard]] QVarLengthArray<QByteArrayView, 8> types() const;
};

/// The unfolded lines of one card, written one after another into blocks that never move, so that
/// the views of lines made earlier stay valid. Their total is at most the card's size, so a block
/// of that size is usually the only one.
class UnfoldedLines
{
public:
    explicit UnfoldedLines(qsizetype blockSize) : m_blockSize(blockSize) { }
    /// `text` followed by `more`. When `text` starts where the line made last starts, that line is
    /// cut to the size of `text` and continued; otherwise a new line begins.
    QByteArrayView join(QByteArrayView text, QByteArrayView more);

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_line = nullptr; ///< where the line made last starts
    char* m_free = nullptr; ///< the first unused byte of the last block
    char* m_end = nullptr; ///< the end of the last block
    qsizetype m_blockSize;
};

/// Reads the content lines of one card. Line ends may be CR LF, LF or CR; a line that starts with a
/// space or tab continues the previous one; a quoted-printable value continues past a line that
/// ends with "="; a vCard 2.1 base64 value runs on until a blank line.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView card) : m_text(card), m_unfolded(card.size() + 1) { }
    bool next(ContentLine& line);
    /// Where the next line starts in the text.
    [[nodiscard]] qsizetype position() const { return m_pos; }

private:
    /// The physical line at m_pos and where the next one starts.
    [[nodiscard]] QByteArrayView peekPhysicalLine(qsizetype* end) const;
    [[nodiscard]] QByteArrayView scanPhysicalLine(qsizetype* end) const;
    static void parse(QByteArrayView text, ContentLine& line);
    QByteArrayView joinQuotedPrintable(QByteArrayView text);
    QByteArrayView joinBase64(QByteArrayView text);

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    // The line last looked at: the unfolding loop looks at each line before the line is read.
    mutable qsizetype m_peekedAt = -1;
    mutable qsizetype m_peekedEnd = 0;
    mutable QByteArrayView m_peekedLine;
    // The first LF at or after m_lfSearchedFrom (the card's size when there is none).
    mutable qsizetype m_lfSearchedFrom = 0;
    mutable qsizetype m_lfAt = -1;
    UnfoldedLines m_unfolded; // views of folded lines point into these
};

} // namespace Quillary::AddressBook::VCard
