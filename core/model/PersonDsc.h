#pragma once

#include "BoundRecord.h"
#include "FieldIdentifiers.h"
#include "LabeledLists.h"
#include "LabeledValue.h"
#include "NameValues.h"
#include "Revision.h"
#include "StringFieldValues.h"
#include "addressbook/KeptLines.h"
#include "addressbook/MultiValue.h"
#include "support/InternedText.h"

#include <QByteArray>
#include <QImage>
#include <QSharedData>

#include <array>
#include <memory>
#include <optional>
#include <variant>

namespace Quillary {

namespace AddressBook {
class Person;
}

/// The value of any field, as `valueForIdentifier` gives it and `setValue` takes it: text for the
/// string fields and name parts, the name and phonetic name, the birthday, a whole labelled list, or
/// the photo's image data.
using FieldValue =
    std::variant<std::monostate, QString, NameValue, PhoneticNameValue, BirthdayValue, LabeledValueList, QByteArray>;

/// What `replaceLabeledValueAtIndex` puts at a position: nothing (removes the entry), a whole list,
/// one labelled value or a text.
using LabeledValueArgument = std::variant<std::monostate, LabeledValueList, LabeledValue, QString>;

/// One contact. Bound to a person record of the address book, it re-reads the record whenever a value
/// is asked for and writes every edit to it at once; detached, it holds its values in memory only
/// (contacts read from files, new contacts, duplicates). Either way it caches what it reads, so even
/// reading changes it: one thread at a time uses a descriptor, and work on another thread gets an
/// `independentCopy`.
class PersonDsc
{
public:
    /// A new, empty, detached contact.
    PersonDsc();
    /// Bound to a record, with the defaults of the shared address book.
    explicit PersonDsc(std::shared_ptr<AddressBook::Person> record);
    /// Bound to a record, with the given defaults.
    PersonDsc(std::shared_ptr<AddressBook::Person> record, int defaultNameOrdering, const QString& defaultCountryCode);
    /// A detached contact holding every value of the record; its identity is the record's.
    static PersonDsc detachedFromRecord(const AddressBook::Person& record, int defaultNameOrdering,
                                        const QString& defaultCountryCode);
    /// Makes a detached contact while a card is read (see below).
    class Builder;

    /// A new record holding every value of the contact, with the contact's identity.
    [[nodiscard]] AddressBook::Person toRecord() const;

    /// A detached copy with every value and a new identity (what archiving gives).
    [[nodiscard]] PersonDsc duplicate() const;

    /// The same contact with its own copy of the record, for use on another thread while this one
    /// may be read or edited. Texts are shared, so this costs little.
    [[nodiscard]] PersonDsc independentCopy() const;

    // Identity --------------------------------------------------------------------------------
    [[nodiscard]] const QString& uniqueId() const;
    void setUniqueId(const QString& uniqueId)
    {
        m_uniqueId = uniqueId;
        m_revision.bump();
    }

    // Reading ----------------------------------------------------------------------------------
    [[nodiscard]] NameValue nameValue() const;
    /// The name parts as stored, without composing the display name (for reading many contacts fast).
    [[nodiscard]] const NameValue& nameParts() const
    {
        readName();
        return m_nameValue;
    }
    [[nodiscard]] QString compositeName() const;
    [[nodiscard]] bool showAsPerson() const;
    [[nodiscard]] PhoneticNameValue phoneticNameValue() const;
    /// The cached reading of the name, without re-reading the record.
    [[nodiscard]] const QString& phoneticName() const { return rare().phoneticName.stringValue; }
    /// The values of a labelled field (re-read from the record when bound), where the contact holds
    /// them: they stay valid until the contact is edited or its record changes. The table asks for
    /// them per row and column on every reload: a detached contact answers at once.
    [[nodiscard]] LabeledValueSpan labeledValues(LabeledField field) const
    {
        if (m_abPerson)
            readLists();
        return m_lists[field];
    }
    [[nodiscard]] LabeledValueSpan phoneValues() const { return labeledValues(LabeledField::Phone); }
    [[nodiscard]] LabeledValueSpan emailValues() const { return labeledValues(LabeledField::Email); }
    [[nodiscard]] LabeledValueSpan addressValues() const { return labeledValues(LabeledField::Address); }
    [[nodiscard]] LabeledValueSpan urlValues() const { return labeledValues(LabeledField::URL); }
    [[nodiscard]] LabeledValueSpan snsValues() const { return labeledValues(LabeledField::SocialNetwork); }
    [[nodiscard]] LabeledValueSpan imsValues() const { return labeledValues(LabeledField::InstantMessage); }
    [[nodiscard]] LabeledValueSpan relationshipValues() const { return labeledValues(LabeledField::Relationship); }
    [[nodiscard]] LabeledValueSpan datesValues() const { return labeledValues(LabeledField::Dates); }
    [[nodiscard]] BirthdayValue birthdayValue() const;
    [[nodiscard]] const StringFieldValues& stringValues() const;

