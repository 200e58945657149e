#pragma once

#include <QLocale>

namespace Quillary::Ui::Translations {

/// Installs the translations of the user interface for a locale (the system's: LANG, LC_ALL,
/// LC_MESSAGES): Quillary's own, from "translations" beside the shipped tables, and Qt's, for
/// its standard dialogs and buttons. Translations installed before are removed first, so that a
/// later call switches the language. Answers whether Quillary's own were found (English needs none).
bool install(const QLocale& locale = QLocale::system());
/// Whether install() would make any text read otherwise than in English for a locale; also before
/// the application object exists. Texts made before then (by reading that starts early) are the
/// same either way only when it would not.
[[nodiscard]] bool wouldTranslate(const QLocale& locale = QLocale::system());

} // namespace Quillary::Ui::Translations
