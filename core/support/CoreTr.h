#pragma once

#include <QCoreApplication>

namespace Quillary {

/// The translation context of every user-visible text of the core: `Tr::tr("…")` in any code of
/// the Quillary namespace that is not a QObject.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Core)
};

} // namespace Quillary
