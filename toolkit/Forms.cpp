// Forms as top-level widgets, modal loops, and the application with its error box.
#include "toolkit/Forms.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <QWheelEvent>
#include <QWindow>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/FrameRequest_p.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/qt_p.h"
#include "toolkit/testing.h"
#include "toolkit/testing_p.h"

// The pictures are compiled into the static core library; nothing refers to them by symbol, so they are
// registered by hand (outside any namespace, as the macro requires).
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace toolkit {

TApplication* Application = nullptr;

namespace {

class FormWidget : public QWidget {
 public:
  FormWidget(TForm* form, Qt::WindowFlags flags) : QWidget(nullptr, flags), form_(form) {
    client_ = new QWidget(this);
  }
  QWidget* Client() const { return client_; }
  TForm* Form() const { return form_; }
  void SetMenuBar(QMenuBar* bar) { bar_ = bar; }
  // A widget of no size that assistive technology knows as a notification: shown anew with each
  // message, which a screen reader then speaks. A screen reader drops what comes amid a flood of
  // news (a board of cells filled, locked or greyed at once) and speaks a notice only in the active
  // window: the messages wait until the window is active again (a dialog has closed; for two
  // seconds at most) and a moment more, and are then told together, after the news and after the
  // focus the window took.
  void Announce(const QString& text) {
    if (!notice_) {
      notice_ = new QWidget(client_);
      notice_->setGeometry(0, 0, 0, 0);
      MarkNotice(notice_);
    }
    pending_.append(text);
    waited_ = 0;
    QTimer::singleShot(testing::Enabled() ? 0 : NoticeDelay, notice_, [this] { TellNotice(); });
  }
  void TellNotice() {
    if (pending_.isEmpty()) return;
    if (!testing::Enabled()) {
      QWidget* modal = QApplication::activeModalWidget();
      const bool dialogUp = modal && modal != this;
      if (!isActiveWindow()) activated_.invalidate();
      if (dialogUp) waited_ = 0;
      // The window's activation waited for: while another dialog is up, as long as it is up; else
      // two seconds at most.
      if ((dialogUp || !activated_.isValid()) && (dialogUp || waited_ < 2000)) {
        waited_ += NoticeDelay;
        QTimer::singleShot(NoticeDelay, notice_, [this] { TellNotice(); });
        return;
      }
      // A window just activated tells its focus twice (see event): the messages come after that.
      const qint64 settled = activated_.isValid() ? 2 * NoticeDelay + 100 - activated_.elapsed() : 0;
      if (settled > 0) {
        QTimer::singleShot(static_cast<int>(settled), notice_, [this] { TellNotice(); });
        return;
      }
    }
    notice_->hide();
    notice_->setAccessibleName(pending_.join(QStringLiteral("，")));
    pending_.clear();
    notice_->show();  // the platform tells a screen reader; a listening test hears it here
    if (AccessibilityWitness) {
      QAccessibleEvent shown(notice_, QAccessible::ObjectShow);
      AccessibilityWitness(&shown);
    }
  }
  int MenuHeight() const { return bar_ ? bar_->sizeHint().height() : 0; }
  void Place(int w, int h) {
    int m = MenuHeight();
    if (bar_) bar_->setGeometry(0, 0, w, m);
    client_->setGeometry(0, m, w, h);
  }
  // The frame the window manager has put round the window; none before it has framed it.
  QMargins Frame() const {
    QRect f = frameGeometry(), c = geometry();
    return {c.left() - f.left(), c.top() - f.top(), f.right() - c.right(), f.bottom() - c.bottom()};
  }
  // Centres the whole window, frame included, on the screen's free area, once, as it is about to be
  // shown: the window manager says beforehand what frame it will put round this window (`frame`, see
  // RequestFrame), so the window opens where it belongs and is never moved afterwards, whatever the
  // manager or the player does with it. Where no manager says, the frame of `like` (a window the
  // manager framed before) stands in; with no window manager there is no frame.
  void Centre(const FormWidget* like, std::optional<QMargins> frame) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    if (!frame) frame = like && !windowFlags().testFlag(Qt::FramelessWindowHint) ? like->Frame() : QMargins();
    QSize size = geometry().size().grownBy(*frame);
    QPoint corner = screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
    // The client's place, which the window manager keeps as asked (Qt asks X for static gravity).
    setGeometry(QRect(corner + QPoint(frame->left(), frame->top()), geometry().size()));
  }
  // Puts the window on screen, in front, active.
  void Reveal() {
    revealing_ = 0;
    show();
    raise();
    activateWindow();
  }
  // The showing whose window waits for the window manager's answer before it appears; 0 for none.
  int& Revealing() { return revealing_; }
  int NextShowing() { return ++showings_; }

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();  // the form decides: Close hides a dialog, or ends the program
    if (form_) Deliver([this] { form_->CloseRequested(); });
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !form_) return;
    const bool minimized = isMinimized(), was = static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized;
    if (minimized && !was && form_->OnMinimize) Deliver([this] { form_->OnMinimize(form_); });
    if (!minimized && was && form_->OnRestore) Deliver([this] { form_->OnRestore(form_); });
  }
  bool event(QEvent* e) override {
    bool used = QWidget::event(e);
    // The focus is told again when the window becomes active (a dialog or a file dialog closed):
    // a screen reader drops focus news from a window that is not yet active.
    // It is told once more a moment later: a dialog closed by Enter in its file name (a game loading)
    // leaves a flood of news in which a screen reader can lose the first telling; one that kept it
    // ignores the second.
    if (e->type() == QEvent::WindowActivate) activated_.start();
    if (e->type() == QEvent::WindowActivate && Listening()) {
      TellFocus();
      QTimer::singleShot(2 * NoticeDelay, this, [this] { if (isActiveWindow()) TellFocus(); });
    }
    return used;
  }
  void TellFocus() {
    if (QWidget* f = focusWidget(); f && Listening()) {
      QAccessibleEvent focus(f, QAccessible::Focus);
      Tell(&focus);
    }
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (form_ && form_->OnKeyPress && e->key() == Qt::Key_Escape) {
      char key = 27;
      Deliver([&] { form_->OnKeyPress(form_, key); });
      return;
    }
    if (TButton* cancel = form_ && e->key() == Qt::Key_Escape ? CancelButton(form_) : nullptr) {
      Deliver([cancel] { cancel->Click(); });
      return;
    }
    QWidget::keyPressEvent(e);
  }
  // The form's cancel button that can be pressed now, or null.
  static TButton* CancelButton(TControl* c) {
    for (int i = 0; i < c->ControlCount(); ++i) {
      TControl* k = c->Controls(i);
      if (!k->Visible() || !k->Enabled()) continue;
      auto* button = dynamic_cast<TButton*>(k);
      if (button && button->Cancel()) return button;
      if (TButton* inner = CancelButton(k)) return inner;
    }
    return nullptr;
  }

 private:
  TForm* form_;
  QWidget* client_;
  QMenuBar* bar_ = nullptr;
  QWidget* notice_ = nullptr;
  int showings_ = 0, revealing_ = 0;
  static constexpr int NoticeDelay = 400;  // milliseconds
  QStringList pending_;                    // messages not yet told
  int waited_ = 0;                         // for the window to become active
  QElapsedTimer activated_;                // since the window last became active
};

