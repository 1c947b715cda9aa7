// Files far larger than the game writes, one line of millions of bytes, random binary, and pipes and
// devices in a file's place, as saved games, record files and collections: each ends in an error box or
// its usual reading, and play goes on.
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "forms/Ufrm_phb.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

constexpr std::size_t ThirtyMB = 30u << 20;
constexpr std::size_t FiveMillion = 5'000'000;

const char* const Puzzle[] = {"530070000", "600195000", "098000060", "800060003", "400803001",
                              "700020006", "060000280", "000419005", "000080079"};

std::string Binary(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string out(size, '\0');
  for (auto& byte : out) byte = static_cast<char>(random());
  return out;
}

// Lines "xxxxxxxx" with CR LF until the text reaches `size`.
std::string Filler(std::size_t size) {
  std::string out;
  out.reserve(size + 16);
  while (out.size() < size) out += "xxxxxxxx\r\n";
  return out;
}

// The saved game of the puzzle: one line per cell, "1" and the digit for a clue, "0" for an open cell.
std::string PuzzleGame() {
  std::string out;
  for (const char* row : Puzzle)
    for (int c = 0; c < 9; ++c) out += row[c] == '0' ? std::string("0\r\n") : std::string("1") + row[c] + "\r\n";
  return out;
}

}  // namespace

class BigFile : public GameFixture {
 protected:
  // A level button starts a game and a typed digit shows.
  void ExpectPlayable() {
    tt::ClearErrorBoxes();
    tt::Click(form->ToolButton5);
    ASSERT_TRUE(form->sd991->Enabled());
    for (auto* cell : form->sd991->Cells)
      if (cell->Text().empty()) {
        tt::TypeText(cell, "5");
        EXPECT_EQ(cell->Text(), "5");
        break;
      }
    EXPECT_TRUE(tt::ErrorBoxes().empty());
  }
};

using BigSavedGame = BigFile;

TEST_F(BigSavedGame, ThirtyMegabytesLoadTheirFirstEightyOneLines) {
  WriteFileBytes("big.txt", PuzzleGame() + Filler(ThirtyMB));
  tt::AnswerFileDialog("big.txt");
  tt::Click(form->ToolButton1);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Board().substr(0, 20), "53..7....\n6..195...\n");
  EXPECT_TRUE(Cell(1, 1)->ReadOnly());
  ExpectPlayable();
}

// Lines past 65,535 characters, the 16-bit limit of a text line in many text engines, in every cell: nearly six
// megabytes for the board to hold and draw. (Qt lays out such a cell's whole text, so thirty megabytes
// spread over the cells cost a minute here while proving nothing more.)
TEST_F(BigSavedGame, EightyOneLinesOfSeventyThousandBytesFillEveryCellAndTheBoardDraws) {
  std::string line = "0" + std::string(70'000, '3');
  std::string text;
  for (int k = 0; k < 81; ++k) text += line + "\r\n";
  WriteFileBytes("wide.txt", text);
  form->LoadGame("wide.txt");
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  for (auto* cell : form->sd991->Cells) EXPECT_EQ(cell->Text().size(), line.size() - 1);
  EXPECT_EQ(tt::Grab(form).Width(), form->Width());
  ExpectPlayable();
}

TEST_F(BigSavedGame, ALineOfFiveMillionBytesIsACellsTextOrAClueThatIsNoNumber) {
  WriteFileBytes("long.txt", "0" + std::string(FiveMillion, '7') + "\r\n15\r\n");
  form->LoadGame("long.txt");
  EXPECT_EQ(Cell(1, 1)->Text().size(), FiveMillion);
  EXPECT_EQ(Cell(1, 2)->Text(), "5");
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_EQ(tt::Grab(form).Width(), form->Width());  // and the window draws

  std::string board = Board();
  tt::AnswerFileDialog("clue.txt");
  WriteFileBytes("clue.txt", "1" + std::string(FiveMillion, '7'));
  tt::Click(form->ToolButton1);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  // The box quotes the start and the end of the line, not millions of digits.
  const std::string box = tt::ErrorBoxes()[0];
  EXPECT_LT(box.size(), 1000u);
  EXPECT_EQ(box.substr(0, 4), "'777");
  EXPECT_EQ(box.substr(box.size() - 31), "7' is not a valid integer value");
  EXPECT_EQ(Board(), board);
  ExpectPlayable();
}

// A line of a hundred million digits: the cell holds it all and shows its start, as any long cell does
// (it is laid out only where the caret is, so that it costs what a short one does).
TEST_F(BigSavedGame, ALineOfAHundredMillionBytesShowsItsStartInTheCell) {
  constexpr std::size_t HundredMillion = 100'000'000;
  WriteFileBytes("huge.txt", "0" + std::string(HundredMillion, '7') + "\r\n15\r\n");
  form->LoadGame("huge.txt");
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Cell(1, 1)->Text().size(), HundredMillion);
  tt::Picture pic = tt::Grab(Cell(1, 1));
  int ink = 0;
  for (int y = 2; y < pic.Height() - 2; ++y)
    for (int x = 2; x < pic.Width() - 2; ++x) ink += pic.Pixel(x, y) != pic.Pixel(2, 2);
  EXPECT_GT(ink, 20) << "the cell looks empty";
  ExpectPlayable();
}

