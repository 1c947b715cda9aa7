// The multi-line edit on its own: caret and selection keys, read-only, line breaks, mouse, and how it draws.
#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/Pixels.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

struct MemoFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TMemo* memo = nullptr;
  int changes = 0;
  void SetUp() override {
    form->SetBounds(0, 0, 300, 200);
    memo = Make(10, 10, 49, 49);
    memo->OnChange = [this](TObject*) { ++changes; };
  }
  void TearDown() override { delete form; }
  TMemo* Make(int l, int t, int w, int h) {
    auto* m = new TMemo(form);
    m->set_Parent(form);
    m->SetBounds(l, t, w, h);
    return m;
  }
  // The board cell's look: a flat one-pixel frame, white, centred text in the given size.
  void CellLook(TMemo* m, int points, TFontStyles style) {
    m->set_Ctl3D(false);
    m->set_BorderStyle(bsSingle);
    m->set_Alignment(taCenter);
    m->set_Color(clWhite);
    m->Font()->set_Size(points);
    m->Font()->set_Color(clBlack);
    m->Font()->set_Style(style);
  }
};

// The rows of a picture's area that hold ink, gathered into bands of touching rows: one band per line.
std::vector<std::pair<int, int>> InkBands(const tt::Picture& pic, int x0, int y0, int x1, int y1) {
  std::vector<std::pair<int, int>> bands;
  for (int y = y0; y <= y1; ++y) {
    if (pixels::FindInk(pic, clWhite, x0, y, x1, y).count == 0) continue;
    if (!bands.empty() && bands.back().second == y - 1)
      bands.back().second = y;
    else
      bands.push_back({y, y});
  }
  return bands;
}

}  // namespace

using MemoKeys = MemoFixture;

TEST_F(MemoKeys, ArrowsMoveTheCaretAndBackspaceAndDeleteEditInTheMiddle) {
  tt::TypeText(memo, "12345");
  EXPECT_EQ(memo->SelStart(), 5);
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyLeft);
  EXPECT_EQ(memo->SelStart(), 3);
  tt::PressKey(memo, tt::keyBackspace);
  EXPECT_EQ(memo->Text(), "1245");
  EXPECT_EQ(memo->SelStart(), 2);
  tt::PressKey(memo, tt::keyDelete);
  EXPECT_EQ(memo->Text(), "125");
  tt::TypeText(memo, "");  // TypeText puts the caret at the end first
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyBackspace);  // nothing before the caret
  EXPECT_EQ(memo->Text(), "125");
  tt::PressKey(memo, tt::keyRight);
  tt::PressKey(memo, tt::keyDelete);
  EXPECT_EQ(memo->Text(), "15");
  tt::PressKey(memo, tt::keyEnd);
  tt::PressKey(memo, tt::keyDelete);  // nothing after it
  EXPECT_EQ(memo->Text(), "15");
  EXPECT_EQ(changes, 5 + 3) << "five typed characters and three deletions, one change each";
}

TEST_F(MemoKeys, ShiftArrowsSelectAndPlainArrowsFoldTheSelection) {
  tt::TypeText(memo, "1234");
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyRight, {ssShift});
  tt::PressKey(memo, tt::keyRight, {ssShift});
  tt::PressKey(memo, tt::keyRight, {ssShift});
  tt::PressKey(memo, tt::keyLeft, {ssShift});
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 2);
  changes = 0;
  tt::PressKey(memo, tt::keyRight);  // folds the selection to its end without typing
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(memo->SelLength(), 0);
  tt::PressKey(memo, tt::keyHome, {ssShift});
  EXPECT_EQ(memo->SelLength(), 2);
  tt::PressKey(memo, tt::keyLeft);  // folds it to its start
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 0);
  tt::PressKey(memo, tt::keyRight);
  tt::PressKey(memo, tt::keyRight);
  tt::PressKey(memo, tt::keyEnd, {ssShift});
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(memo->SelLength(), 2);
  memo->SelectAll();
  EXPECT_EQ(memo->SelLength(), 4);
  memo->set_SelStart(1);
  EXPECT_EQ(memo->SelLength(), 0);
  tt::PressKey(memo, tt::keyEnd, {ssShift});
  EXPECT_EQ(memo->SelLength(), 3);
  EXPECT_EQ(changes, 0) << "moving and selecting changes nothing";
}

