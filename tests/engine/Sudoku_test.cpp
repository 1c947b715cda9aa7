// The exact solution counter and the rater that solves as a person would.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/Rating.h"
#include "tests/engine/Puzzles.h"

using namespace velmora::Sudoku;
using namespace velmora::Rating;
using velmora::Solver::EnglishName;
using namespace velmora::testpuzzles;

TEST(OneLineForm, ReadsDotsAndZerosAndRejectsOtherText) {
  Grid g;
  ASSERT_TRUE(ParseLine("  " + std::string(kWikipedia).replace(2, 1, ".") + " \r", g));
  EXPECT_EQ(FormatLine(g), kWikipedia);
  EXPECT_EQ(ClueCount(g), 30);
  std::string why;
  EXPECT_FALSE(ParseLine(std::string(kWikipedia).substr(1), g, &why));
  EXPECT_NE(why.find("80"), std::string::npos) << why;
  EXPECT_FALSE(ParseLine(std::string(kWikipedia).replace(40, 1, "x"), g, &why));
  EXPECT_NE(why.find("41"), std::string::npos) << why;
}

TEST(Solver, FindsTheOneSolutionOfASeventeenCluePuzzle) {
  Grid puzzle = P(kRoyle17), solution{};
  EXPECT_EQ(ClueCount(puzzle), 17);
  EXPECT_EQ(CountSolutions(puzzle, 10, &solution), 1);
  EXPECT_TRUE(SolvesPuzzle(solution, puzzle));
  EXPECT_TRUE(HasUniqueSolution(solution));
}

TEST(Solver, CountsTwoSolutionsAndStopsAtTheLimit) {
  Grid puzzle = P(kTwoSolutions), first{};
  EXPECT_EQ(CountSolutions(puzzle, 10, &first), 2);
  EXPECT_EQ(CountSolutions(puzzle, 2), 2);
  EXPECT_EQ(CountSolutions(puzzle, 1), 1);
  EXPECT_FALSE(HasUniqueSolution(puzzle));
  EXPECT_TRUE(SolvesPuzzle(first, puzzle));
  EXPECT_EQ(CountSolutions(Grid{}, 2), 2);
}

TEST(Solver, ClashingCluesAndADeadCellHaveNoSolution) {
  Grid row = P(kWikipedia);
  row[2] = 5;
  EXPECT_EQ(FindConflict(row), "two 5s in row 1");
  EXPECT_EQ(CountSolutions(row, 2), 0);
  Grid col{}, box{};
  col[4] = col[76] = 7;
  box[0] = box[20] = 3;
  EXPECT_EQ(FindConflict(col), "two 7s in column 5");
  EXPECT_EQ(FindConflict(box), "two 3s in box 1");
  EXPECT_EQ(FindConflict(P(kWikipedia)), "");
  // Row 1 holds 1..8 and the 9 sits below its last cell: no clue clashes, yet that cell is dead.
  Grid dead = P("123456780000000009000000000000000000000000000000000000000000000000000000000000000");
  EXPECT_EQ(FindConflict(dead), "");
  EXPECT_EQ(CountSolutions(dead, 2), 0);
}

TEST(Solver, RandomGridsAreValidAndFollowTheSeed) {
  std::mt19937 a(5), b(5), c(6);
  Grid ga = RandomSolvedGrid(a);
  EXPECT_TRUE(SolvesPuzzle(ga, Grid{}));
  EXPECT_EQ(ga, RandomSolvedGrid(b));
  EXPECT_NE(ga, RandomSolvedGrid(c));
  int seen[9] = {};
  for (int i = 0; i < 9000; ++i) ++seen[RandomBelow(a, 9)];
  for (int n : seen) EXPECT_GT(n, 800);
}

TEST(Rating, GradesAKnownEasyAndAKnownVeryHardPuzzleInOrder) {
  Rating easy = Rate(P(kWikipedia)), hard = Rate(P(kInkala));
  EXPECT_EQ(easy.grade, Grade::Easy);
  EXPECT_EQ(hard.grade, Grade::VeryHard);
  EXPECT_TRUE(EasierThan(easy, hard));
  EXPECT_FALSE(EasierThan(hard, easy));
  EXPECT_TRUE(SolveWithLogic(P(kWikipedia), Technique::HiddenSingle));
  EXPECT_FALSE(SolveWithLogic(P(kInkala), Technique::Swordfish));
}

TEST(Rating, RefusesPuzzlesWithoutExactlyOneSolution) {
  EXPECT_THROW(Rate(P(kTwoSolutions)), std::invalid_argument);
  Grid clash = P(kWikipedia);
  clash[2] = 5;
  EXPECT_THROW(Rate(clash), std::invalid_argument);
}

