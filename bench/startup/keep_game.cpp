// Writes a game in play into the current folder, as the game keeps it, for timing a start that brings
// one back: a random solved grid with every other cell a clue and pencil marks in some open cells.
#include <random>

#include "engine/Sudoku.h"
#include "forms/KeptGame.h"

int main() {
  std::mt19937 rng(7);
  const velmora::Sudoku::Grid solved = velmora::Sudoku::RandomSolvedGrid(rng);
  velmora::KeptGame::TGame game;
  for (int k = 0; k < 81; ++k) {
    game.Given[k] = k % 2 == 0;
    const char digit = static_cast<char>('0' + solved[k]);
    game.Texts[k] = game.Given[k] ? std::string(1, digit) : k % 3 == 0 ? std::string("19") + digit : "";
  }
  game.Level = 2;
  game.MS = 61000;
  velmora::KeptGame::Write(game);
  return 0;
}
