#include "ImportPanelModel.h"

#include "model/LabelTable.h"
#include "support/CoreTr.h"

#include <algorithm>

namespace Quillary {

namespace {

/// The fields of the detail table, in the order they are shown.
const QList<const QString*>& detailFields()
{
    static const QList<const QString*> fields = {
        &Field::Name,           &Field::PhoneticName,  &Field::Email, &Field::Phone,    &Field::Address,
        &Field::InstantMessage, &Field::SocialNetwork, &Field::URL,   &Field::Nickname, &Field::Birthday,
        &Field::Relationship,   &Field::Suffix,        &Field::Title, &Field::Company,  &Field::Department,
        &Field::JobTitle,       &Field::Dates,         &Field::Note,
    };
    return fields;
}

QString labeledLine(const QString& label, const QString& value)
{
    return label + QStringLiteral(": ") + value + u'\n';
}

QString nameText(const NameValue& name)
{
    // The part labels are the panel's own texts, as its window has always shown them.
    QString text;
    const std::pair<const char*, const QString*> parts[] = {
        {QT_TRANSLATE_NOOP("Quillary::Core", "FistName"), &name.firstName},
        {QT_TRANSLATE_NOOP("Quillary::Core", "MiddleName"), &name.middleName},
        {QT_TRANSLATE_NOOP("Quillary::Core", "LastName"), &name.lastName},
    };
    for (const auto& [label, part] : parts) {
        if (!part->isEmpty())
            text += labeledLine(Tr::tr(label), *part);
    }
    return text;
}

QString listText(LabeledValueSpan values)
{
    QString text;
    for (const LabeledValue& value : values) {
        if (value.stringValue().isEmpty())
            continue;
        const bool labeled = !value.label.isEmpty() && value.label != LabelText::NoLabel;
        text += labeled ? labeledLine(value.label, value.stringValue()) : value.stringValue() + u'\n';
    }
    return text;
}

QString fieldText(const PersonDsc& person, const QString& identifier)
{
    const FieldId id = FieldIdentifiers::fieldId(identifier);
    if (const auto field = FieldIdentifiers::labeledField(id))
        return listText(person.labeledValues(*field));
    switch (id) {
    case FieldId::Name:
        return nameText(person.nameValue());
    case FieldId::PhoneticName:
        return person.phoneticNameValue().stringValue;
    case FieldId::Birthday:
        return person.birthdayValue().stringValue;
    default:
        return person.stringValueForIdentifier(identifier);
    }
}

} // namespace

// ImportDetailModel -------------------------------------------------------------------------------

ImportDetailModel::ImportDetailModel(QObject* parent) : QAbstractTableModel(parent) { }

QList<ImportDetailRow> ImportDetailModel::detailRows(const PersonDsc* person)
{
    QList<ImportDetailRow> rows;
    if (!person)
        return rows;
    for (const QString* identifier : detailFields()) {
        QString value = fieldText(*person, *identifier);
        if (!value.isEmpty())
            rows.append({*identifier, std::move(value)});
    }
    return rows;
}

void ImportDetailModel::setContact(const ContactEntryPtr& contact)
{
    beginResetModel();
    m_rows = detailRows(contact ? contact->person.get() : nullptr);
    endResetModel();
}

int ImportDetailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ImportDetailModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportDetailModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    const ImportDetailRow& row = m_rows.at(index.row());
    return index.column() == TypeColumn ? row.type : row.value;
}

QVariant ImportDetailModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == TypeColumn)
        return Tr::tr("Type");
    if (section == ValueColumn)
        return Tr::tr("Value");
    return {};
}

// ImportPanelModel --------------------------------------------------------------------------------

ImportPanelModel::ImportPanelModel(QObject* parent) : QAbstractListModel(parent) { }

void ImportPanelModel::setNameTable(const ContactTable& contacts)
{
    beginResetModel();
    m_nameTable = contacts;
    m_selectedIndexes.clear();
    endResetModel();
    setCurrentRow(-1);
}

void ImportPanelModel::setCurrentRow(int row)
{
    m_currentRow = row >= 0 && row < m_nameTable.size() ? row : -1;
    m_details.setContact(m_currentRow < 0 ? ContactEntryPtr() : m_nameTable.at(m_currentRow));
}

void ImportPanelModel::setSelectedIndexes(const QList<int>& rows)
{
    m_selectedIndexes.clear();
    for (const int row : rows) {
        if (row >= 0 && row < m_nameTable.size())
            m_selectedIndexes.append(row);
    }
    std::sort(m_selectedIndexes.begin(), m_selectedIndexes.end());
    m_selectedIndexes.erase(std::unique(m_selectedIndexes.begin(), m_selectedIndexes.end()), m_selectedIndexes.end());
}

ContactTable ImportPanelModel::selectedContacts() const
{
    ContactTable contacts;
    contacts.reserve(m_selectedIndexes.size());
    for (const int row : m_selectedIndexes)
        contacts.append(m_nameTable.at(row));
    return contacts;
}

QString ImportPanelModel::listedName(const ContactEntry& contact)
{
    if (!contact.compositeName.isEmpty())
        return contact.compositeName;
    const QString name = contact.person ? contact.person->compositeName() : QString();
    return name.isEmpty() ? NoNameText : name;
}

int ImportPanelModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_nameTable.size());
}

QVariant ImportPanelModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ContactEntry& contact = *m_nameTable.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return listedName(contact);
    case CompanyRole:
        return contact.person && !contact.person->showAsPerson();
    default:
        return {};
    }
}

QHash<int, QByteArray> ImportPanelModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(CompanyRole, "company");
    return names;
}

} // namespace Quillary