FormWidget* WidgetOf(TForm* form) { return static_cast<FormWidget*>(form->Handle()->widget); }

// The main form, when this is another form: the window this one belongs to.
TForm* OwnerOf(const TForm* form) {
  TForm* main = Application ? Application->MainForm() : nullptr;
  return main != form ? main : nullptr;
}

}  // namespace

TForm::TForm(TComponent* AOwner) : TControl(AOwner) {
  TControl::set_Visible(false);
  set_Color(clBtnFace);
}

TForm::~TForm() {
  if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
}

void TForm::DoCreate() {
  if (!OnCreate) return;
  Application->Guard([this] { OnCreate(this); });
}

void TForm::CreateHandle() {
  // A dialog wears the border its style names. The main window keeps the window manager's minimise
  // (its menu, its key, a taskbar): Qt grants that function only together with a minimise button.
  // A window of fixed size is offered no maximise: its size hints forbid it.
  const bool dialog = OwnerOf(this) != nullptr;
  const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
  switch (FBorderStyle) {
    case fbsNone: flags = Qt::Dialog | Qt::FramelessWindowHint; break;
    case fbsToolWindow:
    case fbsSizeToolWin:
      flags |= titled;
      if (!dialog) flags |= Qt::WindowMinimizeButtonHint;
      break;
    case fbsDialog:
    case fbsSingle: flags = Qt::Dialog | titled; break;
    case fbsSizeable: break;
  }
  FHandle = new ControlHandle;
  auto* w = new FormWidget(this, flags);
  FHandle->widget = w;
  FHandle->client = w->Client();
  FHandle->input = w->Client();
  if (FMenu) {
    FHandle->menuBar = CreateMenuBar(FMenu, w);
    w->SetMenuBar(FHandle->menuBar);
  }
  Bridge(this, FHandle);
}

