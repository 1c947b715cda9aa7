// The logic solver: finds the next deduction of a position as a person would, technique by technique from
// the easiest, and does it. The one solver behind the hint, the rating, the generator's levels and the
// collection tool.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/Sudoku.h"

namespace velmora::Solver {

using Sudoku::Grid;

// A set of digits: bit d-1 for digit d.
using Mask = std::uint16_t;
constexpr Mask kAllDigits = 0x1FF;
inline Mask Bit(int digit) { return static_cast<Mask>(1u << (digit - 1)); }

// From easiest to hardest: the order in which the next step is looked for, and the scale of a rating.
enum class Technique {
  NakedSingle,      // 唯一余数: a cell with one candidate left
  HiddenSingle,     // 宫摒除 / 行摒除 / 列摒除: the only place for a digit in a box, a row or a column
  Pointing,         // 区块摒除: a digit of a box confined to one line
  Claiming,         // 区块摒除: a digit of a line confined to one box
  NakedPair,        // 显性数对
  HiddenPair,       // 隐性数对
  NakedTriple,      // 显性三链数
  HiddenTriple,     // 隐性三链数
  NakedQuad,        // 显性四链数
  HiddenQuad,       // 隐性四链数
  XWing,            // X-Wing
  Swordfish,        // 剑鱼
  Jellyfish,        // 水母
  XYWing,           // XY-Wing
  XYZWing,          // XYZ-Wing
  SimpleColouring,  // 简单染色: the two colours of one digit's conjugate pairs
  XChain,           // X链: an alternating chain on one digit
  XYChain,          // XY链: a chain of cells with two candidates
  AlternatingChain, // 交替推理链: strong links of two-candidate cells and conjugate pairs, digits mixed
  ForcingChain,     // 假设矛盾（强制链）: a candidate tried, whose consequences end in a contradiction
};
constexpr int kTechniqueCount = 20;

// The name a player knows the technique by. A hidden single is named by its house in the step's words
// (宫摒除, 行摒除, 列摒除); this is the name of the technique as a whole.
const char* ChineseName(Technique t);
const char* EnglishName(Technique t);

// Houses 0..8 are the rows, 9..17 the columns, 18..26 the boxes; cells 0..80 go row by row.
enum class HouseKind { Row, Column, Box };
struct House {
  HouseKind kind;
  int number;  // 1..9
  bool operator==(const House&) const = default;
};
House HouseAt(int index);
int HouseIndex(House h);

// One node of a chain: "cell is digit" (on) or "cell is not digit" (off).
struct Node {
  int cell;
  int digit;
  bool on;
  bool operator==(const Node&) const = default;
};

struct Removal {
  int cell;
  int digit;
  bool operator==(const Removal&) const = default;
};

// One deduction: what it is, where, which cells make it, and what it does.
struct Step {
  Technique technique = Technique::NakedSingle;
  // The houses it works in, the base houses first; for X- and alternating chains, the house of each strong
  // link between two cells, in the chain's order; for a forcing chain, the house left without a place.
  std::vector<House> houses;
  std::vector<int> cells;     // the cells that make it (for a placement, the cell itself)
  Mask digits = 0;            // the digits the pattern is about
  // What it does: a digit placed, or candidates removed.
  int placeCell = -1;
  int placeDigit = 0;
  std::vector<Removal> removals;
  // Chains: the nodes in the order of the reasoning. For X-, XY- and alternating chains, from "the first
  // cell is not the digit" to "the last cell is the digit", off and on in turn: off to on is a strong link (a
  // cell of two candidates, or a digit's only two places in a house), on to off a weak one (one cell, or
  // two cells that see each other with one digit). For simple colouring, every cell of the two colours, `on`
  // for one colour and off for the other. For a forcing chain, the assumption first (on), then the
  // placements it forces, in order. For XY- and XYZ-Wing: pivot is x, pincer A is z, pivot is y, pincer B is z.
  std::vector<Node> chain;
  // Simple colouring: two cells of one colour that see each other, so that colour is false (-1: none).
  int clashA = -1, clashB = -1;
  // Forcing chain: how it ends. A cell with no candidate left (deadCell), or a house with no place for
  // a digit (deadHouse, deadDigit); with branchCell, every candidate of that cell ends in a contradiction.
  int deadCell = -1;
  int deadHouse = -1;
  int deadDigit = 0;
  int branchCell = -1;
};

// Clues, the player's digits, and the candidates of the empty cells.
struct Position {
  Grid values{};                // 0 for an empty cell
  std::array<Mask, 81> cand{};  // an empty cell's candidates; 0 for a filled cell

  // Every empty cell takes the digits its row, column and box leave.
  static Position FromDigits(const Grid& digits);
  // The same, where a cell with marks (non-zero) keeps only those of its marks that are left.
  static Position FromDigits(const Grid& digits, const std::array<Mask, 81>& marks);
  bool Solved() const;
  // True when an empty cell has no candidate or a house has no place left for a digit it lacks.
  bool Broken() const;
};

// The next step with the easiest technique that does something, trying none harder than `upTo`. On a
// position whose candidates keep the one solution of a puzzle that has exactly one, a step is always found
// (the forcing chain's deepest form, a contradiction in every branch, is complete). Empty when the
// position is solved or broken, or nothing up to `upTo` applies.
std::optional<Step> NextStep(const Position& position, Technique upTo = Technique::ForcingChain);

// The first step of exactly this technique, whatever easier steps the position also holds: for teaching a
// technique on a worked example.
std::optional<Step> FindStep(const Position& position, Technique technique);

// Places the step's digit (clearing it from the cell's peers) or removes its candidates.
void Apply(Position& position, const Step& step);

// Whether the two cells share a row, a column or a box (a cell does not see itself).
bool Sees(int a, int b);

}  // namespace velmora::Solver
