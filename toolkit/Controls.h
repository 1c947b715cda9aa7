// Controls: bounds, visibility, enabling, parent, colour, font, caption, mouse events.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/Types.h"

namespace toolkit {

struct ControlHandle;  // the platform widget behind a control; see toolkit/qt_p.h

// A part that a control paints itself and a player tells apart (a panel of a status bar, a box of a
// keypad), as assistive technology is told of it. Its place is in the control's client pixels.
struct TAccessibleItem {
  std::string Name;
  std::string Description;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Enabled = true;
  bool Button = false;  // pressed to act on; otherwise a text
  bool Selected = false;  // the current one of a list's items, or the box a keypad's keys are on
};

// What a control is to assistive technology where its kind alone does not say it: a group of parts
// named together (a board of cells), a notice whose caption its form announces (TForm::Announce)
// each time it is shown, or a list whose accessible items are its entries.
enum TAccessibleRole { arDefault, arGrouping, arNotification, arList };

// A control keeps every property in the layer; its platform widget is made only when it is first needed
// (its form is shown, or a test looks at it), and mirrors the properties from then on. Reading a property
// never asks the platform.
//
// Parent (where the control is drawn) is separate from Owner (who frees it). Freeing a parent detaches
// its children, which stay alive until their owner frees them.
//
// Events that the platform delivers (mouse, keys, clicks, timers) run inside Application's guard: an
// EAbort ends the handler silently, any other exception shows the error box. Events that the program
// causes itself (assigning a text fires OnChange) run directly and let exceptions rise to the caller.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void set_Left(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void set_Top(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void set_Width(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void set_Height(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The inside of the control's border, where its children and its own drawing lie.
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  void set_ClientWidth(int v);
  void set_ClientHeight(int v);

  TAlign Align() const { return FAlign; }
  void set_Align(TAlign v);

  bool Visible() const { return FVisible; }
  void set_Visible(bool v);
  void Show() { set_Visible(true); }
  void Hide() { set_Visible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;

  bool Enabled() const { return FEnabled; }
  // Greying a control that holds the focus moves the focus on to the next control in Tab order.
  void set_Enabled(bool v);

  TControl* Parent() const { return FParent; }
  void set_Parent(TControl* AParent);
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int i) const { return FControls[i]; }

  // Colour; until set, the control shows its parent's (ParentColor).
  TColor Color() const { return FColor; }
  void set_Color(TColor v);
  bool ParentColor() const { return FParentColor; }

  // Font; until it is changed, the control follows its parent's font (ParentFont).
  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  bool ParentFont() const { return FParentFont; }

  // Caption and Text are one property, as in the classic toolkit.
  const std::string& Caption() const { return FText; }
  void set_Caption(const std::string& v) { SetText(v); }

  std::string Hint() const { return FHint; }
  void set_Hint(const std::string& v);
  bool ShowHint = true;

  TCursor Cursor() const { return FCursor; }
  void set_Cursor(TCursor v);

  int TabOrder() const { return FTabOrder; }
  void set_TabOrder(int v);
  bool TabStop() const { return FTabStop; }
  void set_TabStop(bool v);
  void SetFocus();
  bool Focused() const;
  // A group of controls that is one stop of the Tab order (a board of cells): Tab and Shift+Tab enter
  // it at the child that last had the focus (at first, its first child that takes the focus), the
  // children move the focus among themselves, and Tab and Shift+Tab from any of them leave the group.
  // The children themselves stay out of the Tab order.
  bool TabGroup() const { return FTabGroup; }
  void set_TabGroup(bool v);

  // The control is drawn again soon; one that lists accessible items also tells assistive technology
  // that they may have changed.
  void Invalidate();
  void Repaint() { Invalidate(); }

  // What assistive technology (a screen reader) tells of the control. Both are empty by default: then
  // the platform names a control by its text, and a tool button, which shows only a picture, by its hint.
  const std::string& AccessibleName() const { return FAccessibleName; }
  void set_AccessibleName(const std::string& v);
  const std::string& AccessibleDescription() const { return FAccessibleDescription; }
  void set_AccessibleDescription(const std::string& v);
  TAccessibleRole AccessibleRole() const { return FAccessibleRole; }
  void set_AccessibleRole(TAccessibleRole v) { FAccessibleRole = v; }
  // The parts the control paints itself, read whenever assistive technology asks; none by default.
  // A control calls Invalidate after they change, as it does to show the change.
  virtual int AccessibleItemCount() const { return 0; }
  virtual TAccessibleItem AccessibleItem(int Index) const;
  // Tells assistive technology that item Index is now the one the control's keys are on (it has
  // become Selected while the control has the focus).
  void FocusAccessibleItem(int Index);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // A key pressed while the control has the focus, before the control's own use of it.
  TKeyEvent OnKeyDown;
  // The control has taken the keyboard focus.
  TEnterEvent OnEnter;

  // Fires OnClick. Controls that react to a click override it.
  virtual void Click();
  // The mouse entered / left the control.
  virtual void MouseEnter();
  virtual void MouseLeave();

  // The layer's own: the platform widget, made on demand with those of all children.
  bool HandleAllocated() const { return FHandle != nullptr; }
  ControlHandle* Handle();
  TControl* TopLevel();

 protected:
  // Makes FHandle for the control, its widget placed in the parent's widget (or top-level).
  virtual void CreateHandle();
  // Copies every property into the fresh widget; derived controls add theirs and call the base.
  virtual void ApplyProperties();
  virtual void ApplyBounds();
  virtual void ApplyColor();
  virtual void ApplyFont();
  virtual void ApplyText();
  // Where children lie inside this control: the offset of the client area and the rectangle that
  // aligned children share.
  virtual int ChildOffset() const { return 0; }
  virtual void AlignRect(int& l, int& t, int& r, int& b) const;
  void AlignControls();
  // The text changes; the base stores it and updates the widget.
  virtual void SetText(const std::string& v);
  virtual void FontChanged();

  std::string FText;
  ControlHandle* FHandle = nullptr;

 private:
  friend struct ControlAccess;
  void DestroyHandle();
  void ApplyAccessibleText();
  void ApplyTabGroup();
  // Forgets this control as the last focused child of the groups around it.
  void LeaveGroups();
  // Colour (1) or font (2) to reach the widget before it paints next.
  void Changed(int what);
  void ParentFontChanged();
  void ParentColorChanged();

  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TControl* FParent = nullptr;
  std::vector<TControl*> FControls;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  TFont FFont;
  bool FParentFont = true;
  bool FAssigningParentFont = false;
  std::string FHint;
  std::string FAccessibleName;
  std::string FAccessibleDescription;
  TAccessibleRole FAccessibleRole = arDefault;
  TCursor FCursor = crDefault;
  int FTabOrder = -1;
  bool FTabStop = false;
  bool FTabGroup = false;
  TControl* FLastFocused = nullptr;  // of a tab group: the child that had the focus last
  int FDirty = 0;
};

}  // namespace toolkit
