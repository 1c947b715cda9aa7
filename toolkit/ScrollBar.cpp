// TScrollBar over QScrollBar.
#include "toolkit/ScrollBar.h"

#include <QScrollBar>
#include <algorithm>

#include "toolkit/qt_p.h"

namespace toolkit {

struct ScrollAccess {
  static void Scrolled(TScrollBar* s, int v) { s->Scrolled(v); }
};

TScrollBar::TScrollBar(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 121, 16);
  set_TabStop(true);
}

void TScrollBar::CreateHandle() {
  FHandle = new ControlHandle;
  auto* w = new QScrollBar(Parent() ? Parent()->Handle()->client : nullptr);
  FHandle->widget = FHandle->client = w;
  // The widget goes before the control does, and its connection with it.
  QObject::connect(w, &QScrollBar::valueChanged, [this](int v) { Deliver([&] { ScrollAccess::Scrolled(this, v); }); });
  Bridge(this, FHandle);
}

void TScrollBar::ApplyProperties() {
  TControl::ApplyProperties();
  auto* w = static_cast<QScrollBar*>(FHandle->widget);
  w->setOrientation(FKind == sbVertical ? Qt::Vertical : Qt::Horizontal);
  w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
  ApplyRange();
}

// The highest position: a page of PageSize ends at Max.
int TScrollBar::Highest() const { return std::max(FMin, FMax - std::max(FPageSize - 1, 0)); }

void TScrollBar::ApplyRange() {
  if (!FHandle) return;
  auto* w = static_cast<QScrollBar*>(FHandle->widget);
  FApplying = true;
  w->setRange(FMin, Highest());
  w->setSingleStep(FSmallChange);
  w->setPageStep(FLargeChange);
  w->setValue(FPosition);
  FApplying = false;
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  AMax = std::max(AMax, AMin);
  bool rangeChanged = AMin != FMin || AMax != FMax;
  FMin = AMin;
  FMax = AMax;
  int position = std::clamp(APosition, FMin, Highest());
  bool moved = position != FPosition;
  FPosition = position;
  if (rangeChanged || moved) ApplyRange();
  if (moved && OnChange) OnChange(this);
}

void TScrollBar::set_Kind(TScrollBarKind v) {
  if (v == FKind) return;
  FKind = v;
  SetBounds(Left(), Top(), Height(), Width());  // the classic control turns on its corner
  if (FHandle) static_cast<QScrollBar*>(FHandle->widget)->setOrientation(v == sbVertical ? Qt::Vertical : Qt::Horizontal);
}

void TScrollBar::set_PageSize(int v) {
  FPageSize = std::max(v, 0);
  SetParams(FPosition, FMin, FMax);
  ApplyRange();
}

void TScrollBar::set_SmallChange(int v) {
  FSmallChange = std::max(v, 1);
  ApplyRange();
}

void TScrollBar::set_LargeChange(int v) {
  FLargeChange = std::max(v, 1);
  ApplyRange();
}

void TScrollBar::Scrolled(int v) {
  if (FApplying || v == FPosition) return;
  FPosition = v;
  if (OnChange) OnChange(this);
}

}  // namespace toolkit
