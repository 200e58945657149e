#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillary {

/// One entry of the address list's label menu.
struct PrintLabelMenuEntry
{
    QString title;
    bool checked = false;
    bool isHeader = false; ///< the "Label" title, which cannot be chosen

    friend bool operator==(const PrintLabelMenuEntry&, const PrintLabelMenuEntry&) = default;
};

/// The menu with which the address list picks the labels whose values it prints: "All", the common
/// "home", "work" and "other", then every other label of the labelled fields. "All" excludes the
/// others; a selection never ends up empty.
class PrintLabelMenu
{
public:
    /// The entries with the given labels checked (labels the tables do not know are added at the
    /// end so that a stored choice stays visible); "All" when none of them is there.
    explicit PrintLabelMenu(const QStringList& selectedLabels = {});

    [[nodiscard]] const QList<PrintLabelMenuEntry>& entries() const { return m_entries; }

    /// What choosing an entry does: "All" checks only itself, any other label toggles and unchecks
    /// "All", and "All" comes back when nothing is left. False for the header or an unknown title.
    bool choose(const QString& title);
    bool choose(qsizetype index);

    /// The titles of the checked entries, in menu order.
    [[nodiscard]] QStringList selectedLabels() const;

    /// The titles of the menu: "Label", "All", "home", "work", "other", then the labels of every
    /// labelled field, each once.
    [[nodiscard]] static QStringList menuTitles();

private:
    void checkOnlyAll();

    QList<PrintLabelMenuEntry> m_entries;
};

} // namespace Quillary
