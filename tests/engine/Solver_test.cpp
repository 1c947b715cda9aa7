// The logic solver: every step sound, every puzzle of one solution solved by named steps alone.
#include "engine/Solver.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/Explain.h"
#include "engine/QJ.h"
#include "tests/engine/Puzzles.h"
#include "toolkit/Random.h"

using namespace velmora::Solver;
using velmora::testpuzzles::P;

namespace {

// Walks the steps from the puzzle to its solution, checking each against the solution: a placement puts
// the solution's digit, a removal never takes it. Fails when a step is unsound or none is found.
::testing::AssertionResult SolvesSoundly(const Grid& puzzle, int* hardest = nullptr) {
  Grid solution{};
  if (velmora::Sudoku::CountSolutions(puzzle, 2, &solution) != 1) return ::testing::AssertionFailure() << "not unique";
  Position p = Position::FromDigits(puzzle);
  while (!p.Solved()) {
    const auto step = NextStep(p);
    if (!step) return ::testing::AssertionFailure() << "no step at " << velmora::Sudoku::FormatLine(p.values);
    if (step->placeCell >= 0 && solution[step->placeCell] != step->placeDigit)
      return ::testing::AssertionFailure() << EnglishName(step->technique) << " placed a wrong digit";
    for (const Removal& r : step->removals)
      if (solution[r.cell] == r.digit)
        return ::testing::AssertionFailure() << EnglishName(step->technique) << " removed the solution at " << r.cell
                                             << " in " << velmora::Sudoku::FormatLine(puzzle) << ": "
                                             << velmora::Explain::Reason(*step);
    if (step->placeCell < 0 && step->removals.empty()) return ::testing::AssertionFailure() << "an empty step";
    if (hardest) *hardest = std::max(*hardest, static_cast<int>(step->technique));
    Apply(p, *step);
  }
  return p.values == solution ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "wrong grid";
}

}  // namespace

TEST(NextStep, SolvesEveryLevelsDealsByNamedStepsAlone) {
#ifdef __SANITIZE_ADDRESS__
  const int deals = 40;  // the sanitizers make each deal some ten times slower
#else
  const int deals = 500;
#endif
  toolkit::RandSeed = 0;
  velmora::QJ::TQJ qj(nullptr);
  for (int level = 1; level <= 4; ++level)
    for (int game = 0; game < deals; ++game) {
      qj.Generate(level);
      Grid puzzle{};
      for (const auto* n : qj.Nodes)
        if (n->Given) puzzle[(n->Row - 1) * 9 + n->Col - 1] = static_cast<std::uint8_t>(n->Value);
      int hardest = 0;
      ASSERT_TRUE(SolvesSoundly(puzzle, &hardest)) << "level " << level << " game " << game;
      EXPECT_EQ(hardest > static_cast<int>(Technique::HiddenSingle), level == 4);
    }
}

TEST(NextStep, SolvesTheKnownHardPuzzlesByNamedStepsAlone) {
  using namespace velmora::testpuzzles;
  for (const char* line : {kRoyle17, kWikipedia, kInkala, kOneGuess}) EXPECT_TRUE(SolvesSoundly(P(line))) << line;
  for (const auto& c : kNeeds) EXPECT_TRUE(SolvesSoundly(P(c.puzzle))) << c.puzzle;
}
