// The hyperlink label as a player meets it: it lights up under the mouse and opens its link on a click.
#include "controls/NetLabel.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Forms.h"
#include "toolkit/Shell.h"
#include "toolkit/testing.h"

using namespace toolkit;
using namespace velmora::NetLabel;
namespace tt = toolkit::testing;

namespace {

// A label on a form, with the shell replaced by a recorder of the addresses it is asked to open.
struct LinkFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TNetLabel* label = nullptr;
  std::vector<std::string> opened;
  TShellOpener saved;

  void SetUp() override {
    saved = ShellOpener;
    ShellOpener = [this](const std::string& address) { opened.push_back(address); };
    form->SetBounds(0, 0, 200, 100);
    label = new TNetLabel(form);
    label->set_Parent(form);
    label->SetBounds(20, 20, label->Width(), label->Height());
    label->set_Caption("Email");
  }
  void TearDown() override {
    delete form;
    ShellOpener = saved;
  }
  bool Underlined() const { return label->Font()->Style().count(fsUnderline) > 0; }
  // The colour the label's text is drawn in, as the screen shows it: of the pixels that differ from
  // the background, the one that differs most (the letters' edges blend into the background).
  TColor Ink() {
    tt::Picture p = tt::Grab(label);
    TColor background = p.Pixel(0, 0), ink = background;
    int best = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) {
        int d = Distance(p.Pixel(x, y), background);
        if (d > best) best = d, ink = p.Pixel(x, y);
      }
    return ink;
  }
  static int Distance(TColor a, TColor b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
    return d;
  }
  void ExpectInk(TColor expected) {
    TColor ink = Ink();
    EXPECT_LE(Distance(ink, expected), 60) << std::hex << "drawn in " << ink << ", not " << expected;
  }
};

}  // namespace

using HyperLinkLabel = LinkFixture;

TEST_F(HyperLinkLabel, StartsAsAnHttpLinkWithNoTargetInMaroonUnderAHand) {
  TNetLabel fresh(nullptr);
  EXPECT_EQ(fresh.HyperLinkKind, hlHTTP);
  EXPECT_EQ(fresh.HyperLink, "");
  EXPECT_EQ(fresh.Caption(), "");
  EXPECT_EQ(fresh.HLinkColor, 0xFF0000u);
  EXPECT_EQ(fresh.VLinkColor, 0x800000u);
  EXPECT_EQ(fresh.Font()->Color(), 0x000080u);
  EXPECT_EQ(fresh.LeaveColor, 0x000080u);
  EXPECT_EQ(fresh.Cursor(), crHandPoint);
  fresh.HyperLink = "velmora.example";  // the caption is independent of the link
  EXPECT_EQ(fresh.Caption(), "");
}

TEST_F(HyperLinkLabel, EachKindOpensItsPrefixFollowedByTheLink) {
  const std::pair<THyperLink, const char*> kinds[] = {{hlHTTP, "http://"},     {hlMail, "mailto:"},
                                                      {hlTelnet, "telnet:"},   {hlGopher, "gopher://"},
                                                      {hlNews, "news:"},       {hlFTP, "ftp://"}};
  label->HyperLink = "velmora@velmora.example";
  for (auto [kind, prefix] : kinds) {
    label->HyperLinkKind = kind;
    tt::Click(label);
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(opened.back(), prefix + label->HyperLink);
  }
  EXPECT_EQ(opened.size(), 6u);
}

TEST_F(HyperLinkLabel, ALinkThatNamesItsSchemeOpensAsItStands) {
  const std::pair<const char*, const char*> cases[] = {
      {"https://velmora.example/", "https://velmora.example/"},
      {"HTTP://velmora.example", "HTTP://velmora.example"},
      {"mailto:a@velmora.example", "mailto:a@velmora.example"},
      {"velmora.example:8080/x", "http://velmora.example:8080/x"},
      {"localhost:80", "http://localhost:80"},
      {"1a://x", "http://1a://x"}};
  for (auto [link, expected] : cases) {
    label->HyperLink = link;
    tt::Click(label);
    EXPECT_EQ(opened.back(), expected);
  }
}

TEST_F(HyperLinkLabel, ItsClickEventFiresBeforeTheLinkOpens) {
  label->HyperLink = "velmora.example";
  std::size_t openedBefore = 99;
  label->OnClick = [&](TObject*) { openedBefore = opened.size(); };
  tt::Click(label);
  EXPECT_EQ(openedBefore, 0u);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(HyperLinkLabel, AnEmptyLinkOnlyFiresTheClickEventAndKeepsItsColour) {
  int clicks = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  tt::EnterMouse(label);
  tt::Click(label);
  tt::LeaveMouse(label);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(label->Font()->Color(), clMaroon);
  EXPECT_EQ(label->LeaveColor, clMaroon);
}

TEST_F(HyperLinkLabel, LightsUpUnderlinedUnderTheMouseAndGoesBackWhenItLeaves) {
  label->Font()->set_Color(clGreen);
  ExpectInk(clGreen);
  int plainHeight = tt::Grab(label).Height();
  tt::EnterMouse(label);
  EXPECT_EQ(label->Font()->Color(), clBlue);
  EXPECT_TRUE(Underlined());
  ExpectInk(clBlue);
  tt::LeaveMouse(label);
  EXPECT_EQ(label->Font()->Color(), clGreen);
  EXPECT_FALSE(Underlined());
  ExpectInk(clGreen);
  EXPECT_EQ(tt::Grab(label).Height(), plainHeight);
}

TEST_F(HyperLinkLabel, ALabelUnderlinedFromTheStartLosesItsUnderlineOnceTheMouseHasPassed) {
  label->Font()->set_Color(clBlue);
  label->Font()->set_Style({fsUnderline, fsBold});
  tt::EnterMouse(label);
  tt::LeaveMouse(label);
  EXPECT_EQ(label->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(label->Font()->Color(), clBlue);
}

TEST_F(HyperLinkLabel, AfterAClickItLeavesInTheVisitedColourAndKeepsIt) {
  label->HyperLinkKind = hlMail;
  label->HyperLink = "velmora@velmora.example";
  label->Font()->set_Color(clBlue);
  tt::EnterMouse(label);
  tt::Click(label);
  EXPECT_EQ(label->Font()->Color(), clBlue);  // still under the mouse
  EXPECT_EQ(label->LeaveColor, clNavy);
  tt::LeaveMouse(label);
  EXPECT_EQ(label->Font()->Color(), clNavy);
  ExpectInk(clNavy);
  for (int pass = 0; pass < 2; ++pass) {
    tt::EnterMouse(label);
    EXPECT_EQ(label->Font()->Color(), clBlue);
    tt::LeaveMouse(label);
    EXPECT_EQ(label->Font()->Color(), clNavy);
  }
  EXPECT_EQ(opened, std::vector<std::string>{"mailto:velmora@velmora.example"});
}

TEST_F(HyperLinkLabel, ALinkThatCannotOpenStillTakesTheVisitedColour) {
  ShellOpener = [](const std::string&) {};  // the desktop opens nothing and says nothing
  label->HyperLink = "nowhere";
  tt::EnterMouse(label);
  tt::Click(label);
  tt::LeaveMouse(label);
  EXPECT_EQ(label->Font()->Color(), clNavy);
}
