#pragma once

#include "table/CellEditTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace Quillary {

/// What a value of the contact card offers to do in another application.
enum class CardAction {
    None,
    Call, ///< a phone number: "tel:"
    Mail, ///< an e-mail address: "mailto:"
    OpenUrl, ///< a web address
    Map, ///< an address: the desktop's map application, or a web map search as the alternative
};

/// One line of the contact card: a value of a field with its label.
struct CardField
{
    QString identifier; ///< the field
    QString label; ///< the value's label, or the field's name for fields without labels
    QString text; ///< the value as shown
    int labelIndex = -1; ///< labelled values: the value's label index
    CardAction action = CardAction::None;
    QUrl url; ///< what the action opens
    QUrl alternateUrl; ///< addresses: the web map search
};

/// The contact card without its window: every value of one contact in the card's order, what each
/// offers to do, which editor each opens, and which fields "+" can add a value to.
namespace ContactCardModel {

/// The contact's values: the reading of the name, the organisation, the labelled values, the
/// dates and the note; fields without a value are left out.
[[nodiscard]] QList<CardField> fields(const PersonDsc& person);

/// The freedesktop icon name of a field.
[[nodiscard]] QString iconName(const QString& identifier);

/// The fields "+" offers: every labelled field, and the others while they have no value.
[[nodiscard]] QStringList addableFields(const PersonDsc& person);

/// The editor that edits a field's value.
[[nodiscard]] PopoverKind editorFor(const QString& identifier);

/// The context an editor of a card line opens with; label index -1 adds a value.
[[nodiscard]] EditorContext contextFor(const ContactEntryPtr& contact, const QString& identifier, int labelIndex,
                                       bool editEnabled);

} // namespace ContactCardModel

} // namespace Quillary
