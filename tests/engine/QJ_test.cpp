// The engine: its new state, the shuffle of the solved grid, the cut of a puzzle and the candidate list.
#include "engine/QJ.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "engine/Rating.h"
#include "engine/Sudoku.h"
#include "toolkit/Random.h"
#include "toolkit/SysUtils.h"

using velmora::QJ::TNode;
using velmora::QJ::TQJ;
using velmora::Sudoku::Grid;

namespace {

using Board = std::array<std::string, 9>;

const Board kBaseGrid = {
    "147258369",  //
    "258369147",  //
    "369147258",  //
    "471825936",  //
    "582936714",  //
    "693714825",  //
    "714582693",  //
    "825693471",  //
    "936471582",  //
};

Board SolutionOf(const TQJ& qj) {
  Board b;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) b[row - 1] += static_cast<char>('0' + qj.Solution(row, col));
  return b;
}

// Clue digits, "." for a cell that is not given.
Board CluesOf(const TQJ& qj) {
  Board b;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      const TNode& n = *qj.Nodes(row, col);
      b[row - 1] += n.Given ? static_cast<char>('0' + n.Value) : '.';
    }
  return b;
}

// The clues as the solver reads them, 0 for an open cell.
Grid PuzzleOf(const TQJ& qj) {
  Grid g{};
  for (const TNode* n : qj.Nodes)
    if (n->Given) g[(n->Row - 1) * 9 + n->Col - 1] = static_cast<std::uint8_t>(n->Value);
  return g;
}

// Whether the logic solver with the techniques up to `upTo` solves the puzzle in play.
bool SolvedBy(const TQJ& qj, velmora::Solver::Technique upTo) {
  return velmora::Rating::SolveWithLogic(PuzzleOf(qj), upTo);
}

// What each level means, read by the solver held to the level's techniques: beginner puzzles fall to naked
// singles, intermediate ones to singles; advanced ones fall to locked candidates and subsets but not to
// singles, expert ones to the fish, wings, colouring and chains short of a forcing chain but not to subsets.
bool FitsLevel(const TQJ& qj, int level) {
  using velmora::Solver::Technique;
  switch (level) {
    case 1: return SolvedBy(qj, Technique::NakedSingle);
    case 2: return SolvedBy(qj, Technique::HiddenSingle);
    case 3: return SolvedBy(qj, Technique::HiddenQuad) && !SolvedBy(qj, Technique::HiddenSingle);
    default: return SolvedBy(qj, Technique::AlternatingChain) && !SolvedBy(qj, Technique::HiddenQuad);
  }
}

// No clue can go without a second solution.
::testing::AssertionResult EveryClueIsNeeded(const Grid& puzzle) {
  for (int cell = 0; cell < 81; ++cell) {
    if (!puzzle[cell]) continue;
    Grid fewer = puzzle;
    fewer[cell] = 0;
    if (velmora::Sudoku::CountSolutions(fewer, 2) != 2) return ::testing::AssertionFailure() << "cell " << cell << " could go";
  }
  return ::testing::AssertionSuccess();
}

int OpenCells(const TQJ& qj) {
  int open = 0;
  for (const TNode* n : qj.Nodes) open += n->Given ? 0 : 1;
  return open;
}

// Digits become given clues; "." an open cell with Value 0.
void PutClues(TQJ& qj, const Board& b) {
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      TNode& n = *qj.Nodes(row, col);
      const char ch = b[row - 1][col - 1];
      n.Row = row;
      n.Col = col;
      n.Given = ch != '.';
      n.Value = n.Given ? ch - '0' : 0;
    }
}

::testing::AssertionResult IsSolvedGrid(const Board& b) {
  for (int i = 0; i < 9; ++i) {
    std::string row, col, box;
    for (int j = 0; j < 9; ++j) {
      row += b[i][j];
      col += b[j][i];
      box += b[3 * (i / 3) + j / 3][3 * (i % 3) + j % 3];
    }
    for (const std::string* unit : {&row, &col, &box})
      for (char d = '1'; d <= '9'; ++d)
        if (unit->find(d) == std::string::npos)
          return ::testing::AssertionFailure() << "unit " << i + 1 << " '" << *unit << "' lacks " << d;
  }
  return ::testing::AssertionSuccess();
}

