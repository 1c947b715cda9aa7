// The game from the keyboard alone and as a screen reader hears it: the accessible tree of every
// window, the main window's Tab order, Escape in the dialogs, the cells' descriptions, and the
// candidate panel's keys.
#include <functional>
#include <memory>
#include <string>

#include "forms/UAbout.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_phb.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"

using namespace toolkit;
using namespace velmora;
namespace tt = toolkit::testing;

namespace {

// The objects under `o` that do not name their real parent and index, as "role name" lines.
std::string Unlinked(const tt::AccessibleObject& o) {
  std::string out;
  for (const auto& child : o.Children) {
    if (!child.Linked) out += child.Role + " " + child.Name + "\n";
    out += Unlinked(child);
  }
  return out;
}

// The objects under `o` whose description says their name again (a picture button named by its hint,
// whose tool tip the platform would give as its description too), as "role name: description" lines.
std::string Restated(const tt::AccessibleObject& o) {
  std::string out;
  for (const auto& child : o.Children) {
    if (!child.Name.empty() && child.Description.find(child.Name) != std::string::npos)
      out += child.Role + " " + child.Name + ": " + child.Description + "\n";
    out += Restated(child);
  }
  return out;
}

}  // namespace

class KeyboardAndScreenReader : public GameFixture {
 protected:
  // Loads a game whose one clue is a 5 at row 1, column 2.
  void LoadOneClue() {
    std::string lines = "0\n15\n";
    for (int k = 2; k < 81; ++k) lines += "0\n";
    WriteFileBytes("one.txt", lines);
    tt::AnswerFileDialog("one.txt");
    tt::Click(form->ToolButton1);
  }
};

TEST_F(KeyboardAndScreenReader, EveryWindowIsAFrameOrADialogWhosePartsNameTheirRealParentAndIndex) {
  tt::Click(form->ToolButton5);  // a game in play: the board and its cells enabled
  std::unique_ptr<Ufrm_phb::Tfrm_phb> table(new Ufrm_phb::Tfrm_phb(nullptr));
  // The new-record dialog tells its message once it has one: as it opens on a beaten record.
  tt::AccessibleObject record;
  tt::OnNextModal([&](TForm* f) { record = tt::Accessible(f); });
  FillAllBut(0, 0);
  ASSERT_EQ(tt::ModalForms().size(), 1u);
  const struct {
    TForm* window;
    const char* role;
    const char* described;  // what its description starts with: what it is for, or its message
  } windows[] = {{form, "frame", "数独游戏"},
                 {table.get(), "dialog", "初级：9999秒 佚名，普通：9999秒 佚名，"},
                 {UAbout::frm_about, "dialog", "Velmora1.5，新版本正在开发准备中"},
                 {Ufrm_help::frm_help, "dialog", "用上下方向键和翻页键逐行阅读"},
                 {Ufrm_tk::frm_tk, "dialog", "“确定”开始玩这道题"},
                 {Ufrm_new::frm_new, "dialog", "在空棋盘上输入一道题"},
                 {u_frm_djphb::frm_djphb, "dialog", "已破初级记录，"}};
  for (const auto& w : windows) {
    tt::AccessibleObject tree = w.window == u_frm_djphb::frm_djphb ? record : tt::Accessible(w.window);
    EXPECT_EQ(tree.Role, w.role) << w.window->Caption();
    EXPECT_EQ(tree.Description.rfind(w.described, 0), 0u) << tree.Description;
    EXPECT_EQ(Unlinked(tree), "") << w.window->Caption();
    EXPECT_EQ(Restated(tree), "") << w.window->Caption();
  }
  // Its box is named by the request above it and holds the name to type over: neither the message
  // nor the name is told twice.
  const tt::AccessibleObject* box = nullptr;
  std::function<void(const tt::AccessibleObject&)> find = [&](const tt::AccessibleObject& o) {
    if (o.Role == "text") box = &o;
    for (const auto& child : o.Children) find(child);
  };
  find(record);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Name, "请留下尊姓大名");
  EXPECT_EQ(box->Description, "");
  EXPECT_EQ(box->Value, "佚名");
  EXPECT_EQ(record.Description.find("请留下尊姓大名"), std::string::npos) << record.Description;
}

