// The multi-line edit's light widget: text, caret, selection, keys, mouse, clipboard, drops, one paint pass.
#include "toolkit/EditWidget_p.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <cmath>

namespace toolkit {

namespace {
// Text from outside (clipboard, drop, input method) takes the widget's own line breaks.
QString OwnLineBreaks(QString s) {
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  s.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return s;
}
}  // namespace

EditWidget::EditWidget(TCustomEdit* edit, QWidget* parent) : QWidget(parent), edit_(edit) {
  // Every pixel is painted here, so nothing beneath is painted first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  setCursor(Qt::IBeamCursor);
  setFocusPolicy(Qt::StrongFocus);
}

// ---------------------------------------------------------------- what the layer assigns

void EditWidget::SetText(const QString& s) {
  text_ = s;
  cursor_ = anchor_ = 0;
  canUndo_ = false;
  typedEnd_ = -1;
  laidOut_ = false;
  update();
  TellCaret();
}

void EditWidget::SetBackground(const QColor& c) {
  if (c == background_) return;
  background_ = c;
  update();
}

void EditWidget::SetStress(QChar c, const QColor& back) {
  if (c == stress_ && back == stressColor_) return;
  stress_ = c;
  stressColor_ = back;
  update();
}

void EditWidget::SetTextFont(const QFont& f, const QColor& color) {
  bool changed = false;
  if (!(f == font_)) {
    font_ = f;
    laidOut_ = false;
    changed = true;
  }
  if (color != textColor_) {
    textColor_ = color;
    changed = true;
  }
  if (changed) update();
}

void EditWidget::SetAlignment(Qt::Alignment a) {
  if (a == align_) return;
  align_ = a;
  laidOut_ = false;
  update();
}

void EditWidget::SetFrame(Frame f) {
  if (f == frame_) return;
  frame_ = f;
  update();
}

void EditWidget::SetReadOnly(bool v) { readOnly_ = v; }

void EditWidget::SetCaret(int position) { MoveCaret(std::clamp(position, 0, static_cast<int>(text_.size())), false); }

void EditWidget::SelectAll() {
  anchor_ = 0;
  cursor_ = static_cast<int>(text_.size());
  RestartBlink();
  update();
  TellCaret();
}

// ---------------------------------------------------------------- layout and painting

QPointF EditWidget::Origin() const {
  int inset = FrameWidth() + 1;  // the border, then a one-pixel margin
  return QPointF(inset, inset - scroll_);
}

int EditWidget::LineWidth() const { return std::max(1, width() - 2 * (FrameWidth() + 1)); }

namespace {
qsizetype LongestWord(const QString& text) {
  qsizetype run = 0, longest = 0;
  for (QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  return longest;
}
}  // namespace

const QTextLayout& EditWidget::Layout() const {
  int width = LineWidth();
  // The part to lay out: a short text whole; a long one around the caret, so that a cell of millions
  // of characters costs what a cell of a few thousand does.
  const int size = static_cast<int>(text_.size());
  int start = 0, end = size;
  if (size > 3 * LayoutStretch) {
    int stretch = cursor_ / LayoutStretch;
    start = std::max(0, (stretch - 1) * LayoutStretch);
    end = std::min(size, (stretch + 2) * LayoutStretch);
    // From the start of the line where one begins within a stretch before, so that lines wrap as they
    // would in the whole text; and never inside a character of two units.
    int lineStart = start > 0 ? static_cast<int>(text_.lastIndexOf(QLatin1Char('\n'), start - 1)) : -1;
    if (lineStart >= 0 && start - lineStart <= LayoutStretch) start = lineStart + 1;
    if (start > 0 && text_.at(start).isLowSurrogate()) --start;
    if (end < size && text_.at(end).isLowSurrogate()) ++end;
  }
  if (laidOut_ && laidOutWidth_ == width && start == layoutStart_ && end == layoutEnd_) return layout_;
  laidOut_ = true;
  laidOutWidth_ = width;
  layoutStart_ = start;
  layoutEnd_ = end;
  // One layout for the part: its line breaks become line separators, one character each, so positions
  // in the layout are positions in the text, less the part's start.
  QString shown = text_.mid(start, end - start);
  shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
  layout_.setText(shown);
  layout_.setFont(font_);
  QTextOption option(align_);
  // The classic multi-line edit breaks a word that does not fit anywhere inside it. Wrapping at word
  // boundaries looks for the end of the word on every line, in time of the square of the word's length:
  // a saved game's cell of millions of digits froze the board. A text with a word longer than any line
  // can hold wraps anywhere instead, which looks the same.
  option.setWrapMode(LongestWord(shown) > 256 ? QTextOption::WrapAnywhere
                                               : QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout_.setTextOption(option);
  layout_.setCacheEnabled(true);
  layout_.beginLayout();
  qreal y = 0;
  for (;;) {
    QTextLine line = layout_.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout_.endLayout();
  return layout_;
}

void EditWidget::FollowCaret() const {
  const QTextLayout& layout = Layout();
  int inner = std::max(1, height() - 2 * (FrameWidth() + 1));
  QTextLine line = layout.lineForTextPosition(cursor_ - layoutStart_);
  if (!line.isValid()) line = layout.lineAt(layout.lineCount() - 1);
  int top = static_cast<int>(line.y());
  int bottom = static_cast<int>(std::ceil(line.y() + line.height()));
  if (bottom - scroll_ > inner) scroll_ = bottom - inner;
  if (top < scroll_) scroll_ = top;
  QTextLine last = layout.lineAt(layout.lineCount() - 1);
  int content = static_cast<int>(std::ceil(last.y() + last.height()));
  scroll_ = std::clamp(scroll_, 0, std::max(0, content - inner));
}

void EditWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = width(), h = height();
  p.fillRect(rect(), background_);
  if (frame_ == frameFlat) {
    p.fillRect(0, 0, w, 1, Qt::black);
    p.fillRect(0, h - 1, w, 1, Qt::black);
    p.fillRect(0, 0, 1, h, Qt::black);
    p.fillRect(w - 1, 0, 1, h, Qt::black);
  } else if (frame_ == frameSunken) {
    // The classic sunken edge: shadow over dark shadow at the top left, highlight over face at the
    // bottom right.
    QPalette pal = QApplication::palette();
    QColor shadow = ToQColor(clBtnShadow), light = ToQColor(clBtnHighlight);
    QColor dark = pal.color(QPalette::Shadow), face = ToQColor(clBtnFace);
    p.fillRect(0, 0, w - 1, 1, shadow);
    p.fillRect(0, 0, 1, h - 1, shadow);
    p.fillRect(0, h - 1, w, 1, light);
    p.fillRect(w - 1, 0, 1, h, light);
    p.fillRect(1, 1, w - 3, 1, dark);
    p.fillRect(1, 1, 1, h - 3, dark);
    p.fillRect(1, h - 2, w - 2, 1, face);
    p.fillRect(w - 2, 1, 1, h - 2, face);
  }
  int f = FrameWidth();
  p.setClipRect(f, f, w - 2 * f, h - 2 * f);
  FollowCaret();
  const QTextLayout& layout = Layout();
  QList<QTextLayout::FormatRange> selection;
  // The stressed character, within the part laid out; the selection is drawn over it.
  if (!stress_.isNull()) {
    for (int i = layoutStart_; i < layoutEnd_; ++i) {
      if (text_[i] != stress_) continue;
      QTextLayout::FormatRange range;
      range.start = i - layoutStart_;
      range.length = 1;
      range.format.setBackground(stressColor_);
      range.format.setForeground(Qt::white);
      selection.append(range);
    }
  }
  // The selection, within the part laid out.
  int from = std::max(SelStart(), layoutStart_), to = std::min(SelStart() + SelLength(), layoutEnd_);
  if (from < to) {
    QTextLayout::FormatRange range;
    range.start = from - layoutStart_;
    range.length = to - from;
    range.format.setBackground(palette().brush(QPalette::Highlight));
    range.format.setForeground(palette().brush(QPalette::HighlightedText));
    selection.append(range);
  }
  p.setPen(textColor_);
  // Only the lines inside the control are drawn (and shaped).
  layout.draw(&p, Origin(), selection, QRectF(f, f, w - 2 * f, h - 2 * f));
  if (caretOn_ && hasFocus()) layout.drawCursor(&p, Origin(), cursor_ - layoutStart_, 1);
}

int EditWidget::PositionAt(const QPointF& point) const {
  const QTextLayout& layout = Layout();
  QPointF at = point - Origin();
  int count = layout.lineCount();
  for (int i = 0; i < count; ++i) {
    QTextLine line = layout.lineAt(i);
    if (at.y() < line.y() + line.height() || i == count - 1) return layoutStart_ + line.xToCursor(at.x());
  }
  return layoutStart_;
}

QRect EditWidget::CaretRect() const {
  const QTextLayout& layout = Layout();
  QTextLine line = layout.lineForTextPosition(cursor_ - layoutStart_);
  if (!line.isValid()) return QRect();
  QPointF o = Origin();
  int x = static_cast<int>(o.x() + line.cursorToX(cursor_ - layoutStart_));
  return QRect(x - 1, static_cast<int>(o.y() + line.y()), 3, static_cast<int>(std::ceil(line.height())) + 1);
}

// ---------------------------------------------------------------- the caret

void EditWidget::RestartBlink() {
  caretOn_ = true;
  int flash = QApplication::cursorFlashTime();
  if (hasFocus() && flash >= 2)
    blink_.start(flash / 2, this);
  else
    blink_.stop();
}

void EditWidget::timerEvent(QTimerEvent* e) {
  if (e->timerId() != blink_.timerId()) return QWidget::timerEvent(e);
  caretOn_ = !caretOn_;
  update(CaretRect());
}

void EditWidget::focusInEvent(QFocusEvent* e) {
  RestartBlink();
  update();
  QWidget::focusInEvent(e);
}

void EditWidget::focusOutEvent(QFocusEvent* e) {
  blink_.stop();
  caretOn_ = false;
  selecting_ = false;
  update();
  QWidget::focusOutEvent(e);
}

void EditWidget::MoveCaret(int position, bool extend) {
  cursor_ = position;
  if (!extend) anchor_ = position;
  RestartBlink();
  update();
  TellCaret();
}

// Only the caret of the text with the focus is told: a screen reader reads no other, and a board of
// texts assigned at once (a game loaded) would flood it with news it drops, a notice among them.
void EditWidget::TellCaret() {
  const int start = SelStart(), end = SelStart() + SelLength();
  if (start != toldSelStart_ || end != toldSelEnd_) {
    // A caret moving with nothing selected changes no selection.
    const bool had = toldSelStart_ != toldSelEnd_;
    toldSelStart_ = start;
    toldSelEnd_ = end;
    if ((had || start != end) && hasFocus()) TellSelectionChanged(this, start, end);
  }
  if (cursor_ == toldCursor_) return;
  toldCursor_ = cursor_;
  if (hasFocus()) TellCaretMoved(this, cursor_);
}

// ---------------------------------------------------------------- the player's edits

void EditWidget::Edited(const QString& before, bool continuesTyping) {
  laidOut_ = false;
  RestartBlink();
  update();
  if (text_ == before) return TellCaret();
  if (!continuesTyping) {
    undo_ = before;
    canUndo_ = true;
  }
  // Last: the change handler may assign a new text, or free the control. The caret is told after
  // the change, as a screen reader expects it.
  QPointer<EditWidget> self(this);
  Deliver([this] { TextAccess::Changed(edit_, FromWidgetText(text_)); });
  if (self) TellCaret();
}

void EditWidget::Insert(const QString& s, bool typed) {
  if (readOnly_) return;
  QString before = text_;
  QString in = OwnLineBreaks(s);
  int from = SelStart();
  // Typing on where the last typed characters end continues that edit; over a selection it starts one.
  bool continues = typed && SelLength() == 0 && from == typedEnd_;
  text_.replace(from, SelLength(), in);
  cursor_ = anchor_ = from + static_cast<int>(in.size());
  typedEnd_ = typed ? cursor_ : -1;
  Edited(before, continues);
}

void EditWidget::Erase(int from, int to) {
  if (readOnly_ || from >= to) return;
  QString before = text_;
  text_.remove(from, to - from);
  cursor_ = anchor_ = from;
  typedEnd_ = -1;
  Edited(before);
}

void EditWidget::DeleteSelection() { Erase(SelStart(), SelStart() + SelLength()); }

void EditWidget::PasteFiltered(const QString& s) {
  if (readOnly_) return;
  QPointer<EditWidget> self(this);
  QString filtered = OwnLineBreaks(FilterText(edit_, s));
  if (!self) return;
  Insert(Fitting(filtered, Room(edit_, static_cast<int>(text_.size()), SelLength())));
}

void EditWidget::Paste() { PasteFiltered(QGuiApplication::clipboard()->text()); }

void EditWidget::Undo() {
  if (!CanUndo()) return;
  QString before = text_;
  text_ = undo_;
  cursor_ = anchor_ = static_cast<int>(text_.size());
  typedEnd_ = -1;
  Edited(before);
}

void EditWidget::Copy() const {
  if (SelLength() > 0) QGuiApplication::clipboard()->setText(text_.mid(SelStart(), SelLength()));
}

void EditWidget::Cut() {
  if (readOnly_ || SelLength() == 0) return;
  Copy();
  DeleteSelection();
}

// ---------------------------------------------------------------- keys

bool EditWidget::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    // Tab reaches the typing filter first; only a kept Tab moves the focus (in keyPressEvent).
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  } else if (e->type() == QEvent::ShortcutOverride) {
    // The keys this edit uses are its own, even where a window shortcut names them.
    auto* k = static_cast<QKeyEvent*>(e);
    int ch = CharOfKey(k);
    bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    bool editing = k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Cut) ||
                   k->matches(QKeySequence::Paste) || k->matches(QKeySequence::SelectAll) ||
                   (k->matches(QKeySequence::Undo) && !readOnly_);  // a read-only edit has nothing to take back
    switch (k->key()) {
      case Qt::Key_Backspace: case Qt::Key_Delete: case Qt::Key_Home: case Qt::Key_End:
      case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
      case Qt::Key_PageUp: case Qt::Key_PageDown:
      case Qt::Key_Return: case Qt::Key_Enter:
        editing = editing || plain || k->modifiers() == Qt::ShiftModifier;
        break;
      default:
        break;
    }
    if (editing || (plain && ch >= 0x20)) {
      e->accept();
      return true;
    }
  }
  return QWidget::event(e);
}

