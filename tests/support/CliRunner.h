#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

namespace Quillary::Test {

/// What a run of quillary-cli gave.
struct CliRun
{
    int exitCode = -1; ///< -1 when it did not finish normally
    QByteArray out;
    QByteArray err;
};

/// Runs a program with the arguments, in the given environment, and waits for it.
CliRun runProgram(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

/// Runs the quillary-cli of this build with the arguments, in the given environment.
CliRun runCli(const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace Quillary::Test