// Escape is each dialog's own way out, never one that loses anything: the editor keeps its board.
TEST_F(KeyboardAndScreenReader, EscapeClosesEachDialogAsItsCloseButtonDoes) {
  tt::TypeText(Ufrm_new::frm_new->sdnew->Cells(1, 1), "7");
  const struct {
    const char* name;
    std::function<void()> open;
  } dialogs[] = {
      {"record table", [&] { tt::Click(form->N2); }},  {"about", [&] { tt::Click(form->About1); }},
      {"help", [&] { tt::Click(form->N17); }},          {"collection", [&] { tt::Click(form->ToolButton11); }},
      {"editor", [&] { tt::Click(form->ToolButton4); }},
  };
  for (const auto& d : dialogs) {
    bool closed = false;
    tt::OnNextModal([&](TForm* f) {
      tt::TypeAtWindow(f, "\x1b");
      closed = f->ModalResult() != mrNone;
    });
    d.open();
    EXPECT_TRUE(closed) << d.name;
    EXPECT_EQ(tt::ModalForms().size(), 1u) << d.name;
    tt::ClearModalForms();
  }
  EXPECT_EQ(Ufrm_new::frm_new->sdnew->Cells(1, 1)->Text(), "7");
  EXPECT_TRUE(tt::ErrorBoxes().empty());
}

// Tab runs from the rules through every tool button in the bar's order to the board, which it enters
// at the cell last left, and back to the rules.
TEST_F(KeyboardAndScreenReader, TabGoesThroughTheToolBarTheBoardAndTheRules) {
  form->Show();
  Application->ProcessMessages();
  tt::Click(form->ToolButton5);
  tt::PressKey(Cell(1, 1), tt::keyDown);
  ASSERT_TRUE(Cell(2, 1)->Focused());
  // Undo and redo are greyed in a new game, so Tab passes them by.
  TControl* const order[] = {form->Memo2,       form->ToolButton1,  form->ToolButton2,  form->ToolButton4,
                             form->ToolButton5, form->ToolButton6,  form->ToolButton7,  form->ToolButton8,
                             form->ToolButton11, form->sfshowpan,   form->ToolButton10, form->ToolButton14,
                             Cell(2, 1),        form->Memo2};
  tt::PressKey(Cell(2, 1), tt::keyTab);
  for (TControl* expected : order) {
    EXPECT_TRUE(expected->Focused()) << expected->Hint() << expected->AccessibleName();
    tt::TypeAtWindow(form, "\t");
  }
  // And back by Shift+Tab: from the rules to the board, again at that cell.
  tt::PressKey(form->Memo2, tt::keyBacktab);
  EXPECT_TRUE(Cell(2, 1)->Focused());
}

TEST_F(KeyboardAndScreenReader, CellsDescribeWhatColourShowsAClueAndTheCellTheyRepeat) {
  LoadOneClue();
  const std::string clue = "5";
  const struct {
    std::string typed;  // into (1, 1)
    const char* open;   // the description of (1, 1)
    const char* line;   // the line of (1, 1) that a screen reader reads with the cell
    const char* given;  // of the clue (1, 2)
  } steps[] = {
      {clue, "与第1行第2列重复", "5", "提示数，与第1行第1列重复"},
      {"\b", "", "", "提示数"},
      {clue + clue, "候选 5 5", "", "提示数"},  // pencil marks repeat nothing, and are told apart
      {"\b\b178", "候选 1 7 8", "", "提示数"},  // not 一百七十八, neither first nor after
      {"\b\b", "", "1", "提示数"},
  };
  for (const auto& s : steps) {
    tt::TypeText(Cell(1, 1), s.typed);
    EXPECT_EQ(Cell(1, 1)->AccessibleDescription(), s.open) << s.typed;
    EXPECT_EQ(tt::Accessible(Cell(1, 1)).Line, s.line) << s.typed;
    EXPECT_EQ(Cell(1, 2)->AccessibleDescription(), s.given) << s.typed;
  }
  EXPECT_EQ(Cell(1, 1)->Text(), "1") << "the text stays as typed";
  Cell(1, 1)->set_Text("2468");  // marks the program assigns (a load, the panel's H) are told as well
  EXPECT_EQ(Cell(1, 1)->AccessibleDescription(), "候选 2 4 6 8");
}

