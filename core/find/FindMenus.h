#pragma once

#include <QStringList>

namespace Quillary::FindMenus {

/// The entries of the find panel's three menus (items, sub-items, labels), how a choice changes a
/// selection, and the summary title each menu shows.

/// The item menu's entries: "All", then the identifiers (all of them when none are given) with the
/// five address parts right after "Address".
[[nodiscard]] QStringList itemEntries(const QStringList& identifiers);
/// "All", the name, phonetic-name and address parts, and the instant-message services.
[[nodiscard]] QStringList subItemEntries();
/// "All", "home", "work", "other".
[[nodiscard]] QStringList defaultLabelEntries();
/// What the contacts table offers: "All", "home", "work", "other", then every other label of the
/// labelled fields (built-in and custom), each once.
[[nodiscard]] QStringList labelEntriesForOpener();
/// The labels of "Dates", for the date editor.
[[nodiscard]] QStringList dateLabels();

/// The selection after choosing `entry`: "All" selects only "All"; any other entry replaces "All",
/// and is added, or removed when the selection holds others too. A selection is never empty.
[[nodiscard]] QStringList choose(QStringList selection, const QString& entry);

enum class Menu { Items, SubItems, Labels };
/// "Items - All", "Items - Name + Phone", "Sub Items - City", "Labels - home+work"; entries of
/// items and sub-items are shown with their localized names.
[[nodiscard]] QString summaryTitle(Menu menu, const QStringList& selection);

} // namespace Quillary::FindMenus