TEST_F(MemoKeys, TypingOrBackspaceOverASelectionReplacesItInOneChange) {
  tt::TypeText(memo, "1234");
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyLeft, {ssShift});
  tt::PressKey(memo, tt::keyLeft, {ssShift});
  changes = 0;
  tt::TypeAtCaret(memo, "9");
  EXPECT_EQ(memo->Text(), "194");
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(changes, 1);
  tt::PressKey(memo, tt::keyHome, {ssShift});
  tt::TypeAtCaret(memo, "\b");
  EXPECT_EQ(memo->Text(), "4");
  EXPECT_EQ(changes, 2);
  memo->SelectAll();
  tt::PressKey(memo, tt::keyDelete);
  EXPECT_EQ(memo->Text(), "");
  EXPECT_EQ(changes, 3);
}

TEST_F(MemoKeys, MaxLengthCountsTheSelectionAsRoom) {
  memo->set_MaxLength(3);
  tt::TypeText(memo, "123");
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyRight);
  tt::PressKey(memo, tt::keyEnd, {ssShift});  // "23"
  tt::TypeAtCaret(memo, "4567");
  EXPECT_EQ(memo->Text(), "145");
}

TEST_F(MemoKeys, EnterKeptByTheFilterBreaksTheLineAndTheTextHoldsCrLf) {
  std::string seen;
  memo->OnKeyPress = [&](TObject*, char& k) { seen += k; };
  tt::TypeText(memo, "1\r2");
  EXPECT_EQ(memo->Text(), "1\r\n2");
  EXPECT_EQ(seen, "1\r2");
  EXPECT_EQ(changes, 3);
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyBackspace);  // the line break is one character
  EXPECT_EQ(memo->Text(), "12");
  memo->OnKeyPress = [](TObject*, char& k) {
    if (k == 13) k = 0;
  };
  tt::TypeText(memo, "\r");
  EXPECT_EQ(memo->Text(), "12");
}

TEST_F(MemoKeys, UpAndDownMoveBetweenLines) {
  memo->set_Text("12\r\n34");
  tt::TypeText(memo, "");
  EXPECT_EQ(memo->SelStart(), 5);
  tt::PressKey(memo, tt::keyUp);
  EXPECT_EQ(memo->SelStart(), 2) << "the end of the first line, before its break";
  tt::PressKey(memo, tt::keyUp);
  EXPECT_EQ(memo->SelStart(), 2) << "nothing above the first line";
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyDown, {ssShift});
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 3);
  tt::PressKey(memo, tt::keyEnd);
  EXPECT_EQ(memo->SelStart(), 5);
}

TEST_F(MemoKeys, APlainArrowThatCannotMoveTheCaretReportsTheEdgeInsteadOfTyping) {
  std::vector<TDirection> edges;
  memo->OnCaretEdge = [&](TObject* Sender, TDirection d) {
    EXPECT_EQ(Sender, memo);
    edges.push_back(d);
  };
  int typed = 0;
  memo->OnKeyPress = [&](TObject*, char&) { ++typed; };
  memo->set_Text("12\r\n34");
  tt::TypeText(memo, "");
  tt::PressKey(memo, tt::keyRight);
  tt::PressKey(memo, tt::keyDown);
  tt::PressKey(memo, tt::keyRight, {ssShift});
  tt::PressKey(memo, tt::keyUp);  // to the first line: a move
  tt::PressKey(memo, tt::keyUp);
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyRight, {ssShift});
  tt::PressKey(memo, tt::keyLeft);  // folds the selection: a move
  tt::PressKey(memo, tt::keyLeft);
  EXPECT_EQ(edges, (std::vector<TDirection>{drRight, drDown, drUp, drLeft}));
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(typed, 0) << "arrows type no character";
  EXPECT_EQ(changes, 1);
}

