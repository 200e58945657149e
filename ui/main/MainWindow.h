#pragma once

#include <QMainWindow>

class QListWidget;

namespace Quillary::Ui {

/// The application window: lists the contacts of the files it opens by their names.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWidget* parent = nullptr);

    /// Reads a contact file and lists its contacts; false (with a message) when it cannot be read.
    bool openFile(const QString& path);

private:
    void chooseFile();

    QListWidget* m_list;
};

} // namespace Quillary::Ui
