#pragma once

#include "model/LabeledValue.h"

#include <optional>

class QWidget;

namespace Quillary::Ui::FieldEditors {

/// The small editors that the find panel and the merge panel open for values not typed in a cell.
/// Every caller goes through these functions, so that richer editors can take their place here.

/// A Birthday or Dates date in a window-modal dialog over `parent`; none when cancelled. A birthday
/// can also be removed: the answer is then an invalid date.
[[nodiscard]] std::optional<DateComponents> editDate(QWidget* parent, const QString& type,
                                                     const DateComponents& current);
/// An address or an instant-message account in a small form; none when cancelled or for any other
/// field.
[[nodiscard]] std::optional<LabeledValue> editLabeledValue(QWidget* parent, const QString& type,
                                                           const LabeledValue& current);

// For tests: what the next editor answers instead of showing itself (none: cancelled).
void setNextDate(std::optional<DateComponents> date);
void setNextValue(std::optional<LabeledValue> value);
void clearAnswers();

} // namespace Quillary::Ui::FieldEditors