// A file of more than a hundred mebibytes is no saved game the game reads: refused at once, in words.
TEST_F(BigSavedGame, AFileOfMoreThanAHundredMebibytesIsRefusedAsTooBig) {
  tt::Click(form->ToolButton5);
  std::string board = Board();
  WriteFileBytes("vast.txt", PuzzleGame());
  ASSERT_EQ(::truncate("vast.txt", static_cast<off_t>(TStringList::TextFileLimit) + 1), 0);  // sparse
  tt::AnswerFileDialog("vast.txt");
  tt::Click(form->ToolButton1);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_NE(tt::ErrorBoxes()[0].find("vast.txt”：文件太大"), std::string::npos) << tt::ErrorBoxes()[0];
  EXPECT_EQ(Board(), board);
}

TEST_F(BigSavedGame, RandomBinaryLoadsOrShowsAnErrorAndNeverHalfLoads) {
  tt::Click(form->ToolButton7);
  for (unsigned seed = 1; seed <= 3; ++seed) {
    std::string board = Board();
    WriteFileBytes("noise.txt", Binary(seed == 1 ? ThirtyMB : 4096, seed));
    tt::ClearErrorBoxes();
    tt::AnswerFileDialog("noise.txt");
    tt::Click(form->ToolButton1);
    if (!tt::ErrorBoxes().empty()) {
      EXPECT_EQ(Board(), board) << seed;
    } else {
      EXPECT_EQ(form->sd991->nd, 0) << seed;
    }
  }
  ExpectPlayable();
}

TEST_F(BigSavedGame, APipeOrADeviceChosenAsASavedGameShowsAnErrorAndWaitsForNothing) {
  tt::Click(form->ToolButton5);
  std::string board = Board();
  ASSERT_EQ(::mkfifo("pipe.txt", 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", "zero.txt"), 0);  // the dialog adds ".txt" to a bare name
  ASSERT_EQ(::symlink("/dev/urandom", "noise.txt"), 0);
  for (const char* name : {"pipe.txt", "zero.txt", "noise.txt"}) {
    tt::ClearErrorBoxes();
    tt::AnswerFileDialog(name);
    tt::Click(form->ToolButton1);
    ASSERT_EQ(tt::ErrorBoxes().size(), 1u) << name;
    EXPECT_NE(tt::ErrorBoxes()[0].find("不是普通文件"), std::string::npos) << tt::ErrorBoxes()[0];
    EXPECT_EQ(Board(), board) << name;
  }
  ExpectPlayable();
}

using BigRecordFile = BigFile;

TEST_F(BigRecordFile, ThirtyMegabytesAfterTheRecordsAreKeptAndANewRecordStillStored) {
  std::string records = Utf8ToAnsi("80秒\r\n甲\r\n9999秒\r\n佚名\r\n9999秒\r\n佚名\r\n9999秒\r\n佚名\r\n");
  std::string tail = Filler(ThirtyMB);
  WriteFileBytes("phb.txt", records + tail);
  EXPECT_EQ(form->BestTime(1), 80);
  tt::Click(form->ToolButton5);
  bool asked = false;
  tt::OnNextModal([&](TForm* f) {
    asked = true;
    tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1);
  });
  FillAllBut(0, 0);  // at 0 seconds: a new record, stored under the default name
  EXPECT_TRUE(asked);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(form->BestTime(1), 0);
  std::string expected = Utf8ToAnsi("0秒\r\n佚名\r\n9999秒\r\n佚名\r\n9999秒\r\n佚名\r\n9999秒\r\n佚名\r\n") + tail;
  EXPECT_TRUE(File("phb.txt") == expected);
  ExpectPlayable();
}

TEST_F(BigRecordFile, AFiveMillionByteTimeLineIsNoRecordAndTheTableShowsIt) {
  WriteFileBytes("phb.txt", std::string(FiveMillion, '9') + Utf8ToAnsi("秒\r\nx\r\n"));
  EXPECT_EQ(form->BestTime(1), 9999);
  std::string s1;
  tt::OnNextModal([&](TForm* f) {
    s1 = static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f)->s1->Caption();
    EXPECT_EQ(tt::Grab(f).Width(), f->Width());  // the table draws
  });
  tt::Click(form->N2);
  EXPECT_EQ(s1.size(), FiveMillion + 3);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  ExpectPlayable();
}

TEST_F(BigRecordFile, RandomBinaryReadsAsSomeRecordAndTheTableResetsIt) {
  WriteFileBytes("phb.txt", Binary(ThirtyMB, 7));
  for (int level = 1; level <= 4; ++level) form->BestTime(level);
  tt::OnNextModal([](TForm* f) { tt::Click(static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f)->Button1); });
  tt::Click(form->N2);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  for (int level = 1; level <= 4; ++level) EXPECT_EQ(form->BestTime(level), 9999);
  EXPECT_EQ(File("phb.txt").size(), 56u);
  ExpectPlayable();
}

