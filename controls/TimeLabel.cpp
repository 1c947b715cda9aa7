// The game clock: the label's look, the timer it owns, and the elapsed time as hours:minutes:seconds.
#include "controls/TimeLabel.h"

#include "toolkit/SysUtils.h"

namespace velmora::TimeLabel {

using namespace toolkit;

TTimeLabel::TTimeLabel(TComponent* AOwner) : TLabel(AOwner) {
  set_AutoSize(false);
  set_Alignment(taCenter);
  set_Color(clBlack);
  Font()->set_Color(clLime);
  Font()->set_Size(11);
  Font()->set_Style({fsBold});
  set_Caption("0:00:00");
  set_Width(80);
  Timer = new TTimer(this);
  // The properties start at false and 0 and reach the timer only when set; until then it stays off
  // rather than keeping the platform timer's own running default.
  Timer->set_Enabled(false);
}

void TTimeLabel::set_timerenabled(bool v) {
  Ftimerenabled = v;
  Timer->set_Enabled(v);
}

void TTimeLabel::set_timeinterval(int v) {
  Ftimeinterval = v;
  Timer->set_Interval(v);
}

void TTimeLabel::set_OnTimer(TNotifyEvent v) {
  FOnTimer = v;
  Timer->set_OnTimer(std::move(v));
}

void TTimeLabel::set_MS(std::int64_t v) {
  FMS = v;
  set_Caption(FormatTime(FMS / 1000));
}

std::string TTimeLabel::FormatTime(std::int64_t seconds) {
  const std::int64_t hours = seconds / 3600;
  const std::int64_t rest = seconds - hours * 3600;
  const std::int64_t minutes = rest / 60;
  const std::int64_t secs = rest - minutes * 60;
  return IntToStr(hours) + ":" + IntToStr(minutes) + ":" + IntToStr(secs);
}

}  // namespace velmora::TimeLabel
