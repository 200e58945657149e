#pragma once

#include <QList>
#include <QString>

namespace Quillary {

class PersonDsc;
class Preferences;

/// A saved search that lists the contacts it finds as a read-only group: a field ("All" for every
/// field), a label ("All" for every label), a text and how the text is compared, as the find panel
/// searches.
struct SmartGroup
{
    enum class Mode { CaseInsensitive, CaseSensitive, Regex };

    QString uniqueId;
    QString name;
    QString field = QStringLiteral("All");
    QString label = QStringLiteral("All");
    QString text;
    Mode mode = Mode::CaseInsensitive;

    friend bool operator==(const SmartGroup&, const SmartGroup&) = default;
};

/// Smart groups kept in the settings, and the contacts they find.
namespace SmartGroups {

/// The stored smart groups, in the order they were made; entries without a name or text are dropped.
[[nodiscard]] QList<SmartGroup> load(const Preferences& preferences);
void save(Preferences& preferences, const QList<SmartGroup>& groups);

/// The mode's name in the settings and the search-mode menu: "CaseInsensitive", "CaseSensitive", "Regex".
[[nodiscard]] QString modeName(SmartGroup::Mode mode);
[[nodiscard]] SmartGroup::Mode modeFromName(const QString& name);

/// Compares contacts with one smart group; a regular expression is compiled once.
class Matcher
{
public:
    explicit Matcher(const SmartGroup& group);
    /// Whether a text of the chosen field, with the chosen label, holds the text.
    [[nodiscard]] bool matches(const PersonDsc& person) const;

private:
    [[nodiscard]] bool matchesText(const QString& text) const;

    SmartGroup m_group;
    QStringList m_fields;
    struct Compiled;
    std::shared_ptr<const Compiled> m_compiled;
};

} // namespace SmartGroups

} // namespace Quillary
