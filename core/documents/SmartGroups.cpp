#include "SmartGroups.h"

#include "Preferences.h"
#include "model/FieldIdentifiers.h"
#include "model/PersonDsc.h"

#include <QRegularExpression>

namespace Quillary::SmartGroups {

namespace {

const QString AllText = QStringLiteral("All");

struct ModeName
{
    SmartGroup::Mode mode;
    const char* name;
};
constexpr ModeName modeNames[] = {
    {SmartGroup::Mode::CaseInsensitive, "CaseInsensitive"},
    {SmartGroup::Mode::CaseSensitive, "CaseSensitive"},
    {SmartGroup::Mode::Regex, "Regex"},
};

/// The text of a field without labels, read afresh from a contact bound to a record.
QString unlabeledText(const PersonDsc& person, const QString& field)
{
    if (field == Field::Name)
        return person.compositeName();
    if (field == Field::PhoneticName)
        return person.phoneticNameValue().stringValue;
    if (field == Field::Birthday)
        return person.birthdayValue().stringValue;
    return person.stringValueForIdentifier(field);
}

} // namespace

struct Matcher::Compiled
{
    QRegularExpression expression;
};

QString modeName(SmartGroup::Mode mode)
{
    for (const ModeName& entry : modeNames) {
        if (entry.mode == mode)
            return QString::fromLatin1(entry.name);
    }
    return QString::fromLatin1(modeNames[0].name);
}

SmartGroup::Mode modeFromName(const QString& name)
{
    for (const ModeName& entry : modeNames) {
        if (name == QLatin1StringView(entry.name))
            return entry.mode;
    }
    return SmartGroup::Mode::CaseInsensitive;
}

QList<SmartGroup> load(const Preferences& preferences)
{
    QList<SmartGroup> groups;
    const QVariantList stored = preferences.value(Preferences::Key::SmartGroups).toList();
    for (const QVariant& item : stored) {
        const QVariantMap map = item.toMap();
        SmartGroup group;
        group.uniqueId = map.value(QStringLiteral("uniqueId")).toString();
        group.name = map.value(QStringLiteral("name")).toString();
        group.field = map.value(QStringLiteral("field"), AllText).toString();
        group.label = map.value(QStringLiteral("label"), AllText).toString();
        group.text = map.value(QStringLiteral("text")).toString();
        group.mode = modeFromName(map.value(QStringLiteral("mode")).toString());
        if (group.name.isEmpty() || group.text.isEmpty() || group.uniqueId.isEmpty())
            continue;
        groups.append(group);
    }
    return groups;
}

void save(Preferences& preferences, const QList<SmartGroup>& groups)
{
    QVariantList stored;
    for (const SmartGroup& group : groups) {
        stored.append(QVariantMap{{QStringLiteral("uniqueId"), group.uniqueId},
                                  {QStringLiteral("name"), group.name},
                                  {QStringLiteral("field"), group.field},
                                  {QStringLiteral("label"), group.label},
                                  {QStringLiteral("text"), group.text},
                                  {QStringLiteral("mode"), modeName(group.mode)}});
    }
    preferences.setValue(Preferences::Key::SmartGroups, stored);
}

Matcher::Matcher(const SmartGroup& group) : m_group(group)
{
    m_fields = group.field == AllText ? FieldIdentifiers::allIdentifiers() : QStringList{group.field};
    m_fields.removeAll(Field::Photo);
    if (group.mode == SmartGroup::Mode::Regex) {
        auto compiled = std::make_shared<Compiled>();
        compiled->expression = QRegularExpression(group.text);
        m_compiled = std::move(compiled);
    }
}

bool Matcher::matchesText(const QString& text) const
{
    if (text.isEmpty())
        return false;
    switch (m_group.mode) {
    case SmartGroup::Mode::CaseInsensitive:
        return text.contains(m_group.text, Qt::CaseInsensitive);
    case SmartGroup::Mode::CaseSensitive:
        return text.contains(m_group.text, Qt::CaseSensitive);
    case SmartGroup::Mode::Regex:
        return m_compiled->expression.isValid() && m_compiled->expression.match(text).hasMatch();
    }
    return false;
}

bool Matcher::matches(const PersonDsc& person) const
{
    const bool everyLabel = m_group.label == AllText;
    for (const QString& field : m_fields) {
        if (const auto labeled = FieldIdentifiers::labeledField(field)) {
            for (const LabeledValue& value : person.labeledValues(*labeled)) {
                if ((everyLabel || value.label == m_group.label) && matchesText(value.stringValue()))
                    return true;
            }
        } else if (everyLabel && matchesText(unlabeledText(person, field))) {
            // Fields without labels are searched only when no label is asked for.
            return true;
        }
    }
    return false;
}

} // namespace Quillary::SmartGroups