// Where the generator's state stands after `draws` more draws from `seed`; a draw's step ignores its bound.
std::uint32_t After(std::uint32_t seed, int draws) {
  const std::uint32_t saved = toolkit::RandSeed;
  toolkit::RandSeed = seed;
  for (int i = 0; i < draws; ++i) toolkit::Random(1);
  const std::uint32_t result = toolkit::RandSeed;
  toolkit::RandSeed = saved;
  return result;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { toolkit::RandSeed = 0; }
  toolkit::TComponent owner{nullptr};
  TQJ* qj = new TQJ(&owner);
};

using NewEngine = EngineTest;
using Shuffle = EngineTest;
using Generate = EngineTest;
using Candidates = EngineTest;

TEST(Draws, FirstThreeBelowFourFromStateZeroAreZeroZeroThree) {
  toolkit::RandSeed = 0;
  EXPECT_EQ(toolkit::Random(4), 0);
  EXPECT_EQ(toolkit::Random(4), 0);
  EXPECT_EQ(toolkit::Random(4), 3);
}

TEST_F(NewEngine, IsAnInvisibleSmallPanelHoldingTheBaseGridAndBlankNodes) {
  EXPECT_EQ(qj->Width(), 35);
  EXPECT_EQ(qj->Height(), 35);
  EXPECT_FALSE(qj->Visible());
  EXPECT_EQ(SolutionOf(*qj), kBaseGrid);
  std::set<const TNode*> distinct;
  for (const TNode* n : qj->Nodes) {
    ASSERT_NE(n, nullptr);
    distinct.insert(n);
    EXPECT_EQ(n->Row, 0);
    EXPECT_EQ(n->Col, 0);
    EXPECT_EQ(n->Value, 0);
    EXPECT_FALSE(n->Given);
  }
  EXPECT_EQ(distinct.size(), 81u);
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST_F(Shuffle, EachStepExchangesTwoColumnsOfAStackTwoRowsOfABandOrTwoDigits) {
  std::set<std::string> seen;
  for (int step = 0; step < 2000; ++step) {
    const Board before = SolutionOf(*qj);
    qj->Shuffle(1);
    const Board after = SolutionOf(*qj);
    ASSERT_TRUE(IsSolvedGrid(after)) << "after step " << step;
    std::set<std::string> matches;
    for (int o = 0; o < 9; o += 3)
      for (int a = o; a < o + 3; ++a)
        for (int b = a + 1; b < o + 3; ++b) {
          Board cols = before, rows = before;
          for (int i = 0; i < 9; ++i) std::swap(cols[i][a], cols[i][b]);
          std::swap(rows[a], rows[b]);
          if (cols == after) matches.insert("columns " + std::to_string(a + 1) + std::to_string(b + 1));
          if (rows == after) matches.insert("rows " + std::to_string(a + 1) + std::to_string(b + 1));
        }
    for (char x = '1'; x <= '9'; ++x)
      for (char y = x + 1; y <= '9'; ++y) {
        Board digits = before;
        for (std::string& line : digits)
          for (char& ch : line) ch = ch == x ? y : ch == y ? x : ch;
        if (digits == after) matches.insert(std::string("digits ") + x + y);
      }
    ASSERT_EQ(matches.size(), 1u) << "step " << step << " is not one exchange";
    seen.insert(*matches.begin());
  }
  // 9 column pairs, 9 row pairs and all 36 digit pairs.
  EXPECT_EQ(seen.size(), 54u);
}

TEST_F(Shuffle, AnyNumberOfStepsKeepsAValidGrid) {
  for (int steps : {1, 2, 3, 10, 999, 1000, 5000}) {
    qj->Shuffle(steps);
    EXPECT_TRUE(IsSolvedGrid(SolutionOf(*qj))) << steps << " steps";
  }
  EXPECT_NE(SolutionOf(*qj), kBaseGrid);
}

TEST_F(Shuffle, ZeroOrNegativeStepsChangeNothingAndDrawNothing) {
  toolkit::RandSeed = 12345;
  qj->Shuffle(0);
  qj->Shuffle(-3);
  EXPECT_EQ(toolkit::RandSeed, 12345u);
  EXPECT_EQ(SolutionOf(*qj), kBaseGrid);
}

TEST_F(Shuffle, AStepDrawsKindAndTwoPositionsAndTwoDigitsOnlyForADigitExchange) {
  int exchanges = 0;
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    toolkit::RandSeed = seed;
    const bool exchange = toolkit::Random(7) == 6;
    exchanges += exchange;
    toolkit::RandSeed = seed;
    qj->Shuffle(1);
    EXPECT_EQ(toolkit::RandSeed, After(seed, exchange ? 5 : 3)) << "seed " << seed;
  }
  EXPECT_GT(exchanges, 0);
}

