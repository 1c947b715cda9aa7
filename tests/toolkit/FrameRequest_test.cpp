// A window centred on the screen under an X window manager that says it tells frames but never answers:
// the game goes on while it waits, and the window shows all the same. Runs on an X server of its own
// (the test "frame_request_unanswered"); on the offscreen platform there is no window manager to ask.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {
xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, false, std::strlen(name), name), nullptr);
  xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}
}  // namespace

TEST(FrameRequest, AWindowManagerThatNeverAnswersHoldsNeitherTheGameNorTheWindow) {
  if (tt::Platform() != "xcb") GTEST_SKIP() << "needs Qt's X platform (run by the test frame_request_unanswered)";
  // The root window claims _NET_REQUEST_FRAME_EXTENTS, and no window manager runs to answer it.
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  ASSERT_FALSE(xcb_connection_has_error(c));
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_atom_t supported = Atom(c, "_NET_SUPPORTED"), request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, supported, XCB_ATOM_ATOM, 32, 1, &request);
  xcb_flush(c);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // the property is set

  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  form.set_Position(poScreenCenter);
  int ticks = 0;
  TTimer timer(&form);
  timer.set_Interval(10);
  timer.set_OnTimer([&](TObject*) { ++ticks; });
  form.Show();
  bool shownAtOnce = tt::OnScreen(&form);
  // The game's own events go on while the window waits for an answer that never comes; it shows
  // when the wait ends. (Ten seconds only guard against a window that never shows.)
  int ticksBeforeShown = 0;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!tt::OnScreen(&form) && std::chrono::steady_clock::now() < end) {
    ticksBeforeShown = ticks;
    Application->ProcessMessages();
  }
  EXPECT_FALSE(shownAtOnce) << "the window showed before the window manager could answer";
  EXPECT_GT(ticksBeforeShown, 0) << "the game stood still while it waited for the window manager";
  EXPECT_TRUE(tt::OnScreen(&form));

  xcb_delete_property(c, root, supported);
  xcb_disconnect(c);
}
