#pragma once

#include <QCoreApplication>

namespace Quillary::Ui {

/// The translation context of the windows' texts outside QObjects: `Tr::tr("…")` in the
/// Quillary::Ui namespace, where it takes the place of the core's context.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillary::Ui)
};

} // namespace Quillary::Ui
