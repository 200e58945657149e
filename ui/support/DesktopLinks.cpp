#include "DesktopLinks.h"

#include "support/PrivateFiles.h"
#include "table/WorkspaceLinks.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QUuid>

namespace Quillary::Ui::DesktopLinks {

namespace {

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> function;
    return function;
}

} // namespace

bool open(const QUrl& url)
{
    if (url.isEmpty())
        return false;
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}

bool openDate(const DateComponents& date, const QString& summary)
{
    if (!date.isValid())
        return false;
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@quillary");
    const QString path =
        PrivateFiles::write(summary + QStringLiteral(".ics"),
                            WorkspaceLinks::yearlyEvent(date, summary, uid, QDateTime::currentDateTimeUtc()));
    return !path.isEmpty() && open(QUrl::fromLocalFile(path));
}

void setOpener(std::function<bool(const QUrl&)> function)
{
    opener() = std::move(function);
}

} // namespace Quillary::Ui::DesktopLinks
