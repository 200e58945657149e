#pragma once

#include "documents/ContactDocument.h"
#include "documents/ContactFileReader.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace Quillary::Cli {

/// Exit codes of quillary-cli.
enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

/// One subcommand: its name, a line of help, the options it adds and what it runs.
struct Command
{
    const char* name;
    const char* synopsis;
    std::function<void(QCommandLineParser&)> addOptions;
    std::function<int(const QCommandLineParser&)> run;
    /// Lays out text: the command runs inside a GUI application on the offscreen platform, which is
    /// what gives Qt its fonts (no display is needed or used).
    bool needsFonts = false;
};

/// The registered command with that name; null when there is none.
const Command* findCommand(QStringView name);

/// Every subcommand, registered by the files that implement them.
QList<Command>& commands();

/// Adds --encoding NAME|auto to a reading command.
void addEncodingOption(QCommandLineParser& parser);

/// Opens the contact file named by the first positional argument as the application opens a
/// document, in the chosen encoding. On failure the reason is printed and `exitCode` set.
bool readDocument(const QCommandLineParser& parser, ContactDocument& document, int& exitCode);

/// Reads the contact file (vCard, or CSV by its extension) named by the first positional argument in
/// the chosen encoding. On failure the reason is printed and `exitCode` set; a warning about a file
/// that was read is printed too.
bool readContacts(const QCommandLineParser& parser, ContactFileReader::Result& result, int& exitCode);

QTextStream& out();
QTextStream& err();

/// Writes data to a file atomically; prints the reason and returns false on failure.
bool writeFileAtomically(const QString& path, const QByteArray& data);

} // namespace Quillary::Cli

namespace Quillary::Cli {

/// Registers a command at start-up: `static CommandRegistration r{{...}};` in the file that runs it.
struct CommandRegistration
{
    explicit CommandRegistration(Command command) { commands().append(std::move(command)); }
};

} // namespace Quillary::Cli
