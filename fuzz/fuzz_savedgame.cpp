// Fuzz target: a saved game loaded through the main window, then saved and loaded again.
#include <vector>

#include "fuzz/FuzzGame.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

using namespace velmora;

namespace {

// What a player can see of the game, to tell whether a failed load changed anything.
struct State {
  std::vector<std::string> texts;
  std::vector<int> nodes;
  int level;
  bool enabled;
  bool operator==(const State&) const = default;
};

State Snapshot() {
  auto* form = main::Form1;
  State s{{}, {}, form->sd991->nd, form->sd991->Enabled()};
  for (int k = 0; k < 81; ++k) {
    s.texts.push_back(form->sd991->Cells(k / 9 + 1, k % 9 + 1)->Text());
    auto* node = form->QJ1->Nodes(k / 9 + 1, k % 9 + 1);
    s.nodes.push_back(node->Given ? node->Value : -1);
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartProgram();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* form = main::Form1;
  fuzz::WriteInput("game.txt", data, size);
  State before = Snapshot();
  if (!fuzz::Handle([&] { form->LoadGame("game.txt"); })) {
    fuzz::Check(Snapshot() == before, "a load that failed changed the game");
    return 0;
  }
  // Each line is one cell in row order. The file's bytes decide: the first byte of the line as the file
  // holds it (code page 936) is the flag, a "1" makes a clue, and the bytes after it are the cell's text,
  // even where the flag byte would have begun a two-byte character with the byte after it.
  toolkit::TStringList lines;
  lines.LoadFromFile("game.txt");
  for (int k = 0; k < 81; ++k) {
    std::string line = toolkit::Utf8ToAnsi(lines.Get(k));
    std::string text = line.size() > 1 ? toolkit::AnsiToUtf8(line.substr(1)) : "";
    auto* cell = form->sd991->Cells(k / 9 + 1, k % 9 + 1);
    auto* node = form->QJ1->Nodes(k / 9 + 1, k % 9 + 1);
    bool clue = !line.empty() && line[0] == '1';
    fuzz::Check(cell->Text() == text, "a cell does not show its line");
    fuzz::Check(node->Given == clue && cell->ReadOnly() == clue, "a clue is not a clue");
    if (clue) fuzz::Check(node->Value == toolkit::StrToInt(text), "a clue has another value");
  }
  fuzz::Check(form->sd991->nd == 0 && form->sd991->Enabled(), "a loaded game is not playable at level 0");
  fuzz::Check(toolkit::testing::Grab(form->sd991).Width() > 0, "the board does not draw");
  fuzz::Check(toolkit::testing::ModalForms().empty(), "a loaded game asked for a record");

  // Saving what was loaded and loading it again gives the same board and the same file.
  auto save = [&](const char* name) {
    toolkit::testing::AnswerFileDialog(name);
    fuzz::Check(fuzz::Handle([&] { form->ToolButton2Click(nullptr); }), "saving failed");
    return toolkit::ReadFileBytes(name);
  };
  std::string first = save("first.txt");
  State loaded = Snapshot();
  fuzz::Check(fuzz::Handle([&] { form->LoadGame("first.txt"); }), "a saved game does not load");
  fuzz::Check(save("second.txt") == first, "saving a loaded saved game changed the file");
  State again = Snapshot();
  fuzz::Check(again.nodes == loaded.nodes, "a saved game loads with other clues");
  return 0;
}
