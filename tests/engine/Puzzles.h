// Known puzzles, each technique's puzzle and a check of a solved grid, shared by the tests of the solver,
// and the collection tool.
#pragma once
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/Solver.h"
#include "engine/Sudoku.h"

namespace velmora::testpuzzles {

using Sudoku::Grid;

// The first of Gordon Royle's published 17-clue puzzles.
inline const char kRoyle17[] = "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
// The example puzzle of the Wikipedia article, solved by singles alone.
inline const char kWikipedia[] = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
// The same without the 4 and 9 of row 8: rows 6 and 8 then swap a 4 and a 9 freely.
inline const char kTwoSolutions[] = "530070000600195000098000060800060003400803001700020006060000280000010005000080079";
// Arto Inkala's 2012 puzzle, published as the hardest of its day.
inline const char kInkala[] = "800000000003600000070090200050007000000045700000100030001000068008500010090000400";
// "Easter Monster", among the hardest known: some of its steps need a forcing chain that branches.
inline const char kEasterMonster[] = "100000002090400050006000700050903000000070000000850040700000600030009080002000001";
// Beyond the fish and the wings: it once took a guess, a chain opens it now.
inline const char kOneGuess[] = "001930000070000309040020700008000100000000670900140205002003500000000008500000900";

inline Grid P(const char* line) {
  Grid g{};
  std::string why;
  EXPECT_TRUE(Sudoku::ParseLine(line, g, &why)) << why;
  return g;
}

// A complete grid that keeps every clue and repeats no digit in a row, column or box.
inline ::testing::AssertionResult SolvesPuzzle(const Grid& solution, const Grid& puzzle) {
  for (int i = 0; i < 81; ++i) {
    if (solution[i] < 1 || solution[i] > 9) return ::testing::AssertionFailure() << "cell " << i << " empty";
    if (puzzle[i] && puzzle[i] != solution[i]) return ::testing::AssertionFailure() << "clue " << i << " changed";
  }
  for (int u = 0; u < 9; ++u) {
    std::set<int> row, col, box;
    for (int j = 0; j < 9; ++j) {
      row.insert(solution[u * 9 + j]);
      col.insert(solution[j * 9 + u]);
      box.insert(solution[(u / 3 * 3 + j / 3) * 9 + u % 3 * 3 + j % 3]);
    }
    if (row.size() != 9 || col.size() != 9 || box.size() != 9)
      return ::testing::AssertionFailure() << "unit " << u << " repeats a digit";
  }
  return ::testing::AssertionSuccess();
}


// Each puzzle needs exactly this technique: it solves with it and stalls without it.
// The puzzles were checked against a separate implementation of the same techniques; the order of the
// techniques is the logic solver's.
inline const struct {
  Solver::Technique technique;
  const char* puzzle;
} kNeeds[] = {
  {Solver::Technique::HiddenSingle, "020508000600000915000039000000005070000010009002006100009004800040250000000000053"},
  {Solver::Technique::Pointing, "090000040075000023100000580000070000900004061500013000000460000006057000800209000"},
  {Solver::Technique::NakedPair, "100009000950000730000004005600080290000060008080000000060000000008000614370002050"},
  {Solver::Technique::HiddenPair, "007300014040001800000079600000000020000003009825060000070000000039600040004000000"},
  {Solver::Technique::NakedTriple, "190000380070008001000005700000000000650407000024000890000300610003500004000080000"},
  {Solver::Technique::HiddenTriple, "970000010005094003000700800000401005503007000400000200000906100200000300090040007"},
  {Solver::Technique::XWing, "002009603000020000500800000608000470009001000400090000003004000000070062070012800"},
  {Solver::Technique::XYWing, "089000000000080250540000019300600000004007005100000000200300007010400900006008000"},
};

// Cut by a plain random dig and rated by this solver alone: after the XY-chains, an alternating chain with
// its digits mixed opens it.
inline const char kNeedsAlternatingChain[] =
    "000009004700500003000301750600080020000000631013204000009050000080000010000000096";

}  // namespace velmora::testpuzzles
