// The rating walks the logic solver's steps from the puzzle to its solution.
#include "engine/Rating.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace velmora::Rating {

namespace {

// What a step of each technique adds to a puzzle's score, from the easiest to the hardest.
int Weight(Technique t) {
  static const int weights[Solver::kTechniqueCount] = {1,  2,  6,  6,  10, 12, 16, 20, 24, 28,
                                                        26, 36, 44, 30, 34, 50, 60, 70, 80, 100};
  return weights[static_cast<int>(t)];
}

}  // namespace

const char* GradeName(Grade g) {
  static const char* names[] = {"easy", "medium", "hard", "very hard"};
  return names[static_cast<int>(g)];
}

std::optional<Grade> ParseGrade(std::string_view name) {
  if (name == "easy") return Grade::Easy;
  if (name == "medium") return Grade::Medium;
  if (name == "hard") return Grade::Hard;
  if (name == "very-hard" || name == "veryhard" || name == "very_hard") return Grade::VeryHard;
  return std::nullopt;
}

Grade GradeOf(Technique hardest) {
  if (hardest <= Technique::HiddenSingle) return Grade::Easy;
  if (hardest <= Technique::HiddenPair) return Grade::Medium;
  if (hardest <= Technique::XYZWing) return Grade::Hard;
  return Grade::VeryHard;
}

bool EasierThan(const Rating& a, const Rating& b) {
  if (a.grade != b.grade) return a.grade < b.grade;
  if (a.hardest != b.hardest) return a.hardest < b.hardest;
  return a.score < b.score;
}

Rating Rate(const Grid& puzzle) {
  Grid solution;
  if (Sudoku::CountSolutions(puzzle, 2, &solution) != 1) throw std::invalid_argument("puzzle has no single solution");
  Solver::Position position = Solver::Position::FromDigits(puzzle);
  Rating r;
  while (!position.Solved()) {
    const auto step = Solver::NextStep(position);
    if (!step) throw std::logic_error("rating: no step found in " + Sudoku::FormatLine(position.values));
    bool sound = step->placeCell < 0 || solution[step->placeCell] == step->placeDigit;
    for (const Solver::Removal& x : step->removals) sound &= solution[x.cell] != x.digit;
    if (!sound)
      throw std::logic_error(std::string("rating: ") + Solver::EnglishName(step->technique) + " lost the solution of " +
                             Sudoku::FormatLine(puzzle));
    Solver::Apply(position, *step);
    ++r.steps;
    r.score += Weight(step->technique);
    if (step->technique > r.hardest) r.hardest = step->technique;
  }
  r.grade = GradeOf(r.hardest);
  return r;
}

std::optional<Technique> HardestNeeded(const Grid& puzzle, Technique upTo) {
  Solver::Position position = Solver::Position::FromDigits(puzzle);
  Technique hardest = Technique::NakedSingle;
  while (const auto step = Solver::NextStep(position, upTo)) {
    hardest = std::max(hardest, step->technique);
    Solver::Apply(position, *step);
  }
  if (!position.Solved()) return std::nullopt;
  return hardest;
}

bool SolveWithLogic(const Grid& puzzle, Technique upTo, Grid* reached) {
  Solver::Position position = Solver::Position::FromDigits(puzzle);
  while (const auto step = Solver::NextStep(position, upTo)) Solver::Apply(position, *step);
  if (reached) *reached = position.values;
  return position.Solved();
}

}  // namespace velmora::Rating
