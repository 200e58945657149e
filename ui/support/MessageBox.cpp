#include "MessageBox.h"

#include "support/UiTr.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace Quillary::Ui {

namespace {

QList<int>& answers()
{
    static QList<int> queue;
    return queue;
}

QList<MessageBox::Record>& records()
{
    static QList<MessageBox::Record> list;
    return list;
}

} // namespace

std::optional<int> MessageBox::takeAnswer()
{
    if (answers().isEmpty())
        return std::nullopt;
    return answers().takeFirst();
}

int MessageBox::ask(QWidget* parent, const QString& message, const QString& informativeText, const QStringList& buttons,
                    int defaultButton, int escapeButton, QMessageBox::Icon icon)
{
    records().append({message, informativeText, buttons});
    if (const std::optional<int> answer = takeAnswer())
        return *answer;

    // Centred on the window it concerns, also when asked by a widget inside it or by no widget.
    QWidget* owner = parent ? parent->window() : QApplication::activeWindow();
    QMessageBox box(icon, QString(), message, QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("alert"));
    box.setInformativeText(informativeText);
    // A sheet: it blocks its own window only.
    box.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    QList<QAbstractButton*> created;
    for (const QString& title : buttons) {
        // Roles only place the buttons; the answer is the button's position in `buttons`.
        const auto role = created.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        created.append(box.addButton(title, role));
    }
    if (defaultButton >= 0 && defaultButton < created.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(created.at(defaultButton)));
    if (escapeButton >= 0 && escapeButton < created.size())
        box.setEscapeButton(created.at(escapeButton));
    box.exec();
    const int chosen = int(created.indexOf(box.clickedButton()));
    return chosen < 0 ? escapeButton : chosen;
}

bool MessageBox::confirm(QWidget* parent, const QString& message, const QString& informativeText)
{
    const QStringList buttons{Tr::tr("OK"), Tr::tr("Cancel")};
    return ask(parent, message, informativeText, buttons, 0, 1, QMessageBox::Question) == 0;
}

void MessageBox::alert(QWidget* parent, const QString& message, const QString& informativeText)
{
    ask(parent, message, informativeText, {Tr::tr("OK")}, 0, 0);
}

void MessageBox::setNextAnswer(int button)
{
    answers().append(button);
}

void MessageBox::clearAnswers()
{
    answers().clear();
}

const QList<MessageBox::Record>& MessageBox::shown()
{
    return records();
}

void MessageBox::clearShown()
{
    records().clear();
}

} // namespace Quillary::Ui