// Ctrl+Space opens the candidate panel at an open cell while 候选数面板显示 is down; its keys move
// among the boxes, write, or close, and the focus goes back to the cell.
TEST_F(KeyboardAndScreenReader, TheCandidatePanelPlaysFromTheKeyboard) {
  form->Show();
  Application->ProcessMessages();
  LoadOneClue();
  auto ctrlSpace = [&](int row, int col) { tt::PressKey(Cell(row, col), tt::keySpace, {ssCtrl}); };
  ctrlSpace(1, 1);
  EXPECT_FALSE(form->pan->Visible()) << "switched off";
  tt::Click(form->sfshowpan);
  ctrlSpace(1, 2);
  EXPECT_FALSE(form->pan->Visible()) << "a clue";
  EXPECT_EQ(Cell(1, 2)->Text().size(), 1u) << "Ctrl+Space types nothing";
  ctrlSpace(1, 1);
  ASSERT_TRUE(form->pan->Visible());
  EXPECT_TRUE(form->pan->Focused());
  EXPECT_EQ(form->pan->Current, 1) << "on the first offered digit";
  const struct {
    tt::TKey key;
    int current;  // -1: the panel has closed
  } steps[] = {{tt::keyRight, 2}, {tt::keyUp, 11}, {tt::keyLeft, 10}, {tt::keyEscape, -1}};
  for (const auto& s : steps) {
    tt::PressKey(form->pan, s.key);
    if (s.current < 0) {
      EXPECT_FALSE(form->pan->Visible());
      EXPECT_TRUE(Cell(1, 1)->Focused());
    } else {
      EXPECT_EQ(form->pan->Current, s.current);
    }
    EXPECT_EQ(Cell(1, 1)->Text(), "");
  }
  // Around the keypad: "N" "H" over 1 2 3 / 4 5 6 / 7 8 9; at an edge the box stays.
  const struct {
    int from;
    TDirection way;
    int to;
  } moves[] = {{10, drRight, 11}, {11, drDown, 2}, {1, drUp, 10}, {3, drUp, 11}, {5, drLeft, 4}, {4, drLeft, 4},
               {6, drRight, 6},   {8, drDown, 8},  {9, drUp, 6},  {10, drUp, 10}};
  for (const auto& m : moves) {
    form->pan->Current = m.from;
    form->pan->MoveCurrent(m.way);
    EXPECT_EQ(form->pan->Current, m.to) << m.from << " " << m.way;
  }
  ctrlSpace(1, 1);
  tt::PressKey(form->pan, tt::keyDown);
  // A screen reader hears the digit once, as the text of the cell the focus comes back to: it is
  // written while the focus is still away, so that its insertion is not spoken as well.
  bool focusedWhenWritten = false;
  Cell(1, 1)->OnChange = [&, handler = Cell(1, 1)->OnChange](TObject* s) {
    focusedWhenWritten = Cell(1, 1)->Focused();
    handler(s);
  };
  tt::PressKey(form->pan, tt::keyEnter);
  EXPECT_FALSE(focusedWhenWritten);
  EXPECT_FALSE(form->pan->Visible());
  EXPECT_TRUE(Cell(1, 1)->Focused());
  EXPECT_EQ(Cell(1, 1)->Text(), "4") << "Enter writes as a click on the box does";
  ctrlSpace(1, 1);
  tt::PressKey(form->pan, tt::keyUp);
  tt::PressKey(form->pan, tt::keyRight);
  tt::PressKey(form->pan, tt::keySpace);
  EXPECT_EQ(Cell(1, 1)->Text(), "12346789") << "H by Space: every candidate";
}
