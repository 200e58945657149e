#include "DesktopLinks.h"

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
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@quillary");
    return open(WorkspaceLinks::yearlyEventFile(date, summary, uid, QDateTime::currentDateTimeUtc()));
}

void setOpener(std::function<bool(const QUrl&)> function)
{
    opener() = std::move(function);
}

} // namespace Quillary::Ui::DesktopLinks
