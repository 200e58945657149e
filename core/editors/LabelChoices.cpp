#include "LabelChoices.h"

#include "model/LabelTable.h"
#include "model/addressbook/Constants.h"

#include <QSet>

namespace Quillary::LabelChoices {

namespace {

/// Appends what `take` gives for every value of the field in the live contacts, each text once.
template <typename Take>
void appendUsed(QStringList& result, LabeledField field, const ContactTable& contacts, Take take)
{
    QSet<QString> seen(result.cbegin(), result.cend());
    for (const ContactEntryPtr& contact : contacts) {
        if (!contact || contact->deleted || !contact->person)
            continue;
        for (const LabeledValue& value : contact->person->labeledValues(field)) {
            const QString text = take(value);
            if (text.isEmpty() || text == LabelText::NoLabel || seen.contains(text))
                continue;
            seen.insert(text);
            result.append(text);
        }
    }
}

} // namespace

QStringList labels(const QString& identifier, const ContactTable& contacts)
{
    QStringList result = LabelTable::labelsForIdentifier(identifier).value_or(QStringList());
    const std::optional<LabeledField> field = FieldIdentifiers::labeledField(identifier);
    if (!field)
        return result;
    const qsizetype known = result.size();
    appendUsed(result, *field, contacts, [](const LabeledValue& value) { return value.label; });
    for (qsizetype i = known; i < result.size(); ++i)
        LabelTable::setLabel(QString(), result.at(i), identifier);
    return result;
}

std::optional<QString> addCustomLabel(const QString& identifier, const QString& text)
{
    const QString label = text.simplified();
    if (label.isEmpty() || label == LabelText::NoLabel || label.compare(LabelText::All, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    LabelTable::setLabel(QString(), label, identifier); // refused for a built-in label, which is fine
    return label;
}

QStringList instantMessageServices(const ContactTable& contacts)
{
    namespace S = AddressBook::InstantMessageService;
    QStringList result{S::Jabber, S::AIM,   S::MSN,      S::Yahoo,      S::ICQ,
                       S::QQ,     S::Skype, S::GaduGadu, S::GoogleTalk, S::Facebook};
    appendUsed(result, LabeledField::InstantMessage, contacts, [](const LabeledValue& value) {
        return value.service() == QLatin1StringView("none") ? QString() : value.service();
    });
    return result;
}

} // namespace Quillary::LabelChoices
