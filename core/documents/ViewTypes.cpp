#include "ViewTypes.h"

#include "model/FieldIdentifiers.h"

#include <QMetaType>
#include <algorithm>

namespace Quillary {

ViewTypeDict::ViewTypeDict(std::initializer_list<Entry> entries)
{
    for (const Entry& entry : entries)
        insert(entry.first, entry.second);
}

qsizetype ViewTypeDict::indexOf(QStringView name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first == name)
            return i;
    }
    return -1;
}

QStringList ViewTypeDict::columns(QStringView name) const
{
    const qsizetype index = indexOf(name);
    return index < 0 ? QStringList() : m_entries.at(index).second;
}

QStringList& ViewTypeDict::operator[](const QString& name)
{
    qsizetype index = indexOf(name);
    if (index < 0) {
        m_entries.append({name, QStringList()});
        index = m_entries.size() - 1;
    }
    return m_entries[index].second;
}

void ViewTypeDict::insert(const QString& name, const QStringList& columns)
{
    (*this)[name] = columns;
}

bool ViewTypeDict::remove(QStringView name)
{
    const qsizetype index = indexOf(name);
    if (index < 0)
        return false;
    m_entries.removeAt(index);
    return true;
}

QStringList ViewTypeDict::names() const
{
    QStringList result;
    result.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        result.append(entry.first);
    return result;
}

QVariantMap ViewTypeDict::toVariantMap() const
{
    QVariantMap map;
    for (const Entry& entry : m_entries)
        map.insert(entry.first, entry.second);
    return map;
}

namespace {

bool isTextList(const QVariant& value)
{
    const int type = value.typeId();
    return type == QMetaType::QStringList || type == QMetaType::QVariantList || type == QMetaType::QString;
}

// The built-in names in their offered order, then the others in their present order.
QStringList orderedNames(QStringList names)
{
    const QStringList& offered = ViewTypes::offeredOrder();
    const auto rank = [&offered](const QString& name) {
        const qsizetype index = offered.indexOf(name);
        return index < 0 ? offered.size() : index;
    };
    std::stable_sort(names.begin(), names.end(),
                     [&rank](const QString& a, const QString& b) { return rank(a) < rank(b); });
    return names;
}

} // namespace

ViewTypeDict ViewTypeDict::inOfferedOrder() const
{
    ViewTypeDict ordered;
    for (const QString& name : orderedNames(names()))
        ordered.insert(name, columns(name));
    return ordered;
}

ViewTypeDict ViewTypeDict::fromVariantMap(const QVariantMap& map)
{
    ViewTypeDict dict;
    for (auto it = map.cbegin(); it != map.cend(); ++it) { // alphabetical
        if (isTextList(it.value()))
            dict.insert(it.key(), it.value().toStringList());
    }
    return dict.inOfferedOrder();
}

