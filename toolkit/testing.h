// Drives the program as a player would, for the tests and the tools. Mouse and keys enter at the control's
// window and go through the platform's own delivery (toolkit/testing.cpp, library velmora_testing): a
// window behind a modal form takes nothing, the mouse reaches the control under the point (not the one
// named, when another covers it), keys reach the window's focused control, and a disabled control, or one
// on a disabled parent, takes neither. A control's form that is not on screen is shown first (modelessly),
// as only a shown window takes input.
#pragma once
#include <functional>
#include <memory>
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

// Test mode: error boxes are recorded instead of shown, file dialogs take the test's answer, and a
// modal form runs its real loop with the test's function inside it (OnNextModal).
void Enable();
bool Enabled();

// Focuses the control, puts the caret at the end and types each character as a key press at its window
// ("\b" is Backspace, "\r" Enter, "\t" Tab, "\x1b" Escape, "\x16" Ctrl+V).
void TypeText(TControl* control, const std::string& text);
// The same keys, typed where the caret and the selection already are.
void TypeAtCaret(TControl* control, const std::string& text);
// The same keys, typed at the form's window: they reach whichever control has the focus there.
void TypeAtWindow(TForm* form, const std::string& text);
enum TKey {
  keyLeft, keyRight, keyUp, keyDown, keyHome, keyEnd, keyDelete, keyBackspace, keyEscape, keyEnter,
  keyTab, keyBacktab, keySpace,  // keyBacktab: Shift+Tab
  keyPageUp, keyPageDown, keyT, keyH  // with ssCtrl: Ctrl+T, Ctrl+H
};
// Focuses the control and presses the key, with Shift and Ctrl held as the state says.
void PressKey(TControl* control, TKey key, TShiftState shift = {});
// Puts the text on the clipboard and pastes it with the edit's own paste action (its context menu's) /
// drops it on the control; nothing happens where a player could not act (hidden, disabled, behind a
// modal form).
void Paste(TControl* control, const std::string& text);
void Drop(TControl* control, const std::string& text);
// Puts the text in the primary selection and clicks the middle button at the control's middle, as an
// X11 player pastes. False, with nothing pasted, where the platform has no primary selection (offscreen)
// or the selection could not be set.
bool PasteSelection(TControl* control, const std::string& text);
// The text of the clipboard / of the primary selection as another program receives it, in UTF-8 by the
// platform's own conversion ("" where the platform has no primary selection).
std::string ClipboardText(bool selection = false);

// Mouse press and release / a move at a point of the control (its client coordinates), delivered to
// whatever lies under that point of the window.
void PressMouse(TControl* control, TMouseButton button, int X, int Y);
void MoveMouse(TControl* control, int X, int Y);
// The left button pressed at one point, moved with it held to another, and released there.
void DragMouse(TControl* control, int X1, int Y1, int X2, int Y2);
// A left double click at a point.
void DoubleClickMouse(TControl* control, int X, int Y);
// The mouse moves onto the control / off it, to the window just outside it.
void EnterMouse(TControl* control);
void LeaveMouse(TControl* control);
// Clicks a button or a tool button at its middle; a menu item by opening its menu from the menu bar
// and clicking the item there.
void Click(TComponent* component);

// The close box of the form's title bar, pressed as the window system reports it: refused while a
// modal form blocks the window. Nothing happens to a form that is not on screen.
void CloseBox(TForm* form);

// The window of the form minimised, or restored from that, as the window manager does it.
void Minimize(TForm* form, bool minimized);

// The next file dialog returns that name, or is cancelled (nullopt).
void AnswerFileDialog(std::optional<std::string> name);
// The next print dialog prints to that PDF file on that paper ("A4" or "Letter"), or is cancelled
// (nullopt); with no answer waiting it is cancelled. The print module loads as it does for a player.
void AnswerPrintDialog(std::optional<std::string> pdf, const std::string& paper = "A4");
// The save dialog's next question whether to replace an existing file gets that answer: no goes back
// to the dialog (cancelled, unless another file dialog answer waits). A question with no answer
// waiting is answered yes: the test saves over the file on purpose. The questions asked so far.
void AnswerReplace(bool replace);
std::vector<std::string> ReplaceQuestions();
void ClearReplaceQuestions();
// Runs f inside the next modal form once it is shown, from within its real nested event loop and with
// its real modality in force; one pending function at a time (a new call replaces it, nullptr clears
// it). A modal form that opens with nothing pending is closed from inside its loop, and one that is
// still open when f returns is closed, so no test can hang. What f throws, ShowModal throws on after
// the form has closed.
void OnNextModal(std::function<void(TForm*)> f);
// The forms shown modally so far, in order.
std::vector<TForm*> ModalForms();
void ClearModalForms();

