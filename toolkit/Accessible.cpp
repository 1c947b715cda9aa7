// Assistive technology: what a screen reader is told of the layer's own widgets and of their changes.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <algorithm>
#include <memory>
#include <vector>

#include "toolkit/ComCtrls.h"
#include "toolkit/EditWidget_p.h"
#include "toolkit/TextBoundaries_p.h"
#include "toolkit/Forms.h"
#include "toolkit/qt_p.h"

namespace toolkit {

TControl* ControlOf(QObject* widget) {
  for (QObject* child : widget->children())
    if (auto* bridge = dynamic_cast<EventBridge*>(child)) return bridge->Control();
  return nullptr;
}

namespace {
// The bare widget inside a panel's border where the panel's children live, or null. It is no part of
// what a screen reader hears: the children are the panel's own.
QWidget* ClientWidget(QWidget* w) {
  TControl* c = ControlOf(w);
  ControlHandle* h = c ? c->Handle() : nullptr;
  return h && h->client != h->widget ? h->client : nullptr;
}
// A form's own client widget stays in the tree: the platform's own widgets (buttons, edits, labels)
// name it as their parent, so hiding it would leave them with a parent that does not list them.
bool IsClientWidget(QWidget* w) {
  return w && w->parentWidget() && !w->parentWidget()->isWindow() && ClientWidget(w->parentWidget()) == w;
}
}  // namespace

class ItemAccessible;

// What every text of the layer answers a screen reader about its characters, words, sentences,
// lines and paragraphs: pieces the layer finds itself (toolkit/TextBoundaries_p.h), never Qt's own,
// which never returned for a text that begins with a Chinese character.
class BoundedText : public QAccessibleTextInterface {
 public:
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset, int* endOffset) const override {
    return Piece(offset, type, TextSide::At, startOffset, endOffset);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                           int* endOffset) const override {
    return Piece(offset, type, TextSide::Before, startOffset, endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                          int* endOffset) const override {
    return Piece(offset, type, TextSide::After, startOffset, endOffset);
  }

 protected:
  // The text as the widget holds it, a kept byte as its lone surrogate; empty while it tells none.
  virtual QString Whole() const = 0;
  // The piece holding unit i; a text with lines of its own gives them here.
  virtual TextSpan SpanOf(QStringView whole, int i, QAccessible::TextBoundaryType type) const {
    return SpanAt(whole, i, type);
  }

 private:
  QString Piece(int offset, QAccessible::TextBoundaryType type, TextSide side, int* startOffset, int* endOffset) const {
    const QString whole = Whole();
    TextSpan span = PieceOf(whole, offset, type, side, [&](int i) { return SpanOf(whole, i, type); });
    *startOffset = span.Start;
    *endOffset = span.End;
    return OutsideText(whole.mid(span.Start, span.End - span.Start));
  }
};

// The interface of every plain widget of the layer below a window. Qt may ask for a widget's interface
// while the widget is still being built, and keeps the answer for the widget's life, so this one decides
// nothing when it is made: each call looks at what the widget and its control are now.
//
// The multi-line edit is editable or read-only text whose value is its text; a control that
// lists accessible items shows them as children after its child widgets; the status bar and the tool bar
// say what they are. Any other plain widget answers as the platform's own would.
// Whether the widget is shown with its window: not hidden itself, nor under a hidden control.
bool Shown(QWidget* w) { return w->isVisibleTo(w->window()); }

class WidgetAccessible : public QAccessibleWidget, public BoundedText {
 public:
  explicit WidgetAccessible(QWidget* w) : QAccessibleWidget(w) {}
  ~WidgetAccessible() override {
    for (QAccessible::Id id : items_) QAccessible::deleteAccessibleInterface(id);
  }

  QWidget* Widget() const { return widget(); }
  EditWidget* Edit() const { return dynamic_cast<EditWidget*>(widget()); }
  TControl* Control() const { return ControlOf(widget()); }
  int ItemCount() const {
    TControl* c = Control();
    return c ? c->AccessibleItemCount() : 0;
  }
  TAccessibleItem Item(int i) const {
    TControl* c = Control();
    return c && i < c->AccessibleItemCount() ? c->AccessibleItem(i) : TAccessibleItem{};
  }
  // The interface of item i, made when first asked for and kept with this one.
  QAccessibleInterface* ItemInterface(int i) const;

