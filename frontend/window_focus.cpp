#include "window_focus.hpp"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#if defined(YINSHI_HAVE_XCB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace yinshi::frontend {

#if defined(YINSHI_HAVE_XCB) && QT_CONFIG(xcb)
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool HasProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1), nullptr),
        &std::free);
    return reply && reply->type != XCB_ATOM_NONE;
}

bool OfProcess(xcb_connection_t* c, xcb_window_t w, xcb_atom_t pidAtom, uint32_t pid) {
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr), &std::free);
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 4 &&
           *static_cast<uint32_t*>(xcb_get_property_value(reply.get())) == pid;
}

bool Viewable(xcb_connection_t* c, xcb_window_t w) {
    Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The process's window among the children of `parent`, down to `depth` levels (a window
// manager puts each top-level window into a frame of its own).
xcb_window_t FindWindow(xcb_connection_t* c, xcb_window_t parent, xcb_atom_t pidAtom, uint32_t pid, int depth) {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr), &std::free);
    if (!tree) return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = count - 1; i >= 0; --i) {  // topmost first
        if (OfProcess(c, children[i], pidAtom, pid) && Viewable(c, children[i])) return children[i];
        if (depth > 0) {
            if (xcb_window_t found = FindWindow(c, children[i], pidAtom, pid, depth - 1)) return found;
        }
    }
    return XCB_WINDOW_NONE;
}

void Focus(xcb_connection_t* c, xcb_window_t root, xcb_window_t w) {
    if (HasProperty(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"))) {
        // Source 2, a pager: window managers honour it without their focus-stealing rules.
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = w;
        event.type = Atom(c, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 2;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    } else {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        // When the terminal goes, the focus follows the pointer again.
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
    }
    xcb_flush(c);
}

}  // namespace

void FocusWindowOfProcess(qint64 pid, int timeoutMs) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || pid <= 0) return;
    xcb_connection_t* c = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const xcb_atom_t pidAtom = Atom(c, "_NET_WM_PID");
    if (pidAtom == XCB_ATOM_NONE) return;

    auto* timer = new QTimer(qGuiApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        // The application may be on its way out; the connection is then gone.
        auto* now = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!now || now->connection() != c) {
            timer->deleteLater();
            return;
        }
        if (xcb_window_t w = FindWindow(c, root, pidAtom, static_cast<uint32_t>(pid), 2)) {
            Focus(c, root, w);
            timer->stop();
            timer->deleteLater();
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(50);
}

#else

void FocusWindowOfProcess(qint64, int) {}

#endif

}  // namespace yinshi::frontend
