#include "CliCommand.h"

#include "formats/TextEncodings.h"

#include <QSaveFile>

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

bool readContacts(const QCommandLineParser& parser, ContactFileReader::Result& result, int& exitCode)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        err() << "Expected one FILE.\n";
        exitCode = UsageError;
        return false;
    }
    const TextEncodings::Resolution encoding = TextEncodings::resolve(parser.value(QStringLiteral("encoding")));
    if (!encoding.ok()) {
        err() << encoding.errorString << '\n';
        exitCode = UsageError;
        return false;
    }
    result = ContactFileReader::read(files.first(), encoding.encoding);
    if (!result.ok()) {
        err() << result.errorString << '\n';
        exitCode = Failure;
        return false;
    }
    if (!result.warning.isEmpty())
        err() << "warning: " << result.warning << ' ' << result.informativeText << '\n';
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        err() << "Couldn't write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace Quillary::Cli
