// The puzzle collection as a player and the collection file see it: titles, previews, playing a
// puzzle, leaving, and the files that cannot be used.
#include "forms/Ufrm_tk.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;
using velmora::Ufrm_tk::Tfrm_tk;

namespace {

using Rows = std::vector<std::string>;  // nine rows of nine characters

const Rows Solution = {"534678912", "672195348", "198342567", "859761423", "426853791",
                        "713924856", "961537284", "287419635", "345286179"};
const Rows Puzzle1 = {"530070000", "600195000", "098000060", "800060003", "400803001",
                       "700020006", "060000280", "000419005", "000080079"};
const Rows BadCell = {"123456789", "000000000", "000000000", "000000000", "0000x0000",
                       "000000000", "000000000", "000000000", "987654321"};
const Rows Repeats = {"100000001", "000000000", "000000000", "000000000", "000000000",
                       "000000000", "000000000", "000000000", "000000002"};
const Rows Other = {"000000000", "000000000", "000000000", "000000000", "000090000",
                     "000000000", "000000000", "000000000", "000000000"};

std::vector<std::string> Block(const std::string& title, const Rows& rows) {
  std::vector<std::string> lines{title};
  lines.insert(lines.end(), rows.begin(), rows.end());
  return lines;
}

// The collection most tests use. Its titles, in file order: "[00001]", "  [00002] 中级  ",
// "[00003]", "[00004]", "[00001]" again, "[00006]", "[00007]" (inside the block of "[00006]"),
// "中文[00008]", "[00009] end" (the last, with three lines left in the file).
std::vector<std::string> Sample() {
  std::vector<std::string> lines{"精选题库 第一辑", ""};
  auto add = [&](const std::vector<std::string>& more) { lines.insert(lines.end(), more.begin(), more.end()); };
  add(Block("[00001]", Puzzle1));
  add({"  [00002] 中级  ", "53", "", "123456789123", "0", "000000009", "800000000", "000000000", "000000000",
       "000000000"});
  add(Block("[00003]", BadCell));
  add(Block("[00004]", Repeats));
  add(Block("[00001]", Other));
  add({"[00006]", "100000000", "200000000", "300000000", "[00007]", "000000000", "000000000", "000000000",
       "000000000", "000000000"});
  add({"999999999", "999999999", "999999999", "999999999", "999999999", "999999999", "999999999", "999999999"});
  add({"中文[00008]", "12中45678901", "000000000", "000000000", "000000000", "000000000", "000000000",
       "000000000", "000000000", "000000000"});
  add({"[00009] end", "9", "", "12"});
  return lines;
}

std::string FileBytes(const std::vector<std::string>& lines, const std::string& br = "\r\n") {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) out += Utf8ToAnsi(lines[i]) + (i + 1 < lines.size() ? br : "");
  return out;
}

// What the player can see of the game in play, to tell whether anything changed.
struct GameState {
  std::string board;
  std::vector<int> nodes;  // Value, and 1 for a given node, per cell
  int level;
  long long ms;
  bool clockRunning, boardEnabled, panelShown;
  bool operator==(const GameState&) const = default;
};

}  // namespace

class Collection : public GameFixture {
 protected:
  void BeforeStart() override {
    if (collection) WriteFileBytes("tk.vlm", *collection);
  }
  Tfrm_tk* Dialog() { return velmora::Ufrm_tk::frm_tk; }

  // Opens the dialog from the tool bar and runs f while it is shown.
  void InDialog(const std::function<void(Tfrm_tk*)>& f) {
    bool shown = false;
    tt::OnNextModal([&](TForm* m) {
      shown = true;
      ASSERT_EQ(m, Dialog());
      f(Dialog());
    });
    tt::Click(form->ToolButton11);
    EXPECT_TRUE(shown);
  }
  // A left press on a row of the title list (row 0 is the header).
  void PressTitle(int row) { tt::PressMouse(Dialog()->StringGrid1, mbLeft, 40, row * 21 + 10); }
  std::vector<std::string> Titles() {
    std::vector<std::string> out;
    for (int r = 0; r < Dialog()->StringGrid1->RowCount(); ++r) out.push_back(Dialog()->StringGrid1->Cells(0, r));
    return out;
  }
  // The preview in the file's form: "0" for an empty cell, "+" for one of several characters.
  Rows Preview() {
    Rows out(9);
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 9; ++c) {
        std::string t = Dialog()->qp->Cells(r, c)->Text();
        out[r - 1] += t.empty() ? '0' : t.size() == 1 ? t[0] : '+';
      }
    return out;
  }
  // A board in the main window's form: "." for an empty cell.
  static std::string Shown(const Rows& rows) {
    std::string out;
    for (const auto& row : rows) {
      for (char ch : row) out += ch == '0' ? '.' : ch;
      out += '\n';
    }
    return out;
  }
  GameState State() {
    GameState s{Board(), {}, form->sd991->nd, form->TimeLabel1->MS(), form->TimeLabel1->Timer->Active(),
                form->sd991->Enabled(), form->pan->Visible()};
    for (auto* node : form->QJ1->Nodes) {
      s.nodes.push_back(node->Value);
      s.nodes.push_back(node->Given);
    }
    return s;
  }

  std::optional<std::string> collection = FileBytes(Sample());
};

