// quillary-cli convert: read a contact file and write it as vCard, as a document save does, or as
// CSV, as a document's export does.

#include "CliCommand.h"

namespace Quillary::Cli {

namespace {

enum class Format { VCard, Csv, Unknown };

Format formatOfName(const QString& name)
{
    if (name.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        return Format::Csv;
    if (name.compare(QStringLiteral("vcard"), Qt::CaseInsensitive) == 0
        || name.compare(QStringLiteral("vcf"), Qt::CaseInsensitive) == 0)
        return Format::VCard;
    return Format::Unknown;
}

/// --to when given, else the output's extension; vCard for any other extension.
Format outputFormat(const QCommandLineParser& parser, const QString& output)
{
    if (parser.isSet(QStringLiteral("to")))
        return formatOfName(parser.value(QStringLiteral("to")));
    const bool csv = ContactFileReader::fileTypeForPath(output) == ContactFileReader::FileType::Csv;
    return csv ? Format::Csv : Format::VCard;
}

QByteArray csvData(const QCommandLineParser& parser, const ContactTable& contacts)
{
    if (parser.isSet(QStringLiteral("all-rows")))
        return ZQVCard::csvFromSubContacts(CsvWriter::rowsOfContacts(contacts));
    return ZQVCard::csvFromSubContacts(contacts);
}

int convert(const QCommandLineParser& parser)
{
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        err() << "Missing -o OUT.\n";
        return UsageError;
    }
    const Format format = outputFormat(parser, output);
    if (format == Format::Unknown) {
        err() << "Unknown format for --to: " << parser.value(QStringLiteral("to")) << " (csv or vcard).\n";
        return UsageError;
    }
    ContactDocument& document = documentForRun();
    int exitCode = Success;
    if (!readDocument(parser, document, exitCode))
        return exitCode;
    if (format == Format::Csv)
        return writeFileAtomically(output, csvData(parser, document.collection().liveContacts())) ? Success : Failure;
    // Written as a save of the document writes it (a CSV document exports instead): card by card,
    // straight to the file.
    const DocumentError error = document.exportAsVCard(output, document.collection().contactTable);
    if (error.isError()) {
        err() << "Couldn't write " << output << ": " << error.recoverySuggestion << '\n';
        return Failure;
    }
    return Success;
}

const CommandRegistration convertCommand{
    {"convert", "IN -o OUT: read a vCard or CSV file and write it as vCard 3.0 or CSV",
     [](QCommandLineParser& parser) {
         addEncodingOption(parser);
         parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("File to write."),
                           QStringLiteral("OUT")});
         parser.addOption({QStringLiteral("to"),
                           QStringLiteral("Format to write: csv or vcard (default: by the extension of OUT, "
                                          ".csv for CSV, anything else vCard)."),
                           QStringLiteral("FORMAT")});
         parser.addOption({QStringLiteral("all-rows"),
                           QStringLiteral("CSV: write every row of each contact (one per phone, e-mail, "
                                          "address or social profile beyond the first), not only its first.")});
         parser.addPositionalArgument(QStringLiteral("IN"),
                                      QStringLiteral("vCard or CSV file (CSV when its extension is .csv)"));
     },
     convert}};

} // namespace

} // namespace Quillary::Cli
