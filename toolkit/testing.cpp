// The player's actions as real input to the windows, through the platform's own delivery.
//
// Mouse and keys enter at the window, as the window system hands them to the application (QTest's
// window functions feed the platform's event queue): the platform then drops what a modal form blocks,
// gives the mouse to the widget under the point and keys to the window's focused widget, and skips
// disabled widgets, so a test meets exactly what a player meets. Built into its own library, which only
// the tests and the tools link.
#include "toolkit/testing.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "toolkit/EditWidget_p.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/qt_p.h"

namespace toolkit::testing {

namespace {

QWidget* KeyTarget(TControl* c) { return c->Handle()->widget; }
QWidget* MouseTarget(TControl* c) {
  ControlHandle* h = c->Handle();
  return h->input ? h->input : h->widget;
}

// A player reaches a control only on a window that is on screen: the control's top-level form is
// shown (modelessly) when it is not yet.
QWindow* ShownWindow(QWidget* w) {
  QWidget* top = w->window();
  if (!top->isVisible()) top->show();
  return top->windowHandle();
}

QWindow* WindowOf(TControl* control) {
  TControl* top = control->TopLevel();
  if (auto* form = dynamic_cast<TForm*>(top); form && !form->Visible()) form->Show();
  return ShownWindow(control->Handle()->widget);
}

// A point of a widget in its window's coordinates.
QPoint At(QWidget* w, int X, int Y) { return w->mapTo(w->window(), QPoint(X, Y)); }

Qt::MouseButton ButtonOf(TMouseButton b) {
  return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

void SendKey(TControl* control, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, WindowOf(control), static_cast<Qt::Key>(key), text, mods);
}

// Each character as a key press at the control's window, which gives it to its focused control.
void SendKeys(TControl* control, const std::string& text) {
  QString all = ToQString(text);
  for (char32_t ch : all.toUcs4()) {
    QString s = QString::fromUcs4(&ch, 1);
    switch (ch) {
      case '\b': SendKey(control, Qt::Key_Backspace, Qt::NoModifier, s); continue;
      case '\r': SendKey(control, Qt::Key_Return, Qt::NoModifier, s); continue;
      case '\t': SendKey(control, Qt::Key_Tab, Qt::NoModifier, s); continue;
      case 0x1B: SendKey(control, Qt::Key_Escape, Qt::NoModifier, s); continue;
      default: break;
    }
    if (ch >= 1 && ch <= 26) {
      SendKey(control, Qt::Key_A + static_cast<int>(ch) - 1, Qt::ControlModifier, s);
    } else if (ch < 0x80) {
      int key = (ch >= 'a' && ch <= 'z') ? static_cast<int>(ch) - 32 : static_cast<int>(ch);
      SendKey(control, key, Qt::NoModifier, s);
    } else {
      SendKey(control, Qt::Key_unknown, Qt::NoModifier, s);
    }
  }
}

// What cannot be fed in at the window (the clipboard's paste action, a drop) is still refused where a
// player could not act: on a hidden or disabled widget, or behind a modal form.
bool Reachable(QWidget* w) {
  QWidget* modal = QApplication::activeModalWidget();
  return w->isVisible() && w->isEnabled() && (!modal || w->window() == modal);
}

void CloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

}  // namespace

void TypeText(TControl* control, const std::string& text) {
  KeyTarget(control)->setFocus();
  if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->set_SelStart(1 << 30);
  TypeAtCaret(control, text);
}

void TypeAtCaret(TControl* control, const std::string& text) {
  WindowOf(control);
  KeyTarget(control)->setFocus();
  SendKeys(control, text);
}

void TypeAtWindow(TForm* form, const std::string& text) { SendKeys(form, text); }

void PressKey(TControl* control, TKey key, TShiftState shift) {
  WindowOf(control);
  KeyTarget(control)->setFocus();
  Qt::KeyboardModifiers mods;
  if (shift.count(ssShift)) mods |= Qt::ShiftModifier;
  if (shift.count(ssCtrl)) mods |= Qt::ControlModifier;
  switch (key) {
    case keyLeft: return SendKey(control, Qt::Key_Left, mods, {});
    case keyRight: return SendKey(control, Qt::Key_Right, mods, {});
    case keyUp: return SendKey(control, Qt::Key_Up, mods, {});
    case keyDown: return SendKey(control, Qt::Key_Down, mods, {});
    case keyHome: return SendKey(control, Qt::Key_Home, mods, {});
    case keyEnd: return SendKey(control, Qt::Key_End, mods, {});
    case keyDelete: return SendKey(control, Qt::Key_Delete, mods, {});
    case keyBackspace: return SendKey(control, Qt::Key_Backspace, mods, QStringLiteral("\b"));
    case keyEscape: return SendKey(control, Qt::Key_Escape, mods, QStringLiteral("\x1b"));
    case keyEnter: return SendKey(control, Qt::Key_Return, mods, QStringLiteral("\r"));
    case keyTab: return SendKey(control, Qt::Key_Tab, mods, QStringLiteral("\t"));
    case keyBacktab: return SendKey(control, Qt::Key_Backtab, mods | Qt::ShiftModifier, {});
    case keySpace: return SendKey(control, Qt::Key_Space, mods, QStringLiteral(" "));
    case keyPageUp: return SendKey(control, Qt::Key_PageUp, mods, {});
    case keyPageDown: return SendKey(control, Qt::Key_PageDown, mods, {});
    case keyT: return SendKey(control, Qt::Key_T, mods, mods & Qt::ControlModifier ? QStringLiteral("\x14") : QStringLiteral("t"));
    case keyH: return SendKey(control, Qt::Key_H, mods, mods & Qt::ControlModifier ? QStringLiteral("\x08") : QStringLiteral("h"));
  }
}

void Paste(TControl* control, const std::string& text) {
  QApplication::clipboard()->setText(ToQString(text));
  WindowOf(control);
  QWidget* w = KeyTarget(control);
  if (!Reachable(w)) return;
  if (auto* memo = dynamic_cast<EditWidget*>(w)) return memo->Paste();
  if (qobject_cast<QLineEdit*>(w)) {
    w->setFocus();
    SendKey(control, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
  }
}

void Drop(TControl* control, const std::string& text) {
  WindowOf(control);
  QWidget* w = MouseTarget(control);
  if (!Reachable(w)) return;
  QMimeData data;
  data.setText(ToQString(text));
  QPointF at(w->width() / 2.0, w->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
}

bool PasteSelection(TControl* control, const std::string& text) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection()) return false;
  clipboard->setText(ToQString(text), QClipboard::Selection);
  if (clipboard->text(QClipboard::Selection) != ToQString(text)) return false;  // the selection did not take
  PressMouse(control, mbMiddle, control->Width() / 2, control->Height() / 2);
  return true;
}

std::string ClipboardText(bool selection) {
  QClipboard* clipboard = QApplication::clipboard();
  if (selection && !clipboard->supportsSelection()) return {};
  return clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard).toStdString();
}