void EditWidget::keyPressEvent(QKeyEvent* e) {
  QPointer<EditWidget> self(this);
  bool used =
      TypeKey(edit_, e, static_cast<int>(text_.size()), SelLength(), [this](const QString& s) { Insert(s, true); });
  if (!self || used) return;
  // A control character the filter kept, or a key that types none.
  e->accept();
  if (e->matches(QKeySequence::Paste)) return Paste();
  if (e->matches(QKeySequence::Copy)) return Copy();
  if (e->matches(QKeySequence::Cut)) return Cut();
  if (e->matches(QKeySequence::SelectAll)) return SelectAll();
  if (e->matches(QKeySequence::Undo)) return Undo();
  const QTextLayout& layout = Layout();
  const int at = cursor_ - layoutStart_;  // the caret in the layout
  switch (e->key()) {
    case Qt::Key_Backspace:
      if (SelLength() > 0) return DeleteSelection();
      return Erase(cursor_ > 0 ? layoutStart_ + layout.previousCursorPosition(at) : 0, cursor_);
    case Qt::Key_Delete:
      if (SelLength() > 0) return DeleteSelection();
      return Erase(cursor_, cursor_ < text_.size() ? layoutStart_ + layout.nextCursorPosition(at) : cursor_);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (Room(edit_, static_cast<int>(text_.size()), SelLength()) >= 1) Insert(QStringLiteral("\n"));
      return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      MoveFocus(this, e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier));
      return;
    default:
      break;
  }
  if (!NavigationKey(e)) e->ignore();
}

