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

/// The translator of a catalogue for a locale, or none when the folder has no catalogue for it.
std::unique_ptr<QTranslator> found(const QLocale& locale, const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (folder.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), folder))
        return nullptr;
    return translator;
}

bool load(int which, const QLocale& locale, const QString& name, const QString& folder)
{
    std::unique_ptr<QTranslator>& slot = installed(which);
    if (slot) {
        QCoreApplication::removeTranslator(slot.get());
        slot.reset();
    }
    std::unique_ptr<QTranslator> translator = found(locale, name, folder);
    if (!translator)
        return false;
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
}

QString qtFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QString ownFolder()
{
    // Any of the translations shipped will do to find their folder.
    const QString shipped = DataFiles::locate(QStringLiteral("translations/quillary_ja.qm"));
    return shipped.isEmpty() ? QString() : QFileInfo(shipped).absolutePath();
}

} // namespace

bool install(const QLocale& locale)
{
    load(0, locale, QStringLiteral("qtbase"), qtFolder());
    return load(1, locale, QStringLiteral("quillary"), ownFolder());
}

bool wouldTranslate(const QLocale& locale)
{
    if (found(locale, QStringLiteral("quillary"), ownFolder()))
        return true;
    // Qt has an English catalogue too (qtbase_en.qm, which names no language), for the plural forms
    // of its own texts: they read the same.
    const std::unique_ptr<QTranslator> qt = found(locale, QStringLiteral("qtbase"), qtFolder());
    if (!qt)
        return false;
    const QString name = QFileInfo(qt->filePath()).completeBaseName();
    return name != u"qtbase_en" && !name.startsWith(u"qtbase_en_");
}

} // namespace Quillary::Ui::Translations
