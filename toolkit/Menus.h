// The main menu of a form and its items.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Types.h"

namespace toolkit {

struct MenuItemHandle;

// A menu item: a caption ("-" makes a separator; "&" marks the access key) and a click handler, or a
// submenu of items. Items belong to the component that creates them.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::string Caption() const { return FCaption; }
  void set_Caption(const std::string& v) { FCaption = v; }
  bool Enabled() const { return FEnabled; }
  void set_Enabled(bool v);
  // A check mark beside the caption; an AutoCheck item turns it over at each click, before OnClick.
  // A screen reader hears the item as a check item, checked or not.
  bool Checked() const { return FChecked; }
  void set_Checked(bool v);
  bool AutoCheck = false;

  void Add(TMenuItem* item) { FItems.push_back(item); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int i) const { return FItems[i]; }

  // The keys that click the item from anywhere in its form, as "Ctrl+Z"; the first is shown beside the
  // caption. Read when the form's menu is made.
  std::vector<std::string> ShortCuts;

  TNotifyEvent OnClick;
  // One of ShortCuts pressed while the item is greyed, which clicks nothing: the program can say why
  // nothing happens (a key that does nothing is silent otherwise).
  TNotifyEvent OnGreyedShortCut;
  // Runs OnClick.
  void Click();

  MenuItemHandle* FHandle = nullptr;  // the layer's own

 private:
  std::string FCaption;
  bool FEnabled = true;
  bool FChecked = false;
  std::vector<TMenuItem*> FItems;
};

// The menu bar: its top-level items are the menus.
class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* AOwner);
  TMenuItem* Items() const { return FItems; }

 private:
  TMenuItem* FItems;
};

}  // namespace toolkit
