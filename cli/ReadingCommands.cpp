// quillary-cli dump and stats: what a contact file holds.

#include "CliCommand.h"
#include "formats/ContactJson.h"

#include <QJsonDocument>

namespace Quillary::Cli {

namespace {

int dump(const QCommandLineParser& parser)
{
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    out() << QJsonDocument(ContactJson::document(result.contacts, result.groupTable)).toJson(QJsonDocument::Indented);
    return Success;
}

int stats(const QCommandLineParser& parser)
{
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    qsizetype phones = 0, emails = 0, addresses = 0;
    for (const ContactEntryPtr& entry : result.contacts) {
        phones += entry->person->phoneValues().size();
        emails += entry->person->emailValues().size();
        addresses += entry->person->addressValues().size();
    }
    out() << "contacts=" << result.contacts.size() << " groups=" << qMax<qsizetype>(0, result.groupTable.size() - 1)
          << " phones=" << phones << " emails=" << emails << " addresses=" << addresses << '\n';
    return Success;
}

const CommandRegistration dumpCommand{{"dump", "FILE: print the contacts and groups of a file as JSON",
                                       [](QCommandLineParser& parser) {
                                           addEncodingOption(parser);
                                           parser.addPositionalArgument(QStringLiteral("FILE"),
                                                                        QStringLiteral("vCard or CSV file"));
                                       },
                                       dump}};

const CommandRegistration statsCommand{{"stats", "FILE: count the contacts, groups, phones, e-mails and addresses",
                                        [](QCommandLineParser& parser) {
                                            addEncodingOption(parser);
                                            parser.addPositionalArgument(QStringLiteral("FILE"),
                                                                         QStringLiteral("vCard or CSV file"));
                                        },
                                        stats}};

} // namespace

} // namespace Quillary::Cli