    /// The text of a string field; "" for any other identifier.
    [[nodiscard]] QString stringValueForIdentifier(QStringView identifier) const;
    /// A copy of a labelled list; empty for any other identifier.
    [[nodiscard]] LabeledValueList labeledValuesForIdentifier(QStringView identifier) const;
    /// The entry at a position of the cached list; none when out of range or not a labelled identifier.
    [[nodiscard]] std::optional<LabeledValue> labeledValueForIdentifier(QStringView identifier,
                                                                        qsizetype position) const;
    /// The last entry of the cached list with that label index; an empty value when none has it.
    [[nodiscard]] LabeledValue labeledValueForIdentifierAtLabelIndex(QStringView identifier, int labelIndex) const;
    /// The shown text of the entry at a position, or of the name, phonetic name or birthday.
    [[nodiscard]] QString stringValueForIdentifier(QStringView identifier, qsizetype position) const;
    [[nodiscard]] FieldValue valueForIdentifier(QStringView identifier) const;

    /// The photo's encoded image data (JPEG, PNG, ...), loaded from the record when missing.
    [[nodiscard]] QByteArray photoData() const;
    [[nodiscard]] const QByteArray& imageData() const { return rare().imageData; }
    void setImageData(const QByteArray& data)
    {
        setRare(&Rare::imageData, data);
        m_revision.bump();
    }
    /// The photo as an image; a null image when there is none.
    [[nodiscard]] QImage photo() const;

    /// The lines of the card the contact was read from that it has no field for, written back with it.
    [[nodiscard]] const AddressBook::KeptLines& keptLines() const;

    [[nodiscard]] static bool isJapanese(QChar unit);
    [[nodiscard]] static bool isJapanseString(QStringView text);

    // Editing ----------------------------------------------------------------------------------
    void setValue(const FieldValue& value, QStringView identifier);
    void removeValueForIdentifier(QStringView identifier);
    void setStringValue(const QString& text, QStringView identifier);
    /// Replaces the whole list.
    bool replaceLabeledValue(const LabeledValueList& list, QStringView identifier);
    /// Replaces the entry with the value's label index; false when none has it.
    bool replaceLabeledValue(const LabeledValue& value, QStringView identifier);
    void replaceLabeledValueAtIndex(const LabeledValueArgument& value, QStringView identifier, qsizetype position);
    void copyLabeledValue(const LabeledValue& source, LabeledValue& target, QStringView identifier) const;
    void addLabeledValue(const LabeledValue& value, QStringView identifier);
    /// Deletes the entry with the value's label index.
    bool deleteLabeledValue(const LabeledValue& value, QStringView identifier);
    /// Sorts a list in place by one key and returns it; an unknown key gives an empty list.
    LabeledValueList sortForLabeledValue(QStringView sortKey, bool ascending);
    /// Whether `sortForLabeledValue` sorts anything for this key (the table asks once per reload).
    [[nodiscard]] static bool sortsLabeledValues(QStringView sortKey);
    /// The labelled field a sort key orders the values of; none when it orders none.
    [[nodiscard]] static std::optional<LabeledField> fieldSortedBy(QStringView sortKey);
    /// The positions of that field's values in the order `sortForLabeledValue` would give them,
    /// leaving the list as it is; empty for a key that orders no values.
    [[nodiscard]] QList<qsizetype> labeledValueOrder(QStringView sortKey, bool ascending) const;
    /// Replaces the birthday; none removes it.
    void setBirthdayValue(const std::optional<BirthdayValue>& birthday);
    /// Stores image data; an empty array removes the photo.
    void setPhoto(const QByteArray& imageData);
    /// Writes the photo to the bound record.
    void savePhoto();
    /// Re-reads every value from the record.
    void refreshCache();

