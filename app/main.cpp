#include "app/ApplicationStartup.h"
#include "support/MemoryTuning.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Quillary::tuneMemoryAllocator();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillary"));
    QApplication::setOrganizationName(QStringLiteral("Quillary"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLARY_VERSION_STRING));
    return Quillary::Ui::ApplicationStartup::run(app);
}
