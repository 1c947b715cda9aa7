// The game clock: its look, the time it shows for a count of milliseconds, and starting and stopping.
#include "controls/TimeLabel.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/controls/Pixels.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
using velmora::TimeLabel::TTimeLabel;
namespace tt = toolkit::testing;

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kDay = 24 * 3600 * kSecond;

struct ClockFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TTimeLabel* clock = nullptr;
  int ticks = 0;
  void SetUp() override {
    form->SetBounds(0, 0, 200, 100);
    clock = new TTimeLabel(form);
    clock->set_Parent(form);
  }
  void TearDown() override { delete form; }

  // The way the main window sets its clock up: stopped, one-second interval, a handler that adds the
  // interval on every tick, zero shown.
  void SetUpLikeTheMainWindow() {
    clock->set_timerenabled(false);
    clock->set_timeinterval(1000);
    clock->set_OnTimer([this](TObject*) {
      ++ticks;
      clock->set_MS(clock->MS() + clock->timeinterval());
    });
    clock->set_MS(0);
  }
  void Start() {
    clock->set_timerenabled(true);
    clock->set_MS(0);
    clock->set_timeinterval(1000);
  }
};

}  // namespace

using TimeLabel = ClockFixture;

TEST_F(TimeLabel, ShowsPaddedZeroUntilTheTimeIsFirstSet) {
  EXPECT_EQ(clock->Caption(), "0:00:00");
  EXPECT_EQ(clock->MS(), 0);
  clock->set_MS(0);
  EXPECT_EQ(clock->Caption(), "0:0:0");
}

TEST_F(TimeLabel, IsBoldLimeOnBlackAndEightyPixelsWide) {
  EXPECT_FALSE(clock->AutoSize());
  EXPECT_EQ(clock->Alignment(), taCenter);
  EXPECT_EQ(clock->Color(), clBlack);
  EXPECT_EQ(clock->Font()->Color(), clLime);
  EXPECT_EQ(clock->Font()->Size(), 11);
  EXPECT_EQ(clock->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(clock->Width(), 80);
  EXPECT_EQ(clock->Timer->Owner(), clock);

  clock->set_Height(20);
  auto pic = tt::Grab(clock);
  EXPECT_EQ(pic.Pixel(1, 1), clBlack);
  auto ink = pixels::FindInk(pic, clBlack, 0, 0, 79, 19);
  EXPECT_GT(ink.count, 20);
  EXPECT_TRUE(pixels::Any(pic, 0, 0, 79, 19, [](TColor c) {
    return pixels::Green(c) > 0xC0 && pixels::Red(c) < 0x40 && pixels::Blue(c) < 0x40;
  }));
  // Centred: the text's margins on either side differ by a few pixels at most.
  EXPECT_LE(std::abs(ink.left - (79 - ink.right)), 3);
}

TEST_F(TimeLabel, ShowsWholeSecondsAsUnpaddedHoursMinutesAndSeconds) {
  struct Case {
    std::int64_t ms;
    const char* shown;
  };
  for (Case c : {Case{0, "0:0:0"}, Case{999, "0:0:0"}, Case{1000, "0:0:1"}, Case{75000, "0:1:15"},
                 Case{3599999, "0:59:59"}, Case{3600000, "1:0:0"}, Case{3723000, "1:2:3"},
                 Case{90061000, "25:1:1"}, Case{40 * kDay + 3723999, "961:2:3"}}) {
    clock->set_MS(c.ms);
    EXPECT_EQ(clock->MS(), c.ms);
    EXPECT_EQ(clock->Caption(), c.shown) << c.ms;
    EXPECT_EQ(TTimeLabel::FormatTime(c.ms / 1000), c.shown) << c.ms;
  }
}

using Clock = ClockFixture;

TEST_F(Clock, StandsStillUntilEnabledWithAnIntervalAndAHandler) {
  EXPECT_FALSE(clock->Timer->Active());
  clock->set_OnTimer([this](TObject*) { ++ticks; });
  EXPECT_FALSE(tt::Tick(clock->Timer));
  clock->set_timeinterval(500);
  EXPECT_FALSE(tt::Tick(clock->Timer));
  EXPECT_EQ(clock->Timer->Interval(), 500);
  clock->set_timerenabled(true);
  EXPECT_TRUE(clock->Timer->Enabled());
  EXPECT_TRUE(tt::Tick(clock->Timer));
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(clock->Caption(), "0:00:00") << "the label counts nothing itself";
}

TEST_F(Clock, EveryTickAdvancesTheShownTime) {
  SetUpLikeTheMainWindow();
  EXPECT_EQ(clock->Caption(), "0:0:0");
  EXPECT_FALSE(tt::Tick(clock->Timer));
  Start();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(tt::Tick(clock->Timer));
  EXPECT_EQ(clock->MS(), 3000);
  EXPECT_EQ(clock->Caption(), "0:0:3");
}

TEST_F(Clock, StoppingKeepsTheTimeAndRestartingResumesFromIt) {
  SetUpLikeTheMainWindow();
  Start();
  for (int i = 0; i < 75; ++i) tt::Tick(clock->Timer);
  clock->set_timerenabled(false);
  EXPECT_FALSE(clock->timerenabled());
  EXPECT_EQ(clock->Caption(), "0:1:15");
  EXPECT_FALSE(tt::Tick(clock->Timer));
  EXPECT_EQ(clock->MS(), 75000);
  EXPECT_EQ(clock->Caption(), "0:1:15");
  clock->set_timerenabled(true);
  EXPECT_TRUE(tt::Tick(clock->Timer));
  EXPECT_EQ(clock->Caption(), "0:1:16");
  EXPECT_EQ(ticks, 76);
}

TEST_F(Clock, AClockLeftRunningForWeeksKeepsCounting) {
  SetUpLikeTheMainWindow();
  Start();
  clock->set_MS(40 * kDay - kSecond);
  EXPECT_EQ(clock->Caption(), "959:59:59");
  tt::Tick(clock->Timer);
  EXPECT_EQ(clock->MS(), 40 * kDay);
  EXPECT_EQ(clock->Caption(), "960:0:0");
}
