// A whole session as a player has it, every window once, from start to exit; tools/leakcheck.sh runs it
// under valgrind, and the sanitizer build checks it for leaks at exit.
#include <filesystem>

#include "forms/UAbout.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_phb.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
namespace tt = toolkit::testing;

class FullSession : public GameFixture {
 protected:
  void BeforeStart() override {
    std::filesystem::copy_file(VELMORA_SAMPLE, "tk.vlm");
  }
};

TEST_F(FullSession, PlaysARecordSavesLoadsAndVisitsEveryWindowBeforeExit) {
  EXPECT_TRUE(startErrors.empty());

  // A beginner game to a new record, stored under a typed name.
  tt::Click(form->ToolButton5);
  auto [lastRow, lastCol] = LastOpenCell();
  FillAllBut(lastRow, lastCol);
  tt::Tick(form->TimeLabel1->Timer);
  tt::OnNextModal([](TForm* f) {
    auto* dialog = static_cast<velmora::u_frm_djphb::Tfrm_djphb*>(f);
    dialog->Edit1->set_Text("");
    tt::TypeText(dialog->Edit1, "小明");
    tt::Click(dialog->Button1);
  });
  tt::TypeText(Cell(lastRow, lastCol), std::to_string(form->QJ1->Solution(lastRow, lastCol)));
  EXPECT_TRUE(form->WC_Label->Visible());
  EXPECT_EQ(form->BestTime(1), 1);

  // Save an unfinished game of another level and load it back.
  tt::Click(form->ToolButton6);
  std::string board = Board();
  tt::AnswerFileDialog("session.txt");
  tt::Click(form->ToolButton2);
  tt::Click(form->ToolButton7);
  tt::AnswerFileDialog("session.txt");
  tt::Click(form->ToolButton1);
  EXPECT_EQ(Board(), board);

  // The editor: a puzzle saved, then played.
  auto* editor = velmora::Ufrm_new::frm_new;
  tt::OnNextModal([&](TForm*) {
    tt::TypeText(editor->sdnew->Cells(5, 5), "8");
    tt::AnswerFileDialog("mine.txt");
    tt::Click(editor->Button1);
    tt::Click(editor->Button2);
  });
  tt::Click(form->ToolButton4);
  EXPECT_EQ(Cell(5, 5)->Text(), "8");
  EXPECT_TRUE(Cell(5, 5)->ReadOnly());

  // The collection: the second title played.
  auto* collection = velmora::Ufrm_tk::frm_tk;
  tt::OnNextModal([&](TForm*) {
    tt::PressKey(collection->StringGrid1, tt::keyDown);
    tt::Click(collection->Button1);
  });
  tt::Click(form->ToolButton11);
  EXPECT_EQ(form->sd991->nd, 2);

  // The record table shows the record; help and about open and close.
  std::string shown;
  tt::OnNextModal([&](TForm* f) {
    auto* table = static_cast<velmora::Ufrm_phb::Tfrm_phb*>(f);
    shown = table->m1->Caption();
    tt::Click(table->Button2);
  });
  tt::Click(form->N2);
  EXPECT_EQ(shown, "小明");
  // Help is scrolled to its end and drawn; about is drawn and left with its button.
  bool helpShown = false, aboutShown = false;
  tt::OnNextModal([&](TForm* f) {
    auto* help = static_cast<velmora::Ufrm_help::Tfrm_help*>(f);
    helpShown = f == velmora::Ufrm_help::frm_help;
    help->ScrollBar1->set_Position(help->ScrollBar1->Max());
    EXPECT_GT(tt::Grab(f).Width(), 0);
  });
  tt::Click(form->N17);
  tt::OnNextModal([&](TForm* f) {
    aboutShown = f == velmora::UAbout::frm_about;
    EXPECT_GT(tt::Grab(f).Width(), 0);
    tt::Click(velmora::UAbout::frm_about->Button1);
  });
  tt::Click(form->About1);
  EXPECT_TRUE(helpShown);
  EXPECT_TRUE(aboutShown);

  EXPECT_TRUE(tt::ErrorBoxes().empty());
  tt::Click(form->N5);  // exit
  EXPECT_FALSE(form->Visible());
}
