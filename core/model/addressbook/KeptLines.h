#pragma once

#include <QByteArray>
#include <QString>

namespace Quillary::AddressBook {

/// What a card held beyond the properties of a person record, kept with the record so that writing
/// it gives everything back: the card's other lines (properties the record has no place for, with
/// their parameters, as unfolded vCard 3.0 lines) and its FN as it was read. Most cards have
/// neither and hold an empty text; copies share one text.
class KeptLines
{
public:
    KeptLines() = default;
    /// Nothing is kept when both are empty. `composedName` is the FN that writing composes for the
    /// record as it was read: the FN read is written while the composed one stays the same.
    KeptLines(QByteArrayView lines, const QString& formattedName, const QString& composedName);

    [[nodiscard]] bool isEmpty() const { return m_data.isEmpty(); }
    /// The lines, each ended by CR LF.
    [[nodiscard]] QByteArrayView lines() const;
    /// The FN that was read, while writing composes `composedName` as it did then (the name was not
    /// edited); "" otherwise.
    [[nodiscard]] QString formattedNameFor(const QString& composedName) const;

    friend bool operator==(const KeptLines& a, const KeptLines& b) { return a.m_data == b.m_data; }

private:
    struct Header
    {
        size_t composedNameHash; ///< a hash keeps the composed name in a few bytes
        quint32 formattedNameSize; ///< UTF-8 bytes of the FN after the header; the lines follow it
    };
    [[nodiscard]] Header header() const;

    QByteArray m_data; // empty, or the header, the FN in UTF-8 and the lines: one block per card
};

} // namespace Quillary::AddressBook
