#include "JapaneseFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace Quillary::JapaneseFont {

QString family(const QString& chosen)
{
    // Font families come from the platform integration, which only a GUI application has.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return chosen;
    if (!chosen.isEmpty() && QFontDatabase::hasFamily(chosen))
        return chosen;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    // Mincho faces first: addresses on postcards are traditionally set in them.
    for (const char* preferred : {"Noto Serif CJK JP", "IPAexMincho", "IPAMincho", "Noto Sans CJK JP", "IPAexGothic",
                                  "IPAGothic", "TakaoMincho", "TakaoGothic"}) {
        const QString name = QString::fromLatin1(preferred);
        if (japanese.contains(name))
            return name;
    }
    return japanese.isEmpty() ? chosen : japanese.first();
}

} // namespace Quillary::JapaneseFont
