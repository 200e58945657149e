// quillary-cli convert: read a contact file and write it back as a document save does.

#include "CliCommand.h"

namespace Quillary::Cli {

namespace {

int convert(const QCommandLineParser& parser)
{
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        err() << "Missing -o OUT.\n";
        return UsageError;
    }
    ContactFileReader::Result result;
    int exitCode = Success;
    if (!readContacts(parser, result, exitCode))
        return exitCode;
    const ZQVCard converter;
    const QByteArray data = converter.vCardsFromContacts(result.contacts, {WriteOption::Note, WriteOption::Photo},
                                                         result.groupTable);
    return writeFileAtomically(output, data) ? Success : Failure;
}

const CommandRegistration convertCommand{
    {"convert", "IN -o OUT: read a contact file and write it as vCard 3.0",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("File to write."),
                           QStringLiteral("OUT")});
         parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("vCard file"));
     },
     convert}};

} // namespace

} // namespace Quillary::Cli
