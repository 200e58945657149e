#pragma once

#include "support/FileDialog.h"

#include <QByteArray>
#include <QStringList>

class QWidget;

namespace Quillary {
class Preferences;
}

namespace Quillary::Ui {

/// An open panel with the "Encoding:" pop-up below its file list: the files chosen and the
/// encoding to read them in ("auto" for Automatic). The user's list of encodings is kept in the
/// preferences as the pop-up's panel changes it.
struct EncodedOpenPanel
{
    QStringList paths; ///< empty when cancelled
    QByteArray encoding;

    [[nodiscard]] static EncodedOpenPanel run(QWidget* parent, FileDialog::Options options, Preferences& preferences);
};

} // namespace Quillary::Ui
