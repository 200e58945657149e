#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <initializer_list>
#include <utility>

namespace Quillary {

/// Names of the built-in view types, the named column sets among which the contacts table switches.
namespace ViewTypeName {
inline const QString Default = QStringLiteral("Default");
inline const QString Email = QStringLiteral("Email");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Address = QStringLiteral("Address");
inline const QString AddressDetail = QStringLiteral("Address Detail");
inline const QString InstantMessage = QStringLiteral("Instant Message");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString URL = QStringLiteral("URL");
inline const QString PersonalInformation = QStringLiteral("Personal Information");
inline const QString BusinessInformation = QStringLiteral("Business Information");
inline const QString Other = QStringLiteral("Other");
inline const QString LabeledValues = QStringLiteral("Labeled Values");
inline const QString NonLabeledValues = QStringLiteral("Non-labeled Values");
} // namespace ViewTypeName

/// A view-type dictionary: view-type name → ordered list of column identifiers. Unlike a
/// QVariantMap it keeps its names in insertion order, which is the order the view-type pop-up
/// offers them in.
class ViewTypeDict
{
public:
    using Entry = std::pair<QString, QStringList>;

    ViewTypeDict() = default;
    ViewTypeDict(std::initializer_list<Entry> entries);

    [[nodiscard]] bool isEmpty() const { return m_entries.isEmpty(); }
    [[nodiscard]] qsizetype size() const { return m_entries.size(); }
    [[nodiscard]] bool contains(QStringView name) const { return indexOf(name) >= 0; }
    /// The columns of `name`; empty when there is no such view type.
    [[nodiscard]] QStringList columns(QStringView name) const;
    /// The columns of `name` for editing in place; an empty list is appended when it is missing.
    QStringList& operator[](const QString& name);
    /// Replaces the columns of `name` where it stands, or appends it.
    void insert(const QString& name, const QStringList& columns);
    bool remove(QStringView name);

    [[nodiscard]] QStringList names() const;
    [[nodiscard]] const QList<Entry>& entries() const { return m_entries; }
    /// The same dictionary with the built-in names in their offered order, any other name after them.
    [[nodiscard]] ViewTypeDict inOfferedOrder() const;

    /// The stored form (name → QStringList).
    [[nodiscard]] QVariantMap toVariantMap() const;
    /// Reads the stored form. The built-in names come first in their offered order, any other name
    /// after them in alphabetical order; entries that are not lists of text are dropped.
    [[nodiscard]] static ViewTypeDict fromVariantMap(const QVariantMap& map);

    friend bool operator==(const ViewTypeDict&, const ViewTypeDict&) = default;

private:
    [[nodiscard]] qsizetype indexOf(QStringView name) const;

    QList<Entry> m_entries;
};

/// The built-in view types and the rules for stored ones.
namespace ViewTypes {

/// The column that begins every view type and is never removed.
inline const QString NameColumn = QStringLiteral("Name");
/// A column of old view types that the table no longer shows.
inline const QString LabelColumn = QStringLiteral("Label");
/// The filter entry that lets every label pass.
inline const QString AllLabels = QStringLiteral("All");

/// Every identifier a column can show, in the order the columns menu offers them: the labelled
/// fields with the address parts after "Address", then the other fields.
[[nodiscard]] const QStringList& columnChoices();

/// "Default", "Email", "Phone", ..., "Labeled Values", "Non-labeled Values".
[[nodiscard]] const QStringList& offeredOrder();

/// The view types a contact document starts from; every list begins with "Name", and "Labeled
/// Values" lists every labelled identifier.
[[nodiscard]] const ViewTypeDict& documentViewTypes();
/// The address-book window's built-in view types: "Default" followed by the document's, with an
/// explicit "Labeled Values" list.
[[nodiscard]] const ViewTypeDict& initViewTypeDict();

/// Brings a stored dictionary up to date: drops the "Label" column from every list and adds the
/// lists "Address Detail", "Labeled Values" and "Non-labeled Values" (without "Name") when they
/// are missing. An empty dictionary gives `builtIn`.
[[nodiscard]] ViewTypeDict restoreStoredViewTypes(const ViewTypeDict& stored, const ViewTypeDict& builtIn);

/// The view type to show for the `stored` name: "Email" when none is stored; "Default" when the
/// name is not in `dict` (or, for dictionaries without "Default", "Email" or the first name).
[[nodiscard]] QString resolveViewType(const QString& stored, const ViewTypeDict& dict);

/// The view types a document offers, in the offered order: those of the dictionary without
/// "Default", which belongs to the address-book window (the stored dictionary is shared with it).
[[nodiscard]] QStringList documentViewTypeNames(const ViewTypeDict& dict);
/// The view type a document shows for the `stored` name: as resolveViewType(), never "Default".
[[nodiscard]] QString resolveDocumentViewType(const QString& stored, const ViewTypeDict& dict);

/// The label filter per labelled identifier at start: each one maps to the list "All".
[[nodiscard]] QMap<QString, QStringList> initSelectedLabels();

} // namespace ViewTypes

} // namespace Quillary
