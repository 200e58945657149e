#include "MainWindow.h"

#include "documents/ContactFileReader.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>

namespace Quillary::Ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_list(new QListWidget(this))
{
    setWindowTitle(tr("Quillary"));
    m_list->setObjectName(QStringLiteral("contactList"));
    setCentralWidget(m_list);
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("&Open…"), QKeySequence::Open, this, &MainWindow::chooseFile);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("&Quit"), QKeySequence::Quit, qApp, &QApplication::quit);
    resize(480, 640);
}

bool MainWindow::openFile(const QString& path)
{
    const ContactFileReader::Result result = ContactFileReader::read(path);
    if (!result.ok()) {
        QMessageBox::warning(this, tr("Couldn't read the file."), result.errorString);
        return false;
    }
    for (const ContactEntryPtr& contact : result.contacts)
        m_list->addItem(contact->compositeName);
    setWindowTitle(QFileInfo(path).fileName());
    return true;
}

void MainWindow::chooseFile()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, tr("Open"), QString(),
                                                            tr("Contacts (*.vcf *.csv);;All files (*)"));
    for (const QString& path : paths)
        openFile(path);
}

} // namespace Quillary::Ui