using CollectionList = Collection;

TEST_F(CollectionList, ListsEveryTitleLineWholeUnderAFixedHeaderAndPreviewsTheFirst) {
  EXPECT_TRUE(startErrors.empty());
  EXPECT_EQ(Titles(), (std::vector<std::string>{"名称", "[00001]", "  [00002] 中级  ", "[00003]", "[00004]",
                                                "[00001]", "[00006]", "[00007]", "中文[00008]", "[00009] end"}));
  EXPECT_EQ(Dialog()->StringGrid1->FixedRows(), 1);
  EXPECT_EQ(Dialog()->StringGrid1->Row(), 1);
  EXPECT_EQ(Dialog()->Caption(), "[00001]");
  EXPECT_EQ(Preview(), Puzzle1);
  for (auto* cell : Dialog()->qp->Cells) {
    EXPECT_TRUE(cell->ReadOnly());
    EXPECT_EQ(cell->Font()->Color(), clBlack);
  }
  // The centre cross is tinted; the rest rests.
  EXPECT_EQ(Dialog()->qp->Cells(5, 1)->Color(), Dialog()->qp->FoucsColor2);
  EXPECT_EQ(Dialog()->qp->Cells(1, 5)->Color(), Dialog()->qp->FoucsColor2);
  EXPECT_EQ(Dialog()->qp->Cells(5, 5)->Color(), Dialog()->qp->FoucsColor1);
  EXPECT_EQ(Dialog()->qp->Cells(1, 1)->Color(), Dialog()->qp->UNFoucsColor1);
}

TEST_F(CollectionList, ShortLinesAndBlocksShowEmptyCellsAndLongLinesAreCut) {
  InDialog([&](Tfrm_tk* d) {
    PressTitle(2);
    EXPECT_EQ(d->Caption(), "  [00002] 中级  ");
    EXPECT_EQ(Preview(), (Rows{"530000000", "000000000", "123456789", "000000000", "000000009", "800000000",
                                "000000000", "000000000", "000000000"}));
    PressTitle(9);  // three lines left in the file
    EXPECT_EQ(Preview(), (Rows{"900000000", "000000000", "120000000", "000000000", "000000000", "000000000",
                                "000000000", "000000000", "000000000"}));
  });
}

TEST_F(CollectionList, EqualTitlesBothShowTheFirstBlock) {
  InDialog([&](Tfrm_tk* d) {
    PressTitle(4);
    PressTitle(5);  // the second "[00001]"
    EXPECT_EQ(d->Caption(), "[00001]");
    EXPECT_EQ(d->StringGrid1->Row(), 5);
    EXPECT_EQ(Preview(), Puzzle1);
  });
}

TEST_F(CollectionList, ATitleInsideABlockIsReadAsOneOfItsRows) {
  InDialog([&](Tfrm_tk* d) {
    PressTitle(6);
    EXPECT_EQ(Preview(), (Rows{"100000000", "200000000", "300000000", "[00007]00", "000000000", "000000000",
                                "000000000", "000000000", "000000000"}));
    PressTitle(7);  // and it is a title of its own
    EXPECT_EQ(Preview()[0], "000000000");
    EXPECT_EQ(Preview()[5], "999999999");
    PressTitle(6);
    tt::Click(d->Button1);
    EXPECT_EQ(d->ModalResult(), mrNone);
  });
  EXPECT_EQ(tt::ErrorBoxes(), std::vector<std::string>{"'[' is not a valid integer value"});
}

TEST_F(CollectionList, TheRowsAreTheFirstNineBytesOfTheFilesCodePage) {
  InDialog([&](Tfrm_tk* d) {
    PressTitle(8);
    EXPECT_EQ(d->Caption(), "中文[00008]");
    // "中" is two bytes: each stands alone in its cell, kept as that byte, and cannot be played.
    EXPECT_EQ(d->qp->Cells(1, 3)->Text(), "\xED\xB3\x96");
    EXPECT_EQ(d->qp->Cells(1, 4)->Text(), "\xED\xB3\x90");
    tt::Click(d->Button1);
  });
  EXPECT_EQ(tt::ErrorBoxes(), std::vector<std::string>{"'\xED\xB3\x96' is not a valid integer value"});
}

