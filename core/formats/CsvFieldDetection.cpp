#include "CsvFieldDetection.h"

#include "CsvWriter.h"
#include "model/FieldIdentifiers.h"
#include "model/addressbook/Constants.h"

namespace Quillary::CsvFieldDetection {

namespace {

bool contains(QStringView text, QStringView word)
{
    return text.contains(word, Qt::CaseInsensitive);
}

struct TypeWord
{
    QStringView word;
    const QString* type; ///< null: the word itself is the type
};

// Tried in order; the first word the header contains decides. "First Name" and "Last Name" come
// before "Name", "Job Title" before "Title".
const TypeWord typeWords[] = {
    {u"First Name", &ColumnType::FirstName},
    {u"Last Name", &ColumnType::LastName},
    {u"Nickname", &Field::Nickname},
    {u"Name", &Field::Name},
    {u"Phone", &Field::Phone},
    {u"Email", &Field::Email},
    {u"ZIP", &Field::Address},
    {u"State", &Field::Address},
    {u"City", &Field::Address},
    {u"Street", &Field::Address},
    {u"Birthday", &Field::Birthday},
    {u"Job Title", &Field::JobTitle},
    {u"Title", &Field::Title},
    {u"Company", &Field::Company},
    {u"Department", &Field::Department},
    {u"Note", &Field::Note},
    {u"Facebook", nullptr},
    {u"LinkedIn", nullptr},
    {u"Flickr", nullptr},
    {u"SinaWeibo", nullptr},
};

/// The service of a social-network column type, or none.
const QString* serviceOfType(QStringView type)
{
    namespace Service = AddressBook::SocialService;
    if (type == u"Facebook")
        return &Service::Facebook;
    if (type == u"LinkedIn")
        return &Service::LinkedIn;
    if (type == u"Flickr")
        return &Service::Flickr;
    if (type == u"SinaWeibo")
        return &Service::SinaWeibo;
    return nullptr;
}

/// Columns such as "Phone 1 - Type" or "E-mail Label" hold the label of a value in another column,
/// not a value: read as one, "Mobile" would become a phone number.
bool namesLabelOfOtherColumn(QStringView header)
{
    header = header.trimmed();
    return header.endsWith(u"Type", Qt::CaseInsensitive) || header.endsWith(u"Label", Qt::CaseInsensitive);
}

} // namespace

QString detectType(QStringView header)
{
    for (const TypeWord& entry : typeWords) {
        if (contains(header, entry.word))
            return entry.type ? *entry.type : entry.word.toString();
    }
    return {};
}

QString detectLabel(QStringView header)
{
    if (contains(header, u"Home"))
        return QStringLiteral("Home");
    if (contains(header, u"Work") || contains(header, u"Business"))
        return QStringLiteral("Work");
    if (contains(header, u"Mobile"))
        return QStringLiteral("Mobile");
    return QStringLiteral("Other");
}

QString detectAddressType(QStringView header)
{
    for (const QString* part : {&Field::ZIP, &Field::State, &Field::City}) {
        if (contains(header, *part))
            return *part;
    }
    return Field::Street;
}

CsvColumnDescriptor columnDescriptor(const QString& header)
{
    const QString type = namesLabelOfOtherColumn(header) ? QString() : detectType(header);
    if (type.isEmpty())
        return {header, ColumnType::Unknown, {}};
    if (type == Field::Phone || type == Field::Email)
        return {header, type, detectLabel(header)};
    if (type == Field::Address)
        return {header, detectAddressType(header), detectLabel(header)};
    if (const QString* service = serviceOfType(type))
        return {header, ColumnType::SocialNetwork, *service};
    return {header, type, {}};
}

QList<CsvColumnDescriptor> columnDescriptors(const QStringList& headers)
{
    QList<CsvColumnDescriptor> result;
    result.reserve(headers.size());
    for (const QString& header : headers)
        result.append(columnDescriptor(header));
    return result;
}

bool isHeaderLine(const QStringList& fields)
{
    if (fields.isEmpty())
        return false;
    const QString first = fields.first().trimmed();
    for (const CsvColumn& column : CsvWriter::columns()) {
        if (first.compare(column.header, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

const QStringList& defaultHeader()
{
    static const QStringList header = {Field::Name,  Field::Phone, Field::Email, Field::ZIP,
                                       Field::State, Field::City,  Field::Street};
    return header;
}

} // namespace Quillary::CsvFieldDetection
