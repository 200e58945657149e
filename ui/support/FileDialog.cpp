#include "FileDialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QList>

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

std::optional<QStringList> FileDialog::takeAnswer(const Options& options)
{
    last() = options;
    if (answers().isEmpty())
        return std::nullopt;
    return answers().takeFirst();
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, const Options& options)
{
    if (const std::optional<QStringList> answer = takeAnswer(options))
        return *answer;
    return run(parent, options, QFileDialog::AcceptOpen);
}

QString FileDialog::getSaveFileName(QWidget* parent, const Options& options)
{
    if (const std::optional<QStringList> answer = takeAnswer(options))
        return answer->value(0);
    return run(parent, options, QFileDialog::AcceptSave).value(0);
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
