// The statistics file: its lines, its checks and the counting under its lock.
#include "forms/Stats.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "toolkit/Classes.h"
#include "toolkit/SafeWrite.h"
#include "toolkit/SysUtils.h"

namespace velmora::Stats {

using namespace toolkit;

const char* const LevelNames[5] = {"", "初级", "中级", "高级", "骨灰级"};

namespace {

const char* const Version = "Velmora 统计 1";
// Far beyond what a lifetime of games gives: a bigger count is no count of ours.
constexpr long long Most = 999999999999LL;
// Four lines of at most Kept times and a few counts: a file much bigger than this is not ours.
constexpr std::size_t Limit = 16384;

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t end = line.find(' ', at);
    words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return words;
}

// A whole number 0..Most written plainly; -1 for anything else.
long long Number(const std::string& word) {
  if (word.empty() || word.size() > 12) return -1;
  long long n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

long long TLevel::Best() const {
  const std::size_t from = Times.size() > Recent ? Times.size() - Recent : 0;
  if (from == Times.size()) return -1;
  return *std::min_element(Times.begin() + static_cast<long>(from), Times.end());
}

long long TLevel::Mean() const {
  const std::size_t from = Times.size() > Recent ? Times.size() - Recent : 0;
  const long long n = static_cast<long long>(Times.size() - from);
  if (n == 0) return 0;
  long long sum = 0;
  for (std::size_t i = from; i < Times.size(); ++i) sum += Times[i];
  return (sum + n / 2) / n;
}

std::string Format(const TStats& stats) {
  std::string text = std::string(Version) + "\r\n";
  for (int l = 1; l <= 4; ++l) {
    const TLevel& f = stats[l - 1];
    text += std::string(LevelNames[l]) + " " + std::to_string(f.Started) + " " + std::to_string(f.Finished) + " " +
            std::to_string(f.NoHint) + " " + (f.Record < 0 ? "-" : std::to_string(f.Record));
    for (long long t : f.Times) text += " " + std::to_string(t);
    text += "\r\n";
  }
  return Utf8ToAnsi(text);
}

std::optional<TStats> Parse(const std::string& bytes, std::string* why) {
  auto damaged = [why](const std::string& reason) {
    *why = reason;
    return std::nullopt;
  };
  TStringList lines;
  lines.set_Text(AnsiToUtf8(bytes));
  // The write ends the last line too, which leaves one empty line after it.
  const bool ended = lines.Count() == 6 && lines.Get(5).empty();
  if (lines.Count() < 5 || (lines.Count() != 5 && !ended)) return damaged("it does not have one line a level");
  if (lines.Get(0) != Version) return damaged("it is from another version, or no statistics file");
  TStats stats;
  for (int l = 1; l <= 4; ++l) {
    const std::vector<std::string> w = Words(lines.Get(l));
    const std::string where = std::string("line ") + std::to_string(l + 1);
    if (w.size() < 5 || w[0] != LevelNames[l]) return damaged(where + " is not its level's");
    TLevel& f = stats[l - 1];
    f.Started = Number(w[1]);
    f.Finished = Number(w[2]);
    f.NoHint = Number(w[3]);
    f.Record = w[4] == "-" ? -1 : Number(w[4]);
    if (f.Started < 0 || f.Finished < 0 || f.NoHint < 0 || (f.Record < 0 && w[4] != "-"))
      return damaged(where + " holds a count that is no count");
    if (f.NoHint > f.Finished) return damaged(where + " has more games without a hint than finished");
    if (w.size() - 5 > Kept || static_cast<long long>(w.size() - 5) > f.Finished)
      return damaged(where + " has more times than finished games");
    for (std::size_t i = 5; i < w.size(); ++i) {
      const long long t = Number(w[i]);
      if (t < 0) return damaged(where + " holds a time that is no time");
      if (f.Record < 0 || t < f.Record) return damaged(where + " holds a time better than its record");
      f.Times.push_back(t);
    }
  }
  return stats;
}

namespace {
// The file's bytes as read (nothing when there is no file) and the statistics in them.
TStats Load(std::optional<std::string>& seen, std::string* why) {
  why->clear();
  seen.reset();
  std::error_code ec;  // a link to nowhere, or a folder, is there too: read, it fails and goes aside
  if (!std::filesystem::exists(std::filesystem::symlink_status(FileName, ec))) return {};
  std::optional<TStats> stats;
  try {
    seen = ReadFileBytes(FileName, Limit);
    stats = Parse(*seen, why);
  } catch (const Exception& e) {
    *why = e.Message;
  }
  return stats ? *stats : TStats{};
}
}  // namespace

TStats Read(std::string* why) {
  std::optional<std::string> seen;
  return Load(seen, why);
}

std::string MoveAside() { return toolkit::MoveAside(FileName); }

namespace {

// Read, change and write under the lock. Where the lock cannot be had, the file is read again just
// before the write, and the change made again on what another copy wrote meanwhile.
void Change(const std::function<void(TStats&)>& change) {
  TFileLock lock(FileName);
  for (int attempt = 0;; ++attempt) {
    std::optional<std::string> seen;
    std::string why;
    TStats stats = Load(seen, &why);
    if (!why.empty()) {
      const std::string aside = MoveAside();
      std::fprintf(stderr, "velmora: the statistics in \"%s\" are damaged (%s); %s\n", FileName, why.c_str(),
                   aside.empty() ? "they stay as they are, and nothing is counted" : ("they are now \"" + aside + "\"").c_str());
      if (aside.empty()) return;
      seen.reset();
    }
    change(stats);
    if (!lock.Unchanged(seen) && attempt < 3) continue;
    WriteFileBytes(FileName, Format(stats));
    return;
  }
}

}  // namespace

namespace {
void AddFinish(TLevel& f, long long seconds, bool hinted) {
  seconds = std::clamp(seconds, 0LL, Most);
  f.Finished = std::min(f.Finished + 1, Most);
  if (!hinted) f.NoHint = std::min(f.NoHint + 1, Most);
  if (f.Record < 0 || seconds < f.Record) f.Record = seconds;
  f.Times.push_back(seconds);
  if (f.Times.size() > Kept) f.Times.erase(f.Times.begin());
}
}  // namespace

void CountStart(int level) {
  if (level < 1 || level > 4) return;
  Change([level](TStats& s) { s[level - 1].Started = std::min(s[level - 1].Started + 1, Most); });
}

void CountFinish(int level, long long seconds, bool hinted) {
  if (level < 1 || level > 4) return;
  Change([=](TStats& s) { AddFinish(s[level - 1], seconds, hinted); });
}

void TCounts::Start(int level) {
  if (level >= 1 && level <= 4) FWaiting.push_back({level, false, 0, false});
}

void TCounts::Finish(int level, long long seconds, bool hinted) {
  if (level >= 1 && level <= 4) FWaiting.push_back({level, true, seconds, hinted});
}

void TCounts::Write() {
  if (FWaiting.empty()) return;
  Change([this](TStats& s) {
    for (const TCount& c : FWaiting) {
      TLevel& f = s[c.Level - 1];
      if (c.Finished)
        AddFinish(f, c.Seconds, c.Hinted);
      else
        f.Started = std::min(f.Started + 1, Most);
    }
  });
  FWaiting.clear();
}

void Clear() {
  Change([](TStats& s) { s = TStats{}; });
}

std::string Spoken(int level, const TLevel& f) {
  std::string said = std::string(LevelNames[level]) + "：开始" + std::to_string(f.Started) + "局，完成" +
                     std::to_string(f.Finished) + "局，未用提示完成" + std::to_string(f.NoHint) + "局";
  if (f.Times.empty()) return said + "，还没有用时";
  const std::size_t n = std::min(f.Times.size(), Recent);
  return said + "，最近" + std::to_string(n) + "局最好" + std::to_string(f.Best()) + "秒，平均" +
         std::to_string(f.Mean()) + "秒";
}

}  // namespace velmora::Stats
