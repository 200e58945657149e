#include "ApplicationStartup.h"

#include "DocumentController.h"
#include "ReadAheads.h"
#include "SingleInstance.h"
#include "StartupNotification.h"
#include "Translations.h"
#include "addressbook/AddressBookWindow.h"
#include "documents/AddressBookOwner.h"
#include "documents/ContactDocument.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "support/MessageBox.h"
#include "support/ThemeIcons.h"
#include "support/UiTr.h"
#include "table/ContactsTableView.h"
#include "table/ContactsViewController.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QPalette>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace Quillary::Ui {

namespace {

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
    Preferences::instance().sync();
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

// The options --help lists; the hidden ones that picture or measure a window are for tools, not users.
void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(Tr::tr("Edit contacts in vCard and CSV files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), Tr::tr("vCard or CSV files to open."),
                                 QStringLiteral("[FILE...]"));
}

int answerInformation(int argc, char* argv[], bool version)
{
    QCoreApplication application(argc, argv);
    Translations::install();
    QCommandLineParser parser;
    describeOptions(parser);
    if (version)
        std::printf("quillary %s\n", qPrintable(QCoreApplication::applicationVersion()));
    else
        std::fputs(qPrintable(parser.helpText()), stdout);
    return 0;
}

/// The colours of a dark desktop theme, for pictures of the window taken where there is none.
void useDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette palette;
    const QColor window(0x2b, 0x2d, 0x30);
    const QColor base(0x1f, 0x20, 0x23);
    const QColor text(0xe6, 0xe6, 0xe6);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9d, 0xa3));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7f, 0xe0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Mid, QColor(0x45, 0x48, 0x4d));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    QApplication::setPalette(palette);
}

/// Files of the command line whose reading started before the application object.
std::unique_ptr<ReadAheads>& readingsStartedEarly()
{
    static std::unique_ptr<ReadAheads> readings;
    return readings;
}

/// Starts reading the files of the command line while the toolkit connects to the display, when
/// nothing the reading says (the name of the group of all contacts, a warning) would be translated:
/// translations can only be installed once the application object exists.
void startReadingEarly(const QStringList& arguments)
{
    if (Translations::wouldTranslate())
        return;
    auto readings = std::make_unique<ReadAheads>();
    for (const QString& argument : arguments) {
        if (!argument.startsWith(u'-'))
            readings->start(QFileInfo(argument).absoluteFilePath());
    }
    readingsStartedEarly() = std::move(readings);
}

/// Opens what a second start asked for and brings its window forward.
void serve(DocumentController& controller, const InstanceRequest& request)
{
    DocumentWindow* window = nullptr;
    for (const QString& file : request.files) {
        if (DocumentWindow* opened = controller.openDocument(file))
            window = opened;
    }
    // Started again without files: the address book, the main window, comes forward.
    QWidget* shown = window;
    if (request.files.isEmpty())
        shown = controller.addressBookWindow();
    if (!shown && !controller.windows().isEmpty())
        shown = controller.windows().constLast();
    activateForLaunch(shown, request.startupId, request.activationToken);
}

} // namespace

std::optional<int> ApplicationStartup::runBeforeWindows(int argc, char* argv[])
{
    QStringList files;
    bool onlyFiles = true;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h" || argument == "--help-all")
            return answerInformation(argc, argv, false);
        if (argument == "--version" || argument == "-v")
            return answerInformation(argc, argv, true);
        // Any option (the toolkit's "-platform", the tools' "--screenshot=") asks for a process of its own.
        if (argument.startsWith('-'))
            onlyFiles = false;
        files.append(QFile::decodeName(argument));
    }
    if (onlyFiles && SingleInstance::handOver(InstanceRequest::fromEnvironment(files)))
        return 0;
    startReadingEarly(files);
    return std::nullopt;
}

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
        else if (argument == QStringLiteral("--dark-palette"))
            options.darkPalette = true;
        else if (argument.startsWith(QStringLiteral("--view-type=")))
            options.viewType = argument.section(u'=', 1);
        else if (!argument.startsWith(QStringLiteral("--")))
            options.files.append(QFileInfo(argument).absoluteFilePath());
        options.mayHandOver = options.mayHandOver && !argument.startsWith(u'-');
    }
    return options;
}

int ApplicationStartup::run(QApplication& application)
{
    QElapsedTimer started;
    started.start();
    Translations::install();
    const Options options = parse(application.arguments());
    Preferences& preferences = Preferences::instance();
    // The address book opens first, the main window; files given open as documents beside it. They
    // are read meanwhile, some since before the application object: what was started for anything
    // else (the value of a toolkit option) stops here.
    DocumentController controller(preferences);
    {
        const std::unique_ptr<ReadAheads> startedEarly = std::move(readingsStartedEarly());
        for (const QString& file : options.files)
            controller.readAhead(file, startedEarly.get());
    }
    QApplication::setWindowIcon(ThemeIcons::applicationIcon());
    if (options.darkPalette)
        useDarkPalette();
    if (QGuiApplication::queryKeyboardModifiers() == RestoreModifiers
        && MessageBox::confirm(nullptr, Tr::tr("Would you like to restore default preferences?"), QString()))
        preferences.restoreDefaults();
    preferences.upgradeVersion();

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
    InstanceServer server;
    if (options.mayHandOver && server.listen())
        QObject::connect(&server, &InstanceServer::requested, &controller,
                         [&controller](const InstanceRequest& request) { serve(controller, request); });
    // The quick exit skips destructors: the socket goes first.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &server, &InstanceServer::close);
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &exitQuickly);
    return QApplication::exec();
}

} // namespace Quillary::Ui
