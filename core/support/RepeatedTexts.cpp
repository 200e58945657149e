#include "RepeatedTexts.h"

#include <QHash>

namespace Quillary {

namespace {

/// FNV-1a over the UTF-16 units, from the process's random seed: cheap for the short texts held, and
/// a file cannot choose texts that all land in one run of slots without knowing the seed.
size_t hashOf(QStringView text)
{
    static const size_t seed = QHashSeed::globalSeed() ^ 0xcbf29ce484222325ULL;
    size_t hash = seed;
    for (const QChar unit : text)
        hash = (hash ^ unit.unicode()) * 0x100000001b3ULL;
    return hash;
}

} // namespace

RepeatedTexts& RepeatedTexts::local()
{
    thread_local RepeatedTexts table;
    return table;
}

RepeatedTexts::Slot* RepeatedTexts::slotFor(QStringView text, size_t hash)
{
    const size_t mask = m_slots.size() - 1;
    // Held texts are never empty: an empty slot ends the probe. A long run of other texts ends it
    // as well, so that no lookup costs more than a few comparisons.
    size_t i = hash & mask;
    for (int probe = 0; probe < LongestProbe; ++probe, i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.text.isEmpty() || (slot.hash == hash && slot.text == text))
            return &slot;
    }
    return nullptr;
}

const QString& RepeatedTexts::hold(Slot& slot, QString text, size_t hash)
{
    Slot* target = &slot;
    if (m_count == Capacity) {
        // Full: start over rather than grow. The texts stay with the contacts that share them.
        for (Slot& held : m_slots)
            held.text = QString();
        m_count = 0;
        target = &m_slots[hash & (m_slots.size() - 1)];
    }
    target->text = std::move(text);
    target->hash = hash;
    ++m_count;
    return target->text;
}

template <typename MakeText> QString RepeatedTexts::lookUp(QStringView text, MakeText makeText)
{
    if (text.isEmpty() || text.size() > LongestShared)
        return makeText();
    const size_t hash = hashOf(text);
    Slot* slot = slotFor(text, hash);
    if (!slot)
        return makeText();
    return slot->text.isEmpty() ? hold(*slot, makeText(), hash) : slot->text;
}

QString RepeatedTexts::shared(QStringView text)
{
    return lookUp(text, [text] { return text.isEmpty() ? QString() : text.toString(); });
}

QString RepeatedTexts::shared(QString text)
{
    return lookUp(text, [&text] { return std::move(text); });
}

} // namespace Quillary
