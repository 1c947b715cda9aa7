// The candidate pop-up: its boxes as drawn, which digits are offered, and which box a press lands on.
#include "controls/Suppanel.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/controls/Pixels.h"
#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
using velmora::Suppanel::TSuppanel;
namespace tt = toolkit::testing;

namespace {

struct Box {
  int Left, Top, Right, Bottom;
};

// The layout by its steps: "N" and "H" are 23 x 15 from (1, 1), the digits 15 x 15 below them in rows of
// three, every box one pixel after the one before.
Box Expected(int index) {
  if (index == 10) return {1, 1, 24, 16};
  if (index == 11) return {24 + 1, 1, 24 + 1 + 23, 16};
  int row = (index - 1) / 3, col = (index - 1) % 3;
  int left = 1 + col * 16, top = 17 + row * 16;
  return {left, top, left + 15, top + 15};
}

struct PanelFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TSuppanel* pan = nullptr;
  void SetUp() override {
    form->SetBounds(0, 0, 100, 100);
    pan = new TSuppanel(form);
    pan->set_Parent(form);
  }
  void TearDown() override { delete form; }

  // The fill of each box as drawn, sampled inside its outline and clear of its caption.
  std::string Fills() {
    auto pic = tt::Grab(pan);
    std::string out;
    for (int i = 1; i <= 11; ++i) {
      Box b = Expected(i);
      TColor c = pic.Pixel(b.Right - 2, b.Bottom - 2);
      out += c == clWhite ? 'w' : c == clYellow ? 'y' : c == ColorToRGB(clBtnFace) ? '-' : '?';
    }
    return out;
  }
};

}  // namespace

using CandidatePanel = PanelFixture;

TEST_F(CandidatePanel, IsAFiftyOneBySixtySixPanelOfElevenCaptionedBoxes) {
  EXPECT_EQ(pan->Width(), 51);
  EXPECT_EQ(pan->Height(), 66);
  EXPECT_EQ(pan->Caption(), " ");
  EXPECT_EQ(pan->Items[10]->Caption, "N");
  EXPECT_EQ(pan->Items[11]->Caption, "H");
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(pan->Items[i]->Caption, std::to_string(i));
}

TEST_F(CandidatePanel, ANewPanelShowsWhiteDigitsAndYellowLabelsOutlinedInBlack) {
  EXPECT_EQ(Fills(), "wwwwwwwwwyy");
  auto pic = tt::Grab(pan);
  for (int i = 1; i <= 11; ++i) {
    Box b = Expected(i);
    // Outline from (Left, Top) up to, not including, (Right, Bottom).
    EXPECT_EQ(pic.Pixel(b.Left, b.Top), clBlack) << i;
    EXPECT_EQ(pic.Pixel(b.Right - 1, b.Top), clBlack) << i;
    EXPECT_EQ(pic.Pixel(b.Left, b.Bottom - 1), clBlack) << i;
    EXPECT_EQ(pic.Pixel(b.Right - 1, b.Bottom - 1), clBlack) << i;
    EXPECT_EQ(pic.Pixel((b.Left + b.Right) / 2, b.Bottom - 1), clBlack) << i;
  }
}