  QAccessible::Role role() const override {
    if (Edit()) return QAccessible::EditableText;
    TControl* c = Control();
    if (c && c->AccessibleRole() == arGrouping) return QAccessible::Grouping;
    if (c && c->AccessibleRole() == arList) return QAccessible::List;
    if (dynamic_cast<TStatusBar*>(c)) return QAccessible::StatusBar;
    if (dynamic_cast<TToolBar*>(c)) return QAccessible::ToolBar;
    if (c && c->AccessibleItemCount() > 0) return QAccessible::Pane;
    return QAccessibleWidget::role();
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (EditWidget* e = Edit()) {
      s.readOnly = e->readOnly_;
      s.editable = !e->readOnly_;
      s.multiLine = true;
      s.selectableText = true;
    }
    return s;
  }

  QString text(QAccessible::Text t) const override {
    // An edit out of sight (a paused game's hidden board) tells no text either.
    if (t == QAccessible::Value)
      if (EditWidget* e = Edit()) return Shown(e) ? OutsideText(e->text_) : QString();
    return QAccessibleWidget::text(t);
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface && Edit()) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // A panel's children are told as its own, past the bare widget that holds them.
  QAccessibleInterface* parent() const override {
    QAccessibleInterface* p = QAccessibleWidget::parent();
    return p && IsClientWidget(qobject_cast<QWidget*>(p->object())) ? p->parent() : p;
  }
  int WidgetCount() const {
    TControl* c = Control();
    if (c && c->AccessibleRole() == arList) return 0;  // only its entries, not its scroll bars
    QWidget* client = ClientWidget(widget());
    return client ? QAccessible::queryAccessibleInterface(client)->childCount() : QAccessibleWidget::childCount();
  }
  int childCount() const override { return WidgetCount() + ItemCount(); }
  QAccessibleInterface* child(int index) const override {
    int widgets = WidgetCount();
    if (index < widgets) {
      QWidget* client = ClientWidget(widget());
      return client ? QAccessible::queryAccessibleInterface(client)->child(index) : QAccessibleWidget::child(index);
    }
    return index - widgets < ItemCount() ? ItemInterface(index - widgets) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    int widgets = WidgetCount();
    for (std::size_t i = 0; i < items_.size() && static_cast<int>(i) < ItemCount(); ++i)
      if (QAccessible::accessibleInterface(items_[i]) == child) return widgets + static_cast<int>(i);
    if (QWidget* client = ClientWidget(widget())) return QAccessible::queryAccessibleInterface(client)->indexOfChild(child);
    return QAccessibleWidget::indexOfChild(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override;

  // ---- the text of the multi-line edit, in characters, with LF line breaks

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    EditWidget* e = Edit();
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || e->SelLength() == 0) return;
    *startOffset = e->SelStart();
    *endOffset = e->SelStart() + e->SelLength();
  }
  int selectionCount() const override { return Edit()->SelLength() > 0 ? 1 : 0; }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int) override { Edit()->SetCaret(Edit()->cursor_); }
  void setSelection(int, int startOffset, int endOffset) override {
    EditWidget* e = Edit();
    int length = static_cast<int>(e->text_.size());
    e->SetCaret(startOffset);
    e->MoveCaret(std::clamp(endOffset, 0, length), true);
  }
  int cursorPosition() const override { return Edit()->cursor_; }
  void setCursorPosition(int position) override { Edit()->SetCaret(position); }
  QString text(int startOffset, int endOffset) const override {
    if (!Shown(Edit())) return {};
    return OutsideText(Edit()->text_.mid(startOffset, std::max(0, endOffset - startOffset)));
  }
  int characterCount() const override { return Shown(Edit()) ? static_cast<int>(Edit()->text_.size()) : 0; }
  QRect characterRect(int offset) const override {
    EditWidget* e = Edit();
    const QTextLayout& layout = e->Layout();
    int at = offset - e->LayoutStart();  // a long text is laid out only around the caret
    QTextLine line = at >= 0 && at <= layout.text().size() ? layout.lineForTextPosition(at) : QTextLine();
    if (!line.isValid()) return QRect();
    qreal x1 = line.cursorToX(at), x2 = line.cursorToX(at + 1);
    QPointF o = e->Origin();
    QRectF r(QPointF(o.x() + std::min(x1, x2), o.y() + line.y()), QSizeF(std::abs(x2 - x1), line.height()));
    return QRect(e->mapToGlobal(r.topLeft().toPoint()), r.size().toSize());
  }
  int offsetAtPoint(const QPoint& point) const override {
    EditWidget* e = Edit();
    return e->PositionAt(QPointF(e->mapFromGlobal(point)));
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
  }
  QString Whole() const override { return Shown(Edit()) ? Edit()->text_ : QString(); }
  // A line is a line as the edit shows it, wrapped at its edge: a screen reader reading by lines
  // (Down, Page Down) speaks what the caret has moved onto, not the whole paragraph. A long text is
  // laid out only around the caret: away from it, a line is its paragraph.
  TextSpan SpanOf(QStringView whole, int i, QAccessible::TextBoundaryType type) const override {
    if (type != QAccessible::LineBoundary) return SpanAt(whole, i, type);
    const QTextLayout& layout = Edit()->Layout();
    const int first = Edit()->LayoutStart(), end = first + static_cast<int>(layout.text().size());
    QTextLine line = i >= first && i < end ? layout.lineForTextPosition(i - first) : QTextLine();
    if (line.isValid()) {
      const int start = first + line.textStart();
      return {start, std::min(end, start + line.textLength())};
    }
    // A paragraph that runs into the laid-out part ends (or starts) where that part does.
    TextSpan paragraph = SpanAt(whole, i, QAccessible::ParagraphBoundary);
    if (i < first) paragraph.End = std::min(paragraph.End, first);
    if (i >= end) paragraph.Start = std::max(paragraph.Start, end);
    return paragraph;
  }

