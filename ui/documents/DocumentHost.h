#pragma once

class QMenu;
class QWidget;

namespace Quillary::Ui {

class DocumentWindow;

/// What a document window asks of the application that keeps the open documents: the File menu's
/// New, Open…, Open Recent and Quit. The window knows the application only through this.
class DocumentHost
{
public:
    /// A new, empty document in a window of its own.
    virtual DocumentWindow* newDocument() = 0;
    /// File > Open…: the open panel, then a window for every file chosen.
    virtual void openDocumentWithPanel(QWidget* parent) = 0;
    /// Fills the "Open Recent" menu.
    virtual void fillRecentMenu(QMenu* menu, QWidget* parent) = 0;
    /// Closes every window (each may refuse) and ends the application when none is left.
    virtual void quit() = 0;

protected:
    ~DocumentHost() = default;
};

} // namespace Quillary::Ui