// Searches for a seed whose next step is a digit exchange with two equal digit draws.
std::pair<std::uint32_t, int> SeedOfEqualDigitDraws(bool nine) {
  for (std::uint32_t seed = 0;; ++seed) {
    toolkit::RandSeed = seed;
    const int kind = toolkit::Random(7) + 1;
    toolkit::Random(3);
    toolkit::Random(2);
    const int x = toolkit::Random(9) + 1;
    const int y = toolkit::Random(9) + 1;
    if (kind == 7 && x == y && (x == 9) == nine) return {seed, x};
  }
}

TEST_F(Shuffle, EqualDigitDrawsExchangeTheDigitWithTheNextNineWithOne) {
  for (bool nine : {false, true}) {
    const auto [seed, x] = SeedOfEqualDigitDraws(nine);
    const char from = static_cast<char>('0' + x);
    const char to = x == 9 ? '1' : static_cast<char>(from + 1);
    Board expected = SolutionOf(*qj);
    for (std::string& line : expected)
      for (char& ch : line) ch = ch == from ? to : ch == to ? from : ch;

    toolkit::RandSeed = seed;
    qj->Shuffle(1);
    EXPECT_EQ(SolutionOf(*qj), expected) << "equal draws of " << x << " from seed " << seed;
  }
}

TEST_F(Generate, FirstEasyGameOfARunIsTheWorkedExample) {
  qj->NewEasy();
  EXPECT_EQ(OpenCells(*qj), 37);
  // The same draws as a cut with no check of the solution, but the clues at (3,4) and (8,5) are needed
  // for one solution, so those draws pass over them and two later draws open (2,3) and (9,3) instead.
  const Board clues = {
      ".8..469.7",  //
      "64.3795..",  //
      "97328.6..",  //
      "825461379",  //
      "4...9..85",  //
      ".3....1.6",  //
      "16..37.5.",  //
      "....2....",  //
      "2...1479.",  //
  };
  const Board solution = {
      "582146937",  //
      "641379528",  //
      "973285614",  //
      "825461379",  //
      "416793285",  //
      "739852146",  //
      "164937852",  //
      "397528461",  //
      "258614793",  //
  };
  EXPECT_EQ(CluesOf(*qj), clues);
  EXPECT_EQ(SolutionOf(*qj), solution);
}

TEST_F(Generate, MakesEveryNodeItsCellOfTheSolvedGrid) {
  qj->NewHard();
  ASSERT_TRUE(IsSolvedGrid(SolutionOf(*qj)));
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      const TNode& n = *qj->Nodes(row, col);
      EXPECT_EQ(n.Row, row);
      EXPECT_EQ(n.Col, col);
      EXPECT_EQ(n.Value, qj->Solution(row, col)) << "open or not, a node keeps its solution digit";
    }
}

