#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "quillary.ui.instance")

namespace Quillary::Ui {

namespace {

constexpr int AnswerTimeoutMs = 1000;
// A request names files; anything much longer is not one.
constexpr qsizetype MaximumMessageSize = 4 * 1024 * 1024;
const QByteArray Accepted = QByteArrayLiteral("ok\n");

QJsonArray toArray(const QStringList& list)
{
    QJsonArray array;
    for (const QString& item : list)
        array.append(item);
    return array;
}

} // namespace

QByteArray InstanceRequest::toMessage() const
{
    const QJsonObject object{{QStringLiteral("files"), toArray(files)},
                             {QStringLiteral("startupId"), QString::fromUtf8(startupId)},
                             {QStringLiteral("activationToken"), QString::fromUtf8(activationToken)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool InstanceRequest::fromMessage(const QByteArray& message, InstanceRequest& request)
{
    const QJsonDocument document = QJsonDocument::fromJson(message.trimmed());
    if (!document.isObject())
        return false;
    const QJsonObject object = document.object();
    InstanceRequest read;
    for (const QJsonValue file : object.value(u"files").toArray()) {
        if (!file.isString() || !QDir::isAbsolutePath(file.toString()))
            return false;
        read.files.append(file.toString());
    }
    read.startupId = object.value(u"startupId").toString().toUtf8();
    read.activationToken = object.value(u"activationToken").toString().toUtf8();
    request = read;
    return true;
}

InstanceRequest InstanceRequest::fromEnvironment(const QStringList& files)
{
    InstanceRequest request;
    for (const QString& file : files)
        request.files.append(QFileInfo(file).absoluteFilePath());
    request.startupId = qgetenv("DESKTOP_STARTUP_ID");
    request.activationToken = qgetenv("XDG_ACTIVATION_TOKEN");
    return request;
}

QString SingleInstance::socketPath()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QDir::tempPath() + u"/quillary-runtime-" + QString::number(::getuid());
    return runtime + u"/quillary/instance";
}

namespace {

// A folder (not a link) that belongs to the user: whoever owns a folder can swap what is inside it.
bool isOwnFolder(const QByteArray& path, mode_t* mode = nullptr)
{
    struct stat status
    {
    };
    if (::lstat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid())
        return false;
    if (mode)
        *mode = status.st_mode & 07777;
    return true;
}

} // namespace

bool SingleInstance::prepareFolder(const QString& socketPath)
{
    const QString folder = QFileInfo(socketPath).absolutePath();
    const QByteArray encoded = QFile::encodeName(folder);
    const QByteArray parent = QFile::encodeName(QFileInfo(folder).absolutePath());
    // mkdir gives the mode at once; the parent is made only for the fallback in the temporary folder.
    ::mkdir(parent.constData(), 0700);
    ::mkdir(encoded.constData(), 0700);
    mode_t mode = 0;
    if (!isOwnFolder(parent) || !isOwnFolder(encoded, &mode)) {
        qCWarning(lcInstance).noquote() << "not the user's own folder, no single instance:" << folder;
        return false;
    }
    return mode == 0700 || ::chmod(encoded.constData(), 0700) == 0;
}

bool SingleInstance::handOver(const InstanceRequest& request, const QString& socketPath)
{
    if (!QFileInfo::exists(socketPath))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return false;
    socket.write(request.toMessage());
    if (!socket.waitForBytesWritten(AnswerTimeoutMs))
        return false;
    QByteArray answer;
    while (answer.size() < Accepted.size() && socket.waitForReadyRead(AnswerTimeoutMs))
        answer += socket.readAll();
    return answer.startsWith(Accepted);
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // No socket options: with them the server is made aside and renamed into place, replacing the
    // socket of a Quillary that is running. The folder is owner-only, which guards the socket.
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen(const QString& socketPath)
{
    if (!SingleInstance::prepareFolder(socketPath))
        return false;
    if (m_server->listen(socketPath))
        return true;
    // A socket that no one answers on is what a Quillary that crashed leaves behind.
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(AnswerTimeoutMs))
        return false;
    QLocalServer::removeServer(socketPath);
    if (m_server->listen(socketPath))
        return true;
    qCWarning(lcInstance).noquote() << "cannot listen on" << socketPath << m_server->errorString();
    return false;
}

void InstanceServer::close()
{
    m_server->close();
}

void InstanceServer::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        // A client that never finishes its request is let go.
        QTimer::singleShot(10 * AnswerTimeoutMs, socket, &QLocalSocket::abort);
    }
}

void InstanceServer::read(QLocalSocket* socket)
{
    if (socket->bytesAvailable() > MaximumMessageSize) {
        socket->abort();
        return;
    }
    if (!socket->canReadLine())
        return;
    InstanceRequest request;
    if (!InstanceRequest::fromMessage(socket->readLine(MaximumMessageSize), request)) {
        socket->abort();
        return;
    }
    socket->write(Accepted);
    socket->disconnectFromServer();
    // Opening files may show alerts with event loops of their own: not from inside this slot.
    QTimer::singleShot(0, this, [this, request] { Q_EMIT requested(request); });
}

} // namespace Quillary::Ui
