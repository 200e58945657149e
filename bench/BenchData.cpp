#include "BenchData.h"

#include "support/MemoryTuning.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace Quillary::Bench {

namespace {

/// Where the streams are: QUILLARY_BENCH_DATA, or a temporary folder the generator writes into.
QString dataFolder()
{
    static const QString folder = [] {
        const QString given = qEnvironmentVariable("QUILLARY_BENCH_DATA");
        if (!given.isEmpty())
            return given;
        static QTemporaryDir temporary;
        return temporary.path();
    }();
    return folder;
}

} // namespace

QString streamPath(const QString& name, QString* error)
{
    const QString path = QDir(dataFolder()).filePath(name + QStringLiteral(".vcf"));
    if (QFile::exists(path))
        return path;
    if (!qEnvironmentVariableIsEmpty("QUILLARY_BENCH_DATA")) {
        *error = path + QStringLiteral(" is missing: run bench/generate_vcards.py into QUILLARY_BENCH_DATA");
        return {};
    }
    std::fprintf(stderr, "Generating %s into %s ...\n", qPrintable(name), qPrintable(dataFolder()));
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(QUILLARY_PYTHON3),
                    {QStringLiteral(QUILLARY_VCARD_GENERATOR), dataFolder(), QStringLiteral("--only"), name});
    if (!generator.waitForFinished(-1) || generator.exitStatus() != QProcess::NormalExit || generator.exitCode() != 0
        || !QFile::exists(path)) {
        *error = QStringLiteral("The generator could not write ") + path;
        return {};
    }
    return path;
}

int runBenchmarks(int argc, char** argv, void (*registerAll)())
{
    tuneMemoryAllocator();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QCoreApplication application(argc, argv);
    if (registerAll)
        registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace Quillary::Bench