    // State ------------------------------------------------------------------------------------
    [[nodiscard]] bool isBound() const { return bool(m_abPerson); }
    /// Names the state of the values: it changes with every edit, and never comes back for other
    /// values. A bound contact's record can change without it.
    [[nodiscard]] quint64 revision() const { return m_revision.value(); }
    [[nodiscard]] const std::shared_ptr<AddressBook::Person>& abPerson() const { return m_abPerson.pointer(); }
    void setAbPerson(std::shared_ptr<AddressBook::Person> record)
    {
        m_abPerson = std::move(record);
        m_revision.bump();
    }
    [[nodiscard]] bool noteDisabled() const { return m_noteDisabled; }
    void setNoteDisabled(bool disabled)
    {
        m_noteDisabled = disabled;
        m_revision.bump();
        m_abPerson.forgetReads(); // the note reads differently now
    }
    [[nodiscard]] int nameOrdering() const { return m_nameOrdering; }
    void setNameOrdering(int ordering)
    {
        m_nameOrdering = qint8(ordering);
        m_revision.bump();
    }
    [[nodiscard]] int defaultNameOrdering() const { return m_defaultNameOrdering; }
    void setDefaultNameOrdering(int ordering)
    {
        m_defaultNameOrdering = storedOrdering(ordering);
        m_revision.bump();
    }
    [[nodiscard]] const QString& defaultCountryCode() const { return *m_defaultCountryCode; }
    void setDefaultCountryCode(const QString& code)
    {
        m_defaultCountryCode = &internedText(code);
        m_revision.bump();
    }
    void setShowAsPerson(bool showAsPerson)
    {
        m_showAsPerson = showAsPerson;
        m_revision.bump();
    }
    void setCompositeName(const QString& name)
    {
        m_compositeName = name;
        m_revision.bump();
    }
    void setNameValue(const NameValue& value)
    {
        m_nameValue = value;
        m_revision.bump();
    }
    void setPhoneticNameValue(const PhoneticNameValue& value)
    {
        setRare(&Rare::phoneticName, value);
        m_revision.bump();
    }
    void setLabeledValues(LabeledField field, const LabeledValueList& values)
    {
        m_lists.set(field, values);
        m_revision.bump();
    }
    void setBirthday(const BirthdayValue& value)
    {
        m_birthday = value.value;
        m_birthdayText = value.stringValue;
        m_revision.bump();
    }

    /// The text of the current date and time that identities begin with.
    [[nodiscard]] static QString dateText();

private:
    // Reading the bound record (or the given one); without a record they keep the cache as it is.
    // A part already read is read again only once the record has changed since.
    enum ReadPart : quint32 { NamePart = 1, PhoneticPart = 2, StringsPart = 4, BirthdayPart = 8, ListsPart = 16 };
    [[nodiscard]] bool needsRead(quint32 part) const;
    void readName() const
    {
        if (needsRead(NamePart))
            readNameFrom(m_abPerson.get());
    }
    void readPhoneticName() const
    {
        if (needsRead(PhoneticPart))
            readPhoneticNameFrom(m_abPerson.get());
    }
    void readStrings() const
    {
        if (needsRead(StringsPart))
            readStringsFrom(m_abPerson.get());
    }
    /// Every list at once: they share one block, and the values of one field read while those of
    /// another are held must not move them.
    void readLists() const
    {
        if (needsRead(ListsPart))
            readListsFrom(m_abPerson.get());
    }
    void readBirthday() const
    {
        if (needsRead(BirthdayPart))
            readBirthdayFrom(m_abPerson.get());
    }
    /// Reads every part again, whether it changed or not.
    void readAll() const;
    void readNameFrom(const AddressBook::Person* record) const;
    void readPhoneticNameFrom(const AddressBook::Person* record) const;
    void readStringsFrom(const AddressBook::Person* record) const;
    void readListsFrom(const AddressBook::Person* record) const;
    void readBirthdayFrom(const AddressBook::Person* record) const;
    void readAllFrom(const AddressBook::Person* record) const;
    /// Reads every part but the labelled lists and the photo.
    void readSinglePartsFrom(const AddressBook::Person* record) const;
    void composeName() const;
    void updateCompositeName() const;
    void writeList(LabeledField field);
    void writeNameToRecord();
    [[nodiscard]] QString composedPhoneticName(const PhoneticNameValue& phonetic) const;
    /// The first entry of the re-read list with that label index; none when no entry has it.
    LabeledValue* findByLabelIndex(LabeledField field, int labelIndex);