void TForm::ApplyProperties() {
  TControl::ApplyProperties();
  FHandle->widget->setAutoFillBackground(true);
  SetRole(FHandle->widget, QPalette::Window, Color());
  SetRole(FHandle->client, QPalette::Window, Color());
}

void TForm::ApplyBounds() {
  auto* w = static_cast<FormWidget*>(FHandle->widget);
  int h = Height() + w->MenuHeight();
  if (FBorderStyle == fbsSizeable || FBorderStyle == fbsSizeToolWin) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(Width(), h);
  } else {
    w->setFixedSize(Width(), h);
  }
  w->Place(Width(), Height());
  if (FPosition == poDesigned) w->move(Left(), Top());
}

// A form without a caption (one without a title bar) still names its window: taskbars and window
// lists show the application's title for it.
void TForm::ApplyText() {
  const std::string& title = FText.empty() && Application ? Application->Title : FText;
  FHandle->widget->setWindowTitle(ToOutsideQString(title));
}

void TForm::Announce(const std::string& text) {
  if (FHandle) WidgetOf(this)->Announce(ToOutsideQString(text));
}

void TForm::set_BorderStyle(TFormBorderStyleKind v) { FBorderStyle = v; }

void TForm::set_Menu(TMainMenu* v) { FMenu = v; }

void TForm::set_ModalResult(int v) {
  FModalResult = v;
  if (v != mrNone && FModal && FHandle && FHandle->modalLoop) FHandle->modalLoop->quit();
}

// The first control in tab order that takes the focus gets it when the form opens.
static void FocusFirst(TControl* c) {
  TControl* best = nullptr;
  std::function<void(TControl*)> walk = [&](TControl* p) {
    for (int i = 0; i < p->ControlCount(); ++i) {
      TControl* k = p->Controls(i);
      if (!k->Visible() || !k->Enabled()) continue;
      if (k->TabStop() && (!best || k->TabOrder() < best->TabOrder())) best = k;
      walk(k);
    }
  };
  walk(c);
  if (best) best->SetFocus();
}

void TForm::Show() {
  ControlHandle* h = Handle();
  bool wasVisible = Visible();
  TControl::set_Visible(true);
  TForm* owner = OwnerOf(this);
  if (!wasVisible) {
    if (owner) {
      // The native windows, made now for the platform to tie them together.
      WidgetOf(owner)->winId();
      h->widget->winId();
      h->widget->windowHandle()->setTransientParent(WidgetOf(owner)->windowHandle());
    }
    if (FPosition == poScreenCenter) {
      // Where an X window manager will say what frame it puts round the window, the window appears
      // once it has said, placed by the answer; the game goes on meanwhile.
      FormWidget* w = WidgetOf(this);
      int showing = w->NextShowing();
      bool asked = RequestFrame(w, [this, w, showing](std::optional<QMargins> frame) {
        if (w->Revealing() != showing || !Visible()) return;  // closed, or shown anew, meanwhile
        TForm* owner = OwnerOf(this);
        w->Centre(owner ? WidgetOf(owner) : nullptr, frame);
        w->Reveal();
      });
      w->Revealing() = asked ? showing : 0;
      if (!asked) w->Centre(owner ? WidgetOf(owner) : nullptr, std::nullopt);
    }
  }
  auto* w = static_cast<FormWidget*>(h->widget);
  if (!w->Revealing()) w->Reveal();
  if (wasVisible) return;
  if (OnShow) Application->Guard([this] { OnShow(this); });
  if (FActiveControl && FActiveControl->Visible() && FActiveControl->Enabled())
    FActiveControl->SetFocus();
  else
    FocusFirst(this);
}

