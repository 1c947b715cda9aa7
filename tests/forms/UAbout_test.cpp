// The about box as a player sees it: its lines, the contact fields, the links and the button that closes it.
// The tests also run in velmora_contact_tests, a build with other contact lines and a chat line.
#include "forms/UAbout.h"

#include <regex>

#include "forms/Contact.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"
#include "tests/forms/GameFixture.h"
#include "toolkit/Shell.h"

using namespace toolkit;
using velmora::UAbout::frm_about;
namespace Contact = velmora::Contact;
namespace tt = toolkit::testing;

namespace {

class AboutBox : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    saved = ShellOpener;
    ShellOpener = [this](const std::string& address) { opened.push_back(address); };
  }
  void TearDown() override {
    ShellOpener = saved;
    GameFixture::TearDown();
  }
  std::vector<std::string> opened;
  TShellOpener saved;
};

int IndexOf(TComponent* owner, TComponent* c) {
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (owner->Components(i) == c) return i;
  return -1;
}

}  // namespace

TEST_F(AboutBox, IsLaidOutAsDesigned) {
  EXPECT_EQ(frm_about->Caption(), "About");
  EXPECT_EQ(frm_about->BorderStyle(), fbsDialog);
  EXPECT_EQ(frm_about->Position(), poScreenCenter);
  EXPECT_EQ(frm_about->ClientWidth(), 322);
  EXPECT_EQ(frm_about->ClientHeight(), 262);
  struct Place {
    TControl* control;
    int left, top, width, height;  // 0: sized to its caption
    std::string text;
  };
  auto* f = frm_about;
  const Place places[] = {
      {f->Label1, 18, 26, 247, 13, std::string(Contact::Name) + "1.5"},
      {f->Label3, 18, 58, 293, 13, "新版本正在开发准备中"},
      {f->Label4, 18, 78, 299, 13, "对现在版本的Bug，以及你对该软件有任何建议，"},
      {f->Label5, 18, 99, 291, 13, "烦你联系作者，以便做出改进。"},
      {f->NetLabel1, 54, 140, 0, 0, "Email"},
      {f->Edit1, 91, 137, 196, 21, Contact::Mail},
      {f->NetLabel2, 55, 168, 0, 0, "主页"},
      {f->Edit2, 91, 166, 196, 21, Contact::HomePageAddress},
      {f->Label2, 58, 199, 0, 0, Contact::ChatService},
      {f->Edit3, 91, 195, 196, 21, Contact::ChatAddress},
      {f->Button1, 141, 224, 75, 25, "退出"},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.text);
    EXPECT_EQ(p.control->Parent(), frm_about);
    EXPECT_EQ(p.control->Left(), p.left);
    EXPECT_EQ(p.control->Top(), p.top);
    if (p.width) {
      EXPECT_EQ(p.control->Width(), p.width);
      EXPECT_EQ(p.control->Height(), p.height);
    }
    EXPECT_EQ(p.control->Caption(), p.text);
  }
  for (TLabel* small : {f->Label1, f->Label3, f->Label4, f->Label5}) EXPECT_EQ(small->Font()->PixelSize(), 9);
  EXPECT_EQ(f->Label2->Font()->PixelSize(), 11);
}

TEST_F(AboutBox, ContactFieldsAreSilverAndCannotBeTypedInto) {
  for (TEdit* edit : {frm_about->Edit1, frm_about->Edit2, frm_about->Edit3}) {
    std::string before = edit->Text();
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_EQ(edit->Color(), clSilver);
    tt::TypeText(edit, "x\b\b");
    EXPECT_EQ(edit->Text(), before);
  }
}

TEST_F(AboutBox, TabOrderRunsFromTheButtonThroughTheThreeFields) {
  EXPECT_EQ(frm_about->Button1->TabOrder(), 0);
  EXPECT_EQ(frm_about->Edit1->TabOrder(), 1);
  EXPECT_EQ(frm_about->Edit2->TabOrder(), 2);
  EXPECT_EQ(frm_about->Edit3->TabOrder(), 3);
  for (TControl* c : {static_cast<TControl*>(frm_about->Button1), static_cast<TControl*>(frm_about->Edit1),
                      static_cast<TControl*>(frm_about->Edit2), static_cast<TControl*>(frm_about->Edit3)})
    EXPECT_TRUE(c->TabStop());
  for (TControl* c : {static_cast<TControl*>(frm_about->Label1), static_cast<TControl*>(frm_about->NetLabel1),
                      static_cast<TControl*>(frm_about->Label2)})
    EXPECT_FALSE(c->TabStop());
}

