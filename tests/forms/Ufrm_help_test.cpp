// The help window as a player uses it: opened from the menu, the picture scrolled by its bar.
#include "forms/Ufrm_help.h"

#include <regex>

#include "tests/forms/GameFixture.h"
#include "toolkit/Jpeg.h"

using namespace toolkit;
using velmora::Ufrm_help::frm_help;
namespace tt = toolkit::testing;

namespace {

class HelpWindow : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    picture.LoadFromResource(velmora::Ufrm_help::HelpPicture);
  }
  // Compares the panel's rows first..last with the picture's rows from pictureRow on, pixel by pixel.
  void ExpectPanelShows(int first, int last, int pictureRow) {
    tt::Picture shown = tt::Grab(frm_help->Panel1);
    ASSERT_EQ(shown.Width(), 463);
    ASSERT_EQ(shown.Height(), 453);
    for (int y = first; y <= last; ++y)
      for (int x = 0; x < 462; ++x)
        ASSERT_EQ(shown.Pixel(x, y), picture.Pixel(x, pictureRow + y - first))
            << "panel pixel " << x << "," << y << " against picture row " << pictureRow + y - first;
  }
  TJPEGImage picture;
};

}  // namespace

TEST_F(HelpWindow, IsLaidOutAsDesigned) {
  EXPECT_EQ(frm_help->Caption(), "帮助");
  EXPECT_EQ(frm_help->BorderStyle(), fbsDialog);
  EXPECT_EQ(frm_help->Position(), poScreenCenter);
  EXPECT_EQ(frm_help->ClientWidth(), 481);
  EXPECT_EQ(frm_help->ClientHeight(), 453);
  struct Place {
    TControl* control;
    int left, top, width, height;
  };
  for (auto [c, l, t, w, h] : {Place{frm_help->Panel1, 0, 0, 463, 453}, Place{frm_help->Image1, 0, 0, 462, 1601},
                               Place{frm_help->ScrollBar1, 463, 1, 16, 453}}) {
    EXPECT_EQ(c->Left(), l);
    EXPECT_EQ(c->Top(), t);
    EXPECT_EQ(c->Width(), w);
    EXPECT_EQ(c->Height(), h);
  }
  EXPECT_EQ(frm_help->Panel1->Align(), alLeft);
  EXPECT_EQ(frm_help->Image1->Parent(), frm_help->Panel1);
  auto* bar = frm_help->ScrollBar1;
  EXPECT_EQ(bar->Kind(), sbVertical);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 1150);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->PageSize(), 0);
  EXPECT_EQ(bar->SmallChange(), 1);
  EXPECT_EQ(bar->LargeChange(), 1);
}

TEST_F(HelpWindow, TheScrollRangeShowsThePictureFromItsFirstRowToItsLast) {
  EXPECT_EQ(picture.Width(), 462);
  EXPECT_EQ(picture.Height(), 1601);
  EXPECT_EQ(frm_help->ScrollBar1->Max(), picture.Height() - 451);
}

TEST_F(HelpWindow, AtTheTopThePanelShowsThePicturesFirstRows) {
  ExpectPanelShows(0, 452, 0);
}

TEST_F(HelpWindow, AtTheBottomThePicturesLastRowLiesOnPanelRow450) {
  tt::PressKey(frm_help->ScrollBar1, tt::keyEnd);
  EXPECT_EQ(frm_help->ScrollBar1->Position(), 1150);
  EXPECT_EQ(frm_help->Image1->Top(), -1150);
  ExpectPanelShows(0, 450, 1150);
  // Below the picture's last row the panel shows itself.
  tt::Picture shown = tt::Grab(frm_help->Panel1);
  EXPECT_EQ(shown.Pixel(200, 451), ColorToRGB(clBtnFace));
}

TEST_F(HelpWindow, TheArrowsScrollOneRowAndTheProgramsMovesFollowToo) {
  tt::PressMouse(frm_help->ScrollBar1, mbLeft, 8, 448);  // the down arrow
  EXPECT_EQ(frm_help->ScrollBar1->Position(), 1);
  ExpectPanelShows(0, 452, 1);
  frm_help->ScrollBar1->set_Position(600);
  ExpectPanelShows(0, 452, 600);
  tt::PressMouse(frm_help->ScrollBar1, mbLeft, 8, 4);  // the up arrow
  EXPECT_EQ(frm_help->Image1->Top(), -599);
}