TEST_F(CollectionList, SelectingTheSameTitleAgainChangesNoCellAndOnlyRecentresTheCross) {
  InDialog([&](Tfrm_tk* d) {
    int changes = 0;
    for (auto* cell : d->qp->Cells) {
      auto own = cell->OnChange;
      cell->OnChange = [&changes, own](TObject* s) {
        ++changes;
        own(s);
      };
    }
    tt::MoveMouse(d->qp->Cells(9, 9), 3, 3);
    EXPECT_EQ(d->qp->Cells(9, 1)->Color(), d->qp->FoucsColor1);
    PressTitle(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(d->qp->Cells(9, 1)->Color(), d->qp->UNFoucsColor1);
    EXPECT_EQ(d->qp->Cells(9, 5)->Color(), d->qp->FoucsColor2);
    PressTitle(5);  // the same block under an equal title
    EXPECT_EQ(changes, 0);
    PressTitle(4);
    EXPECT_GT(changes, 0);
  });
}

TEST_F(CollectionList, ARepeatedDigitShowsOneRedPairAndStillPlays) {
  InDialog([&](Tfrm_tk* d) {
    PressTitle(4);
    int red = 0;
    for (auto* cell : d->qp->Cells) red += cell->Color() == 255;
    EXPECT_EQ(red, 2);
    EXPECT_TRUE(d->qp->Cells(1, 1)->Conflict);
    EXPECT_TRUE(d->qp->Cells(1, 9)->Conflict);
    tt::Click(d->Button1);
  });
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Board(), Shown(Repeats));
  EXPECT_TRUE(Cell(1, 1)->error());
}

using CollectionPlay = Collection;

TEST_F(CollectionPlay, ConfirmPlaysThePreviewAsALevelTwoGameFromZeroAndCloses) {
  tt::Click(form->ToolButton5);
  tt::Click(form->sfshowpan);
  tt::PressMouse(Cell(1, 1), mbLeft, 10, 10);
  ASSERT_TRUE(form->pan->Visible());
  form->TimeLabel1->set_MS(42000);
  std::string title;
  tt::Listen();
  InDialog([&](Tfrm_tk* d) {
    PressTitle(1);
    title = d->Caption();
    tt::Click(d->Button1);
    EXPECT_NE(d->ModalResult(), mrNone);
  });
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Notices(tt::StopListening()), std::vector<std::string>{"精选题目 " + title + "，中级"});
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      auto* node = form->QJ1->Nodes(r, c);
      char ch = Puzzle1[r - 1][c - 1];
      EXPECT_EQ(node->Given, ch != '0') << r << "," << c;
      EXPECT_EQ(node->Value, ch - '0') << r << "," << c;
    }
  EXPECT_EQ(Board(), Shown(Puzzle1));
  EXPECT_TRUE(Cell(1, 1)->ReadOnly());
  EXPECT_FALSE(Cell(1, 3)->ReadOnly());
  tt::TypeAtWindow(form, "4");  // into the first open cell
  EXPECT_EQ(Cell(1, 3)->Text(), "4");
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_EQ(form->sd991->nd, 2);
  EXPECT_FALSE(form->pan->Visible());
  EXPECT_EQ(form->TimeLabel1->MS(), 0);
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:0");
  EXPECT_TRUE(tt::Tick(form->TimeLabel1->Timer));
  EXPECT_EQ(form->TimeLabel1->Caption(), "0:0:1");
}

TEST_F(CollectionPlay, SolvingFasterThanTheLevelTwoRecordOpensTheNewRecordDialog) {
  Grid9<int> solution;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) solution(r, c) = Solution[r - 1][c - 1] - '0';
  WriteFileBytes("phb.txt", FileBytes({"9999秒", "佚名", "10秒", "快手", "9999秒", "佚名", "9999秒", "佚名"}));
  auto play = [&](int seconds) {
    InDialog([&](Tfrm_tk* d) { tt::Click(d->Button1); });
    for (int i = 0; i < seconds; ++i) tt::Tick(form->TimeLabel1->Timer);
  };

  play(10);  // as fast as the record: no new record
  FillAllBut(0, 0, &solution);
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_EQ(tt::ModalForms().size(), 1u);  // the collection only

  play(9);
  std::string label1, time;
  tt::OnNextModal([&](TForm* f) {
    auto* record = static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f);
    label1 = record->Label1->Caption();
    time = record->Label_sj->Caption();
  });
  FillAllBut(0, 0, &solution);
  ASSERT_EQ(tt::ModalForms().size(), 3u);
  EXPECT_EQ(tt::ModalForms()[2], velmora::u_frm_djphb::frm_djphb);
  EXPECT_EQ(label1, "已破中级记录");
  EXPECT_EQ(time, "9秒");
}

