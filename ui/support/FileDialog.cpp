#include "FileDialog.h"

#include "documents/Preferences.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QList>
#include <QStandardPaths>

namespace Quillary::Ui {

namespace {

QList<QStringList>& answers()
{
    static QList<QStringList> queue;
    return queue;
}

FileDialog::Options& last()
{
    static FileDialog::Options options;
    return options;
}

/// Puts the accessory below the file list of a non-native dialog, across its whole width.
void addAccessory(QFileDialog& dialog, QWidget* accessory)
{
    if (!accessory)
        return;
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    grid->addWidget(accessory, grid->rowCount(), 0, 1, grid->columnCount());
    accessory->show();
}

QStringList run(QWidget* parent, const FileDialog::Options& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, options.title, options.directory);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("openPanel") : QStringLiteral("savePanel"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(options.multipleFiles ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!options.nameFilters.isEmpty())
        dialog.setNameFilters(options.nameFilters);
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.acceptLabel.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, options.acceptLabel);
    if (!options.fileNameLabel.isEmpty())
        dialog.setLabelText(QFileDialog::FileName, options.fileNameLabel);
    addAccessory(dialog, options.accessory);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (options.accessory)
        options.accessory->setParent(nullptr); // the caller owns it, the dialog goes
    return accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

QString FileDialog::startDirectory(const QString& suggested)
{
    if (QDir::isAbsolutePath(suggested))
        return suggested;
    QString folder = Preferences::instance().value(Preferences::Key::LastFolder).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return suggested.isEmpty() ? folder : QDir(folder).filePath(suggested);
}

QStringList FileDialog::remember(const QStringList& chosen)
{
    if (!chosen.isEmpty())
        Preferences::instance().setValue(Preferences::Key::LastFolder, QFileInfo(chosen.constFirst()).absolutePath());
    return chosen;
}

std::optional<QStringList> FileDialog::takeAnswer(const Options& options)
{
    last() = options;
    if (answers().isEmpty())
        return std::nullopt;
    return answers().takeFirst();
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, const Options& options)
{
    Options started = options;
    started.directory = startDirectory(options.directory);
    if (const std::optional<QStringList> answer = takeAnswer(started))
        return remember(*answer);
    return remember(run(parent, started, QFileDialog::AcceptOpen));
}

QString FileDialog::getSaveFileName(QWidget* parent, const Options& options)
{
    Options started = options;
    started.directory = startDirectory(options.directory);
    if (const std::optional<QStringList> answer = takeAnswer(started))
        return remember(answer->mid(0, 1)).value(0);
    return remember(run(parent, started, QFileDialog::AcceptSave)).value(0);
}

void FileDialog::setNextFileNames(const QStringList& files)
{
    answers().append(files);
}

void FileDialog::clearNextFileNames()
{
    answers().clear();
}

const FileDialog::Options& FileDialog::lastOptions()
{
    return last();
}

} // namespace Quillary::Ui
