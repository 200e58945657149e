#include "CliCommand.h"

#include "formats/TextEncodings.h"
#include "support/FileWriting.h"

namespace Quillary::Cli {

QList<Command>& commands()
{
    static QList<Command> list;
    return list;
}

const Command* findCommand(QStringView name)
{
    for (const Command& command : commands()) {
        if (name == QLatin1StringView(command.name))
            return &command;
    }
    return nullptr;
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

void addEncodingOption(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("encoding"),
                      QStringLiteral("Text encoding of the file: a name or number from \"quillary-cli encodings\", "
                                     "any ICU converter name, or \"auto\" to detect it (the default)."),
                      QStringLiteral("NAME"), QStringLiteral("auto")});
}

namespace {

/// The single file argument and its encoding; prints the usage error otherwise.
bool fileAndEncoding(const QCommandLineParser& parser, QString& file, QByteArray& encoding, int& exitCode)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        err() << "Expected one FILE.\n";
        exitCode = UsageError;
        return false;
    }
    const TextEncodings::Resolution resolved = TextEncodings::resolve(parser.value(QStringLiteral("encoding")));
    if (!resolved.ok()) {
        err() << resolved.errorString << '\n';
        exitCode = UsageError;
        return false;
    }
    file = files.first();
    encoding = resolved.encoding;
    return true;
}

void printWarning(const QString& warning, const QString& details)
{
    if (!warning.isEmpty())
        err() << "warning: " << warning << ' ' << details << '\n';
}

} // namespace

ContactDocument& documentForRun()
{
    // Never destroyed: main() ends the process with _Exit once the command has run.
    static ContactDocument* document = new ContactDocument;
    return *document;
}

bool readDocument(const QCommandLineParser& parser, ContactDocument& document, int& exitCode)
{
    QString file;
    QByteArray encoding;
    if (!fileAndEncoding(parser, file, encoding, exitCode))
        return false;
    const DocumentError error = document.read(file, encoding);
    if (error.isError()) {
        err() << error.recoverySuggestion << '\n';
        exitCode = Failure;
        return false;
    }
    printWarning(document.readWarning(), document.readWarningDetails());
    return true;
}

bool readContacts(const QCommandLineParser& parser, ContactFileReader::Result& result, int& exitCode)
{
    QString file;
    QByteArray encoding;
    if (!fileAndEncoding(parser, file, encoding, exitCode))
        return false;
    result = ContactFileReader::read(file, encoding);
    if (!result.ok()) {
        err() << result.errorString << '\n';
        exitCode = Failure;
        return false;
    }
    printWarning(result.warning, result.informativeText);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data)
{
    QString reason;
    if (!FileWriting::writeAtomically(path, data, &reason)) {
        err() << "Couldn't write " << path << ": " << reason << '\n';
        return false;
    }
    return true;
}

} // namespace Quillary::Cli