// A deal draws its count, then shuffles 1000 steps on from the grid before it; a game deals again
// until its puzzle fits its level, and keeps the first deal that does.
TEST_F(Generate, EachDealDrawsTheCountThenShufflesAThousandStepsOnFromThePreviousGrid) {
  TQJ deals(nullptr), steps(nullptr);
  int dealtAgain = 0;
  for (int level = 1; level <= 4; ++level)
    for (int game = 0; game < 5; ++game) {
      std::uint32_t start = toolkit::RandSeed;
      qj->Generate(level);
      const std::uint32_t next = toolkit::RandSeed;
      int dealt = 0;
      do {
        toolkit::RandSeed = After(start, 1);
        steps.Shuffle(1000);
        toolkit::RandSeed = start;
        deals.Deal(level);
        start = toolkit::RandSeed;
        ASSERT_EQ(SolutionOf(deals), SolutionOf(steps)) << "level " << level << " deal " << dealt;
        ++dealt;
      } while (!FitsLevel(deals, level));
      dealtAgain += dealt - 1;
      EXPECT_EQ(CluesOf(deals), CluesOf(*qj)) << "level " << level;
      EXPECT_EQ(start, next);
      toolkit::RandSeed = next;
    }
  EXPECT_GT(dealtAgain, 0);
}

// The count drawn is opened, unless the cut reaches a puzzle from which no clue can go: at the lower
// levels that never happens in practice, at the expert level it does.
TEST_F(Generate, ADealOpensItsDrawnCountOrStopsWhereEveryClueIsNeeded) {
  const std::pair<int, int> counts[] = {{37, 4}, {42, 6}, {49, 4}, {54, 7}};
  int stopped = 0;
  for (int level = 1; level <= 4; ++level)
    for (int game = 0; game < 50; ++game) {
      const std::uint32_t seed = toolkit::RandSeed;
      const int drawn = counts[level - 1].first + toolkit::Random(counts[level - 1].second);
      toolkit::RandSeed = seed;
      qj->Deal(level);
      if (level < 4 || OpenCells(*qj) == drawn) {
        ASSERT_EQ(OpenCells(*qj), drawn) << "level " << level << " from seed " << seed;
        continue;
      }
      ++stopped;
      ASSERT_LT(OpenCells(*qj), drawn);
      EXPECT_TRUE(EveryClueIsNeeded(PuzzleOf(*qj)));
    }
  EXPECT_GT(stopped, 0);
}

// Many deals of every level: one solution, the solved grid's digits as clues, the level's number of clues,
// and at the expert level a puzzle that singles alone do not solve.
TEST_F(Generate, EveryDealIsAProperPuzzleOfItsLevel) {
#ifdef __SANITIZE_ADDRESS__
  const int deals = 100;  // the sanitizers make each deal some ten times slower
#else
  const int deals = 500;
#endif
  struct Level {
    int level, fewestClues, mostClues;
  };
  const Level levels[] = {{1, 41, 44}, {2, 34, 39}, {3, 29, 32}, {4, 21, 27}};
  for (const Level& level : levels) {
    std::set<int> range, seen;
    for (int n = level.fewestClues; n <= level.mostClues; ++n) range.insert(n);
    for (int game = 0; game < deals; ++game) {
      const std::uint32_t seed = toolkit::RandSeed;
      qj->Generate(level.level);
      SCOPED_TRACE("level " + std::to_string(level.level) + " from seed " + std::to_string(seed));
      const Grid puzzle = PuzzleOf(*qj);
      Grid solution{};
      ASSERT_EQ(velmora::Sudoku::CountSolutions(puzzle, 2, &solution), 1);
      for (int row = 1; row <= 9; ++row)
        for (int col = 1; col <= 9; ++col) ASSERT_EQ(solution[(row - 1) * 9 + col - 1], qj->Solution(row, col));
      const int clues = 81 - OpenCells(*qj);
      if (level.level == 4 && clues > level.mostClues) {
        ASSERT_TRUE(EveryClueIsNeeded(puzzle));  // the cut stopped short: no clue could go
      } else {
        ASSERT_TRUE(range.count(clues)) << clues << " clues";
      }
      seen.insert(clues);
      ASSERT_TRUE(FitsLevel(*qj, level.level));
    }
    EXPECT_TRUE(level.level == 4 || seen == range);
  }
}

