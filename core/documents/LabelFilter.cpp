#include "LabelFilter.h"

#include "model/LabelTable.h"

namespace Quillary::LabelFilter {

QStringList labelMenuTitles(const QStringList& columns)
{
    QStringList titles{LabelText::All};
    const QHash<QString, QStringList> tables = LabelTable::labelTableDict();
    for (const QString& column : columns) {
        const auto it = tables.constFind(column);
        if (it == tables.constEnd())
            continue;
        for (const QString& label : *it) {
            if (!label.isEmpty() && !titles.contains(label))
                titles.append(label);
        }
    }
    return titles;
}

QStringList toggleLabel(const QStringList& selectedLabels, const QString& title)
{
    if (title == LabelText::All || title.isEmpty())
        return {LabelText::All};
    QStringList labels = selectedLabels;
    if (labels.isEmpty() || labels.first() == LabelText::All)
        labels = {title};
    else if (labels.contains(title))
        labels.removeAll(title);
    else
        labels.append(title);
    return labels.isEmpty() ? QStringList{LabelText::All} : labels;
}

} // namespace Quillary::LabelFilter
