#include "StartupNotification.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>

namespace Quillary::Ui {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, false, std::strlen(name), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The protocol's messages are NUL-terminated texts sent to the root window 20 bytes at a time, the
// first piece as _NET_STARTUP_INFO_BEGIN and the rest as _NET_STARTUP_INFO; values are quoted, with
// backslashes before quotes and backslashes.
void sendRemoveMessage(xcb_connection_t* connection, xcb_window_t sender, const QByteArray& startupId)
{
    QByteArray escaped = startupId;
    escaped.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray message = "remove: ID=\"" + escaped + "\"" + QByteArray(1, '\0');
    const xcb_atom_t begin = internAtom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = internAtom(connection, "_NET_STARTUP_INFO");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE || !screen)
        return;
    for (qsizetype offset = 0; offset < message.size(); offset += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = offset == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + offset, std::min<qsizetype>(20, message.size() - offset));
        xcb_send_event(connection, false, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
}

} // namespace

void activateForLaunch(QWidget* window, const QByteArray& startupId, const QByteArray& activationToken)
{
    if (!window)
        return;
    if (!activationToken.isEmpty() && QGuiApplication::platformName() == u"wayland")
        qputenv("XDG_ACTIVATION_TOKEN", activationToken); // used and cleared by the next activation
    window->show();
    window->raise();
    window->activateWindow();
    if (startupId.isEmpty())
        return;
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        sendRemoveMessage(x11->connection(), static_cast<xcb_window_t>(window->winId()), startupId);
}

} // namespace Quillary::Ui