namespace {
QPointer<QWindow> pointerWindow;  // the window the mouse is in
QPoint pointerAt(-1, -1);         // and where it is, on the screen

// The mouse moves to a point of the window, leaving the window it was in. The widgets of a window the
// mouse has just come into (or that was shown under it) hear of it from the second move on, so the
// mouse passes by a neighbouring pixel first; a move to where the mouse already is would be no move.
void MoveTo(QWindow* window, QPoint p) {
  QPoint global = window->mapToGlobal(p);
  bool arriving = pointerWindow != window;
  if (arriving && pointerWindow) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(pointerWindow, &leave);
  }
  pointerWindow = window;
  if (arriving || global == pointerAt) QTest::mouseMove(window, p + QPoint(p.x() > 0 ? -1 : 1, 0));
  QTest::mouseMove(window, p);
  pointerAt = global;
}

// The mouse on a point of the control, in its window's coordinates.
QWindow* MouseOn(TControl* control, int X, int Y, QPoint& p) {
  QWindow* window = WindowOf(control);
  p = At(MouseTarget(control), X, Y);
  MoveTo(window, p);
  return window;
}
}  // namespace

void PressMouse(TControl* control, TMouseButton button, int X, int Y) {
  QPoint p;
  QWindow* window = MouseOn(control, X, Y, p);
  // The right button opens an edit's context menu, which waits in a loop of its own: the player
  // dismisses it, as with Escape.
  if (button == mbRight) QTimer::singleShot(0, [] { CloseMenus(); });
  QTest::mouseClick(window, ButtonOf(button), Qt::NoModifier, p);
}

