// quillary-cli encodings: the text encodings that --encoding accepts, and what detection makes of a file.

#include "CliCommand.h"
#include "formats/TextDecoding.h"
#include "formats/TextEncodings.h"

#include <QFile>

namespace Quillary::Cli {

namespace {

int listEncodings()
{
    for (const TextEncodings::Encoding& encoding : TextEncodings::available()) {
        out() << QStringLiteral("0x%1").arg(encoding.number, 8, 16, QLatin1Char('0')) << '\t'
              << QString::fromLatin1(encoding.icuName) << '\t' << encoding.displayName() << '\n';
    }
    return Success;
}

int detectEncoding(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << "Couldn't open " << path << ": " << file.errorString() << '\n';
        return Failure;
    }
    const QByteArray encoding = TextDecoding::detectEncoding(file.readAll());
    out() << QString::fromLatin1(encoding) << '\t' << TextEncodings::displayNameForIcuName(encoding) << '\n';
    return Success;
}

int encodings(const QCommandLineParser& parser)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        err() << "Expected at most one FILE.\n";
        return UsageError;
    }
    return files.isEmpty() ? listEncodings() : detectEncoding(files.first());
}

const CommandRegistration encodingsCommand{
    {"encodings", "[FILE]: list the text encodings (number, ICU name, display name), or detect the one of FILE",
     [](QCommandLineParser& parser) {
         parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("file whose encoding to detect"),
                                      QStringLiteral("[FILE]"));
     },
     encodings}};

} // namespace

} // namespace Quillary::Cli
