// Labels, buttons and text edits.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Controls.h"

namespace toolkit {

// A text label. With AutoSize it takes the size of its caption once its widget is made; otherwise longer
// text is cut at its edge.
// Until Color is set it is transparent over its parent.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void set_Alignment(TAlignment v);
  bool AutoSize() const { return FAutoSize; }
  void set_AutoSize(bool v);

 protected:
  void CreateHandle() override;
  void ApplyProperties() override;
  void ApplyText() override;
  void FontChanged() override;
  void SetText(const std::string& v) override;

 private:
  void AdjustSize();
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FSizePending = false;
};

// A push button: a click, or Enter or Space while it has the focus, fires OnClick. A Cancel button
// is also pressed by Escape anywhere in its form.
class TButton : public TControl {
 public:
  explicit TButton(TComponent* AOwner);
  bool Cancel() const { return FCancel; }
  void set_Cancel(bool v) { FCancel = v; }

 protected:
  void CreateHandle() override;
  void ApplyProperties() override;

 private:
  bool FCancel = false;
};

struct TextAccess;

// What the single-line and the multi-line edit share: the text, the typing filter and the change event.
//
// Every character the player types reaches OnKeyPress first, control characters included (Backspace 8,
// Tab 9, Enter 13, Escape 27, Ctrl+V 22, ...); a handler that sets Key to 0 cancels it. Pasted, dropped
// and input-method text goes through the same filter character by character; so does the primary
// selection that the middle button pastes where the platform has one (X11). Keys that type no
// character (arrows, Delete, Home, End) edit as usual. MaxLength (0: none) limits what the player
// enters, not what the program assigns.
//
// OnChange fires once after every real change of the text: typed, pasted, deleted or assigned; while it
// runs, TextBefore is the text before that change (no copy is made of it). Assigning the text the
// control already has does nothing.
class TCustomEdit : public TControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);

  const std::string& Text() const { return FText; }
  void set_Text(const std::string& v) { SetText(v); }
  // Inside OnChange: the text before the change; elsewhere, the text.
  const std::string& TextBefore() const { return FBefore ? *FBefore : FText; }
  int MaxLength() const { return FMaxLength; }
  void set_MaxLength(int v) { FMaxLength = v; }
  bool ReadOnly() const { return FReadOnly; }
  void set_ReadOnly(bool v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void set_BorderStyle(TBorderStyle v);
  bool Ctl3D() const { return FCtl3D; }
  void set_Ctl3D(bool v);
  // Closed: the control takes plain key input only, with no input method.
  bool ImeClosed() const { return FImeClosed; }
  void set_ImeClosed(bool v);
  // Set while the description says the text in words (a cell's pencil marks, "候选 1 7 8"): a screen
  // reader reading the line the caret is on hears nothing there, rather than the text once more, where
  // "178" is one number. Its characters are still read one by one as the caret passes them.
  bool TextInDescription() const { return FTextInDescription; }
  void set_TextInDescription(bool v) { FTextInDescription = v; }

  // The caret and the selection, in characters; a caret set beyond the text lies at its end.
  int SelStart() const;
  void set_SelStart(int v);
  int SelLength() const;
  void SelectAll();

  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnChange;

 protected:
  friend struct TextAccess;
  void SetText(const std::string& v) override;
  void ApplyProperties() override;
  // Runs the typing filter over a character; returns the character to insert, or 0.
  char FilterChar(char c);
  // The text now in the widget differs from the stored one: store it and fire OnChange.
  void WidgetTextChanged(const std::string& now);
  virtual void ApplyEditState() = 0;
  // ReadOnly has changed; a derived control that shows it otherwise (a description) follows it here.
  virtual void ReadOnlyChanged() {}
  // The text has changed (typed, pasted, deleted or assigned), just before OnChange: the same for a
  // derived control that describes its text otherwise.
  virtual void TextChanged() {}

  int FMaxLength = 0;
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  bool FCtl3D = true;
  bool FImeClosed = false;
  bool FTextInDescription = false;
  bool FSettingText = false;

 private:
  // Stores the new text, shows it unless the widget has it already, tells it, and fires OnChange with
  // the old one as TextBefore.
  void ChangeText(std::string now, bool inWidget);
  const std::string* FBefore = nullptr;
};

// A single-line edit. The player never puts a line break into it: pasted, dropped and input-method text
// ends at its first line break (CR or LF), and Enter types nothing.
class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner);

 protected:
  void CreateHandle() override;
  void ApplyText() override;
  void ApplyColor() override;
  void ApplyFont() override;
  void ApplyEditState() override;
};

// The directions of the arrow keys.
enum TDirection { drLeft, drRight, drUp, drDown };
using TCaretEdgeEvent = std::function<void(TObject* Sender, TDirection Direction)>;

// A multi-line edit: centred or left-aligned text that wraps at the control's edge, no scroll bars.
class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void set_Alignment(TAlignment v);

  // An arrow key pressed with no Shift, Ctrl or Alt where the caret cannot move any further that way
  // and nothing is selected: Left at the start of the text, Right at its end, Up on the first line,
  // Down on the last line as wrapped; in a read-only memo, every such arrow. The key does nothing
  // else; the handler may move the focus on.
  TCaretEdgeEvent OnCaretEdge;

  // One character drawn stressed wherever the text holds it (0: none): in white ink on StressColor,
  // so that it stands out among the others (a digit among pencil marks). Only drawn; the text is as
  // it was.
  char Stress() const { return FStress; }
  void set_Stress(char v);
  TColor StressColor() const { return FStressColor; }
  void set_StressColor(TColor v);

 protected:
  void CreateHandle() override;
  void ApplyText() override;
  void ApplyColor() override;
  void ApplyFont() override;
  void ApplyEditState() override;

 private:
  void ApplyStress();
  TAlignment FAlignment = taLeftJustify;
  char FStress = 0;
  TColor FStressColor = 0x207020;
};

// A drop-down list to choose one of its items from: a click opens it, the arrows choose without
// opening it. OnChange fires once after the player chooses another item; assigning ItemIndex does not
// fire it. A screen reader hears it as a combo box named by its AccessibleName, with the item chosen.
class TComboBox : public TControl {
 public:
  explicit TComboBox(TComponent* AOwner);

  // The items; read when the control's widget is made, and again by set_Items.
  const std::vector<std::string>& Items() const { return FItems; }
  void set_Items(const std::vector<std::string>& v);
  // The item chosen, 0-based; -1 none.
  int ItemIndex() const { return FItemIndex; }
  void set_ItemIndex(int v);

  TNotifyEvent OnChange;

 protected:
  friend struct ComboAccess;
  void CreateHandle() override;
  void ApplyProperties() override;

 private:
  std::vector<std::string> FItems;
  int FItemIndex = -1;
};

}  // namespace toolkit