void MoveMouse(TControl* control, int X, int Y) {
  QPoint p;
  MouseOn(control, X, Y, p);
}

void DragMouse(TControl* control, int X1, int Y1, int X2, int Y2) {
  QPoint p;
  QWindow* window = MouseOn(control, X1, Y1, p);
  QWidget* w = MouseTarget(control);
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, p);
  MoveTo(window, At(w, (X1 + X2) / 2, (Y1 + Y2) / 2));
  MoveTo(window, At(w, X2, Y2));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, At(w, X2, Y2));
}

void DoubleClickMouse(TControl* control, int X, int Y) {
  QPoint p;
  QWindow* window = MouseOn(control, X, Y, p);
  QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, p);
}

void EnterMouse(TControl* control) { MoveMouse(control, 1, 1); }

// The mouse moves to a point of the window just outside the control; when the control fills its
// window, it leaves the window.
void LeaveMouse(TControl* control) {
  QWindow* window = WindowOf(control);
  QWidget* w = MouseTarget(control);
  QRect inWindow(At(w, 0, 0), w->size());
  QRect area(QPoint(0, 0), window->size());
  for (QPoint p : {inWindow.topLeft() - QPoint(1, 1), inWindow.bottomRight() + QPoint(1, 1)}) {
    if (area.contains(p)) return MoveTo(window, p);
  }
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window, &leave);
  pointerWindow = nullptr;
}

namespace {
// A player opens the menus from the menu bar down to the item, then clicks the item.
void ClickMenuItem(TMenuItem* item) {
  if (!item->FHandle || !item->FHandle->action) {  // its form was never on screen
    for (TComponent* o = item->Owner(); o; o = o->Owner())
      if (auto* form = dynamic_cast<TForm*>(o)) {
        WindowOf(form);
        break;
      }
  }
  if (!item->FHandle || !item->FHandle->action) return;
  // The actions to click, from the menu bar's down to the item's.
  std::vector<QAction*> path{item->FHandle->action};
  QMenuBar* bar = nullptr;
  while (!bar) {
    QMenu* menu = nullptr;
    for (QObject* o : path.back()->associatedObjects()) {
      if ((bar = qobject_cast<QMenuBar*>(o))) break;
      if (auto* m = qobject_cast<QMenu*>(o)) menu = m;
    }
    if (bar) break;
    if (!menu) return;
    path.push_back(menu->menuAction());
  }
  QWindow* window = ShownWindow(bar);
  QPoint title = bar->actionGeometry(path.back()).center();
  title = At(bar, title.x(), title.y());
  MoveTo(window, title);
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, title);
  for (std::size_t i = path.size() - 1; i > 0; --i) {
    QMenu* menu = path[i]->menu();
    if (!menu || !menu->isVisible()) break;  // the menu did not open: the window takes no input
    QPoint p = menu->actionGeometry(path[i - 1]).center();
    MoveTo(menu->windowHandle(), p);
    QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
  }
  CloseMenus();  // one still open (its item was disabled), as with Escape
}
}  // namespace

void Click(TComponent* component) {
  if (auto* item = dynamic_cast<TMenuItem*>(component)) return ClickMenuItem(item);
  if (auto* control = dynamic_cast<TControl*>(component)) {
    QWidget* w = MouseTarget(control);
    PressMouse(control, mbLeft, w->width() / 2, w->height() / 2);
  }
}

// The platform's close request is refused for a window behind a modal form; Qt's public close is the
// program's own and skips that refusal, so the driver applies it here.
void CloseBox(TForm* form) {
  QWidget* w = form->Handle()->widget;
  QWidget* modal = QApplication::activeModalWidget();
  if (w->isVisible() && (!modal || modal == w)) w->windowHandle()->close();
}

void Minimize(TForm* form, bool minimized) {
  QWidget* w = form->Handle()->widget;
  w->setWindowState(minimized ? (w->windowState() | Qt::WindowMinimized) : (w->windowState() & ~Qt::WindowMinimized));
  QApplication::processEvents();
}