int TForm::ShowModal() {
  ControlHandle* h = Handle();
  FModalResult = mrNone;
  FModal = true;
  // The platform reads a window's modality as it shows it: the form is modal from its first showing on,
  // and one already on screen is shown anew.
  if (h->widget->isVisible()) h->widget->hide();
  h->widget->setWindowModality(Qt::ApplicationModal);
  Show();
  std::exception_ptr testFailure;
  {
    QEventLoop loop;
    h->modalLoop = &loop;
    if (testing::Enabled()) testing::AnswerModal(this, &loop, testFailure);
    if (FModalResult == mrNone) loop.exec();
    h->modalLoop = nullptr;
  }
  FModal = false;
  if (FModalResult == mrNone) FModalResult = mrCancel;
  TControl::set_Visible(false);
  if (FHandle) {
    FHandle->widget->hide();
    FHandle->widget->setWindowModality(Qt::NonModal);
  }
  Reactivate(DialogOwner());
  if (testFailure) std::rethrow_exception(testFailure);
  return FModalResult;
}

void TForm::CloseRequested() { Close(); }

void TForm::Close() {
  if (FModal) {
    set_ModalResult(mrCancel);
    return;
  }
  const bool main = Application && Application->MainForm() == this;
  if (main && OnClose) Application->Guard([this] { OnClose(this); });
  TControl::set_Visible(false);
  if (FHandle) FHandle->widget->hide();
  if (main) Application->Terminate();
}

// ---------------------------------------------------------------- TApplication

namespace {

// What Qt says while it starts the platform, held back until the start has succeeded.
struct HeldMessage {
  QtMsgType type;
  std::string category, file, function;
  int line;
  QString text;
};
std::vector<HeldMessage> heldMessages;

// Qt's warning that the display named by the environment could not be reached (X or Wayland).
bool NoDisplay(const HeldMessage& m) {
  return (m.category == "qt.qpa.xcb" && m.text.startsWith(QLatin1String("could not connect to display"))) ||
         (m.category.rfind("qt.qpa.wayland", 0) == 0 && m.text.contains(QLatin1String("wl_display")));
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  auto copy = [](const char* s, const char* none) { return std::string(s ? s : none); };
  heldMessages.push_back({type, copy(context.category, "default"), copy(context.file, ""),
                          copy(context.function, ""), context.line, text});
  // Qt gives up when no platform can be started, and left alone it aborts with a page of plugin
  // diagnostics that advises reinstalling. When what failed was the connection to the display, the
  // player lacks a display: say so and stop. Anything else (a plugin missing or broken) is told in
  // Qt's own words, without the abort.
  if (type != QtFatalMsg) return;
  bool noDisplay = false;
  for (const HeldMessage& m : heldMessages) noDisplay = noDisplay || NoDisplay(m);
  if (noDisplay) {
    std::fputs("Velmora needs a graphical display and could not open one.\n", stderr);
  } else {
    for (const HeldMessage& m : heldMessages) std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
  }
  std::_Exit(1);
}

// Where an X display is named and the player has named no platform, the game runs on X, also in a
// Wayland session whose own plugin Qt would prefer: there the window manager places the windows where
// the game asks, and offers no maximise to a window of fixed size. Qt is given X first and Wayland
// after it, so that a display named but gone (a session's stale DISPLAY) falls back to Wayland where
// Qt's Wayland plugin is installed. Without DISPLAY, Qt chooses as usual.
bool PreferX() {
  return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY");
}

void StartQt(int& argc, char** argv) {
  QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  new QApplication(argc, argv);
  qInstallMessageHandler(previous);
  for (const HeldMessage& m : heldMessages) {
    QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(), m.category.c_str());
    previous(m.type, context, m.text);
  }
  heldMessages.clear();
}

