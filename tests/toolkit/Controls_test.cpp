// The layer's promises: text change, typing filter, where mouse and keys go, error box, painting, ownership, timers.
#include <gtest/gtest.h>

#include <set>

#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

struct FormFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  void SetUp() override {
    form->SetBounds(0, 0, 300, 200);
    tt::ClearErrorBoxes();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Make(int l, int t, int w, int h) {
    T* c = new T(form);
    c->set_Parent(form);
    c->SetBounds(l, t, w, h);
    return c;
  }
};

// Only the digits 1..9, Backspace and the full stop, as a game cell allows.
void DigitsOnly(TObject*, char& key) {
  if (!((key >= '1' && key <= '9') || key == 8 || key == '.')) key = 0;
}

}  // namespace

using TextChange = FormFixture;

TEST_F(TextChange, FiresOnceForEveryRealChangeAndNeverForTheSameText) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->set_Text("5");  // before the widget exists
  EXPECT_EQ(changes, 1);
  memo->set_Text("5");
  EXPECT_EQ(changes, 1);
  tt::TypeText(memo, "6");  // makes the widget, then types
  EXPECT_EQ(memo->Text(), "56");
  EXPECT_EQ(changes, 2);
  tt::TypeText(memo, "\b");
  EXPECT_EQ(memo->Text(), "5");
  EXPECT_EQ(changes, 3);
  memo->set_Text("");
  EXPECT_EQ(changes, 4);
  memo->set_Text("");
  EXPECT_EQ(changes, 4);
}

using Typing = FormFixture;

TEST_F(Typing, EveryCharacterPassesTheFilterFirst) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  std::string seen;
  memo->OnKeyPress = [&](TObject* s, char& k) {
    seen += k;
    DigitsOnly(s, k);
  };
  tt::TypeText(memo, "1a0 .9\r\t\x16");
  EXPECT_EQ(memo->Text(), "1.9");
  EXPECT_EQ(seen, std::string("1a0 .9\r\t\x16"));
}

TEST_F(Typing, MaxLengthLimitsTypingButNotAssignment) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->set_MaxLength(3);
  tt::TypeText(memo, "12345");
  EXPECT_EQ(memo->Text(), "123");
  memo->set_Text("123456789");
  EXPECT_EQ(memo->Text(), "123456789");
}

TEST_F(Typing, PasteAndDropGoThroughTheSameFilter) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->OnKeyPress = DigitsOnly;
  memo->set_MaxLength(8);
  tt::Paste(memo, "a5b");
  EXPECT_EQ(memo->Text(), "5");
  tt::Drop(memo, "x7y中");
  EXPECT_EQ(memo->Text().find_first_not_of("57"), std::string::npos) << memo->Text();
  EXPECT_NE(memo->Text().find('7'), std::string::npos);
  tt::Paste(memo, "123456789");
  EXPECT_EQ(memo->Text().size(), 8u);
}

TEST_F(Typing, ArrowsAndDeleteEditAsUsual) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->OnKeyPress = DigitsOnly;
  tt::TypeText(memo, "123");
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyDelete);
  EXPECT_EQ(memo->Text(), "13");
}

TEST_F(Typing, ReadOnlyRefusesTyping) {
  auto* edit = Make<TEdit>(0, 0, 80, 21);
  edit->set_ReadOnly(true);
  tt::TypeText(edit, "abc");
  EXPECT_EQ(edit->Text(), "");
  edit->set_ReadOnly(false);
  tt::TypeText(edit, "佚名 x");
  EXPECT_EQ(edit->Text(), "佚名 x");
}

using Input = FormFixture;