TColor Picture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

bool Picture::Save(const std::string& fileName) const {
  QImage image(width_, height_, QImage::Format_RGB32);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) image.setPixelColor(x, y, ToQColor(Pixel(x, y)));
  return image.save(QString::fromStdString(fileName));
}

Picture Grab(TControl* control) {
  control->TopLevel()->Handle();
  QCoreApplication::sendPostedEvents();
  QImage image = control->Handle()->widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  Picture p;
  p.width_ = image.width();
  p.height_ = image.height();
  p.pixels_.reserve(static_cast<std::size_t>(p.width_) * p.height_);
  for (int y = 0; y < p.height_; ++y)
    for (int x = 0; x < p.width_; ++x) p.pixels_.push_back(FromQColor(image.pixelColor(x, y)));
  return p;
}

bool OnScreen(TControl* control) {
  ControlHandle* h = control->Handle();
  return h && h->widget && h->widget->isVisible();
}

std::string Platform() { return QGuiApplication::platformName().toStdString(); }

bool Tick(TTimer* timer) {
  if (!timer->Active()) return false;
  Application->Guard([timer] { timer->Timer(); });
  return true;
}

namespace {
AccessibleObject Describe(QAccessibleInterface* iface) {
  AccessibleObject o;
  switch (iface->role()) {
    case QAccessible::EditableText: o.Role = "text"; break;
    case QAccessible::Button: o.Role = "button"; break;
    case QAccessible::CheckBox: o.Role = "check box"; break;
    case QAccessible::StaticText: o.Role = "label"; break;
    case QAccessible::StatusBar: o.Role = "status bar"; break;
    case QAccessible::ToolBar: o.Role = "tool bar"; break;
    case QAccessible::Pane: o.Role = "panel"; break;
    case QAccessible::Separator: o.Role = "separator"; break;
    case QAccessible::Window: o.Role = "frame"; break;
    case QAccessible::Dialog: o.Role = "dialog"; break;
    case QAccessible::Grouping: o.Role = "grouping"; break;
    case QAccessible::Notification: o.Role = "notification"; break;
    case QAccessible::Client: o.Role = "filler"; break;
    default: o.Role = std::to_string(iface->role()); break;
  }
  // In the UTF-8 the platform's accessibility bridge sends, converted as it converts.
  o.Name = iface->text(QAccessible::Name).toStdString();
  o.Description = iface->text(QAccessible::Description).toStdString();
  o.Value = iface->text(QAccessible::Value).toStdString();
  o.ReadOnly = iface->state().readOnly;
  o.Enabled = !iface->state().disabled;
  if (QAccessibleTextInterface* text = iface->textInterface()) {
    o.Caret = text->cursorPosition();
    int start = 0, end = 0;
    o.Line = text->textAtOffset(o.Caret, QAccessible::LineBoundary, &start, &end).toStdString();
  }
  for (int i = 0; i < iface->childCount(); ++i) {
    QAccessibleInterface* child = iface->child(i);
    if (!child) continue;
    o.Children.push_back(Describe(child));
    QAccessibleInterface* parent = child->parent();
    o.Children.back().Linked = parent && parent->object() == iface->object() && parent->indexOfChild(child) == i;
  }
  return o;
}
}  // namespace

AccessibleObject Accessible(TControl* control) {
  return Describe(QAccessible::queryAccessibleInterface(control->Handle()->widget));
}

struct AccessibleText::Parts {
  std::unique_ptr<QFileDialog> dialog;
  QPointer<QWidget> widget;
  int item = -1;
  QAccessibleTextInterface* Text() const {
    QAccessibleInterface* iface = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    if (iface && item >= 0) iface = iface->child(item);  // a list's children are its entries
    return iface ? iface->textInterface() : nullptr;
  }
};

AccessibleText::AccessibleText() : parts_(std::make_unique<Parts>()) {}
AccessibleText::AccessibleText(TControl* control, int item) : AccessibleText() {
  parts_->widget = control->Handle()->widget;
  parts_->item = item;
}
AccessibleText::AccessibleText(AccessibleText&&) noexcept = default;
AccessibleText::~AccessibleText() = default;

