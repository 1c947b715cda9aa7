// Menus over QMenuBar, QMenu and QAction.
#include "toolkit/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "toolkit/qt_p.h"

namespace toolkit {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() { delete FHandle; }

void TMenuItem::set_Enabled(bool v) {
  FEnabled = v;
  if (FHandle && FHandle->action) FHandle->action->setEnabled(v);
  if (FHandle && FHandle->greyed) FHandle->greyed->setEnabled(!v);
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

// The keys of the items reach the form's window; a greyed item's keys come to its OnGreyedShortCut.
static void Fill(QMenu* menu, TMenuItem* item, QWidget* window) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->Caption() == "-") {
      menu->addSeparator();
      continue;
    }
    if (child->Count() > 0) {
      Fill(menu->addMenu(ToQString(child->Caption())), child, window);
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
    if (keys.isEmpty()) continue;
    auto* greyed = new QShortcut(window);
    greyed->setKeys(keys);
    greyed->setEnabled(!child->Enabled());
    child->FHandle->greyed = greyed;
    QObject::connect(greyed, &QShortcut::activated, [child] {
      Deliver([child] {
        if (child->OnGreyedShortCut) child->OnGreyedShortCut(child);
      });
    });
  }
}

QMenuBar* CreateMenuBar(TMainMenu* menu, QWidget* parent) {
  auto* bar = new QMenuBar(parent);
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    Fill(bar->addMenu(ToQString(top->Caption())), top, parent);
  }
  return bar;
}

}  // namespace toolkit
