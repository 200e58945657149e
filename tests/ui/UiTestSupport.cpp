#include "UiTestSupport.h"

#include "TestSupport.h"
#include "documents/ProgressAlert.h"
#include "formats/ImportPanel.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "table/ReplaceAlertPanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace Quillary::Test {

void isolateUserSettings()
{
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QStandardPaths::setTestModeEnabled(true);
}

void resetUiSeams()
{
    // The progress window shows at once and closes when the work ends: its path is exercised
    // without waiting.
    Ui::ProgressAlert::setTimings(0, 0);
    Ui::MessageBox::clearAnswers();
    Ui::MessageBox::clearShown();
    Ui::FileDialog::clearNextFileNames();
    Ui::ImportPanel::clearNextSelection();
    Ui::ReplaceAlertPanel::clearNextAnswer();
}

QString copyData(const QTemporaryDir& dir, const QString& relative, const QString& name)
{
    const QString target = dir.filePath(name.isEmpty() ? QFileInfo(relative).fileName() : name);
    QFile::remove(target);
    if (!QFile::copy(dataPath(relative), target))
        qFatal("cannot copy %s", qPrintable(relative));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

} // namespace Quillary::Test
