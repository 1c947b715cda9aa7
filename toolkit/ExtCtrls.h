// Panels that paint themselves, and the timer.
#pragma once
#include "toolkit/Controls.h"

namespace toolkit {

// A panel: background colour, outer bevel, border (BorderWidth pixels inside, and a one-pixel line when
// BorderStyle is bsSingle), a centred caption, and an overridable Paint that draws on Canvas. Children
// are clipped at the inside of the bsSingle line, so that line shows on all four sides.
class TPanel : public TControl {
 public:
  explicit TPanel(TComponent* AOwner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void set_BevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void set_BevelInner(TBevelCut v);
  int BevelWidth() const { return FBevelWidth; }
  void set_BevelWidth(int v);
  int BorderWidth() const { return FBorderWidth; }
  void set_BorderWidth(int v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void set_BorderStyle(TBorderStyle v);
  // The classic three-dimensional look; off, borders are drawn flat.
  bool Ctl3D() const { return FCtl3D; }
  void set_Ctl3D(bool v);

  int ClientWidth() const override;
  int ClientHeight() const override;

  // Valid only while Paint runs.
  TCanvas* Canvas() const { return FCanvas; }

  // The panel's own painting: background, bevel and caption. Derived panels call it first.
  virtual void Paint();

 protected:
  void CreateHandle() override;
  int ChildOffset() const override;
  void AlignRect(int& l, int& t, int& r, int& b) const override;

 private:
  friend struct ControlAccess;
  void RefreshChildren();
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FCtl3D = true;
  TCanvas* FCanvas = nullptr;
};

struct TimerHandle;

// Ticks every Interval milliseconds while Enabled, Interval > 0 and OnTimer is set. Setting Enabled or
// Interval to the value it already has does nothing; a change restarts the period, and so does
// setting OnTimer.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void set_Enabled(bool v);
  int Interval() const { return FInterval; }
  void set_Interval(int v);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void set_OnTimer(TNotifyEvent v);
  // Whether the platform timer is running.
  bool Active() const;
  // Runs one tick (the platform calls it; tests may too).
  void Timer();

 private:
  void UpdateTimer();
  bool FEnabled = true;
  int FInterval = 1000;
  TNotifyEvent FOnTimer;
  TimerHandle* FHandle;
};

}  // namespace toolkit
