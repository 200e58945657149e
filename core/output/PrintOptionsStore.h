#pragma once

#include "PrintOptions.h"

#include <QSettings>
#include <memory>

namespace Quillary {

/// Where the print options persist between print jobs: the `ZQ1PrintOptions` user default. Tests hand
/// in settings of their own; otherwise the application's settings are used.
class PrintOptionsStore
{
public:
    /// `settings` must outlive the store; none means the application's default settings.
    explicit PrintOptionsStore(QSettings* settings = nullptr);
    ~PrintOptionsStore();
    PrintOptionsStore(PrintOptionsStore&&) noexcept;
    PrintOptionsStore& operator=(PrintOptionsStore&&) noexcept;

    /// The stored options when they are of the current layout ("Version" 3 or more), else the
    /// defaults. Nothing is written.
    [[nodiscard]] PrintOptions load() const;
    void save(const PrintOptions& options);

    /// Whether a stored dictionary can be used as it is.
    [[nodiscard]] static bool isCurrent(const QVariantMap& stored);

private:
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings;
};

} // namespace Quillary
