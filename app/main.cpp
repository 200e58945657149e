#include "main/MainWindow.h"
#include "support/MemoryTuning.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Quillary::tuneMemoryAllocator(argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillary"));
    QApplication::setOrganizationName(QStringLiteral("Quillary"));
    Quillary::Ui::MainWindow window;
    const QStringList files = QApplication::arguments().mid(1);
    for (const QString& file : files)
        window.openFile(file);
    window.show();
    return QApplication::exec();
}
