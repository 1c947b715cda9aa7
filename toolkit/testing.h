// Drives the program as a player would, through real platform input events, for the tests.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Types.h"

namespace toolkit {
class TComponent;
class TControl;
class TForm;
class TTimer;
}

namespace toolkit::testing {

// Test mode: error boxes are recorded instead of shown, and modal forms never wait for a person.
void Enable();
bool Enabled();

// Focuses the control, puts the caret at the end and types each character as a key press
// ("\b" is Backspace, "\r" Enter, "\t" Tab, "\x1b" Escape, "\x16" Ctrl+V).
void TypeText(TControl* control, const std::string& text);
// The same keys, typed where the caret and the selection already are.
void TypeAtCaret(TControl* control, const std::string& text);
enum TKey { keyLeft, keyRight, keyUp, keyDown, keyHome, keyEnd, keyDelete, keyBackspace, keyEscape, keyEnter };
// Focuses the control and presses the key, with Shift and Ctrl held as the state says.
void PressKey(TControl* control, TKey key, TShiftState shift = {});
// Puts the text on the clipboard and pastes it with the platform's paste action / drops it on the control.
void Paste(TControl* control, const std::string& text);
void Drop(TControl* control, const std::string& text);

// Mouse press and release / a move at a point of the control (its client coordinates).
void PressMouse(TControl* control, TMouseButton button, int X, int Y);
void MoveMouse(TControl* control, int X, int Y);
// The left button pressed at one point, moved with it held to another, and released there.
void DragMouse(TControl* control, int X1, int Y1, int X2, int Y2);
// A left double click at a point.
void DoubleClickMouse(TControl* control, int X, int Y);
void EnterMouse(TControl* control);
void LeaveMouse(TControl* control);
// Clicks a button, a tool button or a menu item.
void Click(TComponent* component);

// The next file dialog returns that name, or is cancelled (nullopt).
void AnswerFileDialog(std::optional<std::string> name);
// Runs f inside the next modal form once it is shown; one pending function at a time (a new call
// replaces it, nullptr clears it). A modal form that opens with nothing pending closes at once, and
// one that is still open when f returns is closed, so no test can hang.
void OnNextModal(std::function<void(TForm*)> f);
// The forms shown modally so far, in order.
std::vector<TForm*> ModalForms();
void ClearModalForms();

// Messages of the error boxes shown so far (they do not block in tests).
std::vector<std::string> ErrorBoxes();
void ClearErrorBoxes();

// Makes the next file write fail as a full or failing disk would, with the system error `error`
// (ENOSPC, EIO, EROFS, ...): with afterBytes < 0 the file cannot be created at all; otherwise the
// first afterBytes bytes of the new content are written and then the write fails. One write only.
void FailNextWrite(int error, long long afterBytes = -1);

// A picture of the control's pixels as they are drawn.
class Picture {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00BBGGRR of a pixel.
  TColor Pixel(int x, int y) const;
  bool Save(const std::string& fileName) const;

 private:
  friend Picture Grab(TControl*);
  int width_ = 0, height_ = 0;
  std::vector<TColor> pixels_;
};
Picture Grab(TControl* control);

// Delivers one tick of a timer, as the platform would; false when the timer is not running.
bool Tick(TTimer* timer);

// What assistive technology (a screen reader) is told of a control and of what lies inside it, the
// parts it paints itself among them. Role is the platform's word ("text", "button", "label", ...).
struct AccessibleObject {
  std::string Role, Name, Description, Value;
  bool ReadOnly = false, Enabled = true;
  std::vector<AccessibleObject> Children;
};
AccessibleObject Accessible(TControl* control);

// One item of a pop-up menu as it is shown; a separator has the caption "-".
struct MenuEntry {
  std::string Caption;
  bool Enabled;
};
// Opens the control's context menu as a right click at a point does, chooses the item with the
// caption `choose` as the player would (nothing: the menu is closed unchosen), and gives the items
// the menu showed.
std::vector<MenuEntry> ContextMenu(TControl* control, int X, int Y, const std::string& choose = {});
// Turns the mouse wheel over a point of the control by `notches` (positive: away from the player).
void TurnWheel(TControl* control, int X, int Y, int notches);

}  // namespace toolkit::testing
