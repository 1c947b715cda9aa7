// The player's choices kept across starts: a small text file in the game folder.
#pragma once
#include <string>

namespace velmora::Settings {

inline const char* const FileName = "settings.txt";

// 同数高亮: the focused digit everywhere (on by default); 自动清除候选: a placed digit leaves the marks of
// its row, column and box (off by default, so that the board behaves as it always has).
struct TSettings {
  bool SameDigit = true;
  bool ClearMarks = false;
};

// The file is one "name=1" or "name=0" line a choice, code page 936 with CR LF. Reading never fails: a
// missing, unreadable, oversized or damaged file, or a line that is not one of these, leaves those
// choices at their defaults (the next write puts them right).
TSettings Read();

// Writes every choice, crash-safe. Raises the file errors.
void Write(const TSettings& settings);

}  // namespace velmora::Settings
