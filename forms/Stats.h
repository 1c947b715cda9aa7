// The statistics file "stats.txt": for each level the games started, finished and finished without a
// hint, the best time ever, and the times of the last finished games. A file of its own: the record
// file is never read or written here.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmora::Stats {

inline const char* const FileName = "stats.txt";
constexpr std::size_t Kept = 50;    // times kept for a level: the plot's
constexpr std::size_t Recent = 20;  // the best and the mean are of the last 20 finished games

struct TLevel {
  long long Started = 0;
  long long Finished = 0;
  long long NoHint = 0;                // finished without a hint
  long long Record = -1;               // the best time ever, in seconds; -1 none
  std::vector<long long> Times;        // seconds of the last Kept finished games, oldest first
  // Of the last Recent finished games: the best time (-1 none), and the mean, rounded to a second.
  long long Best() const;
  long long Mean() const;
  // The number of the finished game whose time is Times[i], counting from 1.
  long long GameNumber(std::size_t i) const { return Finished - static_cast<long long>(Times.size()) + 1 + i; }
};

// Levels 1..4 (初级 .. 骨灰级) at [level - 1]. A game of the collection counts under 中级.
using TStats = std::array<TLevel, 4>;

// The level names as the file and the window show them.
extern const char* const LevelNames[5];  // [0] empty

// The file's text: a version line, then one line a level, "初级 12 8 5 95 120 95 …": its name, the three
// counts, the record ("-" for none) and the kept times. Code page 936, CR LF.
std::string Format(const TStats& stats);
// The text read back; nothing when it is no statistics file of this version, or anything in it is out of
// place (a count too big or negative, more times than games, a record slower than a kept time), with
// *why saying what.
std::optional<TStats> Parse(const std::string& bytes, std::string* why);

// The statistics in the file: none when there is no file. A damaged file gives none too, with *why
// saying what; the caller moves it aside.
TStats Read(std::string* why);
// Moves a damaged file aside ("stats.txt.damaged-1"), keeping every byte; returns that name, or "".
std::string MoveAside();

// Under the file's lock, shared by every copy of the game in the folder: the file read, changed and
// written crash-safe. A damaged file is moved aside first, and the counting starts afresh. Raise the
// file errors of the write.
void CountStart(int level);
void CountFinish(int level, long long seconds, bool hinted);
void Clear();

// Counts that wait to be written: a game counts its moments as they come, and writes them all at once
// a moment later (with the game in play), so that no deal or completion waits for a disk. Levels other
// than 1..4 are not counted.
class TCounts {
 public:
  void Start(int level);
  void Finish(int level, long long seconds, bool hinted);
  bool Empty() const { return FWaiting.empty(); }
  // All of them into the file in one change (see above); kept for the next try when the write fails.
  void Write();

 private:
  struct TCount {
    int Level;
    bool Finished;
    long long Seconds;
    bool Hinted;
  };
  std::vector<TCount> FWaiting;
};

// What a screen reader hears of a level: "初级：开始12局，完成8局，未用提示完成5局，最近20局最好95秒，平均120秒".
std::string Spoken(int level, const TLevel& figures);

}  // namespace velmora::Stats
