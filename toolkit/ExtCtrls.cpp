// TPanel painted by the layer, and TTimer over QTimer.
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "toolkit/ExtCtrls.h"
#include "toolkit/qt_p.h"

namespace toolkit {

namespace {

// The panel paints itself, border included; its children live in a bare client widget inside the
// border, which clips them at the border's inner edge as the classic toolkit does (a child wider than
// the panel never covers its border). Mouse input that falls on the client widget itself goes on to
// the panel, in the panel's coordinates.
class PanelWidget : public QWidget {
 public:
  PanelWidget(TPanel* panel, QWidget* parent) : QWidget(parent), panel_(panel), client_(new QWidget(this)) {
    client_->setMouseTracking(true);  // a move over it is offered to it, and so goes on to the panel
  }
  QWidget* Client() const { return client_; }
  void PlaceClient() {
    int offset = ControlAccess::ChildOffset(panel_);
    client_->setGeometry(offset, offset, std::max(0, width() - 2 * offset), std::max(0, height() - 2 * offset));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!panel_) return;
    QPainter p(this);
    CanvasPainter cp{&p};
    ControlAccess::Paint(panel_, &cp);
  }
  void resizeEvent(QResizeEvent*) override { PlaceClient(); }

 private:
  TPanel* panel_;
  QWidget* client_;
};

// The classic 3-D frame drawn with canvas lines; shrinks the rectangle by its width.
void CanvasFrame3D(TCanvas* c, int& L, int& T, int& R, int& B, TColor top, TColor bottom, int width) {
  for (int i = 0; i < width && R - L > 0 && B - T > 0; ++i) {
    c->Pen.Color = top;
    c->Pen.Width = 1;
    c->Pen.Style = psSolid;
    c->MoveTo(L, B - 1);
    c->LineTo(L, T);
    c->LineTo(R - 1, T);
    c->Pen.Color = bottom;
    c->LineTo(R - 1, B - 1);
    c->LineTo(L - 1, B - 1);
    ++L;
    ++T;
    --R;
    --B;
  }
}
}  // namespace

void ControlAccess::Paint(TPanel* panel, CanvasPainter* cp) {
  QPainter& p = *cp->painter;
  int offset = panel->ChildOffset();
  if (offset > 0) {  // the border around the client area
    TCanvas border(cp);
    int L = 0, T = 0, R = panel->Width(), B = panel->Height();
    if (panel->FCtl3D)
      CanvasFrame3D(&border, L, T, R, B, clBtnShadow, clBtnHighlight, offset);
    else
      CanvasFrame3D(&border, L, T, R, B, clWindowFrame, clWindowFrame, offset);
  }
  p.translate(offset, offset);
  p.setClipRect(0, 0, panel->ClientWidth(), panel->ClientHeight());
  TCanvas canvas(cp);
  canvas.Font.Assign(*panel->Font());
  canvas.Brush.Color = panel->Color();
  panel->FCanvas = &canvas;
  panel->Paint();
  panel->FCanvas = nullptr;
}

TPanel::TPanel(TComponent* AOwner) : TControl(AOwner) {}

void TPanel::CreateHandle() {
  FHandle = new ControlHandle;
  auto* w = new PanelWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  FHandle->widget = w;
  FHandle->client = w->Client();
  Bridge(this, FHandle);
}

int TPanel::ChildOffset() const { return FBorderStyle == bsSingle ? (FCtl3D ? 2 : 1) : 0; }

int TPanel::ClientWidth() const { return Width() - 2 * ChildOffset(); }
int TPanel::ClientHeight() const { return Height() - 2 * ChildOffset(); }

void TPanel::AlignRect(int& l, int& t, int& r, int& b) const {
  TControl::AlignRect(l, t, r, b);
  int inset = FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
  l += inset;
  t += inset;
  r -= inset;
  b -= inset;
}

void TPanel::Paint() {
  TCanvas* c = FCanvas;
  int L = 0, T = 0, R = ClientWidth(), B = ClientHeight();
  c->Brush.Color = Color();
  c->FillRect(L, T, R, B);
  if (FBevelOuter != bvNone)
    CanvasFrame3D(c, L, T, R, B, FBevelOuter == bvLowered ? clBtnShadow : clBtnHighlight,
                  FBevelOuter == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  L += FBorderWidth;
  T += FBorderWidth;
  R -= FBorderWidth;
  B -= FBorderWidth;
  if (FBevelInner != bvNone)
    CanvasFrame3D(c, L, T, R, B, FBevelInner == bvLowered ? clBtnShadow : clBtnHighlight,
                  FBevelInner == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  if (!Caption().empty()) {
    c->Font.Assign(*Font());
    c->Brush.Color = Color();
    int w = c->TextWidth(Caption());
    int h = Font()->PixelSize() * 5 / 4;
    c->TextOut((ClientWidth() - w) / 2, (ClientHeight() - h) / 2, Caption());
  }
}

void TPanel::set_BevelOuter(TBevelCut v) { FBevelOuter = v; AlignControls(); Invalidate(); }
void TPanel::set_BevelInner(TBevelCut v) { FBevelInner = v; AlignControls(); Invalidate(); }
void TPanel::set_BevelWidth(int v) { FBevelWidth = v; AlignControls(); Invalidate(); }
void TPanel::set_BorderWidth(int v) { FBorderWidth = v; AlignControls(); Invalidate(); }

void TPanel::set_BorderStyle(TBorderStyle v) {
  FBorderStyle = v;
  AlignControls();
  RefreshChildren();
}

void TPanel::set_Ctl3D(bool v) {
  FCtl3D = v;
  AlignControls();
  RefreshChildren();
}

// The client area moved inside a new border.
void TPanel::RefreshChildren() {
  if (!FHandle) return;
  static_cast<PanelWidget*>(FHandle->widget)->PlaceClient();
  Invalidate();
}

struct TimerHandle {
  QTimer timer;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FHandle(new TimerHandle) {
  QObject::connect(&FHandle->timer, &QTimer::timeout, [this] { Deliver([this] { Timer(); }); });
}

TTimer::~TTimer() { delete FHandle; }

void TTimer::set_Enabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::set_Interval(int v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::set_OnTimer(TNotifyEvent v) {
  FOnTimer = std::move(v);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  FHandle->timer.stop();
  if (FEnabled && FInterval > 0 && FOnTimer) FHandle->timer.start(FInterval);
}

bool TTimer::Active() const { return FHandle->timer.isActive(); }

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

}  // namespace toolkit
