#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

class QLineEdit;

namespace Quillary::Ui {
class ContactWindow;
class DocumentController;
class DocumentWindow;
} // namespace Quillary::Ui

namespace Quillary::Test {

/// Settings in a folder of their own for the whole run (the user's are never touched), quick
/// progress windows, and no alert or panel left unanswered (nor URL caught) from a previous test.
void isolateUserSettings();
void resetUiSeams();
/// Keeps the URLs the windows open instead of giving them to the desktop (until the next test).
QList<QUrl>& catchOpenedUrls();

/// A copy of a file of tests/data in `dir`, which the test may change.
QString copyData(const QTemporaryDir& dir, const QString& relative, const QString& name = {});

/// Opens a copy of a file of tests/data in a shown window that does not autosave.
Ui::DocumentWindow* openCopy(Ui::DocumentController& controller, const QTemporaryDir& dir, const QString& relative);

// Reading and driving a window's table.
/// The first row of the contact of that name; -1 when it has none.
int rowOf(Ui::ContactWindow* window, const QString& name);
/// What a cell of a column shows.
QString cellText(Ui::ContactWindow* window, int row, const QString& identifier);
/// The contacts of the rows, each once, in row order.
QStringList namesInOrder(Ui::ContactWindow* window);
void selectRows(Ui::ContactWindow* window, const QList<int>& rows);
/// The text field open in a cell, if any.
QLineEdit* cellEditor(Ui::ContactWindow* window);
/// Double-clicks the text of a cell, as the user starts editing it (with Ctrl: `modifiers`).
void doubleClickCell(Ui::ContactWindow* window, int row, const QString& identifier,
                     Qt::KeyboardModifiers modifiers = {});

} // namespace Quillary::Test
