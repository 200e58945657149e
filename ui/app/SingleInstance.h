#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace Quillary::Ui {

/// What a second start of Quillary asks of the running one: open these files (absolute paths; a new
/// document when there are none) and end the start-up notification of the launch with its tokens.
struct InstanceRequest
{
    QStringList files;
    QByteArray startupId; ///< DESKTOP_STARTUP_ID of the launch (X11)
    QByteArray activationToken; ///< XDG_ACTIVATION_TOKEN of the launch (Wayland)

    [[nodiscard]] QByteArray toMessage() const;
    /// False for a message that is not a request (wrong JSON, a file that is not an absolute path).
    [[nodiscard]] static bool fromMessage(const QByteArray& message, InstanceRequest& request);
    /// The request of this process: the files of its command line and the tokens of its environment.
    [[nodiscard]] static InstanceRequest fromEnvironment(const QStringList& files);
};

/// The per-user socket of the running Quillary: "quillary/instance" under $XDG_RUNTIME_DIR (or under
/// a "quillary-runtime-UID" folder of the temporary folder when the session has no runtime folder).
/// The "quillary" folder is made readable only by the user (0700); one that belongs to someone else
/// is not used at all, so another user can neither receive nor plant requests.
namespace SingleInstance {
[[nodiscard]] QString socketPath();
/// Makes the folder of the socket owner-only; false when it is not the user's own or cannot be made.
bool prepareFolder(const QString& socketPath);
/// Hands the request to the running Quillary; false when none answers (within a second).
bool handOver(const InstanceRequest& request, const QString& socketPath = SingleInstance::socketPath());
} // namespace SingleInstance

/// The listening side, in the running Quillary: each request that arrives is answered and then
/// reported through requested(), on the event loop.
class InstanceServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstanceServer)

public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;

    /// Starts listening; false when another Quillary already listens there or the folder is not
    /// safe. A socket file left behind by a Quillary that ended is replaced.
    bool listen(const QString& socketPath = SingleInstance::socketPath());
    /// Stops listening and removes the socket.
    void close();

Q_SIGNALS:
    void requested(const Quillary::Ui::InstanceRequest& request);

private:
    void accept();
    void read(QLocalSocket* socket);

    QLocalServer* m_server;
};

} // namespace Quillary::Ui
