#include "PrintOptionsStore.h"

namespace Quillary {

PrintOptionsStore::PrintOptionsStore(QSettings* settings)
    : m_ownSettings(settings ? nullptr : std::make_unique<QSettings>()),
      m_settings(settings ? settings : m_ownSettings.get())
{ }

PrintOptionsStore::~PrintOptionsStore() = default;
PrintOptionsStore::PrintOptionsStore(PrintOptionsStore&&) noexcept = default;
PrintOptionsStore& PrintOptionsStore::operator=(PrintOptionsStore&&) noexcept = default;

PrintOptions PrintOptionsStore::load() const
{
    const QVariantMap stored = m_settings->value(PrintOptionsKey).toMap();
    // Older layouts are dropped as a whole: their keys meant other things.
    return isCurrent(stored) ? PrintOptions::fromMap(stored) : PrintOptions::defaults();
}

void PrintOptionsStore::save(const PrintOptions& options)
{
    m_settings->setValue(PrintOptionsKey, options.toMap());
}

bool PrintOptionsStore::isCurrent(const QVariantMap& stored)
{
    bool ok = false;
    const int version = stored.value(QStringLiteral("Version")).toInt(&ok);
    return ok && version >= PrintOptions::CurrentVersion;
}

} // namespace Quillary
