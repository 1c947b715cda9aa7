// Labels, buttons and the two text edits over QLabel, QPushButton, QLineEdit and our own EditWidget.
#include "toolkit/StdCtrls.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include "toolkit/EditWidget_p.h"
#include "toolkit/qt_p.h"

namespace toolkit {

// ---------------------------------------------------------------- TLabel

namespace {
Qt::Alignment ToQAlign(TAlignment a) {
  return a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
}
}  // namespace

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) { AdjustSize(); }

void TLabel::CreateHandle() {
  FHandle = new ControlHandle;
  auto* label = new QLabel(Parent() ? Parent()->Handle()->client : nullptr);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  FHandle->widget = FHandle->client = label;
  Bridge(this, FHandle);
}

void TLabel::ApplyProperties() {
  static_cast<QLabel*>(FHandle->widget)->setAlignment(ToQAlign(FAlignment) | Qt::AlignTop);
  if (FSizePending) AdjustSize();
  TControl::ApplyProperties();
}

void TLabel::ApplyText() { static_cast<QLabel*>(FHandle->widget)->setText(ToQString(FText)); }


void TLabel::set_Alignment(TAlignment v) {
  FAlignment = v;
  if (FHandle) static_cast<QLabel*>(FHandle->widget)->setAlignment(ToQAlign(v) | Qt::AlignTop);
}

void TLabel::set_AutoSize(bool v) {
  FAutoSize = v;
  AdjustSize();
}

void TLabel::SetText(const std::string& v) {
  TControl::SetText(v);
  AdjustSize();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustSize();
}

// An auto-sized label is as large as its caption. Measuring needs the platform's fonts, so a label
// whose form is not on screen yet is measured when its widget is made: dialogs cost nothing at start.
void TLabel::AdjustSize() {
  FSizePending = false;
  if (!FAutoSize) return;
  if (!FHandle) {
    FSizePending = true;
    return;
  }
  QFontMetrics fm(ToQFont(*Font()));
  QString text = ToQString(FText);
  SetBounds(Left(), Top(), std::max(fm.horizontalAdvance(text), 1), fm.height());
}

// ---------------------------------------------------------------- TButton

namespace {
class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(TButton* button, QWidget* parent) : QPushButton(parent), button_(button) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, [this] {
      if (button_) Deliver([this] { button_->Click(); });
    });
  }

 protected:
  // Enter presses a focused button, as on the classic platform (Space does already: down on the press,
  // a click on the release).
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      e->accept();
      click();
      return;
    }
    QPushButton::keyPressEvent(e);
  }

 private:
  TButton* button_;
};
}  // namespace

TButton::TButton(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  set_TabStop(true);
}

void TButton::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new ButtonWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

void TButton::ApplyProperties() {
  TControl::ApplyProperties();
  auto* b = static_cast<QPushButton*>(FHandle->widget);
  b->setText(ToQString(FText));
  b->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---------------------------------------------------------------- typing, shared by both edits

int CharOfKey(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Delete: return -1;
    default: break;
  }
  if (e->modifiers() & Qt::ControlModifier) {
    if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) return e->key() - Qt::Key_A + 1;
    return -1;
  }
  QString text = e->text();
  if (text.isEmpty()) return -1;
  char32_t ch = text.toUcs4().value(0);
  if (ch < 0x20 || ch == 0x7F) return -1;
  return static_cast<int>(ch);
}

// A character outside ASCII reaches the filter as the bytes of its code-page-936 form, each of which
// may refuse it; a kept byte (a lone surrogate) as that byte.
QString FilterText(TCustomEdit* edit, const QString& in) {
  QString out;
  for (qsizetype i = 0; i < in.size(); ++i) {
    bool pair = in[i].isHighSurrogate() && i + 1 < in.size() && in[i + 1].isLowSurrogate();
    // Half a pair is no character (broken text from outside): left out, so that it can never pair up
    // with a kept byte beside it.
    if (in[i].isHighSurrogate() && !pair) continue;
    QString one = in.mid(i, pair ? 2 : 1);
    if (pair) ++i;
    std::string bytes = Utf8ToAnsi(FromQString(one));
    bool keep = true;
    std::string replaced;
    for (char b : bytes) {
      char k = 0;
      Deliver([&] { k = TextAccess::Filter(edit, b); });
      if (k == 0) keep = false;
      replaced += k;
    }
    if (!keep) continue;
    out += replaced == bytes ? one : ToQString(AnsiToUtf8(replaced));
  }
  return out;
}

int Room(TCustomEdit* edit, int length, int selected) {
  int max = TextAccess::MaxLength(edit);
  return max > 0 ? std::max(0, max - (length - selected)) : 1 << 30;
}

QString Fitting(const QString& s, int room) {
  if (s.size() <= room) return s;
  qsizetype end = room;
  if (end > 0 && s[end - 1].isHighSurrogate() && s[end].isLowSurrogate()) --end;
  return s.left(end);
}

