#include "CliCommand.h"
#include "support/MemoryTuning.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Quillary::Cli;

namespace {

void printUsage(QTextStream& stream)
{
    stream << "Usage: quillary-cli COMMAND [OPTIONS] ARGS\n"
              "       quillary-cli --help | --version\n\nCommands:\n";
    for (const Command& command : commands())
        stream << "  " << command.name << "  " << command.synopsis << '\n';
    stream << "\n'quillary-cli COMMAND --help' describes the options of a command.\n";
}

// A GUI application wants a private runtime folder and warns on standard error when the session
// has none (a command run from cron, over ssh or in a container). It gets one of its own, owner-only
// like the session's, removed when the command ends.
std::unique_ptr<QTemporaryDir> provideRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return nullptr;
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/quillary-cli-runtime-XXXXXX");
    if (!folder->isValid())
        return nullptr;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    return folder;
}

// Commands that lay out text need Qt's fonts, which come with a GUI application. It runs on the
// offscreen platform whatever the environment says: output goes to files, so no display is needed,
// and a command run over ssh or from cron must not fail for want of one.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[], std::unique_ptr<QTemporaryDir>& runtime)
{
    const Command* command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    if (command && command->needsFonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        runtime = provideRuntimeFolder();
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
    Quillary::tuneMemoryAllocator();
    // A file that grows past the size limit of the process fails to write and says so.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<QTemporaryDir> runtime;
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv, runtime);
    QCoreApplication::setApplicationName(QStringLiteral("quillary-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION_STRING));
    if (arguments.size() < 2) {
        printUsage(err());
        return UsageError;
    }
    if (arguments.at(1) == u"--help" || arguments.at(1) == u"-h") {
        printUsage(out());
        return Success;
    }
    if (arguments.at(1) == u"--version" || arguments.at(1) == u"-v") {
        out() << "quillary-cli " << QCoreApplication::applicationVersion() << '\n';
        return Success;
    }
    const QString name = arguments.takeAt(1);
    const Command* command = findCommand(name);
    if (!command) {
        err() << "Unknown command: " << name << '\n';
        printUsage(err());
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
    runtime.reset();
    // The operating system takes back the memory of every contact read at once; freeing them one
    // by one only delays the exit.
    std::fflush(nullptr);
    std::_Exit(code);
}
