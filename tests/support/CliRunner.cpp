#include "CliRunner.h"

#include <QProcess>

namespace Quillary::Test {

CliRun runCli(const QStringList& arguments, const QProcessEnvironment& environment)
{
    return runProgram(QStringLiteral(QUILLARY_CLI), arguments, environment);
}

CliRun runProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForFinished(120000)) {
        run.err = process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace Quillary::Test