 private:
  mutable std::vector<QAccessible::Id> items_;
};

// One painted part of a control: a text, or a button that is greyed when it is not offered. An entry
// of a list is a read-only text too, its name, which a screen reader may read by words.
class ItemAccessible : public QAccessibleInterface, public BoundedText {
 public:
  ItemAccessible(const WidgetAccessible* owner, int index) : owner_(owner), index_(index) {}

  bool isValid() const override { return owner_->isValid() && index_ < owner_->ItemCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return owner_->window(); }
  QAccessibleInterface* parent() const override { return const_cast<WidgetAccessible*>(owner_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    TAccessibleItem item = owner_->Item(index_);
    if (t == QAccessible::Name) return ToOutsideQString(item.Name);
    if (t == QAccessible::Description) return ToOutsideQString(item.Description);
    return QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    TAccessibleItem item = owner_->Item(index_);
    QWidget* w = owner_->Widget();
    TControl* c = owner_->Control();
    int offset = c ? ControlAccess::ChildOffset(c) : 0;
    return QRect(w->mapToGlobal(QPoint(item.Left + offset, item.Top + offset)), QSize(item.Width, item.Height));
  }
  QAccessible::Role role() const override {
    if (owner_->role() == QAccessible::List) return QAccessible::ListItem;
    return owner_->Item(index_).Button ? QAccessible::Button : QAccessible::StaticText;
  }
  QAccessible::State state() const override {
    TAccessibleItem item = owner_->Item(index_);
    QAccessible::State s;
    s.disabled = !item.Enabled;
    s.invisible = owner_->state().invisible;
    if (owner_->role() == QAccessible::List) {
      s.selectable = s.focusable = true;
      s.selected = item.Selected;
    }
    s.focused = item.Selected && owner_->Widget()->hasFocus();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface && role() == QAccessible::ListItem) return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
  }

  // ---- an entry's name as a read-only text, with no caret of its own
  QString Whole() const override { return ToQString(owner_->Item(index_).Name); }
  void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    return OutsideText(Whole().mid(startOffset, std::max(0, endOffset - startOffset)));
  }
  int characterCount() const override { return static_cast<int>(Whole().size()); }
  QRect characterRect(int) const override { return QRect(); }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
  }

 private:
  const WidgetAccessible* owner_;
  int index_;
};

QAccessibleInterface* WidgetAccessible::ItemInterface(int i) const {
  while (static_cast<int>(items_.size()) <= i)
    items_.push_back(QAccessible::registerAccessibleInterface(new ItemAccessible(this, static_cast<int>(items_.size()))));
  return QAccessible::accessibleInterface(items_[i]);
}

QAccessibleInterface* WidgetAccessible::childAt(int x, int y) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemInterface(i)->rect().contains(x, y)) return ItemInterface(i);
  if (QWidget* client = ClientWidget(widget())) return QAccessible::queryAccessibleInterface(client)->childAt(x, y);
  return QAccessibleWidget::childAt(x, y);
}

