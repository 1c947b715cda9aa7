// The game clock: a label that shows elapsed milliseconds as hours:minutes:seconds and owns a timer.
#pragma once
#include <cstdint>
#include <string>

#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

namespace velmora::TimeLabel {

// The label counts nothing itself: its owner's tick handler advances MS. Shows "0:00:00" until MS is
// first set, then the unpadded form ("0:0:0").
class TTimeLabel : public toolkit::TLabel {
 public:
  explicit TTimeLabel(toolkit::TComponent* AOwner);

  toolkit::TTimer* Timer;  // owned
  bool timerenabled() const { return Ftimerenabled; }
  void set_timerenabled(bool v);
  int timeinterval() const { return Ftimeinterval; }
  void set_timeinterval(int v);
  const toolkit::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void set_OnTimer(toolkit::TNotifyEvent v);
  // Elapsed milliseconds. 64 bits, so a clock left running for weeks still shows a sane time.
  std::int64_t MS() const { return FMS; }
  void set_MS(std::int64_t v);

  // "h:m:s" of a number of seconds, nothing padded, hours not wrapped.
  static std::string FormatTime(std::int64_t seconds);

 private:
  bool Ftimerenabled = false;
  int Ftimeinterval = 0;
  toolkit::TNotifyEvent FOnTimer;
  std::int64_t FMS = 0;
};

}  // namespace velmora::TimeLabel