TEST_F(MemoKeys, CtrlShortcutsCopyCutAndPasteOnlyWhenTheFilterKeepsThem) {
  auto* other = Make(100, 10, 49, 49);
  tt::TypeText(memo, "123");
  tt::TypeText(memo, "\x01\x03");  // Ctrl+A, Ctrl+C
  tt::TypeText(other, "\x16");     // Ctrl+V
  EXPECT_EQ(other->Text(), "123");
  tt::TypeText(memo, "\x01\x18");  // Ctrl+A, Ctrl+X
  EXPECT_EQ(memo->Text(), "");
  tt::TypeText(memo, "9\x16");
  EXPECT_EQ(memo->Text(), "9123");

  other->OnKeyPress = [](TObject*, char& k) {
    if (k == 1 || k == 24) k = 0;  // no Ctrl+A, no Ctrl+X
  };
  tt::TypeText(other, "\x01\x18");
  EXPECT_EQ(other->Text(), "123");
  EXPECT_EQ(other->SelLength(), 0);
}

TEST_F(MemoKeys, ReadOnlyLetsThePlayerSelectAndCopyButNotEdit) {
  auto* other = Make(100, 10, 49, 49);
  memo->set_Text("123");
  memo->set_ReadOnly(true);
  changes = 0;
  tt::TypeText(memo, "4\b\r\x16\x01\x18");  // ... Ctrl+V, Ctrl+A, Ctrl+X
  tt::PressKey(memo, tt::keyHome);
  tt::PressKey(memo, tt::keyDelete);
  tt::Paste(memo, "5");
  tt::Drop(memo, "6");
  EXPECT_EQ(memo->Text(), "123");
  EXPECT_EQ(changes, 0);
  tt::PressKey(memo, tt::keyEnd, {ssShift});
  EXPECT_EQ(memo->SelLength(), 3);
  tt::TypeText(memo, "\x01\x03");  // Ctrl+A, Ctrl+C
  tt::TypeText(other, "\x16");
  EXPECT_EQ(other->Text(), "123");
}

TEST_F(MemoKeys, EscapeIsLeftToTheFormAndTabToTheFocus) {
  std::string seen;
  memo->OnKeyPress = [&](TObject*, char& k) { seen += k; };
  tt::TypeText(memo, "\x1b\t");
  EXPECT_EQ(seen, "\x1b\t");
  EXPECT_EQ(memo->Text(), "") << "neither Escape nor Tab is typed into the text";
}

using MemoMouse = MemoFixture;

TEST_F(MemoMouse, APressPutsTheCaretAtTheCharacterUnderIt) {
  memo->SetBounds(10, 10, 120, 40);
  memo->set_Ctl3D(false);
  memo->Font()->set_Size(12);
  memo->set_Text("12345678");
  tt::PressMouse(memo, mbLeft, 110, 10);
  EXPECT_EQ(memo->SelStart(), 8) << "right of the text: its end";
  tt::PressMouse(memo, mbLeft, 1, 10);
  EXPECT_EQ(memo->SelStart(), 0);
  tt::PressMouse(memo, mbLeft, 2 + 25, 10);  // digits are 9 to 11 pixels wide: between the 2nd and 3rd
  EXPECT_GE(memo->SelStart(), 2);
  EXPECT_LE(memo->SelStart(), 3);
  EXPECT_EQ(changes, 1) << "only the assignment";
}

TEST_F(MemoMouse, DraggingSelectsAndADoubleClickSelectsAll) {
  memo->SetBounds(10, 10, 120, 40);
  memo->set_Ctl3D(false);
  memo->Font()->set_Size(12);
  memo->set_Text("12345678");
  tt::DragMouse(memo, 110, 10, 1, 10);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 8);
  tt::DragMouse(memo, 1, 10, 2 + 25, 10);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_GE(memo->SelLength(), 2);
  EXPECT_LE(memo->SelLength(), 3);
  tt::MoveMouse(memo, 110, 10);  // no button held: the selection stays
  EXPECT_LE(memo->SelLength(), 3);
  tt::PressMouse(memo, mbLeft, 110, 10);
  EXPECT_EQ(memo->SelLength(), 0);
  tt::DoubleClickMouse(memo, 30, 10);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 8);
  EXPECT_EQ(changes, 1) << "only the assignment";
}

