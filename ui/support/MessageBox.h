#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace Quillary::Ui {

/// The alerts of the application: a message text, an informative text and buttons, shown as a
/// window-modal dialog (a sheet) over the window they concern. Every alert goes through here, so
/// that tests can answer them in advance and read what was asked.
class MessageBox final
{
public:
    MessageBox() = delete;

    /// An alert with buttons titled `buttons`; answers the index of the button chosen, or
    /// `escapeButton` when the alert was dismissed.
    static int ask(QWidget* parent, const QString& message, const QString& informativeText, const QStringList& buttons,
                   int defaultButton = 0, int escapeButton = -1, QMessageBox::Icon icon = QMessageBox::Warning);
    /// "OK" and "Cancel": true for "OK".
    static bool confirm(QWidget* parent, const QString& message, const QString& informativeText);
    /// An alert with "OK" only.
    static void alert(QWidget* parent, const QString& message, const QString& informativeText = {});

    // For tests: the answers of the next alerts (button indexes, first the next one), and what
    // the alerts said. An alert with no answer waiting is shown.
    struct Record
    {
        QString message;
        QString informativeText;
        QStringList buttons;
    };
    static void setNextAnswer(int button);
    static void clearAnswers();
    [[nodiscard]] static const QList<Record>& shown();
    static void clearShown();

private:
    static std::optional<int> takeAnswer();
};

} // namespace Quillary::Ui