bool EditWidget::NavigationKey(QKeyEvent* e) {
  // A read-only memo that reports its edges has no caret stops of its own.
  auto* memo = dynamic_cast<TMemo*>(edit_);
  if (readOnly_ && memo && memo->OnCaretEdge && CaretEdge(e)) return true;
  bool extend = e->modifiers() & Qt::ShiftModifier;
  bool ctrl = e->modifiers() & Qt::ControlModifier;
  const QTextLayout& layout = Layout();
  const int start = layoutStart_, at = cursor_ - start;  // the caret in the layout
  QTextLine line = layout.lineForTextPosition(at);
  const int end = static_cast<int>(text_.size());
  int to = cursor_;
  switch (e->key()) {
    case Qt::Key_Left:
      // Without Shift an arrow first folds the selection to its near end; with Ctrl it goes by words.
      if (!extend && !ctrl && SelLength() > 0)
        to = SelStart();
      else if (cursor_ > 0)
        to = start + layout.previousCursorPosition(at, ctrl ? QTextLayout::SkipWords : QTextLayout::SkipCharacters);
      break;
    case Qt::Key_Right:
      if (!extend && !ctrl && SelLength() > 0)
        to = SelStart() + SelLength();
      else if (cursor_ < end)
        to = start + layout.nextCursorPosition(at, ctrl ? QTextLayout::SkipWords : QTextLayout::SkipCharacters);
      break;
    case Qt::Key_Home:
      to = ctrl || !line.isValid() ? 0 : start + line.textStart();
      break;
    case Qt::Key_End:
      if (ctrl || !line.isValid()) {
        to = end;
      } else {
        // The end of the line, before its line break.
        to = start + line.textStart() + line.textLength();
        if (to > start + line.textStart() && text_.at(to - 1) == QLatin1Char('\n')) --to;
      }
      break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      // The same x on the line above or below; nothing on the first or last line.
      int target = line.isValid() ? line.lineNumber() + (e->key() == Qt::Key_Up ? -1 : 1) : -1;
      if (target >= 0 && target < layout.lineCount())
        to = start + layout.lineAt(target).xToCursor(line.cursorToX(at));
      break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // As many lines as the control shows, at the same x; from the first or last line, to the
      // text's start or end.
      if (!line.isValid()) break;
      const bool down = e->key() == Qt::Key_PageDown;
      const qreal inner = std::max(1, height() - 2 * (FrameWidth() + 1));
      const qreal y = line.y() + (down ? inner : -inner);
      int target = line.lineNumber();
      while (down && target + 1 < layout.lineCount() && layout.lineAt(target + 1).y() <= y) ++target;
      while (!down && target > 0 && layout.lineAt(target - 1).y() >= y) --target;
      if (target == line.lineNumber() && !down)
        to = 0;
      else if (target == line.lineNumber())
        to = end;
      else
        to = start + layout.lineAt(target).xToCursor(line.cursorToX(at));
      break;
    }
    default:
      return false;
  }
  if (to == cursor_ && anchor_ == cursor_ && CaretEdge(e)) return true;
  MoveCaret(to, extend);
  return true;
}

