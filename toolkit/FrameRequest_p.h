// Asking the X window manager what frame it will put round a window before the window is shown.
// Included by toolkit/*.cpp only.
//
// What it promises: nothing here waits on the window manager. RequestFrame sends the request and
// returns; the answer is looked for from the event loop, and given to `answer` once, from the event
// loop: the frame in the window's own pixels (left, top, right, bottom), or nothing when no answer came
// within a second. Nothing is called when the window is destroyed first. Where no X window manager
// offers the request (another platform, no window manager, one without this part of the desktop
// standard), RequestFrame returns false at once and never calls `answer`.
#pragma once
#include <QMargins>
#include <functional>
#include <optional>

class QWidget;

namespace toolkit {

bool RequestFrame(QWidget* w, std::function<void(std::optional<QMargins>)> answer);

}  // namespace toolkit
