// The about box.
#include "forms/UAbout.h"

#include "forms/Contact.h"

namespace velmora::UAbout {

using namespace toolkit;
using NetLabel::TNetLabel;

Tfrm_about* frm_about = nullptr;

namespace {

// The product lines are set in the small font, 9 pixels high.
TLabel* SmallLabel(TForm* f, int l, int t, int w, int h, const std::string& caption) {
  auto* label = new TLabel(f);
  label->set_Parent(f);
  label->set_AutoSize(false);
  label->SetBounds(l, t, w, h);
  label->Font()->set_Height(-9);
  label->set_Caption(caption);
  return label;
}

TNetLabel* LinkLabel(TForm* f, int l, int t, const std::string& caption, NetLabel::THyperLink kind,
                     const std::string& link) {
  auto* label = new TNetLabel(f);
  label->set_Parent(f);
  label->SetBounds(l, t, label->Width(), label->Height());
  label->set_Caption(caption);
  label->HyperLinkKind = kind;
  label->HyperLink = link;
  label->Font()->set_Color(clBlue);
  label->Font()->set_Style({fsUnderline});
  return label;
}

TEdit* ContactEdit(TForm* f, int l, int t, int tabOrder, const std::string& text) {
  auto* edit = new TEdit(f);
  edit->set_Parent(f);
  edit->SetBounds(l, t, 196, 21);
  edit->set_TabOrder(tabOrder);
  edit->set_ReadOnly(true);
  edit->set_Color(clSilver);
  edit->set_Text(text);
  return edit;
}

}  // namespace

Tfrm_about::Tfrm_about(TComponent* AOwner) : TForm(AOwner) {
  set_Caption("About");
  set_BorderStyle(fbsDialog);
  set_Position(poScreenCenter);
  set_ClientWidth(322);
  set_ClientHeight(262);
  Font()->set_Name("MS Sans Serif");
  Font()->set_Height(-11);

  //                    left top width height caption
  Label1 = SmallLabel(this, 18, 26, 247, 13, std::string(Contact::Name) + "1.5");
  Label3 = SmallLabel(this, 18, 58, 293, 13, "新版本正在开发准备中");
  Label4 = SmallLabel(this, 18, 78, 299, 13, "对现在版本的Bug，以及你对该软件有任何建议，");
  Label5 = SmallLabel(this, 18, 99, 291, 13, "烦你联系作者，以便做出改进。");
  //                      left top caption  link kind        link
  NetLabel1 = LinkLabel(this, 54, 140, "Email", NetLabel::hlMail, Contact::Mail);
  NetLabel2 = LinkLabel(this, 55, 168, "主页", NetLabel::hlHTTP, Contact::HomePage);
  Label2 = new TLabel(this);
  Label2->set_Parent(this);
  Label2->SetBounds(58, 199, Label2->Width(), Label2->Height());
  Label2->set_Caption(Contact::ChatService);
  //                       left top  tab text
  Edit1 = ContactEdit(this, 91, 137, 1, Contact::Mail);
  Edit2 = ContactEdit(this, 91, 166, 2, Contact::HomePageAddress);
  Edit3 = ContactEdit(this, 91, 195, 3, Contact::ChatAddress);

  Button1 = new TButton(this);
  Button1->set_Parent(this);
  Button1->SetBounds(141, 224, 75, 25);
  Button1->set_TabOrder(0);
  Button1->set_Caption("退出");
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  DoCreate();
}

void Tfrm_about::Button1Click(TObject*) { Close(); }

}  // namespace velmora::UAbout