TEST_F(MemoMouse, DroppedTextLandsWhereItIsDropped) {
  memo->SetBounds(10, 10, 120, 40);
  memo->Font()->set_Size(12);
  memo->set_Text("12345678");
  tt::Drop(memo, "9");  // at the middle of the control, among the digits
  std::size_t at = memo->Text().find('9');
  EXPECT_GT(at, 2u) << memo->Text();
  EXPECT_LT(at, 8u) << memo->Text();
  EXPECT_EQ(memo->Text().size(), 9u);
}

TEST_F(MemoMouse, LinesBelowTheControlScrollUpWhenTheCaretGoesThere) {
  memo->Font()->set_Size(12);  // 19-pixel lines: two and a half fit in the cell
  memo->set_Text("1\r\n2\r\n3\r\n4\r\n5");
  tt::TypeText(memo, "");  // the caret at the end, on the fifth line
  tt::Grab(memo);
  tt::PressMouse(memo, mbLeft, 24, 44);
  EXPECT_GE(memo->SelStart(), 8) << "the bottom of the control shows the fifth line";
  tt::PressKey(memo, tt::keyHome, {ssCtrl});
  tt::Grab(memo);
  tt::PressMouse(memo, mbLeft, 24, 4);
  EXPECT_LE(memo->SelStart(), 1) << "back on the first line";
}

TEST_F(MemoMouse, TheControlStillSeesPressesAndMovesInItsOwnCoordinates) {
  std::vector<std::pair<int, int>> downs, moves;
  memo->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back({x, y}); };
  memo->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back({x, y}); };
  tt::PressMouse(memo, mbLeft, 7, 9);
  tt::MoveMouse(memo, 30, 40);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0], std::make_pair(7, 9));
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back(), std::make_pair(30, 40));
}

using MemoLook = MemoFixture;

TEST_F(MemoLook, ALargeDigitIsCentredInABoardCell) {
  CellLook(memo, 25, {fsBold});
  for (const char* digit : {"1", "5", "8"}) {
    memo->set_Text(digit);
    auto pic = tt::Grab(memo);
    auto ink = pixels::FindInk(pic, clWhite, 1, 1, 47, 47);
    ASSERT_GT(ink.count, 0) << digit;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 24.0, 2.0) << digit;
    EXPECT_GE(ink.Height(), 20) << digit;
    EXPECT_LT(ink.top, 15) << "top-aligned: " << digit;
  }
}

TEST_F(MemoLook, LeftAlignedTextStartsAtTheInnerMargin) {
  CellLook(memo, 25, {fsBold});
  memo->set_Alignment(taLeftJustify);
  memo->set_Text("1");
  auto ink = pixels::FindInk(tt::Grab(memo), clWhite, 1, 1, 47, 47);
  ASSERT_GT(ink.count, 0);
  EXPECT_LE(ink.left, 10);
  EXPECT_LT((ink.left + ink.right) / 2.0, 20.0);
}

TEST_F(MemoLook, PencilMarksWrapInsideTheCellOnTwoLines) {
  memo->SetBounds(10, 10, 48, 48);
  CellLook(memo, 12, {});
  memo->set_Text("1234");
  auto one = InkBands(tt::Grab(memo), 1, 1, 46, 46);
  EXPECT_EQ(one.size(), 1u);
  memo->set_Text("12345678");
  auto pic = tt::Grab(memo);
  auto bands = InkBands(pic, 1, 1, 46, 46);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_LT(bands[1].second, 46) << "the second line lies inside the cell";
  auto ink = pixels::FindInk(pic, clWhite, 1, 1, 46, 46);
  EXPECT_GE(ink.left, 2);
  EXPECT_LE(ink.right, 45);
}

TEST_F(MemoLook, ALineBreakStartsANewLine) {
  memo->SetBounds(10, 10, 100, 60);
  CellLook(memo, 12, {});
  memo->set_Text("1\r\n2");
  EXPECT_EQ(InkBands(tt::Grab(memo), 1, 1, 98, 58).size(), 2u);
  memo->set_Text("12");
  EXPECT_EQ(InkBands(tt::Grab(memo), 1, 1, 98, 58).size(), 1u);
}

