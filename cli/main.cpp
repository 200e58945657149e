#include "CliCommand.h"
#include "support/MemoryTuning.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Quillary::Cli;

namespace {

void printUsage()
{
    err() << "Usage: quillary-cli COMMAND [OPTIONS] ARGS\n\nCommands:\n";
    for (const Command& command : commands())
        err() << "  " << command.name << "  " << command.synopsis << '\n';
}

// Commands that lay out text need Qt's fonts, which come with a GUI application. It runs on the
// offscreen platform whatever the environment says: output goes to files, so no display is needed,
// and a command run over ssh or from cron must not fail for want of one.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[])
{
    const Command* command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    if (command && command->needsFonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A GUI application takes options of its own out of the command line ("-style", "-platform");
        // it gets none, so that a command's options stay as given.
        static int guiArgc = 1;
        return std::make_unique<QGuiApplication>(guiArgc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    Quillary::tuneMemoryAllocator(argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillary-cli"));
    if (arguments.size() < 2 || arguments.at(1) == u"--help" || arguments.at(1) == u"-h") {
        printUsage();
        return arguments.size() < 2 ? UsageError : Success;
    }
    const QString name = arguments.takeAt(1);
    const Command* command = findCommand(name);
    if (!command) {
        err() << "Unknown command: " << name << '\n';
        printUsage();
        return UsageError;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(command->synopsis));
    parser.addHelpOption();
    command->addOptions(parser);
    if (!parser.parse(arguments)) {
        err() << parser.errorText() << '\n';
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out() << parser.helpText();
        return Success;
    }
    const int code = command->run(parser);
    out().flush();
    err().flush();
    // The operating system takes back the memory of every contact read at once; freeing them one
    // by one only delays the exit.
    std::fflush(nullptr);
    std::_Exit(code);
}