// A plain arrow that moved nothing: the caret is at the text's edge that way, which the control reports.
bool EditWidget::CaretEdge(QKeyEvent* e) {
  if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  TDirection direction;
  switch (e->key()) {
    case Qt::Key_Left: direction = drLeft; break;
    case Qt::Key_Right: direction = drRight; break;
    case Qt::Key_Up: direction = drUp; break;
    case Qt::Key_Down: direction = drDown; break;
    default: return false;
  }
  auto* memo = dynamic_cast<TMemo*>(edit_);
  if (memo && memo->OnCaretEdge) Deliver([&] { memo->OnCaretEdge(memo, direction); });
  return true;
}

// ---------------------------------------------------------------- mouse, menu, drops, input method

void EditWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if ((focusPolicy() & Qt::ClickFocus) && !hasFocus()) setFocus(Qt::MouseFocusReason);
  MoveCaret(PositionAt(e->position()), e->modifiers() & Qt::ShiftModifier);
  selecting_ = true;
}

void EditWidget::mouseMoveEvent(QMouseEvent* e) {
  if (selecting_ && (e->buttons() & Qt::LeftButton)) MoveCaret(PositionAt(e->position()), true);
}

// The middle button pastes the primary selection where it is released, as text fields do on X11.
void EditWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) selecting_ = false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (e->button() != Qt::MiddleButton || readOnly_ || !clipboard->supportsSelection()) return;
  MoveCaret(PositionAt(e->position()), false);
  PasteFiltered(clipboard->text(QClipboard::Selection));
}

void EditWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if ((focusPolicy() & Qt::ClickFocus) && !hasFocus()) setFocus(Qt::MouseFocusReason);
  SelectAll();
}

// The classic multi-line edit's own menu, with its texts in Chinese and its rules for which items
// are offered.
void EditWidget::contextMenuEvent(QContextMenuEvent* e) {
  QPointer<EditWidget> self(this);
  QMenu menu;
  const bool selected = SelLength() > 0;
  auto item = [&](const char* caption, bool enabled) {
    QAction* a = menu.addAction(QString::fromUtf8(caption));
    a->setEnabled(enabled);
    return a;
  };
  QAction* undo = item("撤销(&U)", CanUndo());
  menu.addSeparator();
  QAction* cut = item("剪切(&T)", !readOnly_ && selected);
  QAction* copy = item("复制(&C)", selected);
  QAction* paste = item("粘贴(&P)", !readOnly_ && !QGuiApplication::clipboard()->text().isEmpty());
  QAction* erase = item("删除(&D)", !readOnly_ && selected);
  menu.addSeparator();
  QAction* all = item("全选(&A)", SelLength() < text_.size());
  QAction* chosen = menu.exec(e->globalPos());
  if (!self || !chosen) return;
  if (chosen == undo) Undo();
  else if (chosen == cut) Cut();
  else if (chosen == copy) Copy();
  else if (chosen == paste) Paste();
  else if (chosen == erase) DeleteSelection();
  else if (chosen == all) SelectAll();
}

