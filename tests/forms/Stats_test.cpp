// The statistics file and window: the reader on damaged and hostile files, the figures, the counting
// under the lock, what a screen reader hears, and the clearing after a question.
#include "forms/Stats.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "forms/Ufrm_tj.h"
#include "tests/TempDir.h"
#include "toolkit/Classes.h"
#include "toolkit/SafeWrite.h"
#include "toolkit/SysUtils.h"
#include "toolkit/testing.h"

using namespace toolkit;
using namespace velmora;
namespace tt = toolkit::testing;

namespace {
std::string Gbk(const std::string& utf8) { return Utf8ToAnsi(utf8); }
const std::string kHeader = "Velmora 统计 1\r\n";
const std::string kQuiet = "中级 0 0 0 -\r\n高级 0 0 0 -\r\n骨灰级 0 0 0 -\r\n";
}  // namespace

TEST(StatsFile, TheReaderTakesOnlyAWholeFileOfThisVersion) {
  const struct {
    const char* name;
    std::string bytes;
    bool read;
  } cases[] = {
      {"as written", Gbk(kHeader + "初级 3 2 1 95 120 95\r\n" + kQuiet), true},
      {"no last line break", Gbk(kHeader + "初级 3 2 1 95 120 95\r\n" + kQuiet.substr(0, kQuiet.size() - 2)), true},
      {"empty", "", false},
      {"another version", Gbk("Velmora 统计 2\r\n初级 0 0 0 -\r\n" + kQuiet), false},
      {"a level missing", Gbk(kHeader + "初级 0 0 0 -\r\n中级 0 0 0 -\r\n"), false},
      {"a line more", Gbk(kHeader + "初级 0 0 0 -\r\n" + kQuiet + "x\r\n"), false},
      {"levels swapped", Gbk(kHeader + "中级 0 0 0 -\r\n初级 0 0 0 -\r\n高级 0 0 0 -\r\n骨灰级 0 0 0 -\r\n"), false},
      {"a negative count", Gbk(kHeader + "初级 -1 0 0 -\r\n" + kQuiet), false},
      {"a count of 13 digits", Gbk(kHeader + "初级 1000000000000 0 0 -\r\n" + kQuiet), false},
      {"more unhinted than finished", Gbk(kHeader + "初级 3 1 2 95 95\r\n" + kQuiet), false},
      {"more times than finished", Gbk(kHeader + "初级 3 1 1 95 95 96\r\n" + kQuiet), false},
      {"a time better than the record", Gbk(kHeader + "初级 3 2 2 95 94 95\r\n" + kQuiet), false},
      {"a time with no record", Gbk(kHeader + "初级 3 1 1 - 95\r\n" + kQuiet), false},
      {"a letter for a time", Gbk(kHeader + "初级 3 1 1 95 9x\r\n" + kQuiet), false},
      {"two spaces", Gbk(kHeader + "初级  3 1 1 95 95\r\n" + kQuiet), false},
      {"a NUL byte", Gbk(kHeader + "初级 3 1 1 95 95") + std::string(1, '\0') + "\r\n" + Gbk(kQuiet), false},
      {"bytes that are no GBK", Gbk(kHeader) + "\xFF\xFE 0 0 0 -\r\n" + Gbk(kQuiet), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string why;
    const auto stats = Stats::Parse(c.bytes, &why);
    EXPECT_EQ(stats.has_value(), c.read);
    EXPECT_EQ(why.empty(), c.read) << why;
    if (stats) {
      EXPECT_EQ(Stats::Format(*stats), Gbk(kHeader + "初级 3 2 1 95 120 95\r\n" + kQuiet));
    }
  }
}

TEST(StatsFile, BestAndMeanAreOfTheLastTwentyAndThePlotKeepsFifty) {
  TempDir dir;
  for (int t = 1; t <= 60; ++t) Stats::CountFinish(3, 100 + t, t % 2 == 0);
  Stats::CountFinish(3, 400, false);  // slower than any: the best of the last 20 stays 142
  std::string why;
  const Stats::TLevel f = Stats::Read(&why)[2];
  EXPECT_EQ(why, "");
  EXPECT_EQ(f.Finished, 61);
  EXPECT_EQ(f.NoHint, 31);
  EXPECT_EQ(f.Record, 101);
  ASSERT_EQ(f.Times.size(), 50u);
  EXPECT_EQ(f.Times.front(), 112);
  EXPECT_EQ(f.GameNumber(0), 12);
  EXPECT_EQ(f.Best(), 142);
  // 142..160 and 400: (19 * 151 + 400) / 20 = 163.45
  EXPECT_EQ(f.Mean(), 163);
  EXPECT_EQ(Stats::Spoken(3, f), "高级：开始0局，完成61局，未用提示完成31局，最近20局最好142秒，平均163秒");
  EXPECT_EQ(Stats::Spoken(1, Stats::TLevel{}), "初级：开始0局，完成0局，未用提示完成0局，还没有用时");
}

// A damaged file is moved aside byte for byte, and the counting starts afresh; the record file is never
// touched, and a hostile file (a link to elsewhere, a huge file) does no harm. A folder in the file's
// place is moved aside whole, as anything else there is, and counting starts afresh.
TEST(StatsFile, ADamagedFileIsMovedAsideAndTheRecordFileIsNeverTouched) {
  const struct {
    const char* name;
    std::function<void()> make;
    bool movedAside, counted;
  } cases[] = {
      {"damaged", [] { WriteFileBytes("stats.txt", "garbage\r\n"); }, true, true},
      {"huge", [] { WriteFileBytes("stats.txt", std::string(1 << 20, '7')); }, true, true},
      {"a folder", [] { std::filesystem::create_directory("stats.txt"); }, true, true},
      {"a link to the record file", [] { std::filesystem::create_symlink("phb.txt", "stats.txt"); }, true, true},
      {"none", [] {}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string records = "75\xC3\xEB\r\nAlice\r\n";
    WriteFileBytes("phb.txt", records);
    c.make();
    std::error_code ec;
    const bool wasFile = std::filesystem::is_regular_file("stats.txt", ec);
    const std::string before = wasFile ? ReadFileBytes("stats.txt") : "";
    Stats::CountStart(1);
    EXPECT_EQ(ReadFileBytes("phb.txt"), records);
    EXPECT_EQ(std::filesystem::exists("stats.txt.damaged-1"), c.movedAside);
    if (c.movedAside && wasFile) {
      EXPECT_EQ(ReadFileBytes("stats.txt.damaged-1"), before);
    }
    std::string why;
    EXPECT_EQ(Stats::Read(&why)[0].Started, c.counted ? 1 : 0);
    EXPECT_EQ(why.empty(), c.counted) << why;
  }
}

// The window: each level's figures as text a screen reader reads, a plot drawn, and the clearing only
// after a yes.
TEST(StatsWindow, ShowsTheFiguresAsTextAndClearsThemOnlyAfterAYes) {
  TempDir dir;
  Stats::CountStart(2);
  Stats::CountFinish(2, 300, false);
  Stats::CountFinish(2, 200, true);
  std::unique_ptr<Ufrm_tj::Tfrm_tj> window(new Ufrm_tj::Tfrm_tj(nullptr));
  const std::string said = "中级：开始1局，完成2局，未用提示完成1局，最近2局最好200秒，平均250秒";
  EXPECT_EQ(window->Lines[1]->Caption(), said);
  EXPECT_NE(window->AccessibleDescription().find(said), std::string::npos);
  EXPECT_EQ(tt::Accessible(window->Plots[1]).Description, "最近2局的用时，记录200秒");
  // Two bars, the record's in its own colour; no bar for a level with no games.
  const tt::Picture plot = tt::Grab(window->Plots[1]), none = tt::Grab(window->Plots[0]);
  int record = 0, bars = 0, empty = 0;
  for (int y = 0; y < plot.Height(); ++y)
    for (int x = 0; x < plot.Width(); ++x) {
      record += plot.Pixel(x, y) == Ufrm_tj::TPlot::RecordColor;
      bars += plot.Pixel(x, y) == Ufrm_tj::TPlot::BarColor;
      empty += none.Pixel(x, y) == Ufrm_tj::TPlot::BarColor;
    }
  EXPECT_GT(record, 20);
  EXPECT_GT(bars, 20);
  EXPECT_EQ(empty, 0);

  const std::string kept = ReadFileBytes("stats.txt");
  const struct {
    const char* name;
    std::function<void(TForm*)> answer;
    bool cleared;
  } cases[] = {
      {"no", [](TForm* f) { tt::Click(static_cast<Ufrm_tj::Tfrm_ask*>(f)->No); }, false},
      {"Escape", [](TForm* f) { tt::TypeAtWindow(f, "\x1b"); }, false},
      {"yes", [](TForm* f) { tt::Click(static_cast<Ufrm_tj::Tfrm_ask*>(f)->Yes); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tt::OnNextModal(c.answer);
    tt::Click(window->Button1);
    std::string why;
    EXPECT_EQ(Stats::Read(&why)[1].Finished, c.cleared ? 0 : 2);
    EXPECT_EQ(window->Lines[1]->Caption(), c.cleared ? Stats::Spoken(2, {}) : said);
  }
}
