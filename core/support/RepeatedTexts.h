#pragma once

#include <QString>

#include <vector>

namespace Quillary {

/// Texts that repeat from contact to contact — given and family names, companies, job titles, cities,
/// countries, labels, services, groups — held once: a text met again shares the copy met before
/// instead of allocating its own. Each thread has a table of its own (no locks, and no reference
/// count that several threads contend for while reading); a table holds at most `Capacity` short
/// texts and starts over when full, so what it keeps alive stays small whatever the input.
class RepeatedTexts
{
public:
    static constexpr qsizetype Capacity = 4096;
    /// Longer texts are rarely repeated: they are returned as they are.
    static constexpr qsizetype LongestShared = 48;

    /// The calling thread's table.
    [[nodiscard]] static RepeatedTexts& local();

    /// A text equal to `text`: the held one when there is one, else a new one that is held from now on.
    [[nodiscard]] QString shared(QStringView text);
    /// The same, keeping `text` itself when none is held yet.
    [[nodiscard]] QString shared(QString text);

    [[nodiscard]] qsizetype size() const { return m_count; }

private:
    static constexpr int LongestProbe = 16;

    struct Slot
    {
        QString text;
        size_t hash = 0;
    };
    /// The slot holding `text`, or the empty slot where it belongs; none when both are too far.
    [[nodiscard]] Slot* slotFor(QStringView text, size_t hash);
    /// Holds `text` in `slot`, or anew after starting over when the table is full.
    const QString& hold(Slot& slot, QString text, size_t hash);
    /// The held text equal to `text`; else the one `makeText` makes, held when there is room.
    template <typename MakeText> QString lookUp(QStringView text, MakeText makeText);

    std::vector<Slot> m_slots = std::vector<Slot>(2 * Capacity); // open addressing, power of two
    qsizetype m_count = 0;
};

} // namespace Quillary