TEST_F(AboutBox, LinksAreBlueUnderlinedUnderAHand) {
  for (auto* link : {frm_about->NetLabel1, frm_about->NetLabel2}) {
    EXPECT_EQ(link->Font()->Color(), clBlue);
    EXPECT_TRUE(link->Font()->Style().count(fsUnderline));
    EXPECT_EQ(link->Font()->PixelSize(), 11);
    EXPECT_EQ(link->Cursor(), crHandPoint);
  }
}

TEST_F(AboutBox, OpensFromTheMenuAndItsButtonClosesIt) {
  TForm* shown = nullptr;
  tt::OnNextModal([&](TForm* f) {
    shown = f;
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(f->ModalResult(), mrNone);
    tt::Click(frm_about->Button1);
    EXPECT_NE(f->ModalResult(), mrNone);
  });
  tt::Click(form->About1);
  EXPECT_EQ(shown, frm_about);
  EXPECT_FALSE(frm_about->Visible());
}

// The contact lines are build settings: both places show the build's own, the links open them, a chat line
// shows only when one is set, and no text sends a player to a domain outside the reserved .example.
TEST_F(AboutBox, ShowsTheBuildsContactLinesInBothPlacesAndOpensThemWithinExample) {
  const bool chat = *Contact::ChatAddress != '\0';
  EXPECT_EQ(frm_about->Label1->Caption(), std::string(Contact::Name) + "1.5");
  EXPECT_EQ(frm_about->Edit1->Text(), Contact::Mail);
  EXPECT_EQ(frm_about->Edit2->Text(), Contact::HomePageAddress);
  EXPECT_EQ(frm_about->Label2->Caption(), Contact::ChatService);
  EXPECT_EQ(frm_about->Edit3->Text(), Contact::ChatAddress);
  EXPECT_EQ(frm_about->Label2->Visible(), chat);
  EXPECT_EQ(frm_about->Edit3->Visible(), chat);

  std::vector<std::string> bar;
  for (const auto& panel : form->sb1->Panels) bar.push_back(panel.Text);
  std::vector<std::string> lines = {std::string(Contact::Name) + " 1.5", Contact::Mail, Contact::HomePageAddress};
  if (chat) lines.push_back(std::string(Contact::ChatService) + " " + Contact::ChatAddress);
  EXPECT_EQ(bar, lines);

  // The home page opens as shown, with its own scheme.
  tt::Click(frm_about->NetLabel1);
  tt::Click(frm_about->NetLabel2);
  EXPECT_EQ(opened, (std::vector<std::string>{std::string("mailto:") + Contact::Mail,
                                              Contact::HomePageAddress}));

  std::string texts;
  for (TControl* c : {static_cast<TControl*>(frm_about->Label1), static_cast<TControl*>(frm_about->Edit1),
                      static_cast<TControl*>(frm_about->Edit2), static_cast<TControl*>(frm_about->Label2),
                      static_cast<TControl*>(frm_about->Edit3)})
    texts += c->Caption() + "\n";
  for (const std::string& s : bar) texts += s + "\n";
  for (const std::string& s : opened) texts += s + "\n";
  const std::regex domain(R"(([A-Za-z0-9-]+\.)+[A-Za-z][A-Za-z0-9-]*)");
  int domains = 0;
  for (auto m = std::sregex_iterator(texts.begin(), texts.end(), domain); m != std::sregex_iterator(); ++m) {
    ++domains;
    EXPECT_TRUE(m->str().ends_with(".example")) << m->str();
  }
  EXPECT_GE(domains, 2);  // the mail address and the home page at least
}

TEST_F(AboutBox, IsCreatedAfterTheRecordDialogAndBeforeTheEditorTheHelpWindowAndTheCollection) {
  auto* app = Application;
  int about = IndexOf(app, frm_about);
  EXPECT_LT(IndexOf(app, form), IndexOf(app, velmora::u_frm_djphb::frm_djphb));
  EXPECT_LT(IndexOf(app, velmora::u_frm_djphb::frm_djphb), about);
  EXPECT_LT(about, IndexOf(app, velmora::Ufrm_new::frm_new));
  EXPECT_LT(IndexOf(app, velmora::Ufrm_new::frm_new), IndexOf(app, velmora::Ufrm_help::frm_help));
  EXPECT_LT(IndexOf(app, velmora::Ufrm_help::frm_help), IndexOf(app, velmora::Ufrm_tk::frm_tk));
}
