#include "UiTestSupport.h"

#include "TestSupport.h"
#include "app/DocumentController.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentWindow.h"
#include "documents/ProgressAlert.h"
#include "formats/ImportPanel.h"
#include "support/DesktopLinks.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ContactCellDelegate.h"
#include "table/ContactsTableModel.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"
#include "table/ReplaceAlertPanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

namespace Quillary::Test {

void isolateUserSettings()
{
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QStandardPaths::setTestModeEnabled(true);
}

void resetUiSeams()
{
    // The progress window shows at once and closes when the work ends: its path is exercised
    // without waiting.
    Ui::ProgressAlert::setTimings(0, 0);
    Ui::MessageBox::clearAnswers();
    Ui::MessageBox::clearShown();
    Ui::FileDialog::clearNextFileNames();
    Ui::ImportPanel::clearNextSelection();
    Ui::ReplaceAlertPanel::clearNextAnswer();
    Ui::DesktopLinks::setOpener({});
}

QList<QUrl>& catchOpenedUrls()
{
    static QList<QUrl> opened;
    opened.clear();
    Ui::DesktopLinks::setOpener([](const QUrl& url) {
        opened.append(url);
        return true;
    });
    return opened;
}

QString copyData(const QTemporaryDir& dir, const QString& relative, const QString& name)
{
    const QString target = dir.filePath(name.isEmpty() ? QFileInfo(relative).fileName() : name);
    QFile::remove(target);
    if (!QFile::copy(dataPath(relative), target))
        qFatal("cannot copy %s", qPrintable(relative));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

Ui::DocumentWindow* openCopy(Ui::DocumentController& controller, const QTemporaryDir& dir, const QString& relative)
{
    Ui::DocumentWindow* window = controller.openDocument(copyData(dir, relative));
    if (window) {
        window->document()->setAutosaveDelay(0);
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("window not exposed");
    }
    return window;
}

int rowOf(Ui::ContactWindow* window, const QString& name)
{
    const SubContactTable& rows = window->tableController()->subContactTable();
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).index == 0 && rows.at(row).person().compositeName() == name)
            return row;
    }
    return -1;
}

QString cellText(Ui::ContactWindow* window, int row, const QString& identifier)
{
    ContactsViewController* table = window->tableController();
    const int column = int(table->tableIdentfiers().indexOf(identifier));
    return table->model()->index(row, column).data().toString();
}

QStringList namesInOrder(Ui::ContactWindow* window)
{
    QStringList names;
    for (const SubContactRow& row : window->tableController()->subContactTable()) {
        if (row.index == 0)
            names.append(row.person().compositeName());
    }
    return names;
}

void selectRows(Ui::ContactWindow* window, const QList<int>& rows)
{
    Ui::ContactsTableView* view = window->tableView();
    view->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QLineEdit* cellEditor(Ui::ContactWindow* window)
{
    // A closed editor lingers until it is deleted: the open one is the visible one.
    for (QLineEdit* editor : window->tableView()->findChildren<QLineEdit*>(QStringLiteral("cellEditor"))) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}

void doubleClickCell(Ui::ContactWindow* window, int row, const QString& identifier, Qt::KeyboardModifiers modifiers)
{
    Ui::ContactsTableView* view = window->tableView();
    const int column = int(window->tableController()->tableIdentfiers().indexOf(identifier));
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    const QPoint at = view->cellDelegate()->valueRect(view->visualRect(index)).center();
    // The first click of a double click selects the row; the table always has a row selected, so
    // that click decides which rows the double click edits.
    if (!view->selectionModel()->isRowSelected(row, {}))
        view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, modifiers, at);
}

} // namespace Quillary::Test
