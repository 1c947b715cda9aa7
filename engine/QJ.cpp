// The puzzle in play: the solved grid, its shuffle, the cut of a new puzzle and the candidate list.
#include "engine/QJ.h"

#include <utility>
#include <vector>

#include "engine/Myfun.h"
#include "engine/Rating.h"
#include "engine/Sudoku.h"
#include "toolkit/Random.h"
#include "toolkit/SysUtils.h"

namespace velmora::QJ {

namespace {

// How many cells a new puzzle of each level opens: the least, and how many values above it a draw adds.
struct OpenCount {
  int least;
  int spread;
};
constexpr OpenCount kOpenCounts[] = {{37, 4}, {42, 6}, {49, 4}, {54, 7}};

// Two different positions within a group of three, each ordered pair equally likely.
std::pair<int, int> DrawTwoPositions() {
  int a = toolkit::Random(3) + 1;
  int b = toolkit::Random(2) + 1;
  if (a == 1) b = b + 1;
  if (a == 2 && b == 2) b = 3;
  return {a, b};
}

}  // namespace

TQJ::TQJ(toolkit::TComponent* AOwner) : toolkit::TPanel(AOwner) {
  set_Width(35);
  set_Height(35);
  set_Visible(false);
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) Nodes(row, col) = new TNode;
  LoadBaseGrid();
}

// The nodes are plain objects, not components, so no owner list frees them: the engine does.
TQJ::~TQJ() {
  for (TNode*& node : Nodes) {
    delete node;
    node = nullptr;
  }
}

void TQJ::LoadBaseGrid() {
  static constexpr int kBase[9][9] = {
      {1, 4, 7, 2, 5, 8, 3, 6, 9},  //
      {2, 5, 8, 3, 6, 9, 1, 4, 7},  //
      {3, 6, 9, 1, 4, 7, 2, 5, 8},  //
      {4, 7, 1, 8, 2, 5, 9, 3, 6},  //
      {5, 8, 2, 9, 3, 6, 7, 1, 4},  //
      {6, 9, 3, 7, 1, 4, 8, 2, 5},  //
      {7, 1, 4, 5, 8, 2, 6, 9, 3},  //
      {8, 2, 5, 6, 9, 3, 4, 7, 1},  //
      {9, 3, 6, 4, 7, 1, 5, 8, 2},  //
  };
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) Solution(row, col) = kBase[row - 1][col - 1];
}

void TQJ::Shuffle(int Steps) {
  for (int step = 0; step < Steps; ++step) {
    const int kind = toolkit::Random(7) + 1;
    // Drawn for every kind, the digit exchange included, so the sequence of draws stays the documented one.
    const auto [a, b] = DrawTwoPositions();
    if (kind <= 3) {
      const int o = 3 * (kind - 1);
      for (int row = 1; row <= 9; ++row) std::swap(Solution(row, o + a), Solution(row, o + b));
    } else if (kind <= 6) {
      const int o = 3 * (kind - 4);
      for (int col = 1; col <= 9; ++col) std::swap(Solution(o + a, col), Solution(o + b, col));
    } else {
      const int x = toolkit::Random(9) + 1;
      int y = toolkit::Random(9) + 1;
      if (y == x) y = x == 9 ? 1 : x + 1;
      for (int& digit : Solution) {
        if (digit == x)
          digit = y;
        else if (digit == y)
          digit = x;
      }
    }
  }
}

void TQJ::Generate(int Level) {
  // A deal that asks more or less than its level is dealt again.
  do Deal(Level);
  while (!FitsLevel(Level));
}

void TQJ::Deal(int Level) {
  if (Level < 1 || Level > 4)
    throw toolkit::EInvalidOperation("No puzzle level " + toolkit::IntToStr(Level) + "; levels are 1 to 4");
  const OpenCount& count = kOpenCounts[Level - 1];
  const int toOpen = count.least + toolkit::Random(count.spread);
  Shuffle(1000);

  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      TNode& node = *Nodes(row, col);
      node.Row = row;
      node.Col = col;
      node.Value = Solution(row, col);
      node.Given = true;
    }
  }
  OpenCells(toOpen, Level);
}

