// The game in play, kept in the game folder while it is played, so that the next start brings it back
// after a close, a logout, the display's end or a crash.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/SafeWrite.h"

namespace velmora::KeptGame {

inline const char* const FileName = "game in play.txt";

struct TGame {
  std::array<bool, 81> Given{};       // row by row
  std::array<std::string, 81> Texts;  // every cell's text, a clue's text included
  int Level = 0;                      // the board's level, 0..4
  long long MS = 0;                   // the elapsed time
  bool Recorded = true;               // the game still takes part in a record
};

// The file: the saved game's 81 lines (so that it can be opened as a saved game, or read as text), then
// a version line, the level, the elapsed milliseconds, "1" or "0" for the record, the exact text of
// each cell whose line cannot give it back byte for byte (a lead byte whose character an edit cut, a
// kept byte beside a byte that completes it), and a check line over the file's bytes, which tells a
// damaged or hand-edited file. Written crash-safe and never through a link: the old file stays whole
// until the new one is complete, and whatever stood at the name is replaced. Raises the file errors.
toolkit::TWritten Write(const TGame& game);

// The elapsed time alone, without writing the board again: a small file beside the kept one
// (".game in play.txt.velmora-time") that names the kept file by its check, so that it only ever
// counts for the game last written or read. False, writing nothing, when there is no such game; raises
// the file errors.
bool WriteTime(long long ms);

// The kept game, with the later of its two times. Nothing when there is none, or when the file is
// damaged, truncated, from another version, edited by hand, or no regular file (a link, a folder, a
// pipe, a device, never followed); then *why says which (empty when there is simply none).
std::optional<TGame> Read(std::string* why);

// The check line that ends a file of these bytes ("check " and 16 hexadecimal digits).
std::string CheckLine(std::string_view bytes);

// Whether a clue's text is one the game can play: a whole number, as a saved game's clues are read.
bool IsClueText(const std::string& text);

// Moves whatever stands at the file's name aside, under a name that says so ("game in play.txt.damaged-1",
// the first one free), keeping every byte and never following a link, and returns that name; empty
// when it could not be moved, the file then left where and as it is.
std::string MoveAside();

// Forgets the kept game: the game was finished, or another began.
void Remove();

}  // namespace velmora::KeptGame
