// Makes new puzzles with exactly one solution, reproducibly from a seed, optionally of one grade.
#pragma once
#include <optional>
#include <random>

#include "engine/Rating.h"
#include "engine/Sudoku.h"

namespace tkmaker {

// The engine's grids, solver and rater, by their short names.
using namespace velmora::Sudoku;
using namespace velmora::Rating;

struct GenerateOptions {
  std::optional<Grade> grade;  // any grade when empty
  bool symmetric = false;      // clues placed with 180-degree rotational symmetry
  int maxTries = 20000;        // puzzles made and thrown away before giving up on a grade
};

struct Generated {
  Grid puzzle{};
  Grid solution{};
  Rating rating;
  int tries = 0;  // puzzles made to find this one
};

// Removes clues from a solved grid, in an order drawn from rng, while the solution stays unique.
// Every clue left is needed: taking any one more away (or, when symmetric, its pair) would allow
// a second solution.
Grid RemoveClues(const Grid& solution, std::mt19937& rng, bool symmetric);

// A new puzzle; empty when no puzzle of the wanted grade came up within maxTries.
std::optional<Generated> Generate(std::mt19937& rng, const GenerateOptions& options);

}  // namespace tkmaker
