// The game in play, kept in the game folder while it is played, so that the next start brings it back
// after a close, a logout or a crash.
#pragma once
#include <array>
#include <optional>
#include <string>

namespace velmora::KeptGame {

inline const char* const FileName = "game in play.txt";

struct TGame {
  std::array<bool, 81> Given{};       // row by row
  std::array<std::string, 81> Texts;  // every cell's text, a clue's digit included
  int Level = 0;                      // the board's level, 0..4
  long long MS = 0;                   // the elapsed time
  bool Recorded = true;               // the game still takes part in a record
};

// The file: the saved game's 81 lines (so that it can be opened as a saved game, or read as text), then
// a version line, the level, the elapsed milliseconds, "1" or "0" for the record, and a check line over
// all of those, which tells a damaged or hand-edited file. Written crash-safe: the old file stays whole
// until the new one is complete. Raises the file errors.
void Write(const TGame& game);

// The kept game. Nothing when there is none, or when the file is damaged, truncated, from another
// version or edited by hand; then *why says which (empty when there is simply none).
std::optional<TGame> Read(std::string* why);

// Moves a damaged file aside under a name that says so ("game in play.txt.damaged-1"), keeping every byte,
// and returns that name; empty when it could not.
std::string MoveAside();

// Forgets the kept game: the game was finished, or another began.
void Remove();

}  // namespace velmora::KeptGame
