#pragma once

#include <QString>
#include <QStringList>

namespace Quillary {

/// Cuts CSV text into records of fields. A field that begins with a double quote runs to the
/// closing quote, across commas and line breaks, and a doubled quote inside it stands for one; a
/// quote that is never closed takes the rest of its line. Outside quotes a record ends at any line
/// break (CR LF counts as one).
class CsvRecordReader
{
public:
    explicit CsvRecordReader(QStringView text);

    /// The fields of the next record; false at the end of the text. The unquoted fields of the
    /// columns marked in `repeating` share their text with the equal ones read before (see
    /// RepeatedTexts): a name or city read again costs no allocation.
    bool readRecord(QStringList& fields, const QList<bool>& repeating = {});
    /// Characters the last record took, its line break excluded.
    [[nodiscard]] qsizetype recordLength() const { return m_recordLength; }

private:
    [[nodiscard]] qsizetype lineEnd(qsizetype from) const;
    void readQuoted(QString& field);
    void readUnquoted(QString& field);
    /// The text up to the next separator or line break, moving past it.
    [[nodiscard]] QStringView unquotedText();

    QStringView m_text;
    qsizetype m_position = 0;
    qsizetype m_recordLength = 0;
    qsizetype m_lastQuote = -1;
};

} // namespace Quillary
