#include "DocumentController.h"

#include "addressbook/AddressBookWindow.h"

#include "documents/ContactDocument.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "documents/ProgressAlert.h"
#include "formats/EncodedOpenPanel.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>

namespace Quillary::Ui {

DocumentController::DocumentController(Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences)
{ }

// A file read ahead and never opened: its reading stops, and its document goes (ReadAheads).
DocumentController::~DocumentController() = default;

QList<DocumentWindow*> DocumentController::windows() const
{
    QList<DocumentWindow*> result;
    for (const QPointer<DocumentWindow>& window : m_windows) {
        if (window)
            result.append(window);
    }
    return result;
}

DocumentWindow* DocumentController::windowForPath(const QString& path) const
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    for (DocumentWindow* window : windows()) {
        const QString own = window->document()->filePath();
        if (!own.isEmpty() && QFileInfo(own).canonicalFilePath() == wanted)
            return window;
    }
    return nullptr;
}

DocumentWindow* DocumentController::show(DocumentWindow* window)
{
    m_windows.removeAll(nullptr);
    m_windows.append(window);
    connect(window, &DocumentWindow::filePathChanged, this,
            [this](const QString& path) { m_preferences.addRecentDocument(path); });
    window->show();
    window->raise();
    window->activateWindow();
    Q_EMIT windowOpened(window);
    return window;
}

DocumentWindow* DocumentController::newDocument()
{
    return show(new DocumentWindow(std::make_unique<ContactDocument>(), m_preferences, this));
}

DocumentWindow* DocumentController::openDocument(const QString& path, const QByteArray& encoding, QWidget* alertParent)
{
    if (DocumentWindow* open = windowForPath(path)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto document = std::make_unique<ContactDocument>();
    DocumentTask* task = nullptr;
    if (std::optional<ReadAheads::Reading> ahead = m_readAheads.take(path)) {
        if (encoding == "auto") {
            document = std::move(ahead->document);
            task = ahead->task;
        } else {
            delete ahead->task; // wanted in another encoding: stopped where it is, its document dropped
        }
    }
    DocumentError error;
    // Large vCard files are read on a worker thread under the progress window.
    if (task
        || (ContactDocument::typeForPath(path) == ContactDocument::Type::VCard
            && ContactDocument::wantsBackgroundRead(path))) {
        const ProgressAlert::Outcome outcome =
            ProgressAlert::run(task ? task : document->startRead(path, encoding), alertParent);
        if (outcome.cancelled)
            return nullptr;
        error = outcome.error;
    } else {
        error = document->read(path, encoding);
    }
    if (error.isError()) {
        MessageBox::alert(alertParent, tr("The document “%1” could not be opened.").arg(QFileInfo(path).fileName()),
                          error.recoverySuggestion);
        return nullptr;
    }
    m_preferences.addRecentDocument(document->filePath());
    const QString warning = document->readWarning();
    const QString details = document->readWarningDetails();
    DocumentWindow* window = show(new DocumentWindow(std::move(document), m_preferences, this));
    // What the user should know about a file that was read anyway (a CSV file without a header, a UTF-8
    // file with bytes that were not UTF-8).
    if (!warning.isEmpty())
        MessageBox::alert(window, warning, details);
    return window;
}

void DocumentController::readAhead(const QString& path, ReadAheads* startedEarlier)
{
    if (windowForPath(path))
        return;
    if (startedEarlier)
        m_readAheads.takeFrom(*startedEarlier, path);
    else
        m_readAheads.start(path);
}

void DocumentController::openDocumentWithPanel(QWidget* parent)
{
    FileDialog::Options options;
    options.title = tr("Open");
    options.acceptLabel = tr("Open");
    options.nameFilters = {tr("Contacts (*.vcf *.vcard *.csv)"), tr("vCard (*.vcf *.vcard)"), tr("CSV (*.csv)"),
                           tr("All files (*)")};
    options.multipleFiles = true;
    const EncodedOpenPanel chosen = EncodedOpenPanel::run(parent, options, m_preferences);
    for (const QString& path : chosen.paths)
        openDocument(path, chosen.encoding, parent);
}

void DocumentController::fillRecentMenu(QMenu* menu, QWidget* parent)
{
    menu->clear();
    const QStringList paths = m_preferences.recentDocuments();
    for (const QString& path : paths) {
        menu->addAction(QFileInfo(path).fileName(), this,
                        [this, path, parent] {
                            if (!QFileInfo::exists(path))
                                m_preferences.removeRecentDocument(path);
                            openDocument(path, "auto", parent);
                        })
            ->setToolTip(path);
    }
    if (!paths.isEmpty())
        menu->addSeparator();
    QAction* clear = menu->addAction(tr("Clear Menu"), this, [this] { m_preferences.clearRecentDocuments(); });
    clear->setEnabled(!paths.isEmpty());
}

void DocumentController::setAddressBookWindow(AddressBookWindow* window)
{
    m_addressBook = window;
}

AddressBookWindow* DocumentController::addressBookWindow() const
{
    return m_addressBook;
}

bool DocumentController::closeAll()
{
    for (DocumentWindow* window : windows()) {
        if (!window->close())
            return false;
    }
    return true;
}

void DocumentController::quit()
{
    if (!closeAll())
        return;
    if (m_addressBook) {
        m_addressBook->setQuitting(true);
        const bool closed = m_addressBook->close();
        m_addressBook->setQuitting(false);
        if (!closed)
            return;
    }
    QApplication::quit();
}

} // namespace Quillary::Ui
