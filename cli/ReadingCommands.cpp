// quillary-cli dump and stats: what a contact file holds.

#include "CliCommand.h"
#include "formats/ContactJson.h"

#include <QFile>

namespace Quillary::Cli {

namespace {

int dump(const QCommandLineParser& parser)
{
    ContactDocument& document = documentForRun();
    int exitCode = Success;
    if (!readDocument(parser, document, exitCode))
        return exitCode;
    const ContactCollection& collection = document.collection();
    out().flush();
    QFile output;
    if (!output.open(stdout, QIODevice::WriteOnly))
        return Failure;
    bool written = true;
    ContactJson::writeIndentedDocument(collection.contactTable, collection.groupTable, [&](QByteArrayView text) {
        written = written && output.write(text.data(), text.size()) == text.size();
    });
    return written && output.flush() ? Success : Failure;
}

int stats(const QCommandLineParser& parser)
{
    ContactDocument& document = documentForRun();
    int exitCode = Success;
    if (!readDocument(parser, document, exitCode))
        return exitCode;
    const ContactCollection& collection = document.collection();
    qsizetype phones = 0, emails = 0, addresses = 0;
    for (const ContactEntryPtr& entry : collection.contactTable) {
        phones += entry->person->phoneValues().size();
        emails += entry->person->emailValues().size();
        addresses += entry->person->addressValues().size();
    }
    out() << "contacts=" << collection.contactTable.size()
          << " groups=" << qMax<qsizetype>(0, collection.groupTable.size() - 1) << " phones=" << phones
          << " emails=" << emails << " addresses=" << addresses << '\n';
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
