#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace Quillary::Ui::InitialsAvatar {

/// The initials a contact without a photo is shown with: the first letters of the first and the
/// last word of its name ("Bob Brown" → "BB"), or only the first character when the name is
/// written in Chinese characters or kana, whose names are not abbreviated that way ("山田 太郎" →
/// "山"). "" for an empty name.
[[nodiscard]] QString initials(const QString& name);

/// The placeholder's colour: taken from the name, so that a contact keeps it from run to run, and
/// dark enough for white initials in both light and dark palettes.
[[nodiscard]] QColor colorFor(const QString& name);

/// A round placeholder with the initials, `side` pixels wide at the device pixel ratio given.
[[nodiscard]] QPixmap paint(const QString& name, int side, qreal devicePixelRatio, const QFont& font);

} // namespace Quillary::Ui::InitialsAvatar
