#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace Quillary::Ui {

/// The open and save panels of the application. They are Qt's own (not the desktop's) dialogs so
/// that an accessory view, such as the encoding pop-up, can sit below the file list. Tests answer
/// them in advance with `setNextFileNames`.
class FileDialog final
{
public:
    FileDialog() = delete;

    struct Options
    {
        QString title;
        QString acceptLabel; ///< the title of the accept button ("Open", "Export", "Import")
        QString fileNameLabel; ///< the label of the name field ("Export As:")
        QStringList nameFilters; ///< "vCard (*.vcf)", ...
        QString defaultSuffix; ///< added to a saved name without one
        QString directory; ///< the folder, or the suggested file for a save panel
        QWidget* accessory = nullptr; ///< shown below the file list; the caller keeps ownership
        bool multipleFiles = false;
    };

    /// The chosen files; empty when cancelled.
    [[nodiscard]] static QStringList getOpenFileNames(QWidget* parent, const Options& options);
    /// The chosen file; empty when cancelled.
    [[nodiscard]] static QString getSaveFileName(QWidget* parent, const Options& options);

    /// Where a panel starts: a suggested absolute path as it is; a bare suggested file name, or
    /// nothing, in the folder of the file last chosen in a panel, else in the user's Documents.
    [[nodiscard]] static QString startDirectory(const QString& suggested);

    // For tests: the files the next panel answers with (an empty list cancels it), and the options
    // the last panel was opened with.
    static void setNextFileNames(const QStringList& files);
    static void clearNextFileNames();
    [[nodiscard]] static const Options& lastOptions();

private:
    static std::optional<QStringList> takeAnswer(const Options& options);
    static QStringList remember(const QStringList& chosen);
};

} // namespace Quillary::Ui
