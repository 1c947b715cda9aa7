// Difficulty rating: solve as a person would, with techniques from easy to hard, and grade by the hardest.
#pragma once
#include <optional>
#include <string_view>

#include "engine/Sudoku.h"

namespace velmora::Rating {

using Sudoku::Grid;

// From easiest to hardest; the order is the order the logic solver tries them in.
enum class Technique {
  None,
  HiddenSingle,
  NakedSingle,
  LockedCandidates,
  NakedPair,
  HiddenPair,
  NakedTriple,
  HiddenTriple,
  XWing,
  XYWing,
  NakedQuad,
  HiddenQuad,
  Swordfish,
  Guess,  // the logic stalled and a cell had to be given
};

enum class Grade { Easy, Medium, Hard, VeryHard };

const char* TechniqueName(Technique t);
const char* GradeName(Grade g);
// Accepts "easy", "medium", "hard", "very-hard" / "veryhard" / "very_hard".
std::optional<Grade> ParseGrade(std::string_view name);
Grade GradeOf(Technique hardest);

struct Rating {
  Grade grade = Grade::Easy;
  Technique hardest = Technique::None;
  int steps = 0;    // logic steps taken, placements and eliminations
  int guesses = 0;  // cells given because no technique applied
  int score = 0;    // sum of the weights of every step; orders puzzles within a grade
  Grid solved{};    // the grid the logic reached; equals the solution unless a technique is unsound
};

// Orders by grade, then guesses, then hardest technique, then score.
bool EasierThan(const Rating& a, const Rating& b);

// Rates a puzzle that has exactly one solution; throws std::invalid_argument otherwise.
Rating Rate(const Grid& puzzle);

// Solves by logic alone with the techniques up to `upTo`; true when every cell gets filled.
// The reached grid (possibly incomplete) goes to *reached.
bool SolveWithLogic(const Grid& puzzle, Technique upTo, Grid* reached = nullptr);

}  // namespace velmora::Rating
