// Printing puzzles to a PDF file and reading the page back (pdftoppm, poppler-utils): the grid lines and
// the digits where they belong, one size on A4 and on Letter, and the print support loaded only then.
#include "toolkit/Printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/TempDir.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

// A page read back as grey pixels, 0 black .. 255 white.
struct Page {
  int width = 0, height = 0;
  std::vector<unsigned char> grey;
  bool Dark(int x, int y) const { return grey[static_cast<std::size_t>(y) * width + x] < 128; }
};

// The first page of the PDF at 100 dots per inch, through pdftoppm.
Page ReadBack(const std::string& pdf) {
  Page page;
  const std::string command = "pdftoppm -r 100 -gray -f 1 -l 1 -singlefile '" + pdf + "' page";
  if (std::system(command.c_str()) != 0) return page;
  std::ifstream in("page.pgm", std::ios::binary);
  std::string magic;
  int most = 0;
  in >> magic >> page.width >> page.height >> most;
  in.get();
  page.grey.resize(static_cast<std::size_t>(page.width) * page.height);
  in.read(reinterpret_cast<char*>(page.grey.data()), static_cast<std::streamsize>(page.grey.size()));
  return page;
}

// The grid's lines: the columns of the page dark along a third of its height at least, gathered into
// runs (a line drawn a few pixels wide), each with its first column and its width.
struct Line {
  int at, width;
};
std::vector<Line> GridColumns(const Page& page) {
  std::vector<Line> lines;
  for (int x = 0; x < page.width; ++x) {
    int dark = 0;
    for (int y = 0; y < page.height; ++y) dark += page.Dark(x, y);
    if (dark < page.height / 3) continue;
    if (!lines.empty() && lines.back().at + lines.back().width == x)
      ++lines.back().width;
    else
      lines.push_back({x, 1});
  }
  return lines;
}

TPrintedPuzzle Puzzle() {
  // The puzzle's clues on the diagonal of each box's first row, the player's digit at r5c5.
  TPrintedPuzzle p;
  p.Title = "中级 第1题";
  for (int k = 0; k < 81; ++k) {
    const int row = k / 9, col = k % 9;
    p.Given[k] = row % 3 == 0 && col % 3 == row / 3;
    p.Texts[k] = p.Given[k] ? std::to_string(col + 1) : "";
  }
  p.Texts[40] = "5";
  p.Texts[41] = "123";  // pencil marks stay off the paper
  return p;
}

}  // namespace

TEST(Printing, APageReadBackHoldsTheGridAndTheDigitsWhereTheyBelong) {
  TempDir dir;
  int side[2] = {};
  const char* papers[] = {"A4", "Letter"};
  for (int paper = 0; paper < 2; ++paper) {
    SCOPED_TRACE(papers[paper]);
    tt::AnswerPrintDialog("puzzle.pdf", papers[paper]);
    ASSERT_TRUE(PrintPuzzles(nullptr, {Puzzle()}, 1));
    EXPECT_TRUE(PrintSupportLoaded());
    const Page page = ReadBack("puzzle.pdf");
    ASSERT_GT(page.width, 0) << "pdftoppm (poppler-utils) read nothing";
    const std::vector<Line> lines = GridColumns(page);
    ASSERT_EQ(lines.size(), 10u);
    // The box lines are thicker than the cell lines.
    for (int k = 0; k < 10; ++k)
      for (int j = 0; j < 10; ++j)
        if (k % 3 == 0 && j % 3 != 0) {
          EXPECT_GT(lines[k].width, lines[j].width) << k << " " << j;
        }
    const int left = lines[0].at, cell = (lines[9].at - lines[0].at) / 9;
    side[paper] = lines[9].at - lines[0].at;
    // Centred across the page.
    EXPECT_NEAR(left + side[paper] / 2, page.width / 2, 3);
    // Rows: the top line is where the first dark row of the leftmost line starts.
    int top = 0;
    while (top < page.height && !page.Dark(left + lines[0].width / 2, top)) ++top;
    // Ink in the middle of a cell: a digit there. Clues and the player's digit, nothing else.
    const TPrintedPuzzle printed = Puzzle();
    for (int k = 0; k < 81; ++k) {
      const int x0 = left + (k % 9) * cell + cell / 4, y0 = top + (k / 9) * cell + cell / 4;
      int ink = 0;
      for (int y = y0; y < y0 + cell / 2; ++y)
        for (int x = x0; x < x0 + cell / 2; ++x) ink += page.Dark(x, y);
      const std::string& t = printed.Texts[k];
      EXPECT_EQ(ink > 0, t.size() == 1) << "cell " << k;
    }
  }
  EXPECT_NEAR(side[0], side[1], 2);  // one size on either paper
}

TEST(Printing, SeveralToAPageAndACancelledDialog) {
  TempDir dir;
  const struct {
    int perPage, puzzles, pages, gridsAcross;
  } cases[] = {{2, 3, 2, 1}, {4, 4, 1, 2}, {6, 7, 2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.perPage);
    tt::AnswerPrintDialog("many.pdf");
    ASSERT_TRUE(PrintPuzzles(nullptr, std::vector<TPrintedPuzzle>(c.puzzles, Puzzle()), c.perPage));
    std::ostringstream info;
    FILE* pipe = popen("pdfinfo many.pdf", "r");
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) info << buffer;
    if (pipe) pclose(pipe);
    const std::size_t at = info.str().find("Pages:");
    ASSERT_NE(at, std::string::npos) << info.str();
    EXPECT_EQ(std::atoi(info.str().c_str() + at + 6), c.pages) << info.str();
    EXPECT_EQ(GridColumns(ReadBack("many.pdf")).size(), 10u * c.gridsAcross);
  }
  tt::AnswerPrintDialog(std::nullopt);
  std::remove("many.pdf");
  EXPECT_FALSE(PrintPuzzles(nullptr, {Puzzle()}, 1));
  std::ifstream none("many.pdf");
  EXPECT_FALSE(none.good());
}
