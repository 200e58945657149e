#pragma once

#include "model/ContactEntry.h"

#include <QList>
#include <QString>
#include <optional>

namespace Quillary {

class UndoRegistry;

/// One change of one contact, as the table's edits plan it before anything is applied. Labelled
/// values are addressed by their label index, so a change stays aimed at its value even when an
/// earlier change of the same command moved values around.
struct CellEdit
{
    enum class Kind {
        ReplaceString, ///< `text` into the string field `identifier`
        ReplaceLabeledValue, ///< `value` replaces the entry with its label index
        ReplaceLabeledList, ///< `list` replaces the whole list
        DeleteLabeledValue, ///< the entry with `value`'s label index goes
        AddLabeledValue, ///< `value` is appended
        ReplaceBirthday, ///< `birthday`; none removes it
        ReplacePhoneticName, ///< `phoneticName`
        ReplaceName, ///< `name`
        ReplacePhoto, ///< `photo`; empty data removes it
    };
    Kind kind = Kind::ReplaceString;
    ContactEntryPtr contact;
    QString identifier;
    QString text;
    LabeledValue value;
    LabeledValueList list;
    std::optional<BirthdayValue> birthday;
    PhoneticNameValue phoneticName;
    NameValue name;
    QByteArray photo;

    [[nodiscard]] static CellEdit of(Kind kind, ContactEntryPtr contact, const QString& identifier)
    {
        CellEdit edit;
        edit.kind = kind;
        edit.contact = std::move(contact);
        edit.identifier = identifier;
        return edit;
    }
};

namespace CellEdits {

/// Whether applying the edit would change the contact.
[[nodiscard]] bool changes(const CellEdit& edit);

/// Applies the edits that change something through the undo registry, as one undo step named
/// `stepName`; the table is not refreshed in between (the caller reloads once). Nothing changes
/// and no step is left when no edit changes anything. Answers whether a contact changed.
bool applyInOneStep(UndoRegistry& registry, const QList<CellEdit>& edits, const QString& stepName);

} // namespace CellEdits

} // namespace Quillary
