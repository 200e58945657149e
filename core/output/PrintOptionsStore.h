#pragma once

#include "PrintOptions.h"

namespace Quillary {

class Preferences;

/// Where the print options persist between print jobs: the print options of the user's
/// preferences. Tests hand in preferences of their own; otherwise the application's are used.
class PrintOptionsStore
{
public:
    /// `preferences` must outlive the store; none means the application's preferences.
    explicit PrintOptionsStore(Preferences* preferences = nullptr);

    /// The stored options when they are of the current layout ("Version" 3 or more), else the
    /// defaults. Nothing is written.
    [[nodiscard]] PrintOptions load() const;
    void save(const PrintOptions& options);

    /// Whether a stored dictionary can be used as it is.
    [[nodiscard]] static bool isCurrent(const QVariantMap& stored);

private:
    Preferences* m_preferences;
};

} // namespace Quillary
