#include "app/ApplicationStartup.h"
#include "support/MemoryTuning.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Quillary::tuneMemoryAllocator();
    QCoreApplication::setApplicationName(QStringLiteral("Quillary"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quillary"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION_STRING));
    if (const std::optional<int> exitCode = Quillary::Ui::ApplicationStartup::runBeforeWindows(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLARY_APP_ID));
    return Quillary::Ui::ApplicationStartup::run(app);
}
