#include "Translations.h"

#include "support/DataFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace Quillary::Ui::Translations {

namespace {

std::unique_ptr<QTranslator>& installed(int which)
{
    static std::unique_ptr<QTranslator> translators[2];
    return translators[which];
}

bool load(int which, const QLocale& locale, const QString& name, const QString& folder)
{
    std::unique_ptr<QTranslator>& slot = installed(which);
    if (slot) {
        QCoreApplication::removeTranslator(slot.get());
        slot.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    if (folder.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), folder))
        return false;
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
}

} // namespace

bool install(const QLocale& locale)
{
    load(0, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Any of the translations shipped will do to find their folder.
    const QString shipped = DataFiles::locate(QStringLiteral("translations/quillary_ja.qm"));
    return load(1, locale, QStringLiteral("quillary"),
                shipped.isEmpty() ? QString() : QFileInfo(shipped).absolutePath());
}

} // namespace Quillary::Ui::Translations
