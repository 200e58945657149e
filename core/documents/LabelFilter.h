#pragma once

#include <QString>
#include <QStringList>

namespace Quillary {

/// The label filter of a contacts table: which labelled values it shows. The label pop-up of the
/// window and the "Select Label" menu offer "All" and the labels of the shown columns; choosing
/// one toggles it in the filter.
namespace LabelFilter {

/// "All", then for each column in order every label of that field's label table not listed yet.
/// Columns without a label table (address parts, plain text fields) add nothing.
[[nodiscard]] QStringList labelMenuTitles(const QStringList& columns);

/// The filter after choosing a title: "All" resets it; another label replaces a filter of "All",
/// else is removed when present and added when absent; a filter left empty becomes "All".
[[nodiscard]] QStringList toggleLabel(const QStringList& selectedLabels, const QString& title);

} // namespace LabelFilter

} // namespace Quillary
