#include "CliCommand.h"
#include "support/MemoryTuning.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

using namespace Quillary::Cli;

namespace {

void printUsage()
{
    err() << "Usage: quillary-cli COMMAND [OPTIONS] ARGS\n\nCommands:\n";
    for (const Command& command : commands())
        err() << "  " << command.name << "  " << command.synopsis << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    Quillary::tuneMemoryAllocator(argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillary-cli"));
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.at(1) == u"--help" || arguments.at(1) == u"-h") {
        printUsage();
        return arguments.size() < 2 ? UsageError : Success;
    }
    const QString name = arguments.takeAt(1);
    for (const Command& command : commands()) {
        if (name != QLatin1StringView(command.name))
            continue;
        QCommandLineParser parser;
        parser.setApplicationDescription(QString::fromLatin1(command.synopsis));
        parser.addHelpOption();
        command.addOptions(parser);
        if (!parser.parse(arguments)) {
            err() << parser.errorText() << '\n';
            return UsageError;
        }
        if (parser.isSet(QStringLiteral("help"))) {
            out() << parser.helpText();
            return Success;
        }
        const int code = command.run(parser);
        out().flush();
        err().flush();
        // The operating system takes back the memory of every contact read at once; freeing them one
        // by one only delays the exit.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    err() << "Unknown command: " << name << '\n';
    printUsage();
    return UsageError;
}
