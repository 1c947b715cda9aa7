// The layer's private side: the Qt widgets behind the controls. Included by toolkit/*.cpp only.
#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

class QAccessibleEvent;
class QAction;
class QEventLoop;
class QFileDialog;
class QMenuBar;
class QPainter;

namespace toolkit {

struct CanvasPainter {
  QPainter* painter;
};

struct MenuItemHandle {
  QPointer<QAction> action;
};

struct ControlHandle {
  QWidget* widget = nullptr;  // placed in the parent's client widget, or top-level
  QWidget* client = nullptr;  // where the children's widgets live
  QWidget* input = nullptr;   // receives mouse input in client coordinates (a scroll area's viewport)
  QMenuBar* menuBar = nullptr;
  QEventLoop* modalLoop = nullptr;
};

// The layer's text (UTF-8) as the platform's and back. A kept byte (toolkit/SysUtils.h) becomes the one
// UTF-16 unit of its lone surrogate, which the platform draws as one replacement character and edits as
// one character, and comes back as the same escape. QString's own UTF-8 conversions would make three
// replacement characters of it on the way in and "?" on the way out.
QString ToQString(const std::string& s);
std::string FromQString(const QString& s);
// The same for text that leaves the program in UTF-8 (a window title, what a screen reader hears),
// where a lone surrogate would become "?": a kept byte is the replacement character itself.
QString ToOutsideQString(const std::string& s);
// Platform text made fit to leave the program: every unpaired surrogate (a kept byte) becomes the
// replacement character the screen shows for it.
QString OutsideText(QString s);
// From then on, text that the program puts on the clipboard or in the primary selection carries the
// replacement character for a kept byte, whichever widget copied it.
void WatchClipboard();

QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
QFont ToQFont(const TFont& f);
// Sets a colour role in every colour group, so a control under a disabled parent keeps its look.
void SetRole(QWidget* w, int role, TColor c);
// Sets the widget's font when it differs from the one it has.
void SetFont(QWidget* w, const TFont& font);

// Access to the controls' protected and private parts for the widgets of the layer.
struct ControlAccess {
  static void Paint(TPanel* p, CanvasPainter* painter);
  static void WidgetClosed(TForm* f);
  static void Sync(TControl* c);
  static int ChildOffset(TControl* c) { return c->ChildOffset(); }
  static bool Modal(TForm* f) { return f->FModal; }
  // The focus reached the control's widget: a tab group hands it on to its child, and the groups
  // around a control remember it.
  static void FocusIn(TControl* c);
};

// Carries the platform's mouse and enter/leave events of a widget to its control.
class EventBridge : public QObject {
 public:
  EventBridge(TControl* control, QObject* parent) : QObject(parent), control_(control) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Set before the control goes away, so late events find nothing.
  void Detach() { control_ = nullptr; }
  TControl* Control() const { return control_; }

 private:
  TControl* control_;
  bool pressed_ = false;
};

// Installs the bridge on the widget that takes the control's mouse input.
void Bridge(TControl* control, ControlHandle* h);

// Tab (next) or Shift+Tab from a widget: the focus moves to the next widget in the Tab order of its
// window, past the whole of any tab group (TControl::TabGroup) that the widget lies in.
void MoveFocus(QWidget* from, bool next);

QMenuBar* CreateMenuBar(TMainMenu* menu, QWidget* parent);

// The window that a message box or file dialog opened now belongs to: the modal form on screen, else
// the main form when shown, else none.
QWidget* DialogOwner();

// Asks for the window's activation back once a modal window it owned has closed (see Forms.cpp).
void Reactivate(QWidget* owner);

// The open or save dialog as the file dialogs show it, in `folder` ("": the current one), holding `name`.
std::unique_ptr<QFileDialog> MakeFileDialog(bool save, const std::string& folder, const std::string& name);

// Runs a platform event as a handler (inside Application's guard).
void Deliver(const std::function<void()>& f);

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b);

// Assistive technology (toolkit/Accessible.cpp): the accessible interfaces of the layer's own widgets,
// and the changes they are told of. Nothing is sent while no assistive technology listens.
void InstallAccessibility();
// The control behind a widget of the layer, or nullptr.
TControl* ControlOf(QObject* widget);
// The items of the control behind the widget may have changed.
void TellItemsChanged(QWidget* w);
// Item `index` of the control behind the widget has the focus now (the current entry of a list).
void TellItemFocused(QWidget* w, int index);
// The text of a multi-line edit changed, or its read-only flag (the platform's own edits tell theirs).
void TellTextChanged(QWidget* w, const std::string& before, const std::string& after);
void TellReadOnlyChanged(QWidget* w);
// The caret of a multi-line edit moved / its selection changed (an empty one when start == end), so
// that a screen reader reads what the caret moved over: a character, a word or a line.
void TellCaretMoved(QWidget* w, int position);
void TellSelectionChanged(QWidget* w, int start, int end);
// In test mode, sees every event the layer tells assistive technology, also while none listens.
extern void (*AccessibilityWitness)(QAccessibleEvent* event);
// Whether assistive technology or a test listens; Tell hands an event to both.
bool Listening();
void Tell(QAccessibleEvent* event);
// Marks a bare widget as a notification to assistive technology (see TForm::Announce).
void MarkNotice(QWidget* w);
// Drops what assistive technology was told of the widget, so it is asked again (its kind changed).
void ForgetAccessible(QWidget* w);

}  // namespace toolkit
