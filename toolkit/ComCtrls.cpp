// Tool bar, tool buttons and status bar over QWidget, QToolButton and a painted bar.
#include "toolkit/ComCtrls.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QToolButton>

#include "toolkit/qt_p.h"

namespace toolkit {

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TToolBar::TToolBar(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 150, 29);
  set_Align(alTop);
}

namespace {
// The tool bar: the face colour with an etched line along its top edge.
class BarWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 1, width() - 1, 1);
  }
};
// A tool button is a stop of the Tab order, so that every action of the bar is there from the
// keyboard: Space or Enter presses it. A click leaves the focus where it was (on the board, say).
class ToolButtonWidget : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
      e->accept();
      click();
      return;
    }
    QToolButton::keyPressEvent(e);
  }
};
}  // namespace

void TToolBar::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new BarWidget(Parent() ? Parent()->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

TToolButton::TToolButton(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 2, 23, 22); }

void TToolButton::set_Style(TToolButtonStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  if (!FHandle) return;
  ApplyProperties();
  ForgetAccessible(FHandle->widget);  // a gap is a separator to a screen reader, not a button
}

void TToolButton::set_ImageIndex(int v) {
  FImageIndex = v;
  if (FHandle) ApplyProperties();
}

void TToolButton::set_Down(bool v) {
  FDown = v;
  if (FHandle) static_cast<QToolButton*>(FHandle->widget)->setChecked(v);
}

void TToolButton::Click() {
  if (FStyle == tbsCheck) set_Down(!FDown);
  TControl::Click();
}

void TToolButton::CreateHandle() {
  FHandle = new ControlHandle;
  auto* b = new ToolButtonWidget(Parent() ? Parent()->Handle()->client : nullptr);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::TabFocus);
  FHandle->widget = FHandle->client = b;
  // The layer keeps Down: the widget shows it, the click toggles it.
  QObject::connect(b, &QToolButton::clicked, [this] { Deliver([this] { Click(); }); });
  Bridge(this, FHandle);
}

void TToolButton::ApplyProperties() {
  TControl::ApplyProperties();
  auto* b = static_cast<QToolButton*>(FHandle->widget);
  b->setCheckable(FStyle == tbsCheck);
  b->setChecked(FDown);
  b->setEnabled(FStyle != tbsSeparator && Enabled());
  auto* bar = dynamic_cast<TToolBar*>(Parent());
  if (FStyle == tbsSeparator || !bar || !bar->Images || FImageIndex < 0 || FImageIndex >= bar->Images->Count()) {
    b->setIcon(QIcon());
    b->setAttribute(Qt::WA_TransparentForMouseEvents, FStyle == tbsSeparator);
    return;
  }
  b->setIcon(QIcon(QString::fromStdString(bar->Images->Resource(FImageIndex))));
  b->setIconSize(QSize(bar->Images->Width, bar->Images->Height));
}

TStatusBar::TStatusBar(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 150, 19);
  set_Align(alBottom);
}

namespace {
// The place of panel i: each as wide as it says, the last one as wide as what is left.
QRect PanelRect(const std::vector<TStatusPanel>& panels, std::size_t i, int width, int height) {
  int x = 0;
  for (std::size_t k = 0; k < i; ++k) x += panels[k].Width;
  int w = i + 1 == panels.size() ? width - x : panels[i].Width;
  return QRect(x, 2, w - 2, height - 2);
}

class StatusWidget : public QWidget {
 public:
  StatusWidget(TStatusBar* bar, QWidget* parent) : QWidget(parent), bar_(bar) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    for (std::size_t i = 0; i < bar_->Panels.size(); ++i) {
      const TStatusPanel& panel = bar_->Panels[i];
      QRect r = PanelRect(bar_->Panels, i, width(), height());
      p.setPen(palette().color(QPalette::Dark));
      p.drawLine(r.topLeft(), r.topRight());
      p.drawLine(r.topLeft(), r.bottomLeft());
      p.setPen(palette().color(QPalette::Light));
      p.drawLine(r.bottomLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomRight());
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(r.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, ToQString(panel.Text));
    }
  }

 private:
  TStatusBar* bar_;
};
}  // namespace

TAccessibleItem TStatusBar::AccessibleItem(int Index) const {
  QRect r = PanelRect(Panels, Index, Width(), Height());
  return {Panels[Index].Text, "", r.x(), r.y(), r.width(), r.height(), true, false};
}

void TStatusBar::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new StatusWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

}  // namespace toolkit
