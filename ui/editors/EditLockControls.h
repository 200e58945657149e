#pragma once

#include <QObject>

class QFrame;
class QToolButton;
class QWidget;

namespace Quillary::Ui {

/// The Edit/Lock button and the red separator of edit mode that every editor window shows: the
/// button reads "Lock" and the separator is red while editing, "Edit" and grey otherwise.
struct EditLockControls
{
    QToolButton* button;
    QFrame* separator;

    /// Both made as children of `parent`, locked.
    static EditLockControls create(QWidget* parent);
    void show(bool editing) const;
};

} // namespace Quillary::Ui