// Opens drawn cells while the puzzle keeps exactly one solution. A drawn clue whose opening would allow a
// second solution is needed: it stays a clue for good, since opening more cells never makes it less needed.
// A draw on an open cell or a needed clue is passed over. The draws stop when toOpen cells are open, or
// when every clue left has been drawn and found needed.
//
// At 高级 and 骨灰级 the cut then goes on with the ladder in mind: while the puzzle asks less than its level,
// more cells are opened the same way, passing over a cell whose opening would ask more than the level, until
// it asks enough or no clue can go. The cells opened
// beyond the count are then closed again, cells the singles fill before the first harder step first: the
// singles then stop at the same position, and from there the puzzle asks what it asked, with its count.
void TQJ::OpenCells(int toOpen, int Level) {
  Sudoku::Grid puzzle{};
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) puzzle[(row - 1) * 9 + col - 1] = static_cast<std::uint8_t>(Solution(row, col));
  toolkit::Grid9<bool> needed{};
  int opened = 0;
  int undecided = 81;  // clues neither opened nor found needed
  // Opens one more drawn cell whose opening the puzzle passes (`keep`); false when no clue left can go.
  const auto unique = [&] { return Sudoku::CountSolutions(puzzle, 2) == 1; };
  auto openOne = [&](auto keep) {
    while (undecided > 0) {
      // Two statements, so the row is drawn before the column.
      const int r = toolkit::Random(9) + 1;
      const int c = toolkit::Random(9) + 1;
      TNode& node = *Nodes(r, c);
      if (!node.Given || needed(r, c)) continue;
      --undecided;
      std::uint8_t& cell = puzzle[(r - 1) * 9 + c - 1];
      cell = 0;
      if (keep()) {
        node.Given = false;
        ++opened;
        return true;
      }
      cell = static_cast<std::uint8_t>(node.Value);
      needed(r, c) = true;
    }
    return false;
  };
  while (opened < toOpen && openOne(unique)) {
  }
  if (Level < 3) return;
  // A cell whose opening would make the puzzle ask more than its level stays a clue.
  int asks = Asks(puzzle, Level);
  const auto notTooHard = [&] {
    if (!unique()) return false;
    const int a = Asks(puzzle, Level);
    if (a > 0) return false;
    asks = a;
    return true;
  };
  while (asks < 0 && openOne(notTooHard)) {
  }
  if (opened <= toOpen) return;
  Sudoku::Grid reached{};
  Rating::SolveWithLogic(puzzle, Rating::Technique::HiddenSingle, &reached);
  std::vector<int> first, then;  // open cells the singles fill, and the others
  for (int cell = 0; cell < 81; ++cell)
    if (!puzzle[cell]) (reached[cell] ? first : then).push_back(cell);
  while (opened > toOpen) {
    std::vector<int>& from = first.empty() ? then : first;
    const int at = toolkit::Random(static_cast<int>(from.size()));
    const int cell = from[at];
    from.erase(from.begin() + at);
    TNode& node = *Nodes(cell / 9 + 1, cell % 9 + 1);
    node.Given = true;
    puzzle[cell] = static_cast<std::uint8_t>(node.Value);
    --opened;
  }
}

// The ladder of levels: the hardest technique a puzzle of the level needs lies in its band. 初级: naked
// singles; 中级: singles; 高级: locked candidates or a naked or hidden subset; 骨灰级: more than those (fish,
// wings, colouring, chains), never a forcing chain.
int TQJ::Asks(const Sudoku::Grid& puzzle, int Level) {
  using Rating::Technique;
  static constexpr struct {
    Technique above, upTo;  // the hardest technique needed is harder than `above` and no harder than `upTo`
  } kBands[] = {{Technique::NakedSingle, Technique::NakedSingle},
                {Technique::NakedSingle, Technique::HiddenSingle},
                {Technique::HiddenSingle, Technique::HiddenQuad},
                {Technique::HiddenQuad, Technique::AlternatingChain}};
  const auto& band = kBands[Level - 1];
  if (Level >= 3 && Rating::SolveWithLogic(puzzle, band.above)) return -1;
  const auto hardest = Rating::HardestNeeded(puzzle, band.upTo);
  if (!hardest) return 1;
  return Level <= 2 || *hardest > band.above ? 0 : -1;
}

bool TQJ::FitsLevel(int Level) const {
  Sudoku::Grid puzzle{};
  for (const TNode* node : Nodes)
    if (node->Given) puzzle[(node->Row - 1) * 9 + node->Col - 1] = static_cast<std::uint8_t>(node->Value);
  return Asks(puzzle, Level) == 0;
}

std::string TQJ::Candidates(int row, int col) const {
  std::string seen;
  const TNode& self = *Nodes(row, col);
  if (self.Given) {
    seen = toolkit::IntToStr(self.Value);
  } else {
    const int box = Myfun::BoxNumber(row, col);
    for (int i = 1; i <= 9; ++i) {
      for (int j = 1; j <= 9; ++j) {
        if (i == row && j == col) continue;
        if (i != row && j != col && Myfun::BoxNumber(i, j) != box) continue;
        const TNode& node = *Nodes(i, j);
        if (node.Given) seen += toolkit::IntToStr(node.Value);
      }
    }
  }
  // The test is on the text, so each digit of a clue value with several digits counts.
  std::string result;
  for (char d = '1'; d <= '9'; ++d)
    if (seen.find(d) == std::string::npos) result += d;
  return result;
}

}  // namespace velmora::QJ