void EditWidget::dragEnterEvent(QDragEnterEvent* e) {
  if (!readOnly_ && e->mimeData()->hasText())
    e->acceptProposedAction();
  else
    e->ignore();
}

void EditWidget::dragMoveEvent(QDragMoveEvent* e) {
  if (!readOnly_ && e->mimeData()->hasText())
    e->acceptProposedAction();
  else
    e->ignore();
}

void EditWidget::dropEvent(QDropEvent* e) {
  if (readOnly_ || !e->mimeData()->hasText()) return e->ignore();
  e->acceptProposedAction();
  MoveCaret(PositionAt(e->position()), false);
  PasteFiltered(e->mimeData()->text());
}

void EditWidget::inputMethodEvent(QInputMethodEvent* e) {
  e->accept();
  if (readOnly_ || e->commitString().isEmpty()) return;
  PasteFiltered(e->commitString());
}

QVariant EditWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return !readOnly_;
    case Qt::ImCursorRectangle: return CaretRect();
    case Qt::ImFont: return font_;
    case Qt::ImCursorPosition: return cursor_;
    case Qt::ImAnchorPosition: return anchor_;
    case Qt::ImSurroundingText: return text_;
    case Qt::ImCurrentSelection: return text_.mid(SelStart(), SelLength());
    default: return QWidget::inputMethodQuery(query);
  }
}

}  // namespace toolkit
