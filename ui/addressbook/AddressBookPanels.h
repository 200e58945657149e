#pragma once

#include "documents/SmartGroups.h"

#include <QStringList>

#include <optional>

class QWidget;

namespace Quillary::Ui::AddressBookPanels {

/// The default-account panel: the accounts, the current one chosen. The account chosen, or none
/// when cancelled.
[[nodiscard]] std::optional<QString> chooseDefaultAccount(QWidget* parent, const QStringList& accounts,
                                                          const QString& current);

/// "New Smart Group…": a name, the field searched ("All" for every field), the label ("All" for
/// every label), the text and the search mode. None when cancelled.
[[nodiscard]] std::optional<SmartGroup> newSmartGroup(QWidget* parent);

// For tests: the answers of the next panels (shown when none waits).
void setNextDefaultAccount(const std::optional<QString>& account);
void setNextSmartGroup(const std::optional<SmartGroup>& group);

} // namespace Quillary::Ui::AddressBookPanels