TEST_F(CandidatePanel, KeepsThePanelsRaisedBevelAroundTheBoxes) {
  auto pic = tt::Grab(pan);
  EXPECT_EQ(pic.Pixel(0, 30), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(pic.Pixel(25, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(pic.Pixel(50, 30), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pic.Pixel(25, 65), ColorToRGB(clBtnShadow));
}

TEST_F(CandidatePanel, EachCaptionIsDrawnInsideItsBox) {
  pan->set_hxs("2468");
  auto pic = tt::Grab(pan);
  for (int i = 1; i <= 11; ++i) {
    Box b = Expected(i);
    TColor fill = pic.Pixel(b.Right - 2, b.Bottom - 2);
    int x0 = b.Left + (i <= 9 ? 4 : 8);
    auto ink = pixels::FindInk(pic, fill, b.Left + 1, b.Top + 1, b.Right - 2, b.Bottom - 2);
    EXPECT_GT(ink.count, 3) << i;
    EXPECT_GE(ink.left, x0) << i;
    EXPECT_LE(ink.right, x0 + 10) << i;
  }
}

TEST_F(CandidatePanel, CandidatesStayWhiteAndTheOtherDigitsTurnGrey) {
  pan->set_hxs("357");
  EXPECT_EQ(pan->hxs(), "357");
  EXPECT_EQ(Fills(), "--w-w-w--yy");
}

TEST_F(CandidatePanel, AScreenReaderHearsTheBoxesAndWhichDigitsAreOffered) {
  pan->set_hxs("357");
  tt::AccessibleObject panel = tt::Accessible(pan);
  EXPECT_EQ(panel.Name, "候选数面板");
  std::string heard;
  for (const auto& box : panel.Children) {
    EXPECT_EQ(box.Role, "button");
    heard += box.Name + (box.Enabled ? "+" : "-") + box.Description + " ";
  }
  EXPECT_EQ(heard,
            "N+不填写 H+填入全部候选数 1-不是候选数 2-不是候选数 3+是候选数 4-不是候选数 5+是候选数 "
            "6-不是候选数 7+是候选数 8-不是候选数 9-不是候选数 ");
}

TEST_F(CandidatePanel, NoCandidatesGreysEveryDigitButNotTheLabels) {
  pan->set_hxs("357");
  pan->set_hxs("");
  EXPECT_EQ(Fills(), "---------yy");
  EXPECT_TRUE(pan->Items[10]->Enabled);
  EXPECT_TRUE(pan->Items[11]->Enabled);
}

TEST_F(CandidatePanel, ARepeatedDigitOffersItsBoxOnly) {
  pan->set_hxs("99");
  EXPECT_EQ(Fills(), "--------wyy");
}

TEST_F(CandidatePanel, CharactersOtherThanDigitsOneToNineArePassedOver) {
  pan->set_hxs("1a0X");
  EXPECT_EQ(pan->hxs(), "1a0X");
  EXPECT_EQ(Fills(), "w--------yy");
  pan->set_hxs(std::string("\xff:9", 3));
  EXPECT_EQ(Fills(), "--------wyy");
}

using HitTest = PanelFixture;

TEST_F(HitTest, FindsTheBoxUnderAPointWithAllEdgesInclusive) {
  EXPECT_EQ(pan->HitTest(1, 1), 10);
  EXPECT_EQ(pan->HitTest(24, 16), 10);
  EXPECT_EQ(pan->HitTest(25, 16), 11);
  EXPECT_EQ(pan->HitTest(16, 17), 1);
  EXPECT_EQ(pan->HitTest(17, 17), 2);
  EXPECT_EQ(pan->HitTest(48, 64), 9);
}

TEST_F(HitTest, PointsInTheMarginsHitNothing) {
  EXPECT_EQ(pan->HitTest(0, 10), 0);
  EXPECT_EQ(pan->HitTest(49, 30), 0);
  EXPECT_EQ(pan->HitTest(20, 65), 0);
  EXPECT_EQ(pan->HitTest(-5, -5), 0);
}

TEST_F(HitTest, EveryPointOfThePanelLandsInTheBoxItsStepsGive) {
  for (int y = -1; y <= 67; ++y) {
    for (int x = -1; x <= 52; ++x) {
      int expected = 0;
      for (int i = 1; i <= 11 && expected == 0; ++i) {
        Box b = Expected(i);
        if (b.Left <= x && x <= b.Right && b.Top <= y && y <= b.Bottom) expected = i;
      }
      ASSERT_EQ(pan->HitTest(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(HitTest, AGreyedBoxIsStillHit) {
  pan->set_hxs("");
  EXPECT_EQ(pan->HitTest(20, 40), 5);
  EXPECT_EQ(pan->HitTest(40, 60), 9);
}
