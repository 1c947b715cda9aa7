// The scroll bar's promises: its range, and one change event for every real move, the player's or the program's.
#include "toolkit/ScrollBar.h"

#include <gtest/gtest.h>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

struct ScrollFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TScrollBar* bar = nullptr;
  std::vector<int> seen;  // Position at each change event
  void SetUp() override {
    form->SetBounds(0, 0, 100, 300);
    bar = new TScrollBar(form);
    bar->set_Parent(form);
    bar->set_Kind(sbVertical);
    bar->SetBounds(80, 0, 16, 200);
    bar->SetParams(0, 0, 50);
    bar->OnChange = [this](TObject* s) {
      EXPECT_EQ(s, bar);
      seen.push_back(bar->Position());
    };
  }
  void TearDown() override { delete form; }
};

}  // namespace

using ScrollBarRange = ScrollFixture;

TEST_F(ScrollBarRange, KeepsThePositionInsideMinAndMax) {
  bar->set_Position(80);
  EXPECT_EQ(bar->Position(), 50);
  bar->set_Position(-3);
  EXPECT_EQ(bar->Position(), 0);
  bar->set_Position(30);
  bar->set_Max(20);  // the range pulls the position in: that is a move too
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(seen, (std::vector<int>{50, 0, 30, 20}));
}

TEST_F(ScrollBarRange, APageEndsAtMax) {
  bar->set_PageSize(11);
  bar->set_Position(50);
  EXPECT_EQ(bar->Position(), 40);
  tt::PressKey(bar, tt::keyHome);
  tt::PressKey(bar, tt::keyEnd);
  EXPECT_EQ(bar->Position(), 40);
}

TEST_F(ScrollBarRange, IsVerticalAndTurnsItsSizeWithItsKind) {
  auto* other = new TScrollBar(form);
  EXPECT_EQ(other->Kind(), sbHorizontal);
  int w = other->Width(), h = other->Height();
  other->set_Kind(sbVertical);
  EXPECT_EQ(other->Width(), h);
  EXPECT_EQ(other->Height(), w);
  EXPECT_EQ(bar->Kind(), sbVertical);
}

using ScrollBarChange = ScrollFixture;

TEST_F(ScrollBarChange, FiresOnceForEveryMoveByTheProgramAndNeverForTheSamePosition) {
  bar->set_Position(7);
  bar->set_Position(7);
  bar->SetParams(7, 0, 50);
  bar->set_Position(8);
  EXPECT_EQ(seen, (std::vector<int>{7, 8}));
  tt::Grab(form);  // with the platform widget made, assignments still fire once
  bar->set_Position(9);
  bar->set_Position(9);
  EXPECT_EQ(seen, (std::vector<int>{7, 8, 9}));
}

TEST_F(ScrollBarChange, FiresForThePlayersKeysAndArrows) {
  bar->set_SmallChange(2);
  tt::PressKey(bar, tt::keyEnd);
  EXPECT_EQ(bar->Position(), 50);
  tt::PressKey(bar, tt::keyEnd);  // already there: nothing moves
  tt::PressKey(bar, tt::keyHome);
  EXPECT_EQ(bar->Position(), 0);
  tt::PressMouse(bar, mbLeft, 8, 195);  // the down arrow at the bottom
  EXPECT_EQ(bar->Position(), 2);
  tt::PressMouse(bar, mbLeft, 8, 4);  // the up arrow at the top
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(seen, (std::vector<int>{50, 0, 2, 0}));
}

TEST_F(ScrollBarChange, APressOnTheTrackMovesByLargeChange) {
  bar->set_LargeChange(5);
  tt::PressMouse(bar, mbLeft, 8, 150);  // below the thumb
  EXPECT_EQ(bar->Position(), 5);
}

TEST_F(ScrollBarChange, AnErrorInTheHandlerOfAPlayersMoveShowsTheErrorBox) {
  tt::ClearErrorBoxes();
  bar->OnChange = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  tt::PressKey(bar, tt::keyEnd);
  EXPECT_EQ(tt::ErrorBoxes(), std::vector<std::string>{"'x' is not a valid integer value"});
  EXPECT_THROW(bar->set_Position(3), EConvertError);  // the program's own move lets it rise
}

// The platform's own menu of the bar, in the game's language whatever the system's; its moves are
// moves like any other.
TEST_F(ScrollBarChange, ItsMenuSpeaksChineseAndItsBottomItemMovesToMax) {
  std::vector<tt::MenuEntry> menu = tt::ContextMenu(bar, 8, 100, "底部");
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu.front().Caption, "滚动至此");
  EXPECT_EQ(seen, std::vector<int>{50});
}
