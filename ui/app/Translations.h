#pragma once

#include <QLocale>

namespace Quillary::Ui::Translations {

/// Installs the translations of the user interface for a locale (the system's: LANG, LC_ALL,
/// LC_MESSAGES): Quillary's own, from "translations" beside the shipped tables, and Qt's, for
/// its standard dialogs and buttons. Translations installed before are removed first, so that a
/// later call switches the language. Answers whether Quillary's own were found (English needs none).
bool install(const QLocale& locale = QLocale::system());

} // namespace Quillary::Ui::Translations
