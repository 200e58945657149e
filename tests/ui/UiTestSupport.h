#pragma once

#include <QString>
#include <QTemporaryDir>

namespace Quillary::Test {

/// Settings in a folder of their own for the whole run (the user's are never touched), quick
/// progress windows, and no alert or panel left unanswered from a previous test.
void isolateUserSettings();
void resetUiSeams();

/// A copy of a file of tests/data in `dir`, which the test may change.
QString copyData(const QTemporaryDir& dir, const QString& relative, const QString& name = {});

} // namespace Quillary::Test
