// TControl: the properties kept in the layer, the widget made on demand, mouse events carried over.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"

namespace toolkit {

QString ToQString(const std::string& s) {
  QString out;
  std::size_t done = 0;
  // Every escape starts with the byte 0xED.
  for (std::size_t i = s.find('\xED'); i != std::string::npos; i = s.find('\xED', i + 1)) {
    int byte = EscapedByte(std::string_view(s).substr(i));
    if (byte < 0) continue;
    out += QString::fromUtf8(s.data() + done, static_cast<qsizetype>(i - done));
    out += QChar(static_cast<char16_t>(EscapeBase + byte));
    done = i + 3;
  }
  if (done == 0) return QString::fromStdString(s);
  return out + QString::fromUtf8(s.data() + done, static_cast<qsizetype>(s.size() - done));
}

QString OutsideText(QString s) {
  for (qsizetype i = 0; i < s.size(); ++i) {
    bool pair = s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate();
    if (pair)
      ++i;
    else if (s[i].isSurrogate())
      s[i] = QChar::ReplacementCharacter;
  }
  return s;
}

QString ToOutsideQString(const std::string& s) { return OutsideText(ToQString(s)); }

void WatchClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
    // Text from other programs holds no unpaired surrogate: this is the program's own copy. Setting
    // it again tells this function once more, with nothing left to change.
    QString text = clipboard->text(mode);
    QString outside = OutsideText(text);
    if (outside != text) clipboard->setText(outside, mode);
  });
}

std::string FromQString(const QString& s) {
  std::string out;
  qsizetype done = 0;
  for (qsizetype i = 0; i < s.size(); ++i) {
    char16_t c = s[i].unicode();
    bool paired = i > 0 && s[i - 1].isHighSurrogate();
    if (c < EscapeBase || c > EscapeBase + 0xFF || paired) continue;
    out += s.sliced(done, i - done).toStdString();
    out += EscapeOf(static_cast<unsigned char>(c - EscapeBase));
    done = i + 1;
  }
  if (done == 0) return s.toStdString();
  return out + s.sliced(done).toStdString();
}

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
  TShiftState s;
  if (m & Qt::ShiftModifier) s.insert(ssShift);
  if (m & Qt::AltModifier) s.insert(ssAlt);
  if (m & Qt::ControlModifier) s.insert(ssCtrl);
  if (b & Qt::LeftButton) s.insert(ssLeft);
  if (b & Qt::RightButton) s.insert(ssRight);
  if (b & Qt::MiddleButton) s.insert(ssMiddle);
  return s;
}

// Colour and font reach the widget once per turn of the event loop, just before painting: a handler
// that marks and unmarks cells many times (a new game fills 81 cells one by one) then costs the
// platform one change per cell, or none when the cell ends as it began.
namespace {
class Syncer : public QObject {
 public:
  static constexpr QEvent::Type Flush = static_cast<QEvent::Type>(QEvent::User + 1);
  std::vector<TControl*> dirty;
  bool posted = false;
  bool event(QEvent* e) override {
    if (e->type() != Flush) return QObject::event(e);
    posted = false;
    std::vector<TControl*> work;
    work.swap(dirty);
    for (TControl* c : work) ControlAccess::Sync(c);
    return true;
  }
};
Syncer* syncer = nullptr;
}  // namespace

void ControlAccess::Sync(TControl* c) {
  int what = c->FDirty;
  c->FDirty = 0;
  if (!c->FHandle) return;
  if (what & 1) c->ApplyColor();
  if (what & 2) c->ApplyFont();
}

void TControl::Changed(int what) {
  if (!FHandle) return;
  if (!syncer) syncer = new Syncer;
  if (!FDirty) syncer->dirty.push_back(this);
  FDirty |= what;
  if (!syncer->posted) {
    syncer->posted = true;
    QCoreApplication::postEvent(syncer, new QEvent(Syncer::Flush), Qt::HighEventPriority);
  }
}

void Deliver(const std::function<void()>& f) {
  if (Application) Application->Guard(f);
}

namespace {
// The classic virtual key code of a platform key; 0 for keys without one here.
unsigned short VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab: return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    default: break;
  }
  const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9, letter = key >= Qt::Key_A && key <= Qt::Key_Z;
  if (digit || letter) return static_cast<unsigned short>(key);
  return 0;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}
}  // namespace

