#pragma once

#include "SubContactRow.h"
#include "model/NameValues.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

namespace Quillary {

/// The name editor's value: the name with the title and suffix that are written around it.
struct FullNameValue
{
    NameValue name;
    QString title;
    QString suffix;

    friend bool operator==(const FullNameValue&, const FullNameValue&) = default;
};

/// A photo's encoded image data; empty data removes the photo.
struct PhotoValue
{
    QByteArray imageData;

    friend bool operator==(const PhotoValue&, const PhotoValue&) = default;
};

/// What a closed field editor hands back: one labelled value, a whole labelled list, a birthday
/// (an invalid date removes it), a phonetic name, the name, a photo or the text of a string field;
/// nothing when it had nothing to say.
using EditorValue = std::variant<std::monostate, LabeledValue, LabeledValueList, BirthdayValue, PhoneticNameValue,
                                 FullNameValue, PhotoValue, QString>;

/// The small editors a cell can open beside the table.
enum class PopoverKind {
    ContactInfo, ///< every field of the contact
    MultiValue, ///< the whole list of a labelled field
    Address, ///< one postal address
    InstantMessage, ///< one instant-message account
    Date, ///< a date of "Dates" or the birthday
    PhoneticName, ///< the reading of the name
    Name, ///< the name, with show-as and name ordering
    Value, ///< one text value with its label (a phone, e-mail, URL, ...), or a string field
};

/// The context a field editor is opened with and reports back through: the contact and field it
/// edits and, once closed, whether something changed and the new value.
struct EditorContext
{
    ContactEntryPtr contact;
    QString type; ///< the field identifier ("Address" for an address part)
    int index = 0; ///< the position of the row's value in the contact's list
    int labelIndex = -1; ///< the label index of that value; -1 when the row has none
    bool editEnabled = false;
    /// A labelled value to edit instead of the contact's: an entry of a list being edited, or a
    /// new value prepared by the opener.
    std::optional<LabeledValue> labeledValue;
    // Set by the editor when it closes.
    bool dirty = false;
    EditorValue value;
};

/// An alert the window shows before an edit goes on. "OK" answers true, "Cancel" false.
struct Confirmation
{
    enum class Kind {
        SameValue, ///< one edit for every selected cell that has a value
        SameLabel, ///< one label for every selected cell that has a value
        DeleteItems,
    };
    Kind kind = Kind::SameValue;
    QString identifier; ///< the column
    QList<int> rows; ///< the table rows the edit will apply to

    [[nodiscard]] QString messageText() const;
    [[nodiscard]] QString informativeText() const;
};

/// The keys that move editing between cells.
enum class EditKey { Return, Tab, Backtab, Escape };

/// What the window does next after a double click, a confirmed alert, a menu command or a key
/// pressed while editing.
struct EditDecision
{
    enum class Kind {
        None, ///< nothing opens
        EditInPlace, ///< start editing the text of the cell at (row, column)
        Popover, ///< open `popover` with `context`, beside the cell at (row, column)
        Confirm, ///< ask `confirmation` first, then pass the answer to `multiReplaceAlertDidEnd`
    };
    Kind kind = Kind::None;
    int row = -1;
    int column = -1;
    PopoverKind popover = PopoverKind::ContactInfo;
    EditorContext context;
    std::optional<Confirmation> confirmation;
    bool commandKey = false; ///< Confirm: the Command key state to hand back with the answer
    // Keys only.
    bool consumed = true; ///< false: the key is left to the text field
    bool endEditing = false; ///< the cell being edited stops editing first
    int selectRow = -1; ///< the row to select alone (-1: keep the selection)
};

} // namespace Quillary