// The single-line edit, told as the platform's own edit is, but with its text converted as all text
// leaving the program is: a kept byte is the replacement character, not the platform's "?".
class LineAccessible : public QAccessibleWidget, public BoundedText {
 public:
  explicit LineAccessible(QLineEdit* w) : QAccessibleWidget(w, QAccessible::EditableText) {}
  QLineEdit* Line() const { return static_cast<QLineEdit*>(widget()); }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = Line()->isReadOnly();
    s.editable = !s.readOnly;
    s.selectableText = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Value) return QAccessibleWidget::text(t);
    return Line()->echoMode() == QLineEdit::Normal ? OutsideText(Line()->text()) : QString();
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Line()->hasSelectedText()) return;
    *startOffset = Line()->selectionStart();
    *endOffset = Line()->selectionEnd();
  }
  int selectionCount() const override { return Line()->hasSelectedText() ? 1 : 0; }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int) override { Line()->deselect(); }
  void setSelection(int, int startOffset, int endOffset) override {
    Line()->setSelection(startOffset, endOffset - startOffset);
  }
  int cursorPosition() const override { return Line()->cursorPosition(); }
  void setCursorPosition(int position) override { Line()->setCursorPosition(position); }
  QString text(int startOffset, int endOffset) const override {
    if (Line()->echoMode() != QLineEdit::Normal) return QString();
    return OutsideText(Line()->text().mid(startOffset, std::max(0, endOffset - startOffset)));
  }
  int characterCount() const override { return static_cast<int>(Line()->text().size()); }
  // One line: the line boundary is the whole text, as the paragraph is.
  QString Whole() const override { return Line()->echoMode() == QLineEdit::Normal ? Line()->text() : QString(); }
  // Measured from the caret, whose place the edit knows, scrolled text included.
  QRect characterRect(int offset) const override {
    QLineEdit* l = Line();
    QString t = l->text();
    if (offset < 0 || offset >= t.size()) return QRect();
    QFontMetrics fm(l->font());
    QRect caret = l->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    int x = caret.x() + fm.horizontalAdvance(t.left(offset)) - fm.horizontalAdvance(t.left(l->cursorPosition()));
    return QRect(l->mapToGlobal(QPoint(x, caret.y())), QSize(fm.horizontalAdvance(t.mid(offset, 1)), caret.height()));
  }
  int offsetAtPoint(const QPoint& point) const override { return Line()->cursorPositionAt(Line()->mapFromGlobal(point)); }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
  }
};

const char* const NoticeProperty = "velmoraNotice";

// A form's window: the main window is a frame, every other form a dialog.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
  QAccessible::Role role() const override {
    TControl* form = ControlOf(widget());
    bool main = !form || !Application || Application->MainForm() == form;
    return main ? QAccessible::Window : QAccessible::Dialog;
  }
};

namespace {
QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  // Every single-line edit: Qt may ask while the widget is still being built, before it can tell the
  // layer's from another.
  if (className == QLatin1String("QLineEdit")) return new LineAccessible(static_cast<QLineEdit*>(w));
  // The bare widget that a form announces its messages with.
  if (w->property(NoticeProperty).toBool()) return new QAccessibleWidget(w, QAccessible::Notification);
  TControl* control = ControlOf(w);
  // A tool bar's gap is a tool button that never acts: a separator, not a button without a name.
  if (control && control->AccessibleRole() == arList) return new WidgetAccessible(w);
  if (className == QLatin1String("QToolButton")) {
    auto* button = dynamic_cast<TToolButton*>(ControlOf(w));
    return button && button->Style() == tbsSeparator ? new QAccessibleWidget(w, QAccessible::Separator) : nullptr;
  }
  // Otherwise only plain widgets: the platform's own widgets keep their own interfaces.
  if (className != QLatin1String("QWidget")) return nullptr;
  if (w->isWindow()) return new WindowAccessible(w);
  return new WidgetAccessible(w);
}

}  // namespace

namespace {
// The platform's own edits tell their changes with their raw text, which the bridge to the screen
// reader would convert to "?" at a kept byte: every change of text is converted on its way out.
QAccessible::UpdateHandler platformUpdate = nullptr;

void Outgoing(QAccessibleEvent* event) {
  std::unique_ptr<QAccessibleEvent> converted;
  // Nothing is asked of the event while no assistive technology listens: that would make the
  // interface of a widget still being built.
  QAccessibleInterface* iface = QAccessible::isActive() ? event->accessibleInterface() : nullptr;
  // Only the caret and selection of the text with the focus are told, as the layer's own edit does:
  // a screen reader speaks any it hears, and a name selected as a dialog opens would be read once
  // alone and once more with the focus.
  if (iface && (event->type() == QAccessible::TextCaretMoved || event->type() == QAccessible::TextSelectionChanged))
    if (auto* w = qobject_cast<QWidget*>(iface->object()); w && !w->hasFocus()) return;
  if (iface && event->type() == QAccessible::TextInserted) {
    auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
    converted = std::make_unique<QAccessibleTextInsertEvent>(iface, e->changePosition(), OutsideText(e->textInserted()));
  } else if (iface && event->type() == QAccessible::TextRemoved) {
    auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
    converted = std::make_unique<QAccessibleTextRemoveEvent>(iface, e->changePosition(), OutsideText(e->textRemoved()));
  } else if (iface && event->type() == QAccessible::TextUpdated) {
    auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
    converted = std::make_unique<QAccessibleTextUpdateEvent>(iface, e->changePosition(), OutsideText(e->textRemoved()),
                                                             OutsideText(e->textInserted()));
  }
  // Handed on as the platform would have taken it.
  QAccessible::installUpdateHandler(platformUpdate);
  QAccessible::updateAccessibility(converted ? converted.get() : event);
  QAccessible::installUpdateHandler(Outgoing);
}
}  // namespace