    /// What few contacts have, held apart and only by those that have it: every other contact is
    /// smaller by the size of these.
    struct Rare : QSharedData
    {
        PhoneticNameValue phoneticName;
        QByteArray imageData;
        AddressBook::KeptLines keptLines; // of a detached contact; a bound one's record keeps its own
    };
    [[nodiscard]] const Rare& rare() const
    {
        static const Rare none;
        return m_rare ? *m_rare : none;
    }
    /// Sets a rare part; a contact without rare parts stays without them when the value is empty.
    template <typename T> void setRare(T Rare::*part, const T& value) const
    {
        if (!m_rare) {
            if (value == T())
                return;
            m_rare = new Rare;
        }
        m_rare.data()->*part = value; // data() detaches a part shared with a copy
    }

    /// A default ordering as a contact keeps it: first name first, last name first, or neither.
    [[nodiscard]] static qint8 storedOrdering(int ordering);

    // The small members first, in the room one pointer takes: a contact is 16 bytes smaller for it.
    mutable bool m_showAsPerson = true;
    bool m_noteDisabled = false;
    mutable qint8 m_nameOrdering = 0; ///< as NameValue::nameOrdering: 0, 1 or 2
    qint8 m_defaultNameOrdering; ///< 0, or AddressBook::PersonFlags::FirstNameFirst or LastNameFirst
    mutable AddressBook::DateComponents m_birthday; ///< with m_birthdayText, the BirthdayValue
    const QString* m_defaultCountryCode; ///< one copy for all contacts (see internedText)
    mutable QString m_compositeName;
    BoundRecord m_abPerson;
    mutable NameValue m_nameValue;
    mutable LabeledLists m_lists;
    mutable QString m_birthdayText;
    mutable StringFieldValues m_stringValues;
    mutable QSharedDataPointer<Rare> m_rare;
    mutable QString m_uniqueId;
    Revision m_revision;
};

/// Makes a detached contact while a card is read, as `detachedFromRecord` makes it from the card's
/// record: the labelled values go into the contact's lists as the reader finds them (as a sink of
/// `VCardCodec::readPerson`), so the record's own lists are never built; its other values are read
/// at the end.
class PersonDsc::Builder final : public AddressBook::MultiValueSink
{
public:
    Builder(int defaultNameOrdering, const QString& defaultCountryCode);
    void add(AddressBook::MultiProperty property, AddressBook::MultiValueItem value, const QString& label) override;
    /// The contact, with the values of the record the card was read into.
    [[nodiscard]] PersonDsc finish(const AddressBook::Person& record);

private:
    PersonDsc m_person;
    // A card has a few values of each field: they wait here, then go into lists of their exact size.
    LabeledRuns m_values;
};

/// The defaults new contacts are shown with: the shared address book's name ordering and country.
struct ContactDefaults
{
    int nameOrdering = 32;
    QString countryCode = QStringLiteral("US");

    /// From the system locale, unless set.
    static const ContactDefaults& shared();
    static void setShared(const ContactDefaults& defaults);
};

} // namespace Quillary
