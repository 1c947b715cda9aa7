// The X frame request: _NET_REQUEST_FRAME_EXTENTS sent, _NET_FRAME_EXTENTS looked for from the event loop.
#include "toolkit/FrameRequest_p.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef VELMORA_XCB
#include <xcb/xcb.h>
#endif

namespace toolkit {

#ifdef VELMORA_XCB
namespace {
using Property = std::unique_ptr<xcb_get_property_reply_t, decltype(&free)>;

// The X server's own answers (an atom, a property) come at once; only the window manager's is waited
// for through the event loop.
xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, false, std::strlen(name), name), nullptr), &free);
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Property Get(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type, uint32_t length) {
  return Property(xcb_get_property_reply(c, xcb_get_property(c, false, window, name, type, 0, length), nullptr), &free);
}
}  // namespace

bool RequestFrame(QWidget* w, std::function<void(std::optional<QMargins>)> answer) {
  // Only Qt's X platform: the offscreen one may offer an X interface too, with no connection behind it.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection()) return false;
  xcb_connection_t* c = x11->connection();
  const xcb_window_t window = w->winId();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS"), extents = Atom(c, "_NET_FRAME_EXTENTS");
  Property supported = Get(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
  if (!supported || supported->format != 32 || request == XCB_ATOM_NONE) return false;
  auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
  if (std::find(atoms, atoms + supported->value_len, request) == atoms + supported->value_len) return false;

  xcb_delete_property(c, window, extents);  // an answer to an earlier showing is not this one's
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = request;
  xcb_send_event(c, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);

  // The answer usually comes within a few milliseconds: looked for every 5 ms, from the event loop, by
  // a timer that the window owns, so that it ends with the window.
  auto* poll = new QTimer(w);
  poll->setInterval(5);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  QObject::connect(poll, &QTimer::timeout, w, [=, answer = std::move(answer)] {
    std::optional<QMargins> frame;
    Property value = Get(c, window, extents, XCB_ATOM_CARDINAL, 4);
    if (value && value->format == 32 && value->value_len == 4) {
      auto* v = static_cast<const uint32_t*>(xcb_get_property_value(value.get()));  // left, right, top, bottom
      const qreal ratio = w->devicePixelRatioF();
      auto px = [ratio](uint32_t n) { return qRound(n / ratio); };
      frame = QMargins(px(v[0]), px(v[2]), px(v[1]), px(v[3]));
    } else if (std::chrono::steady_clock::now() < deadline) {
      return;
    }
    poll->stop();
    poll->deleteLater();
    answer(frame);
  });
  poll->start();
  return true;
}
#else
bool RequestFrame(QWidget*, std::function<void(std::optional<QMargins>)>) { return false; }
#endif

}  // namespace toolkit
