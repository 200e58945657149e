#include "ContactCardModel.h"

#include "model/ContactDate.h"
#include "support/CoreTr.h"
#include "table/WorkspaceLinks.h"

namespace Quillary::ContactCardModel {

namespace {

// The fields of the card in their order; the name and the photo head the card.
const QStringList& cardOrder()
{
    static const QStringList order{
        Field::PhoneticName, Field::Company,       Field::Department,     Field::JobTitle,     Field::Nickname,
        Field::Title,        Field::Suffix,        Field::Phone,          Field::Email,        Field::URL,
        Field::Address,      Field::SocialNetwork, Field::InstantMessage, Field::Relationship, Field::Birthday,
        Field::Dates,        Field::Note,
    };
    return order;
}

CardField labeledLine(LabeledField field, const LabeledValue& value)
{
    CardField line;
    line.identifier = FieldIdentifiers::identifier(field);
    line.label = value.label;
    line.text = value.stringValue();
    line.labelIndex = value.labelIndex;
    switch (field) {
    case LabeledField::Phone:
        line.action = CardAction::Call;
        line.url = WorkspaceLinks::phone(value.value);
        break;
    case LabeledField::Email:
        line.action = CardAction::Mail;
        line.url = WorkspaceLinks::email(value.value);
        break;
    case LabeledField::URL:
        line.action = CardAction::OpenUrl;
        line.url = WorkspaceLinks::web(value.value);
        break;
    case LabeledField::SocialNetwork:
        line.text = value.username().isEmpty() ? value.value : value.username();
        break;
    case LabeledField::Address:
        line.action = CardAction::Map;
        line.url = WorkspaceLinks::map(value.stringValue());
        line.alternateUrl = WorkspaceLinks::webMap(value.stringValue());
        break;
    default:
        break;
    }
    if (line.url.isEmpty())
        line.action = CardAction::None;
    return line;
}

CardField textLine(const QString& identifier, const QString& text)
{
    CardField line;
    line.identifier = identifier;
    line.label = Tr::tr(qPrintable(identifier));
    line.text = text;
    return line;
}

void appendLines(QList<CardField>& lines, const PersonDsc& person, const QString& identifier)
{
    if (const std::optional<LabeledField> field = FieldIdentifiers::labeledField(identifier)) {
        for (const LabeledValue& value : person.labeledValues(*field))
            lines.append(labeledLine(*field, value));
    } else if (FieldIdentifiers::stringField(identifier)) {
        const QString text = person.stringValueForIdentifier(identifier);
        if (!text.isEmpty())
            lines.append(textLine(identifier, text));
    } else if (identifier == Field::PhoneticName) {
        const QString text = person.phoneticNameValue().stringValue;
        if (!text.isEmpty())
            lines.append(textLine(identifier, text));
    } else if (identifier == Field::Birthday) {
        const BirthdayValue birthday = person.birthdayValue();
        if (birthday.hasValue())
            lines.append(textLine(identifier, ContactDate::format(birthday.value)));
    }
}

bool hasValue(const PersonDsc& person, const QString& identifier)
{
    QList<CardField> lines;
    appendLines(lines, person, identifier);
    return !lines.isEmpty();
}

} // namespace

QList<CardField> fields(const PersonDsc& person)
{
    QList<CardField> lines;
    for (const QString& identifier : cardOrder())
        appendLines(lines, person, identifier);
    return lines;
}

QString iconName(const QString& identifier)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Phone:
        return QStringLiteral("call-start");
    case FieldId::Email:
        return QStringLiteral("mail-message-new");
    case FieldId::URL:
    case FieldId::SocialNetwork:
        return QStringLiteral("applications-internet");
    case FieldId::Address:
        return QStringLiteral("go-home");
    case FieldId::InstantMessage:
        return QStringLiteral("user-available");
    case FieldId::Relationship:
    case FieldId::Name:
        return QStringLiteral("system-users");
    case FieldId::Birthday:
    case FieldId::Dates:
        return QStringLiteral("x-office-calendar");
    case FieldId::Note:
        return QStringLiteral("accessories-text-editor");
    case FieldId::Photo:
        return QStringLiteral("image-x-generic");
    default:
        return QStringLiteral("text-x-generic");
    }
}

QStringList addableFields(const PersonDsc& person)
{
    QStringList result;
    for (const QString& identifier : cardOrder()) {
        if (FieldIdentifiers::labeledField(identifier) || !hasValue(person, identifier))
            result.append(identifier);
    }
    return result;
}

PopoverKind editorFor(const QString& identifier)
{
    switch (FieldIdentifiers::fieldId(identifier)) {
    case FieldId::Address:
        return PopoverKind::Address;
    case FieldId::InstantMessage:
        return PopoverKind::InstantMessage;
    case FieldId::Dates:
    case FieldId::Birthday:
        return PopoverKind::Date;
    case FieldId::PhoneticName:
        return PopoverKind::PhoneticName;
    case FieldId::Name:
        return PopoverKind::Name;
    default:
        return PopoverKind::Value;
    }
}

EditorContext contextFor(const ContactEntryPtr& contact, const QString& identifier, int labelIndex, bool editEnabled)
{
    EditorContext context;
    context.contact = contact;
    context.type = identifier;
    context.labelIndex = labelIndex;
    context.editEnabled = editEnabled;
    if (const std::optional<LabeledField> field = FieldIdentifiers::labeledField(identifier); field && contact) {
        const LabeledValueSpan values = contact->person->labeledValues(*field);
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (values.at(i).labelIndex == labelIndex)
                context.index = int(i);
        }
    }
    return context;
}

} // namespace Quillary::ContactCardModel