std::string FromWidgetText(const QString& s) {
  std::string out;
  for (char c : FromQString(s)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

QString ToWidgetText(const std::string& s) {
  if (s.find('\r') == std::string::npos) return ToQString(s);  // most texts have no break: no copy
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      if (i + 1 < s.size() && s[i + 1] == '\n') continue;
      out += '\n';
    } else {
      out += s[i];
    }
  }
  return ToQString(out);
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TControl(AOwner) {
  set_TabStop(true);
  set_Color(clWindow);
}

char TCustomEdit::FilterChar(char c) {
  if (OnKeyPress) OnKeyPress(this, c);
  return c;
}

void TCustomEdit::SetText(const std::string& v) {
  if (v == FText) return;
  ChangeText(v, false);
}

void TCustomEdit::WidgetTextChanged(const std::string& now) {
  if (FSettingText || now == FText) return;
  ChangeText(now, true);
}

void TCustomEdit::ChangeText(std::string now, bool inWidget) {
  std::string before = std::move(FText);
  FText = std::move(now);
  if (FHandle) {
    if (!inWidget) {
      FSettingText = true;
      ApplyText();
      FSettingText = false;
    }
    TellTextChanged(FHandle->widget, before, FText);
  }
  TextChanged();
  const std::string* outer = FBefore;
  FBefore = &before;
  if (OnChange) OnChange(this);
  FBefore = outer;
}

void TCustomEdit::ApplyProperties() {
  TControl::ApplyProperties();
  ApplyEditState();
}

void TCustomEdit::set_ReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  ReadOnlyChanged();
  if (!FHandle) return;
  ApplyEditState();
  TellReadOnlyChanged(FHandle->widget);
}

void TCustomEdit::set_BorderStyle(TBorderStyle v) {
  FBorderStyle = v;
  if (FHandle) ApplyEditState();
}

void TCustomEdit::set_Ctl3D(bool v) {
  FCtl3D = v;
  if (FHandle) ApplyEditState();
}

void TCustomEdit::set_ImeClosed(bool v) {
  FImeClosed = v;
  if (FHandle) ApplyEditState();
}

// ---------------------------------------------------------------- TEdit

namespace {
QString FirstLine(const QString& s) {
  auto end = std::find_if(s.begin(), s.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
  return s.first(end - s.begin());
}

class LineWidget : public QLineEdit {
 public:
  LineWidget(TEdit* edit, QWidget* parent) : QLineEdit(parent), edit_(edit) {
    setMaxLength(1 << 30);  // the limit is the layer's, on what is typed only
    connect(this, &QLineEdit::textChanged, [this](const QString& s) {
      if (edit_ && !TextAccess::Setting(edit_)) Deliver([&] { TextAccess::Changed(edit_, FromQString(s)); });
    });
  }
  // Pasted and dropped text ends at its first line break, as in the platform's single-line edit.
  void FilteredPaste(const QString& s) {
    if (!edit_ || isReadOnly()) return;
    QString f = FilterText(edit_, FirstLine(s));
    insert(Fitting(f, Room(edit_, text().size(), selectedText().size())));
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (!edit_) return QLineEdit::keyPressEvent(e);
    if (e->matches(QKeySequence::Paste)) {
      char key = 22;
      Deliver([&] { key = TextAccess::Filter(edit_, key); });
      if (key) FilteredPaste(QGuiApplication::clipboard()->text());
      return;
    }
    auto insertText = [this](const QString& s) { insert(s); };
    if (!TypeKey(edit_, e, static_cast<int>(text().size()), static_cast<int>(selectedText().size()), insertText))
      QLineEdit::keyPressEvent(e);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (!edit_ || e->commitString().isEmpty()) return QLineEdit::inputMethodEvent(e);
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(FilterText(edit_, FirstLine(e->commitString())), e->replacementStart(),
                             e->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
      if (a->objectName() == QLatin1String("edit-paste")) {
        a->disconnect();
        connect(a, &QAction::triggered, this, [this] { FilteredPaste(QGuiApplication::clipboard()->text()); });
      }
    }
    menu->exec(e->globalPos());
    delete menu;
  }
  // The middle button's paste of the primary selection, where the platform has one.
  void mouseReleaseEvent(QMouseEvent* e) override {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!edit_ || e->button() != Qt::MiddleButton || !clipboard->supportsSelection())
      return QLineEdit::mouseReleaseEvent(e);
    deselect();
    FilteredPaste(clipboard->text(QClipboard::Selection));
  }
  void dropEvent(QDropEvent* e) override {
    if (edit_ && e->mimeData()->hasText()) {
      FilteredPaste(e->mimeData()->text());
      e->acceptProposedAction();
      return;
    }
    QLineEdit::dropEvent(e);
  }

 private:
  TEdit* edit_;
};
}  // namespace

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetBounds(0, 0, 121, 21); }

void TEdit::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new LineWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

void TEdit::ApplyText() { static_cast<QLineEdit*>(FHandle->widget)->setText(ToWidgetText(FText)); }

void TEdit::ApplyColor() { SetRole(FHandle->widget, QPalette::Base, Color()); }