// The forms are drawn in the classic light colours whatever the desktop's theme: every role of every
// colour group is set here, so that no dark theme can put its light text on our light face. The
// colours are the style's own light ones, with the face of panels and buttons a shade darker, so
// that a greyed box (a digit that is no candidate) stands apart from a white one at a glance.
QPalette LightPalette() {
  const QColor face(0xDD, 0xDD, 0xDD);
  const QPalette derived(face, face);  // light, midlight, mid, dark and shadow made from the face
  const QColor black(Qt::black), white(Qt::white), grey(0xBE, 0xBE, 0xBE);
  QPalette palette;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    const QColor ink = disabled ? grey : black;
    auto set = [&](QPalette::ColorRole role, const QColor& c) { palette.setColor(group, role, c); };
    set(QPalette::Window, face);
    set(QPalette::Button, face);
    for (auto role : {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow})
      set(role, derived.color(group, role));
    set(QPalette::WindowText, ink);
    set(QPalette::ButtonText, ink);
    set(QPalette::Text, ink);
    set(QPalette::BrightText, white);
    set(QPalette::Base, disabled ? QColor(0xEF, 0xEF, 0xEF) : white);
    set(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    set(QPalette::Highlight, disabled ? QColor(0x91, 0x91, 0x91) : QColor(0x30, 0x8C, 0xC6));
    set(QPalette::HighlightedText, white);
    set(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
    set(QPalette::ToolTipText, black);
    set(QPalette::PlaceholderText, QColor(0x76, 0x76, 0x76));
    set(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    set(QPalette::LinkVisited, QColor(0xFF, 0x00, 0xFF));
    set(QPalette::NoRole, black);
  }
  return palette;
}

// Offers a wheel turned over a control to the control's form first (see TForm::OnMouseWheel).
class WheelToForm : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    auto* wheel = static_cast<QWheelEvent*>(event);
    // Once, to the widget under the mouse, not again as the event climbs to its parents.
    if (w->childAt(wheel->position().toPoint())) return false;
    auto* window = dynamic_cast<FormWidget*>(w->window());
    TForm* form = window ? window->Form() : nullptr;
    if (!form || !form->OnMouseWheel) return false;
    QPoint at = wheel->globalPosition().toPoint();
    bool handled = false;
    Deliver([&] {
      form->OnMouseWheel(form, ShiftOf(wheel->modifiers(), wheel->buttons()), wheel->angleDelta().y(),
                         TPoint{at.x(), at.y()}, handled);
    });
    if (handled) wheel->accept();
    return handled;
  }
};

// The game is Chinese, and so are the platform's own texts, whatever the system's language: the
// file dialogs with their dates and sizes, the message boxes' buttons, the scroll bar's menu.
QLocale Chinese() { return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China); }

// While the platform starts, the environment names the Chinese language and date formats: Qt reads
// them then for its own texts (the file dialogs' columns), and the C library its language for the
// system's messages. Programs the game starts later (the browser behind a link) get the environment
// back as it was. On a machine without that locale the environment is left alone: one category the C
// library cannot load would make it drop the player's locale for the bare C one.
class ChineseEnvironment {
 public:
  ChineseEnvironment() {
    QLocale::setDefault(Chinese());
    locale_t zh = newlocale(LC_MESSAGES_MASK | LC_TIME_MASK, "zh_CN.UTF-8", nullptr);
    if (!zh) return;
    freelocale(zh);
    for (auto& [name, saved] : saved_) {
      if (const char* value = std::getenv(name)) saved = value;
      setenv(name, "zh_CN.UTF-8", 1);
    }
    set_ = true;
  }
  ~ChineseEnvironment() {
    QLocale::system();  // read now, and kept
    if (!set_) return;
    for (auto& [name, saved] : saved_)
      if (saved)
        setenv(name, saved->c_str(), 1);
      else
        unsetenv(name);
  }

 private:
  std::pair<const char*, std::optional<std::string>> saved_[2] = {{"LC_MESSAGES", {}}, {"LC_TIME", {}}};
  bool set_ = false;
};