TEST_F(MemoLook, BordersAreNoneFlatBlackOrSunken) {
  memo->set_Color(0x00E0F0FF);
  memo->set_Ctl3D(false);
  auto flat = tt::Grab(memo);
  for (int k : {0, 10, 24, 48}) {
    EXPECT_EQ(flat.Pixel(0, k), clBlack) << k;
    EXPECT_EQ(flat.Pixel(48, k), clBlack) << k;
    EXPECT_EQ(flat.Pixel(k, 0), clBlack) << k;
    EXPECT_EQ(flat.Pixel(k, 48), clBlack) << k;
  }
  EXPECT_EQ(flat.Pixel(1, 1), 0x00E0F0FFu);
  EXPECT_EQ(flat.Pixel(47, 47), 0x00E0F0FFu);

  memo->set_Ctl3D(true);
  auto sunken = tt::Grab(memo);
  EXPECT_EQ(sunken.Pixel(0, 20), ColorToRGB(clBtnShadow));
  EXPECT_EQ(sunken.Pixel(20, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(sunken.Pixel(48, 20), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(sunken.Pixel(20, 48), ColorToRGB(clBtnHighlight));
  EXPECT_NE(sunken.Pixel(1, 20), 0x00E0F0FFu) << "the edge is two pixels deep";
  EXPECT_EQ(sunken.Pixel(2, 20), 0x00E0F0FFu);

  memo->set_BorderStyle(bsNone);
  auto none = tt::Grab(memo);
  EXPECT_EQ(none.Pixel(0, 0), 0x00E0F0FFu);
  EXPECT_EQ(none.Pixel(48, 48), 0x00E0F0FFu);
}

TEST_F(MemoLook, ColourAndFontColourChangesShowAtTheNextPaint) {
  CellLook(memo, 25, {fsBold});
  memo->set_Text("8");
  memo->set_Color(clRed);
  memo->Font()->set_Color(clBlue);
  auto pic = tt::Grab(memo);
  EXPECT_EQ(pic.Pixel(44, 44), clRed);
  EXPECT_TRUE(pixels::Any(pic, 2, 2, 46, 46, pixels::IsBlueInk));
  EXPECT_FALSE(pixels::Any(pic, 2, 2, 46, 46, pixels::IsBlackInk));
}

using MemoMenu = MemoFixture;

TEST_F(MemoMenu, ReadsAsTheClassicEditsMenuAndUndoesThePlayersLastEditOnce) {
  auto shown = [](const std::vector<tt::MenuEntry>& menu) {
    std::string s;
    for (const auto& e : menu) s += (e.Enabled ? "" : "~") + e.Caption + " ";
    return s;
  };
  tt::Paste(Make(100, 10, 49, 49), "7");  // something on the clipboard
  EXPECT_EQ(shown(tt::ContextMenu(memo, 5, 5)), "~撤销(&U) - ~剪切(&T) ~复制(&C) 粘贴(&P) ~删除(&D) - ~全选(&A) ");

  // A run of typed characters is one edit; a second undo takes back the first; each is a change.
  tt::TypeText(memo, "12");
  tt::TypeText(memo, "3");
  changes = 0;
  tt::ContextMenu(memo, 5, 5, "撤销(&U)");
  EXPECT_EQ(memo->Text(), "");
  tt::ContextMenu(memo, 5, 5, "撤销(&U)");
  EXPECT_EQ(memo->Text(), "123");
  EXPECT_EQ(changes, 2);

  EXPECT_EQ(shown(tt::ContextMenu(memo, 5, 5, "全选(&A)")), "撤销(&U) - ~剪切(&T) ~复制(&C) 粘贴(&P) ~删除(&D) - 全选(&A) ");
  EXPECT_EQ(shown(tt::ContextMenu(memo, 5, 5, "剪切(&T)")), "撤销(&U) - 剪切(&T) 复制(&C) 粘贴(&P) 删除(&D) - ~全选(&A) ");
  EXPECT_EQ(memo->Text(), "");
  // Ctrl+Z is a typed character: it undoes only when the filter keeps it.
  memo->OnKeyPress = [](TObject*, char& k) {
    if (k == 26) k = 0;
  };
  tt::TypeText(memo, "\x1a");
  EXPECT_EQ(memo->Text(), "");
  memo->OnKeyPress = nullptr;
  tt::TypeText(memo, "\x1a");
  EXPECT_EQ(memo->Text(), "123");

  // What the program assigns leaves nothing to undo, and a read-only edit undoes nothing.
  memo->set_Text("5");
  EXPECT_FALSE(tt::ContextMenu(memo, 5, 5).front().Enabled);
  tt::TypeText(memo, "\b");
  memo->set_ReadOnly(true);
  EXPECT_EQ(shown(tt::ContextMenu(memo, 5, 5)), "~撤销(&U) - ~剪切(&T) ~复制(&C) ~粘贴(&P) ~删除(&D) - ~全选(&A) ");
  tt::TypeText(memo, "\x1a");
  EXPECT_EQ(memo->Text(), "");
}

// A text far longer than a control shows is laid out only around the caret: moving, editing and
// drawing work the same anywhere in it, across the places where the laid-out part changes.
TEST_F(MemoKeys, AVeryLongTextIsMovedInEditedAndDrawnAnywhere) {
  // 2000 lines of "L" + the line's number to 4 digits + 5 dots: 10 characters and a break each.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "L" + std::to_string(10000 + i).substr(1) + "....." + "\r\n";
  memo->SetBounds(10, 10, 200, 60);
  memo->set_Text(text);
  tt::TypeText(memo, "");  // the caret at the end, on the empty line after the last break
  const int end = memo->SelStart();
  const struct {
    tt::TKey key;
    TShiftState shift;
    int expected;  // where the caret lands, from where the row before left it
  } moves[] = {
      {tt::keyHome, {ssCtrl}, 0},   {tt::keyDown, {}, 11},          {tt::keyEnd, {}, 21},
      {tt::keyEnd, {ssCtrl}, end},  {tt::keyUp, {}, end - 11},      {tt::keyHome, {}, end - 11},
      {tt::keyLeft, {}, end - 12},  {tt::keyUp, {}, end - 23},      {tt::keyHome, {ssCtrl}, 0},
  };
  for (const auto& m : moves) {
    tt::PressKey(memo, m.key, m.shift);
    EXPECT_EQ(memo->SelStart(), m.expected) << m.expected;
  }
  // Walked one character at a time over the first places where the laid-out part moves on.
  memo->set_SelStart(2040);
  for (int at = 2041; at <= 4200; ++at) {
    tt::PressKey(memo, tt::keyRight);
    ASSERT_EQ(memo->SelStart(), at);
  }
  for (int at = 4199; at >= 3990; --at) {
    tt::PressKey(memo, tt::keyLeft);
    ASSERT_EQ(memo->SelStart(), at);
  }
  // Line 372 starts at 4092, just before such a place; Backspace there joins it to line 371.
  memo->set_SelStart(4092);
  tt::PressKey(memo, tt::keyBackspace);
  EXPECT_NE(memo->Text().find("\nL0371.....L0372.....\r\nL0373"), std::string::npos);
  EXPECT_EQ(memo->SelStart(), 4091);
  // Far into the text the visible lines are drawn.
  memo->set_SelStart(20000);
  tt::Picture pic = tt::Grab(memo);
  EXPECT_GT(pixels::FindInk(pic, memo->Color(), 2, 2, pic.Width() - 3, pic.Height() - 3).count, 0);
}

using MemoScreenReader = MemoFixture;

// A screen reader reads what the caret moves over, by character, word or line: it is told of every
// caret move and selection change, after the change of text that made it.
TEST_F(MemoScreenReader, EveryCaretMoveAndSelectionChangeIsTold) {
  auto* wide = Make(60, 10, 200, 60);
  wide->set_Text("ab cd\r\nef");
  tt::PressKey(wide, tt::keyHome);  // the window shown, the focus in the text, the caret at its start
  Application->ProcessMessages();
  const struct {
    tt::TKey key;
    TShiftState shift;
    std::vector<std::string> heard;
    const char* line;  // the line of the caret, as a screen reader asks for it
  } steps[] = {
      {tt::keyRight, {}, {"caret 1"}, "ab cd\n"},
      {tt::keyRight, {ssShift}, {"selection 1 2", "caret 2"}, "ab cd\n"},
      {tt::keyRight, {}, {"selection 2 2"}, "ab cd\n"},  // folded: the caret stays
      {tt::keyEnd, {ssCtrl}, {"caret 8"}, "ef"},
      {tt::keyHome, {}, {"caret 6"}, "ef"},
      {tt::keyUp, {}, {"caret 0"}, "ab cd\n"},
      {tt::keyEnd, {ssShift}, {"selection 0 5", "caret 5"}, "ab cd\n"},
      {tt::keyBackspace, {}, {"removed 0 ab cd", "selection 0 0", "caret 0"}, "\n"},
      {tt::keyDelete, {}, {"removed 0 \n"}, "ef"},
      {tt::keyLeft, {}, {}, "ef"},  // at the start: nothing moves, nothing is told
  };
  for (const auto& s : steps) {
    tt::Heard();
    tt::Listen();
    tt::PressKey(wide, s.key, s.shift);
    EXPECT_EQ(tt::Heard(), s.heard) << s.key << " " << s.line;
    EXPECT_EQ(tt::Accessible(wide).Line, s.line) << s.key;
  }
  tt::Listen();
  tt::TypeAtCaret(wide, "7");
  EXPECT_EQ(tt::StopListening(), (std::vector<std::string>{"inserted 0 7", "caret 1"}));
}

// Down walks a long paragraph line by line as it is shown, wrapped at the edge: each line is read
// as the caret reaches it, and the lines read make up the whole text.
TEST_F(MemoScreenReader, LinesAreReadAsShownWrappedAtTheEdge) {
  const std::string text = "one two three four five six seven eight nine ten";
  auto* narrow = Make(60, 10, 80, 120);
  narrow->set_ReadOnly(true);
  narrow->set_Text(text + "\r\nend");
  tt::PressKey(narrow, tt::keyHome);
  Application->ProcessMessages();
  tt::Listen();
  std::string read = tt::Accessible(narrow).Line;
  int lines = 1;
  for (int i = 0; i < 20 && tt::Accessible(narrow).Line != "end"; ++i) {
    tt::PressKey(narrow, tt::keyDown);
    ASSERT_EQ(tt::Heard().size(), static_cast<std::size_t>(lines)) << "one caret move a line";
    read += tt::Accessible(narrow).Line;
    ++lines;
  }
  tt::StopListening();
  EXPECT_EQ(read, text + "\nend");
  EXPECT_GE(lines, 4) << "the paragraph wraps over three lines or more";
}

// Page Down and Page Up move by what the control shows, Ctrl and an arrow by words; each move is told.
TEST_F(MemoScreenReader, PagesAndWordsMoveTheCaretAndAreTold) {
  auto* narrow = Make(60, 10, 80, 60);
  narrow->set_ReadOnly(true);
  narrow->set_Text("one two three four five six seven eight nine ten eleven twelve");
  tt::PressKey(narrow, tt::keyHome);
  Application->ProcessMessages();
  tt::Listen();
  tt::PressKey(narrow, tt::keyPageDown);
  const int page = narrow->SelStart();
  EXPECT_GT(page, 0);
  EXPECT_LT(page, static_cast<int>(narrow->Text().size())) << "a page is less than the whole text";
  EXPECT_EQ(tt::Heard(), (std::vector<std::string>{"caret " + std::to_string(page)}));
  for (int i = 0; i < 10; ++i) tt::PressKey(narrow, tt::keyPageDown);
  EXPECT_EQ(narrow->SelStart(), static_cast<int>(narrow->Text().size())) << "the last page ends at the end";
  for (int i = 0; i < 10; ++i) tt::PressKey(narrow, tt::keyPageUp);
  EXPECT_EQ(narrow->SelStart(), 0);
  tt::Listen();
  tt::PressKey(narrow, tt::keyRight, {ssCtrl});
  tt::PressKey(narrow, tt::keyRight, {ssCtrl});
  tt::PressKey(narrow, tt::keyLeft, {ssCtrl});
  EXPECT_EQ(tt::StopListening(), (std::vector<std::string>{"caret 4", "caret 8", "caret 4"}));
}