// Messages of the error boxes shown so far (they do not block in tests).
std::vector<std::string> ErrorBoxes();
void ClearErrorBoxes();
// Messages of the other message boxes (ShowMessage) shown so far.
std::vector<std::string> MessageBoxes();
void ClearMessageBoxes();

// Makes the next file write fail as a full or failing disk would, with the system error `error`
// (ENOSPC, EIO, EROFS, ...): with afterBytes < 0 the file cannot be created at all; otherwise the
// first afterBytes bytes of the new content are written and then the write fails. One write only.
void FailNextWrite(int error, long long afterBytes = -1);
// Makes the next exclusive lock (a record lock, or a write's temporary file) fail with the system
// error `error` (ENOLCK, ...), as on a file system without locks. `meanwhile`, if given, runs once when
// the holder that went on without the lock reads the file again just before writing it: another
// copy's write at the worst moment.
void FailNextLock(int error, std::function<void()> meanwhile = nullptr);
// Makes the next write's sync of its folder, after the rename, fail with `error`.
void FailNextFolderSync(int error);

// A picture of the control's pixels as they are drawn.
class Picture {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00BBGGRR of a pixel.
  TColor Pixel(int x, int y) const;
  bool Save(const std::string& fileName) const;
  bool operator==(const Picture&) const = default;

 private:
  friend Picture Grab(TControl*);
  int width_ = 0, height_ = 0;
  std::vector<TColor> pixels_;
};
Picture Grab(TControl* control);

// Whether the control's window is on screen now: shown by the platform, not only marked visible.
bool OnScreen(TControl* control);
// The platform the application runs on: "offscreen", "xcb", ...
std::string Platform();

// Delivers one tick of a timer, as the platform would; false when the timer is not running.
bool Tick(TTimer* timer);
// Runs the event loop, timers and all, until the condition holds (true) or `ms` milliseconds have passed
// (false, the condition asked once more at the end).
bool WaitFor(const std::function<bool()>& condition, int ms);

// What assistive technology (a screen reader) is told of a control and of what lies inside it, the
// parts it paints itself among them. Role is the platform's word ("text", "button", "label", ...).
struct AccessibleObject {
  std::string Role, Name, Description, Value;
  bool ReadOnly = false, Enabled = true;
  // Of a text: where its caret is, and the line it lies on as a screen reader reads lines (as shown,
  // wrapped at the edge, with its line break); -1 and "" for anything else.
  int Caret = -1;
  std::string Line;
  // The object names its real parent and its real index in that parent (as each child is reached).
  bool Linked = true;
  std::vector<AccessibleObject> Children;
};
AccessibleObject Accessible(TControl* control);

// What a screen reader asks of a text through its accessible text interface, as it asks after each
// caret move: the piece at an offset, or the piece before or after that one, by a boundary, with its
// offsets (in the platform's UTF-16 units).
enum TTextBoundary { tbChar, tbWord, tbSentence, tbLine, tbParagraph, tbWhole };
enum TTextSide { tsAt, tsBefore, tsAfter };
struct TextPiece {
  std::string Text;
  int Start = -1, End = -1;
  bool operator==(const TextPiece&) const = default;
};
// A text as assistive technology reaches it: a control's, entry `item` of a list control's, or the
// name box of the open or save dialog as the game makes it (made for the asking, never shown).
class AccessibleText {
 public:
  explicit AccessibleText(TControl* control, int item = -1);
  static AccessibleText FileDialogName(bool save, const std::string& name);
  AccessibleText(AccessibleText&&) noexcept;
  ~AccessibleText();
  // In UTF-16 units; -1 where there is no accessible text.
  int Length() const;
  TextPiece Piece(TTextSide side, TTextBoundary boundary, int offset) const;

 private:
  AccessibleText();
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// What assistive technology is told while a test listens, one line an event, in order: "caret 5" (a
// text's caret moved to 5), "selection 2 4" (its selection is now 2..4; "selection 3 3": none),
// "inserted 1 7" / "removed 1 7" (text at 1), "focus NAME" and "notice TEXT" (a notification shown:
// what a screen reader speaks). Listening makes the layer tell as it does to a screen reader;
// StopListening ends it and gives what was heard.
void Listen();
std::vector<std::string> Heard();
std::vector<std::string> StopListening();

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
