#pragma once

#include "model/ContactEntry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillary::LabelChoices {

/// The untranslated title of the label-menu item that asks for a label of the user's own.
inline constexpr const char* CustomItem = QT_TRANSLATE_NOOP("Quillary::Core", "Custom…");

/// The labels a label menu offers for a field: the built-in ones, then the custom labels of this
/// run, then any other label the contacts use for that field (which become custom labels too).
[[nodiscard]] QStringList labels(const QString& identifier, const ContactTable& contacts);

/// Takes a label the user typed for a field: trimmed, and kept as a custom label of the field
/// unless it is a built-in one. None for an empty text or the reserved "No label" and "All".
std::optional<QString> addCustomLabel(const QString& identifier, const QString& text);

/// The instant-message services the service menu offers: the well-known ones, then any other
/// service the contacts use.
[[nodiscard]] QStringList instantMessageServices(const ContactTable& contacts);

} // namespace Quillary::LabelChoices