TEST(Rating, EachTechniqueIsFoundWhereItIsNeeded) {
  auto needs = std::vector(std::begin(kNeeds), std::end(kNeeds));
  needs.push_back({Technique::AlternatingChain, velmora::testpuzzles::kNeedsAlternatingChain});
  for (const auto& c : needs) {
    SCOPED_TRACE(EnglishName(c.technique));
    Grid puzzle = P(c.puzzle), solution{}, reached{};
    ASSERT_EQ(CountSolutions(puzzle, 2, &solution), 1);
    EXPECT_TRUE(SolveWithLogic(puzzle, c.technique, &reached));
    EXPECT_EQ(reached, solution);
    EXPECT_FALSE(SolveWithLogic(puzzle, static_cast<Technique>(static_cast<int>(c.technique) - 1)));
    Rating r = Rate(puzzle);
    EXPECT_EQ(r.hardest, c.technique);
    EXPECT_EQ(r.grade, GradeOf(c.technique));
  }
  EXPECT_EQ(GradeOf(Technique::HiddenPair), Grade::Medium);
  EXPECT_EQ(GradeOf(Technique::XWing), Grade::Hard);
  EXPECT_EQ(GradeOf(Technique::XChain), Grade::VeryHard);
}

// Rows and columns play the same part, so a puzzle mirrored on its diagonal needs the same.
TEST(Rating, AMirroredPuzzleNeedsTheSameTechnique) {
  for (const auto& c : kNeeds) {
    SCOPED_TRACE(EnglishName(c.technique));
    Grid puzzle = P(c.puzzle), mirrored{};
    for (int r = 0; r < 9; ++r)
      for (int col = 0; col < 9; ++col) mirrored[col * 9 + r] = puzzle[r * 9 + col];
    EXPECT_EQ(Rate(mirrored).hardest, c.technique);
  }
}

// The puzzles that once needed guessing are solved by named steps alone, and rank by their hardest step.
TEST(Rating, TheHardestPuzzlesNeedChainsNotGuesses) {
  Rating one = Rate(P(kOneGuess)), many = Rate(P(kInkala));
  EXPECT_EQ(one.grade, Grade::VeryHard);
  EXPECT_EQ(many.grade, Grade::VeryHard);
  EXPECT_GE(one.hardest, Technique::SimpleColouring);
  EXPECT_EQ(many.hardest, Technique::ForcingChain);
  EXPECT_FALSE(EasierThan(many, one));
}

namespace {

// Whether digit d may stand in the cell: no other cell of its row, column or box holds it.
bool Allowed(const Grid& g, int cell, int d) {
  for (int other = 0; other < 81; ++other)
    if (other != cell && g[other] == d &&
        (RowOf(other) == RowOf(cell) || ColOf(other) == ColOf(cell) || BoxOf(other) == BoxOf(cell)))
      return false;
  return true;
}

// The plainest counter there is: the first empty cell in reading order, each digit its row, column and box
// allow, up to the limit.
int PlainCount(Grid& g, int limit) {
  int cell = 0;
  while (cell < 81 && g[cell]) ++cell;
  if (cell == 81) return 1;
  int found = 0;
  for (int d = 1; d <= 9 && found < limit; ++d) {
    if (!Allowed(g, cell, d)) continue;
    g[cell] = static_cast<std::uint8_t>(d);
    found += PlainCount(g, limit - found);
    g[cell] = 0;
  }
  return found;
}

int PlainCountOfClues(Grid g, int limit) {
  for (int cell = 0; cell < 81; ++cell)
    if (g[cell] && !Allowed(g, cell, g[cell])) return 0;
  return PlainCount(g, limit);
}

}  // namespace

// Random puzzles from one clue short of solved to well past ambiguous, some with a clashing clue: the
// fast counter and the plain one agree on every one, up to a limit of three.
TEST(Solver, AgreesWithAPlainCounterOnRandomPuzzles) {
  std::mt19937 rng(77);
  int seen[4] = {};
  for (int i = 0; i < 300; ++i) {
    Grid puzzle = RandomSolvedGrid(rng);
    int cells[81];
    for (int c = 0; c < 81; ++c) cells[c] = c;
    Shuffle(cells, cells + 81, rng);
    const int open = 1 + RandomBelow(rng, 58);
    for (int k = 0; k < open; ++k) puzzle[cells[k]] = 0;
    if (i % 10 == 0) puzzle[cells[0]] = puzzle[cells[80]] == 9 ? 1 : puzzle[cells[80]] + 1;  // may clash
    const int plain = PlainCountOfClues(puzzle, 3);
    ASSERT_EQ(CountSolutions(puzzle, 3), plain) << FormatLine(puzzle);
    ++seen[plain];
  }
  // The sample reaches every answer, so the agreement means something for each.
  for (int n : seen) EXPECT_GT(n, 0);
}
