// Menus over QMenuBar, QMenu and QAction.
#include "toolkit/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "toolkit/qt_p.h"

namespace toolkit {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() { delete FHandle; }

void TMenuItem::set_Enabled(bool v) {
  FEnabled = v;
  if (FHandle && FHandle->action) FHandle->action->setEnabled(v);
}

void TMenuItem::set_Checked(bool v) {
  FChecked = v;
  if (FHandle && FHandle->action) FHandle->action->setChecked(v);
}

void TMenuItem::Click() {
  if (AutoCheck) set_Checked(!FChecked);
  if (OnClick) OnClick(this);
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

static void Fill(QMenu* menu, TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->Caption() == "-") {
      menu->addSeparator();
      continue;
    }
    if (child->Count() > 0) {
      Fill(menu->addMenu(ToQString(child->Caption())), child);
      continue;
    }
    QAction* action = menu->addAction(ToQString(child->Caption()));
    action->setEnabled(child->Enabled());
    action->setCheckable(child->AutoCheck || child->Checked());
    action->setChecked(child->Checked());
    QList<QKeySequence> keys;
    for (const std::string& key : child->ShortCuts) keys.append(QKeySequence(ToQString(key), QKeySequence::PortableText));
    action->setShortcuts(keys);
    if (!child->FHandle) child->FHandle = new MenuItemHandle;
    child->FHandle->action = action;
    QObject::connect(action, &QAction::triggered, [child] { Deliver([child] { child->Click(); }); });
  }
}

QMenuBar* CreateMenuBar(TMainMenu* menu, QWidget* parent) {
  auto* bar = new QMenuBar(parent);
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    Fill(bar->addMenu(ToQString(top->Caption())), top);
  }
  return bar;
}

}  // namespace toolkit