// Also run on a screen of two device pixels a pixel (test help_at_scale_2).
TEST_F(HelpWindow, ThePictureFitsTheScreensScaleAndSizesStayInScreenPixels) {
  frm_help->ScrollBar1->set_Position(600);
  tt::Picture shown = tt::Grab(frm_help->Panel1);
  const int k = shown.Width() / 463;  // device pixels a pixel
  ASSERT_EQ(shown.Height(), 453 * k);
  EXPECT_EQ(picture.PixelRatio(), k);
  EXPECT_EQ(picture.Width(), 462 * k);
  EXPECT_EQ(picture.Height(), 1601 * k);
  EXPECT_EQ(frm_help->Image1->Width(), 462);
  EXPECT_EQ(frm_help->Image1->Height(), 1601);
  EXPECT_EQ(frm_help->Image1->Top(), -600);
  EXPECT_EQ(frm_help->ScrollBar1->Max(), 1150);
  // Each device pixel shows a pixel of the picture of its own.
  for (int y = 0; y < 453 * k; y += 7)
    for (int x = 0; x < 462 * k; ++x)
      ASSERT_EQ(shown.Pixel(x, y), picture.Pixel(x, 600 * k + y)) << "device pixel " << x << "," << y;
}

TEST_F(HelpWindow, TheWheelOverThePictureOrTheBarScrolls60RowsANotchInsideTheRange) {
  tt::TurnWheel(frm_help->Image1, 200, 100, -2);  // towards the player: down the page
  EXPECT_EQ(frm_help->ScrollBar1->Position(), 120);
  ExpectPanelShows(0, 452, 120);
  tt::TurnWheel(frm_help->ScrollBar1, 8, 200, 1);
  EXPECT_EQ(frm_help->Image1->Top(), -60);
  tt::TurnWheel(frm_help->Image1, 200, 100, 5);
  EXPECT_EQ(frm_help->ScrollBar1->Position(), 0);
  tt::TurnWheel(frm_help->ScrollBar1, 8, 200, -30);
  EXPECT_EQ(frm_help->ScrollBar1->Position(), 1150);
  ExpectPanelShows(0, 450, 1150);
}

TEST_F(HelpWindow, OpensFromTheMenuAndKeepsItsPlaceBetweenShowings) {
  TForm* shown = nullptr;
  tt::OnNextModal([&](TForm* f) {
    shown = f;
    frm_help->ScrollBar1->set_Position(300);
  });
  tt::Click(form->N17);
  EXPECT_EQ(shown, frm_help);
  EXPECT_FALSE(frm_help->Visible());
  tt::OnNextModal([&](TForm* f) {
    EXPECT_EQ(frm_help->ScrollBar1->Position(), 300);
    EXPECT_EQ(frm_help->Image1->Top(), -300);
    f->Close();
  });
  tt::Click(form->N17);
  EXPECT_EQ(tt::ModalForms(), (std::vector<TForm*>{frm_help, frm_help}));
}

// A speech engine reads "37–40" as one number and "Ctrl+Z" with an English "plus": what a screen
// reader gets of the help says its ranges and keys in words, and keeps no such sign.
TEST_F(HelpWindow, AScreenReaderGetsRangesAndKeysInWords) {
  const std::string text = tt::Accessible(frm_help->Memo1).Value;
  for (const char* said : {"1到9，显示为蓝色大字", "（Ctrl加Z）", "Ctrl加Shift加Z", "“帮助”里的“About”"})
    EXPECT_NE(text.find(said), std::string::npos) << said;
  EXPECT_TRUE(std::regex_search(text, std::regex("初级：新开一局初级游戏，空出 [0-9]+到[0-9]+ 格"))) << text;
  for (const char* sign : {"–", "+", "→"}) EXPECT_EQ(text.find(sign), std::string::npos) << sign;
}
