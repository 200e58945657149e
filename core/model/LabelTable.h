#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace Quillary {

namespace LabelText {
/// The shown form of an empty label.
inline const QString NoLabel = QStringLiteral("No label");
/// The pass-everything entry of label filters.
inline const QString All = QStringLiteral("All");
} // namespace LabelText

/// The labels of labelled fields: the conversion between a label as shown ("home fax") and as
/// stored ("_$!<HomeFAX>!$_"), the built-in label lists per field, and the custom labels the user
/// added or that were met in contacts during this run. The conversions may be called from any
/// thread; the tables are changed on the main thread only.
class LabelTable
{
public:
    LabelTable() = delete;

    [[nodiscard]] static QString labelFromiLabel(const QString& storedLabel);
    /// The stored form of a shown label; a null string for an empty one.
    [[nodiscard]] static QString iLabelFromLabel(const QString& label);

    /// Built-in list followed by the custom list; none when the identifier has no built-in list.
    [[nodiscard]] static std::optional<QStringList> labelsForIdentifier(const QString& identifier);
    [[nodiscard]] static std::optional<QStringList> customLabelsForIdentifier(const QString& identifier);
    /// Every identifier of the built-in table with its built-in and custom labels.
    [[nodiscard]] static QHash<QString, QStringList> labelTableDict();
    [[nodiscard]] static const QHash<QString, QStringList>& customLabelTableDict();

    /// Adds (old ""), renames or removes (new "") one custom label; false when nothing changed or
    /// the new label is a built-in one.
    static bool setLabel(const QString& oldLabel, const QString& newLabel, const QString& identifier);

    /// Forgets every custom label (a new run starts without them).
    static void resetCustomLabels();
};

} // namespace Quillary