// The same puzzle taken again over its own solved board: putting back the clue of (1,1) completes the
// old board for a moment, which must not count as the old game's completion.
TEST_F(CollectionPlay, TakingThePuzzleAgainOverItsSolvedBoardOpensNoRecordDialog) {
  Grid9<int> solution;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) solution(r, c) = Solution[r - 1][c - 1] - '0';
  InDialog([&](Tfrm_tk* d) { tt::Click(d->Button1); });
  tt::Tick(form->TimeLabel1->Timer);
  tt::OnNextModal([](TForm* f) { tt::Click(static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f)->Button1); });
  FillAllBut(0, 0, &solution);
  ASSERT_EQ(tt::ModalForms().size(), 2u);  // the collection, then the record
  std::filesystem::remove("phb.txt");  // no record now: any completion would be a new one

  tt::ClearModalForms();
  InDialog([&](Tfrm_tk* d) { tt::Click(d->Button1); });
  EXPECT_EQ(tt::ModalForms().size(), 1u) << "a record dialog opened over the collection";
  EXPECT_FALSE(toolkit::FileExists("phb.txt"));
  EXPECT_TRUE(form->sd991->Enabled());
  EXPECT_FALSE(form->WC_Label->Visible());
  EXPECT_TRUE(form->TimeLabel1->Timer->Active());
  EXPECT_EQ(form->sd991->nd, 2);
}

TEST_F(CollectionPlay, ExitLeavesTheGameAsItWasAndTheDialogReopensAsLeft) {
  tt::Click(form->ToolButton7);
  tt::TypeText(Cell(8, 1), "12");
  tt::Tick(form->TimeLabel1->Timer);
  GameState before = State();
  InDialog([&](Tfrm_tk* d) {
    PressTitle(4);
    tt::Click(d->Button2);
    EXPECT_NE(d->ModalResult(), mrNone);
  });
  EXPECT_EQ(State(), before);
  EXPECT_EQ(form->sd991->nd, 3);
  InDialog([&](Tfrm_tk* d) {
    EXPECT_EQ(d->Caption(), "[00004]");
    EXPECT_EQ(d->StringGrid1->Row(), 4);
    EXPECT_EQ(Preview(), Repeats);
  });
  EXPECT_EQ(State(), before);  // leaving without a button changes nothing either
}

TEST_F(CollectionPlay, ANonDigitStopsConfirmBeforeAnythingChanges) {
  tt::Click(form->ToolButton5);
  tt::Click(form->sfshowpan);
  tt::PressMouse(Cell(8, 1), mbLeft, 10, 10);
  tt::Tick(form->TimeLabel1->Timer);
  GameState before = State();
  InDialog([&](Tfrm_tk* d) {
    PressTitle(3);  // "x" in the middle of the block, digits before and after it
    tt::Click(d->Button1);
    EXPECT_EQ(d->ModalResult(), mrNone);  // still open
    EXPECT_EQ(tt::ErrorBoxes(), std::vector<std::string>{"'x' is not a valid integer value"});
    EXPECT_EQ(State(), before);
    tt::Click(d->Button2);
  });
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(before.panelShown);
}

class MissingCollection : public Collection {
  void BeforeStart() override {}
};

TEST_F(MissingCollection, ShowsTheFileErrorAtStartAndKeepsTheDesignState) {
  ASSERT_EQ(startErrors.size(), 1u);
  EXPECT_NE(startErrors[0].find(dir.Path() + "/tk.vlm"), std::string::npos) << startErrors[0];
  EXPECT_NE(startErrors[0].find("文件或目录不存在"), std::string::npos) << startErrors[0];
  EXPECT_NE(form, nullptr);  // start-up carried on
  EXPECT_EQ(Dialog()->Caption(), "精选题库");
  EXPECT_EQ(Titles(), std::vector<std::string>(5));
  EXPECT_EQ(Dialog()->StringGrid1->FixedRows(), 1);
  EXPECT_EQ(Dialog()->Memo1.Text(), "Memo1");
  for (auto* cell : Dialog()->qp->Cells) EXPECT_EQ(cell->State, 2);
}