// Qt's own Simplified Chinese catalogue, which Debian ships in qt6-translations-l10n beside the Qt
// libraries it belongs to. Without it those texts stay English.
void LoadPlatformTranslation() {
  auto* catalogue = new QTranslator(QCoreApplication::instance());
  if (catalogue->load(Chinese(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(catalogue);
  else
    delete catalogue;
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() {
  if (Application) return;
  InitResources();
  if (!QApplication::instance()) {
    static char name[] = "velmora", option[] = "-platform", x[] = "xcb;wayland";
    static char* argv[4];
    static int argc;
    argc = 0;
    argv[argc++] = name;
    if (PreferX()) {
      argv[argc++] = option;
      argv[argc++] = x;
    }
    argv[argc] = nullptr;
    {
      ChineseEnvironment chinese;
      StartQt(argc, argv);
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(LightPalette());
    LoadPlatformTranslation();
    QCoreApplication::instance()->installEventFilter(new WheelToForm(QCoreApplication::instance()));
    // The game's own texts come with their glyphs (see toolkit/Graphics.cpp, ToQFont).
    QFontDatabase::addApplicationFont(QStringLiteral(":/velmora-ui.ttf"));
    // Menus and tool tips take the forms' own font, so the platform loads one font the fewer.
    QApplication::setFont(ToQFont(TFont()));
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addFile(QStringLiteral(":/icon/velmora-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
  }
  InstallAccessibility();
  WatchClipboard();
  Application = new TApplication;
}

void TApplication::Finalize() {
  delete Application;
  Application = nullptr;
  delete QApplication::instance();
}

namespace {
// The system asking the program to end (a logout's SIGTERM, a closed terminal's SIGHUP, Ctrl+C) closes
// the main form as the player would, so that it keeps what it keeps at its close. The handler only
// writes a byte to a pipe; the event loop reads it and does the closing.
int endPipe[2] = {-1, -1};
const int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};

void EndSignalArrived(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(endPipe[1], &byte, 1);
}

void WatchEndSignals(bool on) {
  if (on && endPipe[0] < 0) {
    if (::pipe2(endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(endPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
      char bytes[16];
      while (::read(endPipe[0], bytes, sizeof bytes) > 0) {
      }
      if (Application && Application->MainForm()) Application->MainForm()->Close();
    });
  }
  struct sigaction action {};
  action.sa_handler = on ? EndSignalArrived : SIG_DFL;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : EndSignals) ::sigaction(s, &action, nullptr);
}
}  // namespace

void TApplication::Run() {
  if (!FMainForm) return;
  FMainForm->Show();
  FRunning = true;
  WatchEndSignals(true);
  QApplication::exec();
  WatchEndSignals(false);
  FRunning = false;
}

// Ends every loop at once, the modal ones and file dialogs included. The platform's own quit would first
// ask each open window to close, and a form refuses that (its close box only hides it): a dialog still
// open then kept the program running with no window on screen.
void TApplication::Terminate() {
  if (FRunning) QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

void TApplication::set_DesktopFileName(const std::string& v) {
  QGuiApplication::setDesktopFileName(QString::fromStdString(v));
}

// The modal form on screen, else the main form when shown: a box or a file dialog opened now is tied
// to it, so it stays with the game's windows (see TForm).
QWidget* DialogOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  TForm* main = Application ? Application->MainForm() : nullptr;
  return main && main->Visible() ? main->Handle()->widget : nullptr;
}

// When a modal window closes, the game left it to the window manager to give the focus back, and the
// manager sends a window's focus on to its modal dialog while it still knows of one. On a busy machine
// openbox's focus log showed it choosing before it had seen the dialog go: it passed over the main
// window, owner of the going dialog, and focused a window of its own, so no window of the game was
// active and the player's keys went nowhere. So the owner asks for its activation back itself once the
// dialog has gone; the manager reads that request after the dialog's going.
void Reactivate(QWidget* owner) {
  if (owner && owner->isVisible() && !testing::Enabled()) owner->activateWindow();
}

void TApplication::Guard(const std::function<void()>& f) {
  try {
    f();
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    ShowException(e.Message);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

namespace {
// A message about a damaged file can quote a line of millions of bytes, and laying that out froze the
// box for many seconds: a long message keeps its start and its end, cut between UTF-8 characters.
std::string Shortened(const std::string& message) {
  constexpr std::size_t Keep = 400;
  if (message.size() <= 2 * Keep + 16) return message;
  auto boundary = [&](std::size_t i) {
    while (i > 0 && (static_cast<unsigned char>(message[i]) & 0xC0) == 0x80) --i;
    return i;
  };
  return message.substr(0, boundary(Keep)) + "…" + message.substr(boundary(message.size() - Keep));
}
}  // namespace

namespace {
// A box with one OK button, caption the application's title; in tests, only recorded.
void MessageBox(QMessageBox::Icon icon, const std::string& fullMessage, void (*record)(const std::string&)) {
  std::string message = Shortened(fullMessage);
  if (testing::Enabled()) {
    record(message);
    return;
  }
  QMessageBox box(icon, ToQString(Application->Title), ToQString(message), QMessageBox::Ok, DialogOwner());
  box.exec();
  Reactivate(box.parentWidget());
}
}  // namespace

void TApplication::ShowException(const std::string& fullMessage) {
  MessageBox(QMessageBox::Critical, fullMessage, testing::RecordErrorBox);
}

void ShowMessage(const std::string& fullMessage) {
  MessageBox(QMessageBox::Information, fullMessage, testing::RecordMessageBox);
}

}  // namespace toolkit