namespace ViewTypes {

const QStringList& columnChoices()
{
    static const QStringList choices = {
        Field::Phone,         Field::Email,        Field::Address, Field::ZIP,          Field::State,
        Field::City,          Field::Street,       Field::Country, Field::URL,          Field::InstantMessage,
        Field::SocialNetwork, Field::Relationship, Field::Dates,   Field::PhoneticName, Field::Nickname,
        Field::Birthday,      Field::Suffix,       Field::Title,   Field::Company,      Field::Department,
        Field::JobTitle,      Field::Note,
    };
    return choices;
}

const QStringList& offeredOrder()
{
    static const QStringList order = {
        ViewTypeName::Default,
        ViewTypeName::Email,
        ViewTypeName::Phone,
        ViewTypeName::Address,
        ViewTypeName::AddressDetail,
        ViewTypeName::InstantMessage,
        ViewTypeName::SocialNetwork,
        ViewTypeName::URL,
        ViewTypeName::PersonalInformation,
        ViewTypeName::BusinessInformation,
        ViewTypeName::Other,
        ViewTypeName::LabeledValues,
        ViewTypeName::NonLabeledValues,
    };
    return order;
}

namespace {

// The lists without their leading "Name" column; the last three are also what an old stored
// dictionary gains when it lacks them.
QStringList addressDetailColumns()
{
    return {Field::ZIP, Field::State, Field::City, Field::Street, Field::Country};
}

QStringList explicitLabeledColumns()
{
    return {Field::Phone,         Field::Email, Field::Address,      Field::InstantMessage,
            Field::SocialNetwork, Field::URL,   Field::Relationship, Field::Dates};
}

QStringList nonLabeledColumns()
{
    return {Field::PhoneticName, Field::Nickname,   Field::Birthday, Field::Suffix, Field::Title,
            Field::Company,      Field::Department, Field::JobTitle, Field::Note};
}

QStringList withName(const QStringList& columns)
{
    return QStringList{NameColumn} + columns;
}

ViewTypeDict commonViewTypes(const QStringList& labeledColumns)
{
    return {
        {ViewTypeName::Email, withName({Field::Email})},
        {ViewTypeName::Phone, withName({Field::Phone})},
        {ViewTypeName::Address, withName({Field::Address})},
        {ViewTypeName::AddressDetail, withName(addressDetailColumns())},
        {ViewTypeName::InstantMessage, withName({Field::InstantMessage})},
        {ViewTypeName::SocialNetwork, withName({Field::SocialNetwork})},
        {ViewTypeName::URL, withName({Field::URL})},
        {ViewTypeName::PersonalInformation,
         withName({Field::PhoneticName, Field::Nickname, Field::Birthday, Field::Relationship, Field::Suffix,
                   Field::Title})},
        {ViewTypeName::BusinessInformation, withName({Field::Company, Field::Department, Field::JobTitle})},
        {ViewTypeName::Other, withName({Field::Dates, Field::Note})},
        {ViewTypeName::LabeledValues, withName(labeledColumns)},
        {ViewTypeName::NonLabeledValues, withName(nonLabeledColumns())},
    };
}

} // namespace

const ViewTypeDict& documentViewTypes()
{
    static const ViewTypeDict dict = commonViewTypes(FieldIdentifiers::labeledIdentifiers());
    return dict;
}

const ViewTypeDict& initViewTypeDict()
{
    static const ViewTypeDict dict = [] {
        ViewTypeDict result{{ViewTypeName::Default, withName({Field::Email, Field::Phone, Field::Address})}};
        const ViewTypeDict common = commonViewTypes(explicitLabeledColumns());
        for (const ViewTypeDict::Entry& entry : common.entries())
            result.insert(entry.first, entry.second);
        return result;
    }();
    return dict;
}

ViewTypeDict restoreStoredViewTypes(const ViewTypeDict& stored, const ViewTypeDict& builtIn)
{
    if (stored.isEmpty())
        return builtIn;

    ViewTypeDict restored;
    for (const ViewTypeDict::Entry& entry : stored.entries()) {
        QStringList columns = entry.second;
        columns.removeAll(LabelColumn);
        restored.insert(entry.first, columns);
    }
    // Dictionaries stored by older versions predate these view types.
    if (!restored.contains(ViewTypeName::AddressDetail))
        restored.insert(ViewTypeName::AddressDetail, addressDetailColumns());
    if (!restored.contains(ViewTypeName::LabeledValues))
        restored.insert(ViewTypeName::LabeledValues, explicitLabeledColumns());
    if (!restored.contains(ViewTypeName::NonLabeledValues))
        restored.insert(ViewTypeName::NonLabeledValues, nonLabeledColumns());
    return restored.inOfferedOrder();
}

QString resolveViewType(const QString& stored, const ViewTypeDict& dict)
{
    const QString& wanted = stored.isEmpty() ? ViewTypeName::Email : stored;
    if (dict.contains(wanted))
        return wanted;
    // A document's own table has no "Default"; falling back to a name it lacks would leave the
    // table with the "Name" column alone.
    for (const QString& fallback : {ViewTypeName::Default, ViewTypeName::Email}) {
        if (dict.contains(fallback))
            return fallback;
    }
    return dict.isEmpty() ? ViewTypeName::Default : dict.entries().constFirst().first;
}

QStringList documentViewTypeNames(const ViewTypeDict& dict)
{
    QStringList names = dict.inOfferedOrder().names();
    names.removeAll(ViewTypeName::Default);
    return names;
}

QString resolveDocumentViewType(const QString& stored, const ViewTypeDict& dict)
{
    ViewTypeDict offered = dict;
    offered.remove(ViewTypeName::Default);
    return resolveViewType(stored, offered);
}

QMap<QString, QStringList> initSelectedLabels()
{
    QMap<QString, QStringList> labels;
    for (const QString& identifier : {Field::Email, Field::Phone, Field::Address, Field::URL, Field::InstantMessage,
                                      Field::SocialNetwork, Field::Relationship, Field::Dates})
        labels.insert(identifier, QStringList{AllLabels});
    return labels;
}

} // namespace ViewTypes

} // namespace Quillary
