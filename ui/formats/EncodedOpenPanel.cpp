#include "EncodedOpenPanel.h"

#include "EncodingAccessory.h"
#include "documents/Preferences.h"
#include "formats/EncodingAccessoryModel.h"

namespace Quillary::Ui {

EncodedOpenPanel EncodedOpenPanel::run(QWidget* parent, FileDialog::Options options, Preferences& preferences)
{
    EncodingAccessoryModel encodings(preferences.encodings());
    QObject::connect(&encodings, &EncodingAccessoryModel::encodingsSaved, &preferences, &Preferences::setEncodings);
    EncodingAccessory accessory(&encodings);
    options.accessory = &accessory;
    EncodedOpenPanel chosen;
    chosen.paths = FileDialog::getOpenFileNames(parent, options);
    chosen.encoding = encodings.encodingNameForReading();
    return chosen;
}

} // namespace Quillary::Ui
