#include "ApplicationStartup.h"

#include "DocumentController.h"
#include "addressbook/AddressBookWindow.h"
#include "documents/AddressBookOwner.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "support/MessageBox.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace Quillary::Ui {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Ui)
};

constexpr Qt::KeyboardModifiers RestoreModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

int exitCode = 0;

void exitWith(int code)
{
    exitCode = code;
    QCoreApplication::exit(code);
}

/// The end of the run, once every window has closed by its own rules (documents written or given
/// up): the settings are written, and the operating system takes back the memory of every contact
/// at once. Freeing hundreds of thousands of them one by one would only delay the exit.
[[noreturn]] void exitQuickly()
{
    Preferences::instance().settings()->sync();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

/// Quits once the watched widget has been painted, telling how long the start took.
class QuitWhenPainted final : public QObject
{
public:
    QuitWhenPainted(QElapsedTimer started, QObject* parent) : QObject(parent), m_started(started) { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            std::fprintf(stderr, "quillary: table shown after %lld ms\n", static_cast<long long>(m_started.elapsed()));
            QTimer::singleShot(0, qApp, [] { exitWith(0); });
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    QElapsedTimer m_started;
};

void takeScreenshot(ContactWindow* window, const QString& path)
{
    window->resize(960, 600);
    // Wide enough for whole values: a picture has no user to widen its columns.
    QHeaderView* header = window->tableView()->horizontalHeader();
    for (int column = 0; column < header->count(); ++column)
        header->resizeSection(column, column == 0 ? 190 : 250);
    // After the window has been laid out and drawn once.
    QTimer::singleShot(300, window, [window, path] {
        window->tableView()->measureVisibleRows();
        const bool saved = window->grab().save(path, "PNG");
        std::fprintf(stderr, "quillary: %s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        exitWith(saved ? 0 : 1);
    });
}

} // namespace

ApplicationStartup::Options ApplicationStartup::parse(const QStringList& arguments)
{
    Options options;
    for (const QString& argument : arguments.mid(1)) {
        if (argument.startsWith(QStringLiteral("--screenshot=")))
            options.screenshotPath = argument.section(u'=', 1);
        else if (argument == QStringLiteral("--quit-when-shown"))
            options.quitWhenShown = true;
        else if (argument == QStringLiteral("--show-groups"))
            options.showGroups = true;
        else if (argument.startsWith(QStringLiteral("--view-type=")))
            options.viewType = argument.section(u'=', 1);
        else if (!argument.startsWith(QStringLiteral("--")))
            options.files.append(QFileInfo(argument).absoluteFilePath());
    }
    return options;
}

int ApplicationStartup::run(QApplication& application)
{
    QElapsedTimer started;
    started.start();
    const Options options = parse(application.arguments());
    Preferences& preferences = Preferences::instance();
    if (QGuiApplication::queryKeyboardModifiers() == RestoreModifiers
        && MessageBox::confirm(nullptr, Tr::tr("Would you like to restore default preferences?"), QString()))
        preferences.restoreDefaults();
    preferences.upgradeVersion();

    // The address book opens first, the main window; files given open as documents beside it.
    DocumentController controller(preferences);
    auto owner = std::make_unique<AddressBookOwner>(preferences);
    owner->open();
    AddressBookWindow addressBook(std::move(owner), preferences, &controller);
    controller.setAddressBookWindow(&addressBook);
    addressBook.show();
    for (const QString& file : options.files)
        controller.openDocument(file);
    QTimer::singleShot(0, &addressBook, &AddressBookWindow::showLaunchAlerts);

    ContactWindow* first =
        controller.windows().isEmpty() ? static_cast<ContactWindow*>(&addressBook) : controller.windows().constFirst();
    if (!options.viewType.isEmpty())
        first->pane()->viewTypePopupSelected(options.viewType);
    if (options.showGroups)
        first->pane()->showGroupView();
    if (options.quitWhenShown)
        first->tableView()->viewport()->installEventFilter(new QuitWhenPainted(started, &application));
    if (!options.screenshotPath.isEmpty())
        takeScreenshot(first, options.screenshotPath);
    // The process ends without destroying the address book: its store is let go of first.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &addressBook, [&addressBook] {
        if (VdirStore* store = addressBook.owner()->store())
            store->close();
    });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &exitQuickly);
    return QApplication::exec();
}

} // namespace Quillary::Ui
