#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace Quillary {

/// How the contacts table is sorted: a sort key ("compositeName", "Email domain", ...) and a
/// direction. Persisted as {"key", "ascending"}.
struct SortDescriptor
{
    QString key;
    bool ascending = true;

    [[nodiscard]] QVariantMap toVariantMap() const
    {
        return {{QStringLiteral("key"), key}, {QStringLiteral("ascending"), ascending}};
    }

    /// Nothing for a map without a key; a missing direction reads as ascending.
    [[nodiscard]] static std::optional<SortDescriptor> fromVariantMap(const QVariantMap& map)
    {
        const QString key = map.value(QStringLiteral("key")).toString();
        if (key.isEmpty())
            return std::nullopt;
        return SortDescriptor{key, map.value(QStringLiteral("ascending"), true).toBool()};
    }

    friend bool operator==(const SortDescriptor&, const SortDescriptor&) = default;
};

} // namespace Quillary