// A collection of 30 MB: a title and nine rows per puzzle, about 290,000 of them.
class BigCollection : public BigFile {
 protected:
  void BeforeStart() override {
    std::string text;
    text.reserve(ThirtyMB + 256);
    for (puzzles = 0; text.size() < ThirtyMB; ++puzzles) {
      text += "[" + std::to_string(puzzles + 1) + "]\r\n";
      for (const char* row : Puzzle) text += std::string(row) + "\r\n";
    }
    // The last puzzle has a clue of its own.
    text += "[last]\r\n900000000\r\n";
    ++puzzles;
    WriteFileBytes("tk.vlm", text);
  }
  int puzzles = 0;
};

TEST_F(BigCollection, ListsEveryTitleAndPlaysTheLast) {
  EXPECT_TRUE(startErrors.empty());
  auto* dialog = velmora::Ufrm_tk::frm_tk;
  ASSERT_EQ(dialog->StringGrid1->RowCount(), puzzles + 1);
  EXPECT_EQ(dialog->StringGrid1->Cells(0, puzzles), "[last]");
  tt::OnNextModal([&](TForm*) {
    bool canSelect = true;  // as the grid asks when the player moves to the last row
    dialog->StringGrid1SelectCell(dialog->StringGrid1, 0, puzzles, canSelect);
    tt::Click(dialog->Button1);
  });
  tt::Click(form->ToolButton11);
  EXPECT_EQ(dialog->Caption(), "[last]");
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Board().substr(0, 20), "9........\n.........\n");
  EXPECT_EQ(form->sd991->nd, 2);
  ExpectPlayable();
}

class LongLineCollection : public BigFile {
 protected:
  void BeforeStart() override {
    WriteFileBytes("tk.vlm", "[" + std::string(FiveMillion, '1') + "]\r\n" + std::string(FiveMillion, '2') + "\r\n");
  }
};

TEST_F(LongLineCollection, AFiveMillionByteTitleIsListedAndItsRowsAreCutToNineCells) {
  EXPECT_TRUE(startErrors.empty());
  auto* dialog = velmora::Ufrm_tk::frm_tk;
  ASSERT_EQ(dialog->StringGrid1->RowCount(), 2);
  EXPECT_EQ(dialog->StringGrid1->Cells(0, 1).size(), FiveMillion + 2);
  EXPECT_EQ(dialog->qp->Cells(1, 9)->Text(), "2");
  EXPECT_EQ(dialog->qp->Cells(2, 1)->Text(), "");
  tt::OnNextModal([&](TForm*) {
    EXPECT_EQ(tt::Grab(dialog).Width(), dialog->Width());  // the list draws the title
    tt::Click(dialog->Button1);
  });
  tt::Click(form->ToolButton11);
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Board().substr(0, 10), "222222222\n");
  ExpectPlayable();
}

class PipeInPlaceOfFiles : public BigFile {
 protected:
  void BeforeStart() override {
    ::mkfifo("tk.vlm", 0644);
    ::mkfifo("phb.txt", 0644);
  }
};

TEST_F(PipeInPlaceOfFiles, StartShowsTheErrorsAndAFinishedGameHasNoRecordToBeat) {
  // Start-up reads the collection: a pipe would have waited for a writer for ever.
  ASSERT_EQ(startErrors.size(), 1u);
  EXPECT_NE(startErrors[0].find("tk.vlm”：不是普通文件"), std::string::npos) << startErrors[0];
  EXPECT_EQ(form->BestTime(1), 9999);
  bool asked = false;
  tt::OnNextModal([&](TForm* f) {
    asked = true;
    tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1);
  });
  tt::Click(form->ToolButton5);
  FillAllBut(0, 0);
  EXPECT_TRUE(asked);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);  // the record file cannot be read to store the record
  EXPECT_NE(tt::ErrorBoxes()[0].find("phb.txt”：不是普通文件"), std::string::npos);
  ExpectPlayable();
}

class BinaryCollection : public BigFile {
 protected:
  void BeforeStart() override { WriteFileBytes("tk.vlm", Binary(ThirtyMB, 11)); }
};

TEST_F(BinaryCollection, ListsItsBracketLinesAndPlayingOneFailsOrPlays) {
  auto* dialog = velmora::Ufrm_tk::frm_tk;
  // Random bytes hold many "[": each line with one is a title.
  ASSERT_GT(dialog->StringGrid1->RowCount(), 1000);
  EXPECT_TRUE(startErrors.empty());
  std::string board = Board();
  tt::OnNextModal([&](TForm*) {
    tt::PressMouse(dialog->StringGrid1, mbLeft, 40, 10 + 21 * 2);
    tt::Click(dialog->Button1);
    tt::Click(dialog->Button2);
  });
  tt::Click(form->ToolButton11);
  if (!tt::ErrorBoxes().empty()) {
    EXPECT_EQ(Board(), board);
  }
  ExpectPlayable();
}
