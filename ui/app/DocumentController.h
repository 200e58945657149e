#pragma once

#include "ReadAheads.h"

#include "documents/DocumentHost.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class QMenu;
class QWidget;

namespace Quillary {
class Preferences;
}

namespace Quillary::Ui {

class AddressBookWindow;
class DocumentWindow;

/// The application's documents: one window per open file or new document, created by File > New,
/// File > Open… (with the encoding pop-up), Open Recent and the command line. Opening a file that
/// is already open brings its window to the front.
class DocumentController final : public QObject, public DocumentHost
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentController)

public:
    explicit DocumentController(Preferences& preferences, QObject* parent = nullptr);
    ~DocumentController() override;

    [[nodiscard]] Preferences& preferences() const { return m_preferences; }
    [[nodiscard]] QList<DocumentWindow*> windows() const;
    [[nodiscard]] DocumentWindow* windowForPath(const QString& path) const;

    /// A new, empty vCard document in a window of its own.
    DocumentWindow* newDocument() override;
    /// Reads a file in an encoding ("auto" detects it) and shows it; alerts and answers null when
    /// the file cannot be read or the reading is cancelled.
    DocumentWindow* openDocument(const QString& path, const QByteArray& encoding = "auto",
                                 QWidget* alertParent = nullptr);
    /// Starts reading a large vCard file that openDocument() will open soon, so that it is read
    /// while the caller makes other windows; takes over the reading started earlier for it, if any.
    void readAhead(const QString& path, ReadAheads* startedEarlier = nullptr);
    /// File > Open…: the open panel with the encoding pop-up, then every file chosen.
    void openDocumentWithPanel(QWidget* parent) override;
    void fillRecentMenu(QMenu* menu, QWidget* parent) override;
    /// The application's main window, which quitting closes after the documents.
    void setAddressBookWindow(AddressBookWindow* window);
    [[nodiscard]] AddressBookWindow* addressBookWindow() const;
    /// Closes every document window (each may refuse).
    bool closeAll();
    void quit() override;

Q_SIGNALS:
    void windowOpened(Quillary::Ui::DocumentWindow* window);

private:
    DocumentWindow* show(DocumentWindow* window);

    Preferences& m_preferences;
    ReadAheads m_readAheads;
    QList<QPointer<DocumentWindow>> m_windows;
    QPointer<AddressBookWindow> m_addressBook;
};

} // namespace Quillary::Ui
