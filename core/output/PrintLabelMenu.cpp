#include "PrintLabelMenu.h"

#include "model/FieldIdentifiers.h"
#include "model/LabelTable.h"

namespace Quillary {

namespace {

const QString HeaderTitle = QStringLiteral("Label");

// The common labels lead the menu; the tables spell them in either case.
bool isLeadingLabel(const QString& label)
{
    for (const char* leading : {"All", "Home", "Work", "Other"}) {
        if (label.compare(QLatin1StringView(leading), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList PrintLabelMenu::menuTitles()
{
    QStringList titles{HeaderTitle, LabelText::All, QStringLiteral("home"), QStringLiteral("work"),
                       QStringLiteral("other")};
    for (const QString& identifier : FieldIdentifiers::labeledIdentifiers()) {
        for (const QString& label : LabelTable::labelsForIdentifier(identifier).value_or(QStringList())) {
            // Several fields share labels; a menu lists each once.
            if (!label.isEmpty() && !isLeadingLabel(label) && !titles.contains(label))
                titles.append(label);
        }
    }
    return titles;
}

PrintLabelMenu::PrintLabelMenu(const QStringList& selectedLabels)
{
    QStringList titles = menuTitles();
    for (const QString& label : selectedLabels) {
        if (!label.isEmpty() && !titles.contains(label))
            titles.append(label);
    }
    for (const QString& title : titles) {
        const bool header = title == HeaderTitle && m_entries.isEmpty();
        m_entries.append({title, !header && selectedLabels.contains(title), header});
    }
    if (selectedLabels.contains(LabelText::All) || this->selectedLabels().isEmpty())
        checkOnlyAll();
}

bool PrintLabelMenu::choose(const QString& title)
{
    for (qsizetype index = 0; index < m_entries.size(); ++index) {
        if (m_entries.at(index).title == title && !m_entries.at(index).isHeader)
            return choose(index);
    }
    return false;
}

bool PrintLabelMenu::choose(qsizetype index)
{
    if (index < 0 || index >= m_entries.size() || m_entries.at(index).isHeader)
        return false;
    PrintLabelMenuEntry& entry = m_entries[index];
    if (entry.title == LabelText::All) {
        checkOnlyAll();
        return true;
    }
    entry.checked = !entry.checked;
    for (PrintLabelMenuEntry& other : m_entries) {
        if (other.title == LabelText::All)
            other.checked = false;
    }
    if (selectedLabels().isEmpty())
        checkOnlyAll();
    return true;
}

QStringList PrintLabelMenu::selectedLabels() const
{
    QStringList labels;
    for (const PrintLabelMenuEntry& entry : m_entries) {
        if (entry.checked)
            labels.append(entry.title);
    }
    return labels;
}

void PrintLabelMenu::checkOnlyAll()
{
    for (PrintLabelMenuEntry& entry : m_entries)
        entry.checked = entry.title == LabelText::All;
}

} // namespace Quillary