TEST_F(Generate, TwoConsecutiveGamesOfALevelStartFromDifferentGrids) {
  for (int level = 1; level <= 4; ++level) {
    qj->Generate(level);
    const Board first = SolutionOf(*qj);
    qj->Generate(level);
    EXPECT_NE(SolutionOf(*qj), first) << "level " << level;
    EXPECT_TRUE(IsSolvedGrid(SolutionOf(*qj)));
  }
}

TEST_F(Generate, RefusesALevelOutsideOneToFourBeforeDrawingOrChangingAnything) {
  toolkit::RandSeed = 777;
  EXPECT_THROW(qj->Generate(0), toolkit::EInvalidOperation);
  EXPECT_THROW(qj->Generate(5), toolkit::EInvalidOperation);
  EXPECT_EQ(toolkit::RandSeed, 777u);
  EXPECT_EQ(SolutionOf(*qj), kBaseGrid);
  EXPECT_EQ(OpenCells(*qj), 81);
}

TEST_F(Candidates, CluesOfRowColumnAndBoxLeaveTheOtherDigits) {
  PutClues(*qj, {
                    "1...4....",  //
                    ".......7.",  //
                    ".........",  //
                    "...5.....",  //
                    "2.......8",  //
                    ".....6...",  //
                    ".........",  //
                    ".9.......",  //
                    "........3",  //
                });
  EXPECT_EQ(qj->Candidates(5, 5), "1379");
}

TEST_F(Candidates, NoClueInRowColumnOrBoxLeavesEveryDigit) {
  PutClues(*qj, {
                    "12.......",  //
                    "34.......",  //
                    "......567",  //
                    "......89.",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                });
  EXPECT_EQ(qj->Candidates(8, 5), "123456789");
}

TEST_F(Candidates, EveryDigitAmongTheCluesLeavesNothing) {
  PutClues(*qj, {
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    "...91....",  //
                    "2..3.4..5",  //
                    "....6....",  //
                    "....7....",  //
                    ".........",  //
                    "....8....",  //
                });
  EXPECT_EQ(qj->Candidates(5, 5), "");
}

TEST_F(Candidates, TypedEntriesNeverCountWhateverTheirValue) {
  PutClues(*qj, {
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    "........5",  //
                });
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col)
      if (!qj->Nodes(row, col)->Given) qj->Nodes(row, col)->Value = (row + col) % 9 + 1;
  EXPECT_EQ(qj->Candidates(1, 1), "123456789");
  EXPECT_EQ(qj->Candidates(9, 1), "12346789");
}

TEST_F(Candidates, ScanTheWholeBoxTheRowAndTheColumnAndNothingElse) {
  // For (1, 1): (3, 2) is in its box, (4, 1) in its column, (1, 9) in its row; (4, 2) is none of them.
  PutClues(*qj, {
                    "........4",  //
                    ".........",  //
                    ".2.......",  //
                    "35.......",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                });
  EXPECT_EQ(qj->Candidates(1, 1), "156789");
}

TEST_F(Candidates, AClueDigitSeenTwiceRemovesItsDigitOnce) {
  PutClues(*qj, {
                    "....4....",  //
                    ".4.......",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                });
  EXPECT_EQ(qj->Candidates(1, 1), "12356789");
}

TEST_F(Candidates, AClueValueOfSeveralDigitsRemovesEachOfThem) {
  PutClues(*qj, {
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    "......9..",  //
                });
  qj->Nodes(9, 7)->Value = 123;
  EXPECT_EQ(qj->Candidates(9, 1), "456789");
}

TEST_F(Candidates, AGivenCellOffersEveryDigitButItsOwnClue) {
  PutClues(*qj, {
                    "5.12.....",  //
                    ".34......",  //
                    ".........",  //
                    "6........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                    ".........",  //
                });
  EXPECT_EQ(qj->Candidates(1, 1), "12346789");
  qj->Nodes(1, 1)->Value = 78;
  EXPECT_EQ(qj->Candidates(1, 1), "1234569");
}

}  // namespace
