// Difficulty rating: the puzzle solved step by step by the logic solver, graded by its hardest step.
#pragma once
#include <optional>
#include <string_view>

#include "engine/Solver.h"
#include "engine/Sudoku.h"

namespace velmora::Rating {

using Solver::Technique;
using Sudoku::Grid;

enum class Grade { Easy, Medium, Hard, VeryHard };

const char* GradeName(Grade g);
// Accepts "easy", "medium", "hard", "very-hard" / "veryhard" / "very_hard".
std::optional<Grade> ParseGrade(std::string_view name);
// Easy: singles; medium: locked candidates and pairs; hard: up to the wings; very hard: chains.
Grade GradeOf(Technique hardest);

struct Rating {
  Grade grade = Grade::Easy;
  Technique hardest = Technique::NakedSingle;
  int steps = 0;  // logic steps taken, placements and eliminations
  int score = 0;  // sum of the weights of every step; orders puzzles within a grade
};

// Orders by grade, then hardest technique, then score.
bool EasierThan(const Rating& a, const Rating& b);

// Rates a puzzle that has exactly one solution; throws std::invalid_argument otherwise. Each step is checked
// against the solution: a step that loses it is a fault of the solver and throws std::logic_error.
Rating Rate(const Grid& puzzle);

// The hardest technique the logic solver takes, trying none harder than `upTo`, to solve the puzzle; empty
// when those techniques leave it unsolved.
std::optional<Technique> HardestNeeded(const Grid& puzzle, Technique upTo);

// Solves by logic alone with the techniques up to `upTo`; true when every cell gets filled.
// The reached grid (possibly incomplete) goes to *reached.
bool SolveWithLogic(const Grid& puzzle, Technique upTo, Grid* reached = nullptr);

}  // namespace velmora::Rating