bool EventBridge::eventFilter(QObject* watched, QEvent* event) {
  TControl* c = control_;
  if (!c) return QObject::eventFilter(watched, event);
  // The hint shows as a tool tip, greyed or not, put up here: a tip the platform knew of would also be
  // told to a screen reader as the control's description, saying again the name that the hint gives a
  // button showing only a picture.
  if (event->type() == QEvent::ToolTip) {
    if (c->Hint().empty()) return QObject::eventFilter(watched, event);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToQString(c->Hint()), static_cast<QWidget*>(watched));
    return true;
  }
  // Filters see an event before the widget's own enabled test: a disabled control, or one on a disabled
  // parent, takes no mouse input.
  if (event->type() != QEvent::Enter && event->type() != QEvent::Leave &&
      !static_cast<QWidget*>(watched)->isEnabled())
    return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* e = static_cast<QMouseEvent*>(event);
      QPoint p = e->position().toPoint();
      pressed_ = e->button() == Qt::LeftButton;
      if (c->OnMouseDown)
        Deliver([&] { c->OnMouseDown(c, ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
      break;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      QPoint p = e->position().toPoint();
      bool click = pressed_ && e->button() == Qt::LeftButton && static_cast<QWidget*>(watched)->rect().contains(p);
      pressed_ = false;
      if (c->OnMouseUp)
        Deliver([&] { c->OnMouseUp(c, ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
      // Buttons report their clicks themselves; other controls click on a release inside them.
      if (click && !watched->inherits("QAbstractButton") && control_) Deliver([&] { c->Click(); });
      break;
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      QPoint p = e->position().toPoint();
      if (c->OnMouseMove) Deliver([&] { c->OnMouseMove(c, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
      break;
    }
    case QEvent::FocusIn:
      ControlAccess::FocusIn(c);
      if (c->OnEnter) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        const bool byPlayer = why == Qt::MouseFocusReason || why == Qt::TabFocusReason ||
                              why == Qt::BacktabFocusReason || why == Qt::ShortcutFocusReason;
        Deliver([&] { c->OnEnter(c, byPlayer); });
      }
      break;
    case QEvent::KeyPress: {
      if (!c->OnKeyDown) break;
      auto* e = static_cast<QKeyEvent*>(event);
      unsigned short key = VirtualKeyOf(e->key());
      if (key == 0) break;
      Deliver([&] { c->OnKeyDown(c, key, ShiftOf(e->modifiers(), Qt::NoButton)); });
      if (key == 0) return true;  // used up
      break;
    }
    case QEvent::Enter:
      Deliver([&] { c->MouseEnter(); });
      break;
    case QEvent::Leave:
      Deliver([&] { c->MouseLeave(); });
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void Bridge(TControl* control, ControlHandle* h) {
  QWidget* target = h->input ? h->input : h->widget;
  target->setMouseTracking(true);
  // The mouse belongs to the control under it alone: an event the control's widget leaves unused (a
  // plain panel takes none, a disabled one refuses all) does not climb to the parent control as its own.
  h->widget->setAttribute(Qt::WA_NoMousePropagation);
  target->setAttribute(Qt::WA_NoMousePropagation);
  target->installEventFilter(new EventBridge(control, h->widget));
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  LeaveGroups();
  DestroyHandle();
  if (FDirty && syncer) std::erase(syncer->dirty, this);
  for (TControl* child : FControls) child->FParent = nullptr;
  FControls.clear();
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FFont.OnChange = nullptr;
}

void TControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* child : FControls) child->DestroyHandle();
  // The bridge has no meta-object of its own, so findChildren<EventBridge*> would return every child.
  for (QObject* child : FHandle->widget->findChildren<QObject*>())
    if (auto* bridge = dynamic_cast<EventBridge*>(child)) bridge->Detach();
  delete FHandle->widget;
  delete FHandle;
  FHandle = nullptr;
}

ControlHandle* TControl::Handle() {
  if (!FHandle) {
    if (FParent && !FParent->FHandle) {
      FParent->Handle();  // making the parent's widget makes this one too
      if (FHandle) return FHandle;
    }
    CreateHandle();
    ApplyProperties();
    for (TControl* child : FControls) child->Handle();
  }
  return FHandle;
}

TControl* TControl::TopLevel() {
  TControl* c = this;
  while (c->FParent) c = c->FParent;
  return c;
}

void TControl::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new QWidget(FParent ? FParent->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

void TControl::ApplyProperties() {
  ApplyBounds();
  ApplyColor();
  ApplyFont();
  ApplyText();
  QWidget* w = FHandle->widget;
  ApplyAccessibleText();
  ApplyTabGroup();
  if (FCursor == crHandPoint) w->setCursor(Qt::PointingHandCursor);
  w->setEnabled(FEnabled);
  if (FParent) w->setVisible(FVisible);
}

void TControl::ApplyBounds() {
  FHandle->widget->setGeometry(FLeft, FTop, std::max(0, FWidth), std::max(0, FHeight));
}

void TControl::ApplyColor() {
  if (FParentColor) return;
  FHandle->widget->setAutoFillBackground(true);
  SetRole(FHandle->widget, QPalette::Window, FColor);
}

void TControl::ApplyFont() {
  SetFont(FHandle->widget, FFont);
  SetRole(FHandle->widget, QPalette::WindowText, FFont.Color());
}

void TControl::ApplyText() {}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle) ApplyBounds();
  if (resized) AlignControls();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

int TControl::ClientWidth() const { return FWidth; }
int TControl::ClientHeight() const { return FHeight; }
void TControl::set_ClientWidth(int v) { set_Width(v + FWidth - ClientWidth()); }
void TControl::set_ClientHeight(int v) { set_Height(v + FHeight - ClientHeight()); }

void TControl::set_Align(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  if (FParent) FParent->AlignControls();
}

void TControl::AlignRect(int& l, int& t, int& r, int& b) const {
  l = 0;
  t = 0;
  r = ClientWidth();
  b = ClientHeight();
}

// Places the aligned children as the classic toolkit does: top ones stacked downwards, bottom ones
// upwards, then left, right, and the client one in what is left.
void TControl::AlignControls() {
  if (std::none_of(FControls.begin(), FControls.end(), [](TControl* c) { return c->FAlign != alNone; })) return;
  int l, t, r, b;
  AlignRect(l, t, r, b);
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->FAlign != pass || !c->FVisible) continue;
      int x = c->FLeft, y = c->FTop, w = c->FWidth, h = c->FHeight;
      switch (pass) {
        case alTop: x = l; y = t; w = r - l; t += h; break;
        case alBottom: x = l; y = b - h; w = r - l; b -= h; break;
        case alLeft: x = l; y = t; h = b - t; l += w; break;
        case alRight: x = r - w; y = t; h = b - t; r -= w; break;
        case alClient: x = l; y = t; w = r - l; h = b - t; break;
        default: break;
      }
      c->FAlign = alNone;  // place without aligning again
      c->SetBounds(x, y, w, h);
      c->FAlign = pass;
    }
  }
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::set_Visible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  if (FHandle && FParent) FHandle->widget->setVisible(v);
  if (v && FAccessibleRole == arNotification)
    if (auto* form = dynamic_cast<TForm*>(TopLevel())) form->Announce(FText);
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::set_Enabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  if (!FHandle) return;
  // A control greyed while the focus is in it passes the focus on, as Tab would, rather than leave
  // the window with the focus nowhere.
  QWidget* w = FHandle->widget;
  QWidget* focus = w->window()->focusWidget();
  if (!v && focus && (focus == w || w->isAncestorOf(focus))) MoveFocus(focus, true);
  w->setEnabled(v);
}

void TControl::set_Parent(TControl* AParent) {
  if (AParent == FParent) return;
  LeaveGroups();
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  DestroyHandle();
  FParent = AParent;
  if (!FParent) return;
  FParent->FControls.push_back(this);
  ParentFontChanged();
  ParentColorChanged();
  if (FAlign != alNone) FParent->AlignControls();
  if (FParent->FHandle) Handle();
}

void TControl::set_Color(TColor v) {
  FParentColor = false;
  if (v == FColor) return;
  FColor = v;
  Changed(1);
  for (TControl* child : FControls) child->ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  FColor = FParent->FColor;
  for (TControl* child : FControls) child->ParentColorChanged();
}

void TControl::FontChanged() {
  if (!FAssigningParentFont) FParentFont = false;
  Changed(2);
  for (TControl* child : FControls) child->ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FAssigningParentFont = true;
  FFont.Assign(FParent->FFont);
  FAssigningParentFont = false;
}

void TControl::SetText(const std::string& v) {
  if (v == FText) return;
  FText = v;
  if (!FHandle) return;
  ApplyText();
  ApplyAccessibleText();
}

void TControl::set_Hint(const std::string& v) {
  FHint = v;
  if (FHandle) ApplyAccessibleText();
}

void TControl::set_AccessibleName(const std::string& v) {
  FAccessibleName = v;
  if (FHandle) ApplyAccessibleText();
}

void TControl::set_AccessibleDescription(const std::string& v) {
  FAccessibleDescription = v;
  if (FHandle) ApplyAccessibleText();
}

void TControl::ApplyAccessibleText() {
  QWidget* w = FHandle->widget;
  std::string name = FAccessibleName;
  // A button that shows only a picture is named by its hint, which says what it does.
  auto* button = qobject_cast<QAbstractButton*>(w);
  if (name.empty() && button && button->text().isEmpty()) name = FHint;
  // The platform names a label or a button by its text in its own conversion, which would make "?" of
  // a kept byte: such a text is given as the name, converted as everything leaving the program is.
  // (Only theirs is looked at: an edit's text can be a whole file's.)
  if (name.empty() && (button || qobject_cast<QLabel*>(w)) && ToOutsideQString(FText) != ToQString(FText))
    name = FText;
  QString qname = ToOutsideQString(name), description = ToOutsideQString(FAccessibleDescription);
  if (w->accessibleName() != qname) w->setAccessibleName(qname);
  if (w->accessibleDescription() == description) return;
  w->setAccessibleDescription(description);
  // The platform tells a description's change without its text, which a screen reader cannot speak:
  // a new description of the control with the focus (a cell that now repeats another) is also told
  // as a notification.
  auto* form = dynamic_cast<TForm*>(TopLevel());
  if (form && w->hasFocus()) form->Announce(FAccessibleDescription, this);
}

TAccessibleItem TControl::AccessibleItem(int) const { return {}; }

void TControl::FocusAccessibleItem(int Index) {
  if (FHandle && FHandle->widget->hasFocus()) TellItemFocused(FHandle->widget, Index);
}

void TControl::set_Cursor(TCursor v) {
  FCursor = v;
  if (FHandle) FHandle->widget->setCursor(v == crHandPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TControl::set_TabOrder(int v) { FTabOrder = v; }

void TControl::set_TabStop(bool v) {
  FTabStop = v;
  if (FHandle) FHandle->widget->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

void TControl::set_TabGroup(bool v) {
  FTabGroup = v;
  if (FHandle) ApplyTabGroup();
}

void TControl::ApplyTabGroup() {
  if (FTabGroup) FHandle->widget->setFocusPolicy(Qt::TabFocus);
}

void TControl::LeaveGroups() {
  for (TControl* p = FParent; p; p = p->FParent)
    if (p->FLastFocused == this) p->FLastFocused = nullptr;
}

void ControlAccess::FocusIn(TControl* c) {
  for (TControl* p = c->FParent; p; p = p->FParent)
    if (p->FTabGroup) p->FLastFocused = c;
  if (!c->FTabGroup) return;
  TControl* target = c->FLastFocused;
  if (!target || !target->FHandle || !target->FHandle->widget->isVisible() || !target->FHandle->widget->isEnabled()) {
    target = nullptr;
    std::function<TControl*(TControl*)> first = [&](TControl* p) -> TControl* {
      for (TControl* k : p->FControls) {
        QWidget* w = k->FHandle ? k->FHandle->widget : nullptr;
        if (w && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) return k;
        if (TControl* inner = first(k)) return inner;
      }
      return nullptr;
    };
    target = first(c);
  }
  if (!target) return;
  QWidget* w = target->FHandle->widget;
  w->setFocus(Qt::TabFocusReason);
  // The platform tells of the group's own focus after this handler, last: the child's focus is told
  // again after that, so that a screen reader names the cell, not the board.
  QTimer::singleShot(0, w, [w] {
    if (!w->hasFocus() || !Listening()) return;
    QAccessibleEvent focus(w, QAccessible::Focus);
    Tell(&focus);
  });
}

void MoveFocus(QWidget* from, bool next) {
  // Past the outermost group around the widget.
  QWidget* start = from;
  for (TControl* p = ControlOf(from); p; p = p->Parent())
    if (p->TabGroup() && p->HandleAllocated()) start = p->Handle()->widget;
  QWidget* w = start;
  for (int guard = 0; guard < 100000; ++guard) {
    w = next ? w->nextInFocusChain() : w->previousInFocusChain();
    if (!w || w == start) return;
    if (start->isAncestorOf(w) || w->window() != from->window()) continue;
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(w->window()) && w->isEnabled()) {
      w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

void TControl::SetFocus() { Handle()->widget->setFocus(Qt::OtherFocusReason); }

bool TControl::Focused() const { return FHandle && FHandle->widget->hasFocus(); }

void TControl::Invalidate() {
  if (!FHandle) return;
  FHandle->widget->update();
  if (AccessibleItemCount() > 0) TellItemsChanged(FHandle->widget);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace toolkit