TEST_F(Input, ReachesOnlyTheEnabledControlUnderThePoint) {
  auto* panel = Make<TPanel>(10, 10, 150, 150);
  auto* memo = new TMemo(form);
  memo->set_Parent(panel);
  memo->SetBounds(10, 10, 60, 60);
  auto* cover = new TPanel(form);  // lies over the memo's right part
  cover->set_Parent(panel);
  cover->SetBounds(50, 10, 40, 40);
  std::set<std::string> got;
  for (TControl* c : std::initializer_list<TControl*>{form, panel, memo, cover}) {
    std::string name = c == form ? "form" : c == panel ? "panel" : c == memo ? "memo" : "cover";
    c->OnMouseDown = [&got, name](TObject*, TMouseButton, TShiftState, int, int) { got.insert(name + " down"); };
    c->OnMouseMove = [&got, name](TObject*, TShiftState, int, int) { got.insert(name + " move"); };
    c->OnClick = [&got, name](TObject*) { got.insert(name + " click"); };
  }
  memo->OnKeyPress = [&](TObject*, char&) { got.insert("memo key"); };
  using Events = std::set<std::string>;

  // Over a plain panel or an edit, the mouse is theirs alone: nothing climbs to the parent under them.
  tt::MoveMouse(panel, 100, 100);
  tt::PressMouse(memo, mbLeft, 5, 5);
  EXPECT_EQ(got, (Events{"panel move", "memo move", "memo down", "memo click"}));
  got.clear();
  // A point of the memo under the cover is the cover's.
  tt::PressMouse(memo, mbLeft, 50, 5);
  EXPECT_EQ(got, (Events{"cover move", "cover down", "cover click"}));
  got.clear();
  // A disabled control, or one on a disabled parent, takes no mouse and no keys, and passes nothing on.
  tt::TypeText(memo, "1");
  got.clear();
  memo->set_Enabled(false);
  tt::PressMouse(memo, mbLeft, 5, 5);
  tt::TypeText(memo, "2");
  memo->set_Enabled(true);
  panel->set_Enabled(false);
  tt::PressMouse(memo, mbLeft, 6, 6);
  tt::PressMouse(panel, mbLeft, 100, 100);
  tt::TypeText(memo, "3");
  EXPECT_EQ(got, Events{});
  EXPECT_EQ(memo->Text(), "1");
  panel->set_Enabled(true);
  tt::TypeText(memo, "4");
  EXPECT_EQ(memo->Text(), "14");
}

using Errors = FormFixture;

TEST_F(Errors, AnExceptionInAHandlerShowsOneErrorBoxAndAbortShowsNone) {
  auto* button = Make<TButton>(10, 10, 75, 25);
  button->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  tt::Click(button);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_EQ(tt::ErrorBoxes()[0], "'x' is not a valid integer value");
  button->OnClick = [](TObject*) { Abort(); };
  tt::Click(button);
  EXPECT_EQ(tt::ErrorBoxes().size(), 1u);
}

TEST_F(Errors, AFailingCreateHandlerShowsTheBoxAndTheFormLives) {
  struct Failing : TForm {
    explicit Failing(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw EFOpenError("Cannot open file \"/x/tk.vlm\". No such file or directory"); };
      DoCreate();
    }
  };
  Failing f(nullptr);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_NE(tt::ErrorBoxes()[0].find("tk.vlm"), std::string::npos);
}

TEST_F(Errors, AVeryLongMessageShowsItsStartAndEndCutBetweenCharacters) {
  std::string chinese;
  for (int i = 0; i < 100000; ++i) chinese += "中";
  auto* button = Make<TButton>(10, 10, 75, 25);
  button->OnClick = [&](TObject*) { throw EConvertError("'" + chinese + "' is not a valid integer value"); };
  tt::Click(button);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  std::string box = tt::ErrorBoxes()[0];
  EXPECT_LT(box.size(), 1000u);
  EXPECT_EQ(box.substr(0, 4), "'中");
  EXPECT_EQ(box.substr(box.size() - 33), "中' is not a valid integer value");
  std::size_t cut = box.find("…");
  ASSERT_NE(cut, std::string::npos);
  EXPECT_EQ((cut - 1) % 3, 0u);  // whole characters before the cut ...
  EXPECT_EQ(box.substr(cut + 3, 3), "中");  // ... and after it
  button->OnClick = [](TObject*) { throw EConvertError(std::string(800, 'x')); };  // short enough: whole
  tt::Click(button);
  EXPECT_EQ(tt::ErrorBoxes()[1], std::string(800, 'x'));
}

