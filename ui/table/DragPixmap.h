#pragma once

#include <QPixmap>

class QWidget;

namespace Quillary::Ui::DragPixmap {

/// The picture that follows the pointer while rows are dragged: a rounded badge saying how many
/// contacts go ("3 contacts", or the contact's name when there is one), in the widget's palette
/// and font.
[[nodiscard]] QPixmap forContacts(int count, const QString& firstName, const QWidget* widget);

} // namespace Quillary::Ui::DragPixmap