TEST_F(MissingCollection, EmptyRowsSelectNothingAndConfirmPlaysWhatThePreviewHolds) {
  tt::Click(form->ToolButton5);
  InDialog([&](Tfrm_tk* d) {
    PressTitle(2);
    EXPECT_EQ(d->Caption(), "");
    EXPECT_EQ(Preview(), Rows(9, "000000000"));
    tt::TypeText(d->qp->Cells(1, 1), "7");  // the preview is still editable
    EXPECT_EQ(d->qp->Cells(1, 1)->Text(), "7");
    tt::Click(d->Button1);
  });
  EXPECT_TRUE(tt::ErrorBoxes().empty());
  EXPECT_EQ(Board(), Shown({"700000000", "000000000", "000000000", "000000000", "000000000", "000000000",
                            "000000000", "000000000", "000000000"}));
  EXPECT_EQ(form->sd991->nd, 2);
  EXPECT_TRUE(form->TimeLabel1->Timer->Active());
}

class CollectionWithoutTitles : public Collection {
  void BeforeStart() override { WriteFileBytes("tk.vlm", FileBytes({"名称", "123456789", "no titles here"})); }
};

TEST_F(CollectionWithoutTitles, ShowsTheFixedRowErrorAndListsOnlyTheHeaderUnfixed) {
  EXPECT_EQ(startErrors, std::vector<std::string>{"Fixed row count must be less than row count"});
  EXPECT_EQ(Titles(), std::vector<std::string>{"名称"});
  EXPECT_EQ(Dialog()->StringGrid1->FixedRows(), 0);
  EXPECT_EQ(Dialog()->Caption(), "精选题库");
  for (auto* cell : Dialog()->qp->Cells) EXPECT_EQ(cell->State, 2);
  InDialog([&](Tfrm_tk* d) {
    PressTitle(0);  // the header is an ordinary row now, and the file has a line "名称"
    EXPECT_EQ(d->Caption(), "名称");
    EXPECT_EQ(Preview()[0], "123456789");
    EXPECT_FALSE(d->qp->Cells(1, 1)->ReadOnly());  // the cells never became clues
  });
}

class EmptyCollection : public Collection {
  void BeforeStart() override { WriteFileBytes("tk.vlm", ""); }
};

TEST_F(EmptyCollection, IsAFileWithoutTitles) {
  EXPECT_EQ(startErrors, std::vector<std::string>{"Fixed row count must be less than row count"});
  EXPECT_EQ(Titles(), std::vector<std::string>{"名称"});
}

class EmptyFirstPuzzle : public Collection {
  void BeforeStart() override {
    WriteFileBytes("tk.vlm", FileBytes([] {
                     auto lines = Block("[1]", Rows(9, "000000000"));
                     auto more = Block("[2]", Other);
                     lines.insert(lines.end(), more.begin(), more.end());
                     return lines;
                   }()));
  }
};

TEST_F(EmptyFirstPuzzle, LeavesThePreviewEditableUntilASelectionChangesACell) {
  EXPECT_TRUE(startErrors.empty());
  for (auto* cell : Dialog()->qp->Cells) EXPECT_FALSE(cell->ReadOnly());
  InDialog([&](Tfrm_tk*) {
    PressTitle(2);
    for (auto* cell : Dialog()->qp->Cells) EXPECT_TRUE(cell->ReadOnly());
    EXPECT_EQ(Dialog()->qp->Cells(5, 5)->Font()->Color(), clBlack);
  });
}

// The sample collection that comes with the game, from the source tree.
class ShippedCollection : public Collection {
  void BeforeStart() override {
    std::filesystem::copy_file(VELMORA_SAMPLE, "tk.vlm");
  }
};

TEST_F(ShippedCollection, EveryTitlePlaysWithoutAnErrorBoxOrARepeat) {
  EXPECT_TRUE(startErrors.empty());
  int titles = Dialog()->StringGrid1->RowCount() - 1;
  ASSERT_GT(titles, 0);
  for (int row = 1; row <= titles; ++row) {
    Rows preview;
    InDialog([&](Tfrm_tk* d) {
      if (row > 1) tt::PressKey(d->StringGrid1, tt::keyDown);
      ASSERT_EQ(d->StringGrid1->Row(), row);
      preview = Preview();
      tt::Click(d->Button1);
    });
    std::string title = Dialog()->Caption();
    ASSERT_TRUE(tt::ErrorBoxes().empty()) << title;
    EXPECT_EQ(Board(), Shown(preview)) << title;
    EXPECT_NE(Board().find('.'), std::string::npos) << title;
    for (auto* cell : form->sd991->Cells) EXPECT_FALSE(cell->error()) << title;
  }
}
