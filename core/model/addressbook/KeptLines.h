#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace Quillary::AddressBook {

/// What a card held beyond the properties of a person record, kept with the record so that writing
/// it gives everything back: the card's other lines (properties the record has no place for, with
/// their parameters, as unfolded vCard 3.0 lines) and its FN as it was read. Most cards have
/// neither, and then this is a null pointer; copies share one text.
class KeptLines
{
public:
    KeptLines() = default;
    /// Nothing is kept when every part is empty. `composedName` is the name that writing composes
    /// for the record as it was read; the FN is written as read while that name stays the same.
    KeptLines(QByteArray lines, QString formattedName, QString composedName);

    [[nodiscard]] bool isEmpty() const { return !m_data; }
    /// The lines, each ended by CR LF.
    [[nodiscard]] QByteArrayView lines() const { return m_data ? QByteArrayView(m_data->lines) : QByteArrayView(); }
    /// The FN of the card when it differs from the name composed at reading; "" otherwise.
    [[nodiscard]] QString formattedName() const { return m_data ? m_data->formattedName : QString(); }
    [[nodiscard]] QString composedName() const { return m_data ? m_data->composedName : QString(); }

    friend bool operator==(const KeptLines& a, const KeptLines& b);

private:
    struct Data
    {
        QByteArray lines;
        QString formattedName;
        QString composedName;
    };
    std::shared_ptr<const Data> m_data;
};

} // namespace Quillary::AddressBook
