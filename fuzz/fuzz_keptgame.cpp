// Fuzz target: the kept game's file, read as the next start reads it. Half the inputs get the check
// line a good file ends with, so that what lies behind the check is read too.
#include "forms/KeptGame.h"
#include "fuzz/FuzzGame.h"
#include "toolkit/Classes.h"

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartProgram();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  if (size % 2) input += KeptGame::CheckLine(input) + "\r\n";
  fuzz::WriteInput(KeptGame::FileName, reinterpret_cast<const uint8_t*>(input.data()), input.size());
  std::string why;
  std::optional<KeptGame::TGame> game = KeptGame::Read(&why);
  fuzz::Check(game || !why.empty(), "a file that is there was neither read nor refused");
  if (!game) return 0;
  // A game read is one the game can play, and keeps as it read it.
  for (int k = 0; k < 81; ++k)
    fuzz::Check(!game->Given[k] || KeptGame::IsClueText(game->Texts[k]), "a clue was read that is no number");
  KeptGame::Write(*game);
  const std::string written = toolkit::ReadFileBytes(KeptGame::FileName);
  std::optional<KeptGame::TGame> again = KeptGame::Read(&why);
  fuzz::Check(again && again->Texts == game->Texts && again->Given == game->Given && again->Level == game->Level &&
                  again->MS == game->MS && again->Recorded == game->Recorded,
              "a game kept again came back otherwise");
  KeptGame::Write(*again);
  fuzz::Check(toolkit::ReadFileBytes(KeptGame::FileName) == written, "keeping a game twice gave other bytes");
  return 0;
}
