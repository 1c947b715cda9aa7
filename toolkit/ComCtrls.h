// Tool bar, tool buttons, picture list and status bar.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Controls.h"

namespace toolkit {

// Pictures for tool buttons, named by the resources compiled into the program (":/toolbar/0.png").
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  int Width = 16;
  int Height = 16;
  void Add(const std::string& resource) { FResources.push_back(resource); }
  int Count() const { return static_cast<int>(FResources.size()); }
  const std::string& Resource(int i) const { return FResources[i]; }

 private:
  std::vector<std::string> FResources;
};

// A bar across the top of a form; its buttons and other controls are children placed at their Left.
class TToolBar : public TControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  TImageList* Images = nullptr;

 protected:
  void CreateHandle() override;
};

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

// A flat button with a picture of its tool bar's list and its hint as tool tip. A tbsCheck button stays
// down when pressed and comes up when pressed again; a separator is only a gap.
class TToolButton : public TControl {
 public:
  explicit TToolButton(TComponent* AOwner);

  TToolButtonStyle Style() const { return FStyle; }
  void set_Style(TToolButtonStyle v);
  int ImageIndex() const { return FImageIndex; }
  void set_ImageIndex(int v);
  bool Down() const { return FDown; }
  void set_Down(bool v);

  void Click() override;

 protected:
  void CreateHandle() override;
  void ApplyProperties() override;

 private:
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FDown = false;
};

struct TStatusPanel {
  std::string Text;
  int Width = 50;
};

// A bar along the bottom of a form with text panels, the last one taking the rest of the width.
class TStatusBar : public TControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  std::vector<TStatusPanel> Panels;

  // Each panel is a text for assistive technology.
  int AccessibleItemCount() const override { return static_cast<int>(Panels.size()); }
  TAccessibleItem AccessibleItem(int Index) const override;

 protected:
  void CreateHandle() override;
};

}  // namespace toolkit
