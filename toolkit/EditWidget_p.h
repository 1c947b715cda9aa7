// The multi-line edit's own light widget, and the typing rules both edits share. Included by toolkit/*.cpp only.
#pragma once
#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "toolkit/StdCtrls.h"
#include "toolkit/qt_p.h"

namespace toolkit {

// ---------------------------------------------------------------- typing, shared by both edits

struct TextAccess {
  static char Filter(TCustomEdit* e, char c) { return e->FilterChar(c); }
  static void Changed(TCustomEdit* e, const std::string& now) { e->WidgetTextChanged(now); }
  static int MaxLength(TCustomEdit* e) { return e->FMaxLength; }
  static bool Setting(TCustomEdit* e) { return e->FSettingText; }
};

// The character a key press types, as the classic toolkit delivers it: Backspace 8, Tab 9, Enter 13,
// Escape 27, Ctrl+letter 1..26, printable characters as themselves; -1 for keys that type nothing.
int CharOfKey(QKeyEvent* e);
// Runs a piece of text through the control's typing filter, character by character.
QString FilterText(TCustomEdit* edit, const QString& in);
// How many characters may still be typed into a control holding `length` characters with `selected`
// of them selected.
int Room(TCustomEdit* edit, int length, int selected);
// As much of the text as fits the room, cut between characters: a character that does not fit whole
// (both halves of a surrogate pair) is left out.
QString Fitting(const QString& s, int room);
// The layer keeps line breaks as CR LF; the widgets as LF.
std::string FromWidgetText(const QString& s);
QString ToWidgetText(const std::string& s);

// A typed key: filter its character, then insert it (or the replacement character) through `insert`.
// Returns true when the key is used up; false for keys that type no character and for kept control
// characters (Backspace, Enter, Tab, the Ctrl shortcuts), which the widget then handles itself.
template <class Insert>
bool TypeKey(TCustomEdit* edit, QKeyEvent* e, int length, int selected, Insert insert) {
  int ch = CharOfKey(e);
  if (ch < 0) return false;
  if (ch >= 0x80) {
    QString filtered = FilterText(edit, e->text());
    if (!filtered.isEmpty() && !edit->ReadOnly() && Room(edit, length, selected) >= filtered.size())
      insert(filtered);
    return true;
  }
  char key = static_cast<char>(ch);
  Deliver([&] { key = TextAccess::Filter(edit, key); });
  if (key == 0) return true;
  if (key == 27) {  // Escape belongs to the form
    e->ignore();
    return true;
  }
  if (static_cast<unsigned char>(key) >= 0x20) {
    if (!edit->ReadOnly() && Room(edit, length, selected) >= 1) insert(QString(QChar(key)));
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- the multi-line edit's widget

// A plain widget that holds the text, the caret and the selection itself and paints them in one pass:
// no text document, no scroll area, no style frame. Its text is the layer's with LF for line breaks.
class EditWidget : public QWidget {
 public:
  enum Frame { frameNone, frameFlat, frameSunken };

  EditWidget(TCustomEdit* edit, QWidget* parent);

  // The program's side: what the layer assigns. None of these reports a change back to the layer.
  void SetText(const QString& s);
  void SetBackground(const QColor& c);
  void SetTextFont(const QFont& f, const QColor& color);
  void SetAlignment(Qt::Alignment a);
  void SetFrame(Frame f);
  void SetReadOnly(bool v);
  // Every `c` of the text drawn in white on `back`; a null character stresses none.
  void SetStress(QChar c, const QColor& back);
  int FrameWidth() const { return frame_ == frameNone ? 0 : frame_ == frameFlat ? 1 : 2; }

  // The caret and the selection, in characters of the text.
  int SelStart() const { return std::min(cursor_, anchor_); }
  int SelLength() const { return std::abs(cursor_ - anchor_); }
  void SetCaret(int position);
  void SelectAll();

  // Pastes the clipboard's text through the typing filter, as the context menu's Paste does.
  void Paste();
  // Takes back the player's last edit, as the context menu's Undo and Ctrl+Z do; a second undo
  // takes back the first. A run of typed characters is one edit; an assigned text leaves nothing
  // to undo.
  void Undo();
  bool CanUndo() const { return canUndo_ && !readOnly_; }

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  friend class WidgetAccessible;  // what a screen reader reads: text, caret, selection, character places
  // Where the first line's top left lies and how wide the lines may be.
  QPointF Origin() const;
  int LineWidth() const;
  // Lays the text out again only when text, font, alignment or width changed since the last time, or
  // the caret left the part laid out. A long text is laid out only around the caret: the caret's
  // stretch of LayoutStretch characters and one stretch either side, from a line's start where one is
  // near (more than any control shows); a short one whole. Positions in the layout are positions in
  // the text less LayoutStart().
  const QTextLayout& Layout() const;
  static constexpr int LayoutStretch = 2048;
  int LayoutStart() const { return layoutStart_; }
  // Keeps the caret's line inside the control, as the lines scroll up when they outgrow it.
  void FollowCaret() const;
  // The text position nearest to a point of the widget.
  int PositionAt(const QPointF& p) const;
  QRect CaretRect() const;

  // The player's edits. Each ends by reporting the new text to the layer once, when it changed.
  // `typed`: a typed character, which may continue the run of typing that one undo takes back.
  void Insert(const QString& s, bool typed = false);
  void DeleteSelection();
  void Erase(int from, int to);
  void PasteFiltered(const QString& s);
  void Copy() const;
  void Cut();
  // After an edit: keep the text before it for undo, lay out, show the caret, repaint, and report
  // the text when it changed.
  void Edited(const QString& before, bool continuesTyping = false);

  // Moves the caret; with `extend` the selection's other end stays where it is.
  void MoveCaret(int position, bool extend);
  // Tells assistive technology where the caret and the selection are now, when they moved since it
  // was last told: a screen reader reads what the caret moved over.
  void TellCaret();
  bool NavigationKey(QKeyEvent* e);
  bool CaretEdge(QKeyEvent* e);
  void RestartBlink();

  TCustomEdit* edit_;
  QString text_;
  int cursor_ = 0;
  int anchor_ = 0;
  QColor background_ = Qt::white;
  QColor textColor_ = Qt::black;
  QChar stress_;
  QColor stressColor_;
  QFont font_;
  Qt::Alignment align_ = Qt::AlignLeft;
  Frame frame_ = frameSunken;
  bool readOnly_ = false;
  bool selecting_ = false;  // the left button is down and drags a selection
  bool caretOn_ = false;    // the blinking caret's phase
  // The one level of undo: the text before the player's last edit.
  QString undo_;
  bool canUndo_ = false;
  int typedEnd_ = -1;
  int toldCursor_ = 0, toldSelStart_ = 0, toldSelEnd_ = 0;  // what assistive technology was last told  // where the last edit's typed characters end, while that edit was typing
  QBasicTimer blink_;
  mutable QTextLayout layout_;
  mutable bool laidOut_ = false;
  mutable int laidOutWidth_ = -1;
  mutable int layoutStart_ = 0, layoutEnd_ = 0;  // the part of the text laid out
  mutable int scroll_ = 0;  // pixels of the text above the control's top, when the caret went below it
};

}  // namespace toolkit
