// Starts "the program" in a fresh temporary folder for each test of the forms, and stops it after.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/Program.h"
#include "forms/main.h"
#include "tests/TempDir.h"
#include "toolkit/Classes.h"
#include "toolkit/Random.h"
#include "toolkit/testing.h"

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::RandSeed = 0;
    toolkit::testing::ClearErrorBoxes();
    toolkit::testing::ClearModalForms();
    toolkit::testing::OnNextModal(nullptr);
    BeforeStart();
    velmora::CreateForms();
    form = velmora::main::Form1;
    // What start-up showed (a missing collection file, say) is kept apart from what the test causes.
    startErrors = toolkit::testing::ErrorBoxes();
    toolkit::testing::ClearErrorBoxes();
  }
  void TearDown() override {
    velmora::DestroyForms();
    toolkit::testing::OnNextModal(nullptr);
  }
  // Runs before the forms are created: a test may put files in place.
  virtual void BeforeStart() {}

  velmora::sdunit::Tsdunit* Cell(int row, int col) { return form->sd991->Cells(row, col); }
  // The nine rows of the board as text, "." for an empty cell and "+" for a cell of several characters.
  std::string Board() {
    std::string out;
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        std::string t = Cell(r, c)->Text();
        out += t.empty() ? '.' : t.size() == 1 ? t[0] : '+';
      }
      out += '\n';
    }
    return out;
  }
  // The last empty cell in reading order; (0, 0) when there is none.
  std::pair<int, int> LastOpenCell() {
    std::pair<int, int> last{0, 0};
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c)
        if (Cell(r, c)->Text().empty()) last = {r, c};
    return last;
  }
  // Types the solution digit into every open cell except (skipRow, skipCol); by default the solution of
  // the engine's current grid.
  void FillAllBut(int skipRow, int skipCol, const toolkit::Grid9<int>* solution = nullptr) {
    if (!solution) solution = &form->QJ1->Solution;
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c)
        if ((r != skipRow || c != skipCol) && Cell(r, c)->Text().empty())
          toolkit::testing::TypeText(Cell(r, c), std::to_string((*solution)(r, c)));
  }
  std::string File(const std::string& name) { return toolkit::ReadFileBytes(name); }
  // The notices among what assistive technology heard (toolkit::testing::Heard): what a screen reader
  // speaks unasked.
  static std::vector<std::string> Notices(const std::vector<std::string>& heard) {
    std::vector<std::string> notices;
    for (const std::string& line : heard)
      if (line.rfind("notice ", 0) == 0) notices.push_back(line.substr(7));
    return notices;
  }

  TempDir dir;
  velmora::main::TForm1* form = nullptr;
  std::vector<std::string> startErrors;
};
