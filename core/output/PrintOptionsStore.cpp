#include "PrintOptionsStore.h"

#include "documents/Preferences.h"

namespace Quillary {

PrintOptionsStore::PrintOptionsStore(Preferences* preferences)
    : m_preferences(preferences ? preferences : &Preferences::instance())
{ }

PrintOptions PrintOptionsStore::load() const
{
    const QVariantMap stored = m_preferences->printOptions();
    // Older layouts are dropped as a whole: their keys meant other things.
    return isCurrent(stored) ? PrintOptions::fromMap(stored) : PrintOptions::defaults();
}

void PrintOptionsStore::save(const PrintOptions& options)
{
    m_preferences->setPrintOptions(options.toMap());
}

bool PrintOptionsStore::isCurrent(const QVariantMap& stored)
{
    bool ok = false;
    const int version = stored.value(QStringLiteral("Version")).toInt(&ok);
    return ok && version >= PrintOptions::CurrentVersion;
}

} // namespace Quillary