AccessibleText AccessibleText::FileDialogName(bool save, const std::string& name) {
  AccessibleText text;
  text.parts_->dialog = MakeFileDialog(save, "", name);
  text.parts_->widget = text.parts_->dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  return text;
}

int AccessibleText::Length() const {
  QAccessibleTextInterface* text = parts_->Text();
  return text ? text->characterCount() : -1;
}

TextPiece AccessibleText::Piece(TTextSide side, TTextBoundary boundary, int offset) const {
  QAccessibleTextInterface* text = parts_->Text();
  if (!text) return {};
  static const QAccessible::TextBoundaryType types[] = {
      QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
      QAccessible::LineBoundary, QAccessible::ParagraphBoundary, QAccessible::NoBoundary};
  const QAccessible::TextBoundaryType type = types[boundary];
  TextPiece piece;
  QString got = side == tsAt       ? text->textAtOffset(offset, type, &piece.Start, &piece.End)
                : side == tsBefore ? text->textBeforeOffset(offset, type, &piece.Start, &piece.End)
                                   : text->textAfterOffset(offset, type, &piece.Start, &piece.End);
  piece.Text = got.toStdString();
  return piece;
}

namespace {
std::vector<std::string> heard;

void Witness(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  switch (event->type()) {
    case QAccessible::TextCaretMoved:
      heard.push_back("caret " + std::to_string(static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition()));
      break;
    case QAccessible::TextSelectionChanged: {
      auto* e = static_cast<QAccessibleTextSelectionEvent*>(event);
      heard.push_back("selection " + std::to_string(e->selectionStart()) + " " + std::to_string(e->selectionEnd()));
      break;
    }
    case QAccessible::TextInserted: {
      auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
      heard.push_back("inserted " + std::to_string(e->changePosition()) + " " + FromQString(e->textInserted()));
      break;
    }
    case QAccessible::TextRemoved: {
      auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
      heard.push_back("removed " + std::to_string(e->changePosition()) + " " + FromQString(e->textRemoved()));
      break;
    }
    case QAccessible::Focus:
      if (iface) heard.push_back("focus " + iface->text(QAccessible::Name).toStdString());
      break;
    case QAccessible::ObjectShow:
      if (iface && iface->role() == QAccessible::Notification)
        heard.push_back("notice " + iface->text(QAccessible::Name).toStdString());
      break;
    default:
      break;
  }
}
}  // namespace

void Listen() {
  heard.clear();
  AccessibilityWitness = Witness;
}

std::vector<std::string> Heard() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();  // the notices, told once the handler that made them returned
  return heard;
}

std::vector<std::string> StopListening() {
  std::vector<std::string> all = Heard();
  AccessibilityWitness = nullptr;
  heard.clear();
  return all;
}

std::vector<MenuEntry> ContextMenu(TControl* control, int X, int Y, const std::string& choose) {
  WindowOf(control);
  QWidget* w = MouseTarget(control);
  std::vector<MenuEntry> shown;
  if (!Reachable(w)) return shown;
  // The menu runs its own loop: it is read, and answered with the keys a player would use, from
  // inside that loop. The timer goes with this call, should no menu open.
  QTimer answer;
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    QAction* wanted = nullptr;
    for (QAction* a : menu->actions()) {
      std::string caption = a->isSeparator() ? "-" : FromQString(a->text());
      shown.push_back({caption, a->isEnabled()});
      if (!a->isSeparator() && caption == choose) wanted = a;
    }
    if (wanted && wanted->isEnabled()) {
      menu->setActiveAction(wanted);
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      QTest::keyClick(menu, Qt::Key_Escape);
    }
  });
  answer.start(0);
  QPoint local(X, Y);
  QContextMenuEvent event(QContextMenuEvent::Mouse, local, w->mapToGlobal(local));
  QApplication::sendEvent(w, &event);
  return shown;
}

void TurnWheel(TControl* control, int X, int Y, int notches) {
  WindowOf(control);
  QWidget* w = MouseTarget(control);
  if (!Reachable(w)) return;
  QPointF local(X, Y);
  QWheelEvent wheel(local, w->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
}

}  // namespace toolkit::testing