void TEdit::ApplyFont() {
  SetFont(FHandle->widget, *Font());
  SetRole(FHandle->widget, QPalette::Text, Font()->Color());
}

void TEdit::ApplyEditState() {
  auto* w = static_cast<QLineEdit*>(FHandle->widget);
  w->setReadOnly(FReadOnly);
  w->setFrame(FBorderStyle == bsSingle);
  w->setAttribute(Qt::WA_InputMethodEnabled, !FImeClosed);
  w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

namespace {
EditWidget* MemoOf(ControlHandle* h) { return static_cast<EditWidget*>(h->widget); }
}  // namespace

int TCustomEdit::SelStart() const {
  if (!FHandle) return 0;
  if (auto* line = qobject_cast<QLineEdit*>(FHandle->widget))
    return line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
  return MemoOf(FHandle)->SelStart();
}

int TCustomEdit::SelLength() const {
  if (!FHandle) return 0;
  if (auto* line = qobject_cast<QLineEdit*>(FHandle->widget)) return line->selectedText().size();
  return MemoOf(FHandle)->SelLength();
}

void TCustomEdit::set_SelStart(int v) {
  Handle();
  if (auto* line = qobject_cast<QLineEdit*>(FHandle->widget)) return line->setCursorPosition(v);
  MemoOf(FHandle)->SetCaret(v);
}

void TCustomEdit::SelectAll() {
  Handle();
  if (auto* line = qobject_cast<QLineEdit*>(FHandle->widget)) return line->selectAll();
  MemoOf(FHandle)->SelectAll();
}

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) { SetBounds(0, 0, 185, 89); }

void TMemo::CreateHandle() {
  FHandle = new ControlHandle;
  auto* w = new EditWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  FHandle->widget = FHandle->client = FHandle->input = w;
  Bridge(this, FHandle);
}

void TMemo::ApplyText() { MemoOf(FHandle)->SetText(ToWidgetText(FText)); }

// Colour and font stay with the widget, which paints them itself: no palette or font of the widget's
// own to set, propagate and compare.
void TMemo::ApplyColor() { MemoOf(FHandle)->SetBackground(ToQColor(Color())); }

void TMemo::ApplyFont() { MemoOf(FHandle)->SetTextFont(ToQFont(*Font()), ToQColor(Font()->Color())); }

void TMemo::set_Stress(char v) {
  if (v == FStress) return;
  FStress = v;
  if (FHandle) ApplyStress();
}

void TMemo::set_StressColor(TColor v) {
  if (v == FStressColor) return;
  FStressColor = v;
  if (FHandle) ApplyStress();
}

void TMemo::ApplyStress() { MemoOf(FHandle)->SetStress(QChar::fromLatin1(FStress), ToQColor(FStressColor)); }

void TMemo::set_Alignment(TAlignment v) {
  FAlignment = v;
  if (FHandle) ApplyEditState();
}

void TMemo::ApplyEditState() {
  ApplyStress();
  EditWidget* w = MemoOf(FHandle);
  w->SetReadOnly(FReadOnly);
  w->SetFrame(FBorderStyle == bsNone ? EditWidget::frameNone
              : FCtl3D               ? EditWidget::frameSunken
                                     : EditWidget::frameFlat);
  w->SetAlignment(ToQAlign(FAlignment));
  w->setAttribute(Qt::WA_InputMethodEnabled, !FImeClosed);
  w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---------------------------------------------------------------- the drop-down list

struct ComboAccess {
  static void Chosen(TComboBox* c, int index) {
    if (index == c->FItemIndex) return;
    c->FItemIndex = index;
    if (c->OnChange) Deliver([c] { c->OnChange(c); });
  }
};

TComboBox::TComboBox(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 145, 21);
  set_TabStop(true);
}

void TComboBox::CreateHandle() {
  FHandle = new ControlHandle;
  auto* box = new QComboBox(Parent() ? Parent()->Handle()->client : nullptr);
  FHandle->widget = FHandle->client = box;
  Bridge(this, FHandle);
  // Only the player's choice reaches the layer: the program's own changes go through set_ItemIndex,
  // which stores first, so the signal then finds nothing new.
  QObject::connect(box, &QComboBox::currentIndexChanged, box, [this](int index) { ComboAccess::Chosen(this, index); });
}

void TComboBox::ApplyProperties() {
  TControl::ApplyProperties();
  auto* box = static_cast<QComboBox*>(FHandle->widget);
  QSignalBlocker quiet(box);
  box->clear();
  for (const std::string& item : FItems) box->addItem(ToQString(item));
  box->setCurrentIndex(FItemIndex);
  box->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TComboBox::set_Items(const std::vector<std::string>& v) {
  FItems = v;
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  if (FHandle) ApplyProperties();
}

void TComboBox::set_ItemIndex(int v) {
  FItemIndex = v >= 0 && v < static_cast<int>(FItems.size()) ? v : -1;
  if (FHandle) static_cast<QComboBox*>(FHandle->widget)->setCurrentIndex(FItemIndex);
}

}  // namespace toolkit
