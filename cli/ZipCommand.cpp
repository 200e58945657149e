// quillary-cli zip: the addresses of a Japanese postal code.

#include "CliCommand.h"
#include "editors/ZipDatabase.h"
#include "model/FieldIdentifiers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Quillary::Cli {

namespace {

QJsonObject addressJson(const ZipAddress& address)
{
    return QJsonObject{
        {Field::ZIP, address.zip},
        {Field::State, address.state},
        {Field::City, address.city},
        {Field::Street, address.street},
        {QStringLiteral("PhoneticCity"), address.phoneticCity},
        {QStringLiteral("PhoneticStreet"), address.phoneticStreet},
        {Field::Company, address.company},
        {QStringLiteral("PhoneticCompany"), address.phoneticCompany},
    };
}

int zip(const QCommandLineParser& parser)
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 1) {
        err() << "Expected one CODE.\n";
        return UsageError;
    }
    const QList<ZipAddress> addresses = ZipDatabase::zipdb().addressesFromZip(arguments.first());
    QJsonArray list;
    for (const ZipAddress& address : addresses)
        list.append(addressJson(address));
    out() << QJsonDocument(list).toJson(QJsonDocument::Indented);
    return addresses.isEmpty() ? Failure : Success;
}

const CommandRegistration zipCommand{
    {"zip", "CODE: print the addresses of a Japanese postal code (3 to 7 digits) as JSON; exit 1 when none",
     [](QCommandLineParser& parser) {
         parser.addPositionalArgument(QStringLiteral("CODE"),
                                      QStringLiteral("Postal code such as 100-0001, or its first digits"));
     },
     zip}};

} // namespace

} // namespace Quillary::Cli