using Painting = FormFixture;

TEST_F(Painting, PanelFillsItsColourAndDrawsItsRaisedBevel) {
  struct Cross : TPanel {
    using TPanel::TPanel;
    void Paint() override {
      TPanel::Paint();
      Canvas()->Pen.Color = clRed;
      Canvas()->Pen.Width = 1;
      Canvas()->MoveTo(0, 20);
      Canvas()->LineTo(30, 20);  // the end point is not drawn
    }
  };
  auto* p = new Cross(form);
  p->set_Parent(form);
  p->SetBounds(0, 0, 40, 30);
  p->set_Color(0x00F0FBFF);
  auto pic = tt::Grab(p);
  EXPECT_EQ(pic.Pixel(10, 10), 0x00F0FBFFu);
  EXPECT_EQ(pic.Pixel(0, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(pic.Pixel(39, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pic.Pixel(5, 29), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pic.Pixel(20, 20), clRed);
  EXPECT_EQ(pic.Pixel(29, 20), clRed);
  EXPECT_EQ(pic.Pixel(30, 20), 0x00F0FBFFu);
}

TEST_F(Painting, FlatSingleBorderIsOnePixelAndChildrenSitInsideIt) {
  auto* p = Make<TPanel>(0, 0, 50, 50);
  p->set_BevelOuter(bvNone);
  p->set_BorderStyle(bsSingle);
  p->set_Ctl3D(false);
  p->set_Color(clWhite);
  auto* child = new TPanel(form);
  child->set_Parent(p);
  child->SetBounds(0, 0, 10, 10);
  child->set_BevelOuter(bvNone);
  child->set_Color(clBlue);
  EXPECT_EQ(p->ClientWidth(), 48);
  auto pic = tt::Grab(p);
  EXPECT_EQ(pic.Pixel(0, 0), clBlack);
  EXPECT_EQ(pic.Pixel(49, 49), clBlack);
  EXPECT_EQ(pic.Pixel(1, 1), clBlue);
  EXPECT_EQ(pic.Pixel(11, 11), clWhite);
}

TEST_F(Painting, AlignedChildrenShareTheClientArea) {
  auto* top = Make<TPanel>(0, 0, 10, 29);
  top->set_Align(alTop);
  auto* left = Make<TPanel>(0, 0, 100, 10);
  left->set_Align(alLeft);
  EXPECT_EQ(top->Width(), 300);
  EXPECT_EQ(left->Top(), 29);
  EXPECT_EQ(left->Height(), 171);
  EXPECT_EQ(left->Width(), 100);
}

TEST(Ownership, FreeingAParentDetachesChildrenItDoesNotOwn) {
  TForm owner(nullptr);
  auto* a = new TPanel(&owner);
  auto* b = new TPanel(&owner);
  b->set_Parent(a);
  tt::Grab(a);  // with widgets
  delete a;
  EXPECT_EQ(b->Parent(), nullptr);
  EXPECT_FALSE(b->HandleAllocated());
}

TEST(Timer, TicksOnlyWhenEnabledWithIntervalAndHandler) {
  TTimer timer(nullptr);
  int ticks = 0;
  EXPECT_FALSE(timer.Active());
  timer.set_OnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(timer.Active());
  EXPECT_TRUE(tt::Tick(&timer));
  EXPECT_EQ(ticks, 1);
  timer.set_Enabled(false);
  EXPECT_FALSE(tt::Tick(&timer));
  timer.set_Interval(0);
  timer.set_Enabled(true);
  EXPECT_FALSE(timer.Active());
}

TEST(Fonts, PointsAndPixelsAgreeAtNinetySixDotsPerInch) {
  TFont f;
  f.set_Size(25);
  EXPECT_EQ(f.Height(), -33);
  f.set_Size(12);
  EXPECT_EQ(f.Height(), -16);
  f.set_Size(11);
  EXPECT_EQ(f.Height(), -15);
  f.set_Height(-33);
  EXPECT_EQ(f.Size(), 25);
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}