void (*AccessibilityWitness)(QAccessibleEvent* event) = nullptr;

bool Listening() { return QAccessible::isActive() || AccessibilityWitness; }

void Tell(QAccessibleEvent* event) {
  if (AccessibilityWitness) AccessibilityWitness(event);
  QAccessible::updateAccessibility(event);
}

void MarkNotice(QWidget* w) { w->setProperty(NoticeProperty, true); }

void InstallAccessibility() {
  QAccessible::installFactory(Factory);
  QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(Outgoing);
  if (previous != Outgoing) platformUpdate = previous;
}

void TellItemsChanged(QWidget* w) {
  if (!Listening()) return;
  auto* owner = dynamic_cast<WidgetAccessible*>(QAccessible::queryAccessibleInterface(w));
  if (!owner) return;
  for (int i = 0; i < owner->ItemCount(); ++i) {
    QAccessibleInterface* item = owner->ItemInterface(i);
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent state(item, changed);
    Tell(&state);
    for (QAccessible::Event type : {QAccessible::NameChanged, QAccessible::DescriptionChanged}) {
      QAccessibleEvent event(item, type);
      Tell(&event);
    }
  }
}

void TellItemFocused(QWidget* w, int index) {
  if (!Listening() || index < 0) return;
  auto* owner = dynamic_cast<WidgetAccessible*>(QAccessible::queryAccessibleInterface(w));
  if (!owner || index >= owner->ItemCount()) return;
  QAccessibleEvent event(owner->ItemInterface(index), QAccessible::Focus);
  Tell(&event);
}

void TellTextChanged(QWidget* w, const std::string& before, const std::string& after) {
  if (!Listening() || !dynamic_cast<EditWidget*>(w)) return;
  // Told as the part that really changed, so that a screen reader speaks what was typed or deleted
  // (Backspace in "36" deletes "6"), not the whole text again.
  QString old = ToWidgetText(before), now = ToWidgetText(after);  // converted on the way out (Outgoing)
  qsizetype start = 0;
  while (start < old.size() && start < now.size() && old[start] == now[start]) ++start;
  qsizetype end = 0;
  while (end < old.size() - start && end < now.size() - start && old[old.size() - 1 - end] == now[now.size() - 1 - end])
    ++end;
  QString removed = old.mid(start, old.size() - start - end), inserted = now.mid(start, now.size() - start - end);
  int at = static_cast<int>(start);
  if (inserted.isEmpty()) {
    QAccessibleTextRemoveEvent event(w, at, removed);
    Tell(&event);
  } else if (removed.isEmpty()) {
    QAccessibleTextInsertEvent event(w, at, inserted);
    Tell(&event);
  } else {
    QAccessibleTextUpdateEvent event(w, at, removed, inserted);
    Tell(&event);
  }
}

void TellCaretMoved(QWidget* w, int position) {
  if (!Listening() || !dynamic_cast<EditWidget*>(w)) return;
  QAccessibleTextCursorEvent event(w, position);
  Tell(&event);
}

void TellSelectionChanged(QWidget* w, int start, int end) {
  if (!Listening() || !dynamic_cast<EditWidget*>(w)) return;
  QAccessibleTextSelectionEvent event(w, start, end);
  Tell(&event);
}

void ForgetAccessible(QWidget* w) {
  if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void TellReadOnlyChanged(QWidget* w) {
  if (!Listening() || !dynamic_cast<EditWidget*>(w)) return;
  QAccessible::State changed;
  changed.readOnly = true;
  changed.editable = true;
  QAccessibleStateChangeEvent event(w, changed);
  Tell(&event);
}

}  // namespace toolkit
