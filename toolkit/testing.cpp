// Test mode and the player's actions as real Qt input events.
#include "toolkit/testing.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QPixmap>
#include <QLineEdit>

#include "toolkit/EditWidget_p.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/qt_p.h"
#include "toolkit/testing_p.h"

namespace toolkit::testing {

namespace {
bool enabled = false;
std::vector<std::string> errorBoxes;
std::vector<TForm*> modalForms;
std::function<void(TForm*)> pendingModal;
bool fileAnswerWaiting = false;
std::optional<std::string> fileAnswer;
bool writeFaultWaiting = false;
int writeFaultError = 0;
long long writeFaultAfter = -1;

QWidget* KeyTarget(TControl* c) { return c->Handle()->widget; }
QWidget* MouseTarget(TControl* c) {
  ControlHandle* h = c->Handle();
  return h->input ? h->input : h->widget;
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}
}  // namespace

void Enable() { enabled = true; }
bool Enabled() { return enabled; }

void RecordErrorBox(const std::string& message) { errorBoxes.push_back(message); }
std::vector<std::string> ErrorBoxes() { return errorBoxes; }
void ClearErrorBoxes() { errorBoxes.clear(); }

void OnNextModal(std::function<void(TForm*)> f) { pendingModal = std::move(f); }
std::vector<TForm*> ModalForms() { return modalForms; }
void ClearModalForms() { modalForms.clear(); }

void RunModal(TForm* form) {
  modalForms.push_back(form);
  auto f = std::move(pendingModal);
  pendingModal = nullptr;
  if (!f) return;
  form->Show();
  f(form);
}

void AnswerFileDialog(std::optional<std::string> name) {
  fileAnswerWaiting = true;
  fileAnswer = std::move(name);
}

bool TakeFileDialogAnswer(std::optional<std::string>& answer) {
  if (!fileAnswerWaiting) return false;
  fileAnswerWaiting = false;
  answer = std::move(fileAnswer);
  return true;
}

void FailNextWrite(int error, long long afterBytes) {
  writeFaultWaiting = true;
  writeFaultError = error;
  writeFaultAfter = afterBytes;
}

bool TakeWriteFault(int& error, long long& afterBytes) {
  if (!writeFaultWaiting) return false;
  writeFaultWaiting = false;
  error = writeFaultError;
  afterBytes = writeFaultAfter;
  return true;
}

void TypeText(TControl* control, const std::string& text) {
  KeyTarget(control)->setFocus();
  if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->set_SelStart(1 << 30);
  TypeAtCaret(control, text);
}

void TypeAtCaret(TControl* control, const std::string& text) {
  QWidget* w = KeyTarget(control);
  w->setFocus();
  QString all = QString::fromStdString(text);
  for (char32_t ch : all.toUcs4()) {
    QString s = QString::fromUcs4(&ch, 1);
    switch (ch) {
      case '\b': SendKey(w, Qt::Key_Backspace, Qt::NoModifier, s); continue;
      case '\r': SendKey(w, Qt::Key_Return, Qt::NoModifier, s); continue;
      case '\t': SendKey(w, Qt::Key_Tab, Qt::NoModifier, s); continue;
      case 0x1B: SendKey(w, Qt::Key_Escape, Qt::NoModifier, s); continue;
      default: break;
    }
    if (ch >= 1 && ch <= 26) {
      SendKey(w, Qt::Key_A + static_cast<int>(ch) - 1, Qt::ControlModifier, s);
    } else if (ch < 0x80) {
      int key = (ch >= 'a' && ch <= 'z') ? static_cast<int>(ch) - 32 : static_cast<int>(ch);
      SendKey(w, key, Qt::NoModifier, s);
    } else {
      SendKey(w, Qt::Key_unknown, Qt::NoModifier, s);
    }
  }
}

void PressKey(TControl* control, TKey key, TShiftState shift) {
  QWidget* w = KeyTarget(control);
  w->setFocus();
  Qt::KeyboardModifiers mods;
  if (shift.count(ssShift)) mods |= Qt::ShiftModifier;
  if (shift.count(ssCtrl)) mods |= Qt::ControlModifier;
  switch (key) {
    case keyLeft: return SendKey(w, Qt::Key_Left, mods, {});
    case keyRight: return SendKey(w, Qt::Key_Right, mods, {});
    case keyUp: return SendKey(w, Qt::Key_Up, mods, {});
    case keyDown: return SendKey(w, Qt::Key_Down, mods, {});
    case keyHome: return SendKey(w, Qt::Key_Home, mods, {});
    case keyEnd: return SendKey(w, Qt::Key_End, mods, {});
    case keyDelete: return SendKey(w, Qt::Key_Delete, mods, {});
    case keyBackspace: return SendKey(w, Qt::Key_Backspace, mods, QStringLiteral("\b"));
    case keyEscape: return SendKey(w, Qt::Key_Escape, mods, QStringLiteral("\x1b"));
    case keyEnter: return SendKey(w, Qt::Key_Return, mods, QStringLiteral("\r"));
  }
}

void Paste(TControl* control, const std::string& text) {
  QApplication::clipboard()->setText(QString::fromStdString(text));
  QWidget* w = KeyTarget(control);
  if (auto* memo = dynamic_cast<EditWidget*>(w)) return memo->Paste();
  if (qobject_cast<QLineEdit*>(w)) return SendKey(w, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
}

void Drop(TControl* control, const std::string& text) {
  QWidget* w = MouseTarget(control);
  QMimeData data;
  data.setText(QString::fromStdString(text));
  QPointF at(w->width() / 2.0, w->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
}

void PressMouse(TControl* control, TMouseButton button, int X, int Y) {
  QWidget* w = MouseTarget(control);
  Qt::MouseButton b = button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
  QPointF local(X, Y);
  QPointF global = w->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, b, b, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, b, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

void MoveMouse(TControl* control, int X, int Y) {
  QWidget* w = MouseTarget(control);
  QPointF local(X, Y);
  QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}

namespace {
void SendMouse(QWidget* w, QEvent::Type type, int X, int Y, Qt::MouseButton button, Qt::MouseButtons held) {
  QPointF local(X, Y);
  QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
}  // namespace

void DragMouse(TControl* control, int X1, int Y1, int X2, int Y2) {
  QWidget* w = MouseTarget(control);
  SendMouse(w, QEvent::MouseButtonPress, X1, Y1, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, (X1 + X2) / 2, (Y1 + Y2) / 2, Qt::NoButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, X2, Y2, Qt::NoButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, X2, Y2, Qt::LeftButton, Qt::NoButton);
}

void DoubleClickMouse(TControl* control, int X, int Y) {
  QWidget* w = MouseTarget(control);
  SendMouse(w, QEvent::MouseButtonPress, X, Y, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, X, Y, Qt::LeftButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonDblClick, X, Y, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, X, Y, Qt::LeftButton, Qt::NoButton);
}

void EnterMouse(TControl* control) {
  QWidget* w = MouseTarget(control);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
  QApplication::sendEvent(w, &enter);
}

void LeaveMouse(TControl* control) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(MouseTarget(control), &leave);
}

void Click(TComponent* component) {
  if (auto* item = dynamic_cast<TMenuItem*>(component)) {
    if (item->FHandle && item->FHandle->action) {
      item->FHandle->action->trigger();
    } else if (item->Enabled()) {
      Application->Guard([item] { item->Click(); });
    }
    return;
  }
  if (auto* control = dynamic_cast<TControl*>(component)) {
    QWidget* w = MouseTarget(control);
    PressMouse(control, mbLeft, w->width() / 2, w->height() / 2);
  }
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
    default: o.Role = std::to_string(iface->role()); break;
  }
  o.Name = iface->text(QAccessible::Name).toStdString();
  o.Description = iface->text(QAccessible::Description).toStdString();
  o.Value = iface->text(QAccessible::Value).toStdString();
  o.ReadOnly = iface->state().readOnly;
  o.Enabled = !iface->state().disabled;
  for (int i = 0; i < iface->childCount(); ++i)
    if (QAccessibleInterface* child = iface->child(i)) o.Children.push_back(Describe(child));
  return o;
}
}  // namespace

AccessibleObject Accessible(TControl* control) {
  return Describe(QAccessible::queryAccessibleInterface(control->Handle()->widget));
}

std::vector<MenuEntry> ContextMenu(TControl* control, int X, int Y, const std::string& choose) {
  QWidget* w = MouseTarget(control);
  std::vector<MenuEntry> shown;
  // The menu runs its own loop: it is read, and answered with the keys a player would use, from
  // inside that loop. The timer goes with this call, should no menu open.
  QTimer answer;
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    QAction* wanted = nullptr;
    for (QAction* a : menu->actions()) {
      std::string caption = a->isSeparator() ? "-" : a->text().toStdString();
      shown.push_back({caption, a->isEnabled()});
      if (!a->isSeparator() && caption == choose) wanted = a;
    }
    if (wanted && wanted->isEnabled()) {
      menu->setActiveAction(wanted);
      SendKey(menu, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    } else {
      SendKey(menu, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    }
  });
  answer.start(0);
  QPoint local(X, Y);
  QContextMenuEvent event(QContextMenuEvent::Mouse, local, w->mapToGlobal(local));
  QApplication::sendEvent(w, &event);
  return shown;
}

void TurnWheel(TControl* control, int X, int Y, int notches) {
  QWidget* w = MouseTarget(control);
  QPointF local(X, Y);
  QWheelEvent wheel(local, w->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
}

}  // namespace toolkit::testing
