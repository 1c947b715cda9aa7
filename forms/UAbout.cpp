// The about box.
#include "forms/UAbout.h"

#include "forms/Contact.h"
#include "forms/Layout.h"

namespace velmora::UAbout {

using namespace toolkit;
using NetLabel::TNetLabel;

Tfrm_about* frm_about = nullptr;

namespace {

// The product lines are set in the small font, 9 pixels high.
TLabel* SmallLabel(TForm* f, int l, int t, int w, int h, const std::string& caption) {
  TLabel* label = Layout::Label(f, l, t, w, h, caption);
  label->Font()->set_Height(-9);
  return label;
}

TNetLabel* LinkLabel(TForm* f, int l, int t, const std::string& caption, NetLabel::THyperLink kind,
                     const std::string& link) {
  auto* label = Layout::Place(f, new TNetLabel(f), l, t, 0, 0);
  label->set_Caption(caption);
  label->HyperLinkKind = kind;
  label->HyperLink = link;
  label->Font()->set_Color(clBlue);
  label->Font()->set_Style({fsUnderline});
  return label;
}

TEdit* ContactEdit(TForm* f, int l, int t, int tabOrder, const std::string& text) {
  auto* edit = Layout::Place(f, new TEdit(f), l, t, 196, 21, tabOrder);
  edit->set_ReadOnly(true);
  edit->set_Color(clSilver);
  edit->set_Text(text);
  return edit;
}

}  // namespace

Tfrm_about::Tfrm_about(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "About", fbsDialog, poScreenCenter, 322, 262);

  //                    left top width height caption
  Label1 = SmallLabel(this, 18, 26, 247, 13, std::string(Contact::Name) + "1.5");
  Label3 = SmallLabel(this, 18, 58, 293, 13, "新版本正在开发准备中");
  Label4 = SmallLabel(this, 18, 78, 299, 13, "对现在版本的Bug，以及你对该软件有任何建议，");
  Label5 = SmallLabel(this, 18, 99, 291, 13, "烦你联系作者，以便做出改进。");
  //                      left top caption  link kind        link
  NetLabel1 = LinkLabel(this, 54, 140, "Email", NetLabel::hlMail, Contact::Mail);
  NetLabel2 = LinkLabel(this, 55, 168, "主页", NetLabel::hlHTTP, Contact::HomePageAddress);
  Label2 = Layout::Label(this, 58, 199, 0, 0, Contact::ChatService);
  //                       left top  tab text
  Edit1 = ContactEdit(this, 91, 137, 1, Contact::Mail);
  Edit2 = ContactEdit(this, 91, 166, 2, Contact::HomePageAddress);
  Edit3 = ContactEdit(this, 91, 195, 3, Contact::ChatAddress);
  // Without a chat line its row stays empty rather than showing a field with nothing in it.
  const bool chat = *Contact::ChatAddress != '\0';
  Label2->set_Visible(chat);
  Edit3->set_Visible(chat);

  Button1 = Layout::Button(this, 141, 224, 75, 25, 0, "退出", [this](TObject* s) { Button1Click(s); });
  Button1->set_Cancel(true);
  // A screen reader reads the box's lines as its description.
  set_AccessibleDescription(Label1->Caption() + "，" + Label3->Caption() + Label4->Caption() + Label5->Caption());
  // The fields are named by the links beside them, which a screen reader does not tie to them itself.
  Edit1->set_AccessibleName(NetLabel1->Caption());
  Edit2->set_AccessibleName(NetLabel2->Caption());
  Edit3->set_AccessibleName(Label2->Caption());
  DoCreate();
}

void Tfrm_about::Button1Click(TObject*) { Close(); }

}  // namespace velmora::UAbout
