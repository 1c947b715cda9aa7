// Forms, the application object and its error box.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/SysUtils.h"

namespace toolkit {

class TMainMenu;

enum TFormBorderStyleKind { fbsNone, fbsSingle, fbsSizeable, fbsDialog, fbsToolWindow, fbsSizeToolWin };
enum TPosition { poDesigned, poScreenCenter };

// A top-level window. Its Left/Top are screen positions (used with poDesigned), its client size is
// ClientWidth x ClientHeight below its menu. A form is made invisible; Show shows it, ShowModal shows it
// and returns when it is closed, with its ModalResult. Close hides a dialog; closing the main form
// ends the program. Every form but the main one is a dialog window that belongs to the main window:
// window managers keep it above the main window, on its desktop and out of the taskbar. A form
// placed poScreenCenter centres its whole window, the frame the window manager gives it included.
class TForm : public TControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  TFormBorderStyleKind BorderStyle() const { return FBorderStyle; }
  void set_BorderStyle(TFormBorderStyleKind v);
  TPosition Position() const { return FPosition; }
  void set_Position(TPosition v) { FPosition = v; }
  TMainMenu* Menu() const { return FMenu; }
  void set_Menu(TMainMenu* v);
  // The control that takes the focus when the form opens; without one (or when it cannot take the
  // focus), the first control in tab order that can.
  TControl* ActiveControl() const { return FActiveControl; }
  void set_ActiveControl(TControl* v) { FActiveControl = v; }

  int ModalResult() const { return FModalResult; }
  void set_ModalResult(int v);

  void Show();
  int ShowModal();
  void Close();
  bool Modal() const { return FModal; }
  // Has assistive technology tell a short message (a new game's level): a screen reader speaks it as
  // a notification. Nothing shows on screen. It is told once the handler running now has returned,
  // after whatever news that handler caused, so that a screen reader drowning in those (a board of
  // cells greyed at once) does not drop it with them. Messages told together are joined with "，",
  // less any that a later one of them says again; a message `about` a control (its new description)
  // replaces the one about it not yet told (an empty one only withdraws it). Does nothing before the
  // form's window is made.
  void Announce(const std::string& text, const TControl* about = nullptr);
  // A close request from outside the program (the title bar's close box, the window manager's menu or
  // key, a taskbar) comes here, and closes like Close. A form whose only way out does more than close
  // overrides it with that way out. Refused while a modal form other than this one is up.
  virtual void CloseRequested();

  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }

  // Runs at the end of the form's construction (DoCreate); a failure shows the error box and the
  // form lives on.
  TNotifyEvent OnCreate;
  // Runs each time the form is shown, just before the focus goes into it.
  TNotifyEvent OnShow;
  // Runs when the main form closes, by whatever way: Close, the window manager, or the system asking the
  // program to end (a logout's SIGTERM, SIGHUP, SIGINT); the last chance to keep what is in hand.
  TNotifyEvent OnClose;
  // Run when the player minimises the window, and when it is restored from that.
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  // Keys that the focused control leaves unused (Escape in an edit, say) reach the form as characters;
  // without a handler, Escape clicks the form's cancel button (TButton::Cancel) when it has one.
  TKeyPressEvent OnKeyPress;
  // The mouse wheel turned over any of the form's controls comes here first; a handler that sets
  // Handled uses it up, otherwise the control under the mouse takes it as usual.
  TMouseWheelEvent OnMouseWheel;

 protected:
  // Each form calls it as the last step of its constructor.
  void DoCreate();
  void CreateHandle() override;
  void ApplyProperties() override;
  void ApplyBounds() override;
  void ApplyText() override;

 private:
  friend struct ControlAccess;
  TFormBorderStyleKind FBorderStyle = fbsSizeable;
  TPosition FPosition = poDesigned;
  TMainMenu* FMenu = nullptr;
  TControl* FActiveControl = nullptr;
  int FModalResult = mrNone;
  bool FModal = false;
};

// The application: the title of its message boxes, form creation, the event loop, the error box.
class TApplication : public TComponent {
 public:
  // Makes the global Application and starts the platform (no command-line arguments are read). Where
  // an X display is named and the environment names no platform, the platform is X, Wayland session or
  // not, and Wayland when that X display cannot be reached. When no display can be opened, it says so in one line on standard error and ends the program
  // (status 1); when the platform fails otherwise, Qt's own reason goes to standard error.
  static void Initialize();
  // Frees the forms it owns.
  static void Finalize();

  std::string Title = "Velmora";
  // Names the program's desktop entry (without ".desktop"), which the platform announces with its
  // windows where it can, so that docks and taskbars match the running program to its menu entry.
  void set_DesktopFileName(const std::string& v);
  TForm* MainForm() const { return FMainForm; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    if (!FMainForm) FMainForm = Reference;
  }

  // Shows the main form and runs the event loop until Terminate (closing the main form calls it).
  void Run();
  // Ends the event loop, and the modal loops running inside it.
  void Terminate();
  void ProcessMessages();

  // Runs f as an event handler: EAbort ends it silently, any other exception shows the error box.
  void Guard(const std::function<void()>& f);
  // The standard error box: caption Title, an error icon, the message (of a very long one, its start
  // and its end).
  void ShowException(const std::string& message);

 private:
  TApplication();
  friend class TForm;
  TForm* FMainForm = nullptr;
  bool FRunning = false;
};

extern TApplication* Application;

// A message box telling the player something: caption Title, an information icon, the message (of a
// very long one, its start and its end), one OK button. Returns when it is closed.
void ShowMessage(const std::string& message);

}  // namespace toolkit
