// The main window's layout: its menu, tool bar, clock, board, candidate panel, pause cover, rules, hint
// line and status bar, one component a line, with their places, texts and handlers.
#include "forms/Contact.h"
#include "forms/Layout.h"
#include "forms/main.h"

namespace velmora::main {

using namespace toolkit;

namespace {

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption, TNotifyEvent onClick = nullptr) {
  auto* item = new TMenuItem(owner);
  item->set_Caption(caption);
  item->OnClick = std::move(onClick);
  parent->Add(item);
  return item;
}

TToolButton* Button(TForm1* f, int left, int image, const std::string& hint, TNotifyEvent onClick,
                    TToolButtonStyle style = tbsButton) {
  auto* b = new TToolButton(f);
  b->set_Parent(f->ToolBar1);
  b->set_Left(left);
  b->set_Style(style);
  b->set_ImageIndex(image);
  b->set_Hint(hint);
  b->OnClick = std::move(onClick);
  return b;
}

TToolButton* Gap(TForm1* f, int left, int width) {
  auto* b = new TToolButton(f);
  b->set_Parent(f->ToolBar1);
  b->SetBounds(left, 2, width, 22);
  b->set_Style(tbsSeparator);
  return b;
}

void SetFont(TFont* font, int height, TColor color, bool bold) {
  font->set_Height(height);
  font->set_Color(color);
  font->set_Style(bold ? TFontStyles{fsBold} : TFontStyles{});
}

const char* const Rules[] = {"游戏说明:在九宫", "格填数字,每一行", "每一列都由9个小", "方格组成,填上从1",
                             "到9的不同数字,玩", "家要填满其余空", "格,规则是大正方", "形每一行每一列",
                             "及每个九宫格里", "均必须包括1到9", "的每一个数字。"};

}  // namespace

void TForm1::BuildLayout() {
  Layout::Window(this, "Velmora1.5", fbsToolWindow, poScreenCenter, 556, 489);
  set_Color(clBtnFace);
  set_AccessibleDescription("数独游戏");  // said with the window's name as it becomes active: short
  OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };

  MainMenu1 = new TMainMenu(this);
  N1 = Item(this, MainMenu1->Items(), "游戏");
  N6 = Item(this, N1, "初级", [this](TObject* s) { ToolButton5Click(s); });
  N7 = Item(this, N1, "中级", [this](TObject* s) { ToolButton6Click(s); });
  N8 = Item(this, N1, "高级", [this](TObject* s) { ToolButton7Click(s); });
  N9 = Item(this, N1, "骨灰级", [this](TObject* s) { ToolButton8Click(s); });
  Item(this, N1, "-");
  N2 = Item(this, N1, "排行榜", [this](TObject* s) { N2Click(s); });
  Item(this, N1, "-");
  N5 = Item(this, N1, "退出", [this](TObject* s) { N5Click(s); });
  Item(this, N1, "-");
  N18 = Item(this, N1, "撤销", [this](TObject* s) { N18Click(s); });
  N18->ShortCuts = {"Ctrl+Z"};
  N19 = Item(this, N1, "重做", [this](TObject* s) { N19Click(s); });
  N19->ShortCuts = {"Ctrl+Y", "Ctrl+Shift+Z"};
  N20 = Item(this, N1, "暂停", [this](TObject* s) { N20Click(s); });
  N20->ShortCuts = {"Ctrl+P"};
  N21 = Item(this, N1, "提示", [this](TObject* s) { N21Click(s); });
  N21->ShortCuts = {"Ctrl+H"};
  N3 = Item(this, N1, "报时", [this](TObject* s) { N3Click(s); });
  N3->ShortCuts = {"Ctrl+T"};
  N22 = Item(this, N1, "重听提示", [this](TObject* s) { N22Click(s); });
  N22->ShortCuts = {"Ctrl+Shift+H"};
  N22->set_Enabled(false);
  // After the items that were there before, so that none of them moves.
  N23 = Item(this, N1, "同数高亮", [this](TObject* s) { N23Click(s); });
  N23->AutoCheck = true;
  N23->set_Checked(true);
  N24 = Item(this, N1, "填入全部候选数", [this](TObject* s) { N24Click(s); });
  N24->ShortCuts = {"Ctrl+M"};
  N25 = Item(this, N1, "落子清除候选", [this](TObject* s) { N25Click(s); });
  N25->AutoCheck = true;
  N26 = Item(this, N1, "统计", [this](TObject* s) { N26Click(s); });
  N27 = Item(this, N1, "打印", [this](TObject* s) { N27Click(s); });
  N16 = Item(this, MainMenu1->Items(), "帮助");
  N17 = Item(this, N16, "帮助", [this](TObject* s) { N17Click(s); });
  Item(this, N16, "-");
  About1 = Item(this, N16, "&About", [this](TObject* s) { About1Click(s); });
  set_Menu(MainMenu1);

  ImageList1 = new TImageList(this);
  for (int i = 0; i < 13; ++i) ImageList1->Add(":/toolbar/" + IntToStr(i) + ".png");

  ToolBar1 = Layout::Place(this, new TToolBar(this), 0, 0, 556, 29);
  ToolBar1->Images = ImageList1;
  //                     left  picture  hint            handler
  ToolButton1 = Button(this, 0, 0, "装载游戏", [this](TObject* s) { ToolButton1Click(s); });
  ToolButton2 = Button(this, 23, 1, "游戏存盘", [this](TObject* s) { ToolButton2Click(s); });
  ToolButton4 = Button(this, 46, 7, "自定义游戏", [this](TObject* s) { ToolButton4Click(s); });
  Splitter1 = Gap(this, 69, 15);
  ToolButton5 = Button(this, 84, 5, "初级", [this](TObject* s) { ToolButton5Click(s); });
  ToolButton6 = Button(this, 107, 2, "中级", [this](TObject* s) { ToolButton6Click(s); });
  ToolButton7 = Button(this, 130, 3, "高级", [this](TObject* s) { ToolButton7Click(s); });
  ToolButton8 = Button(this, 153, 4, "骨灰级", [this](TObject* s) { ToolButton8Click(s); });
  ToolButton11 = Button(this, 176, 9, "精选题目", [this](TObject* s) { ToolButton11Click(s); });
  ToolButton9 = Gap(this, 199, 8);
  sfshowpan = Button(this, 207, 6, "候选数面板显示（在空格里按 Ctrl+空格键打开）", nullptr, tbsCheck);
  ToolButton3 = Gap(this, 230, 8);

  TimeLabel1 = Layout::Place(ToolBar1, new TimeLabel::TTimeLabel(this), 238, 2, 80, 22);
  TimeLabel1->set_Alignment(taCenter);
  TimeLabel1->set_Color(clBlack);
  SetFont(TimeLabel1->Font(), -15, clLime, true);
  TimeLabel1->set_Caption("0:0:0");
  TimeLabel1->set_timerenabled(false);
  TimeLabel1->set_timeinterval(1000);
  TimeLabel1->set_OnTimer([this](TObject* s) { TimeLabel1Timer(s); });
  TimeLabel1->set_MS(0);
  TimeLabel1->set_AccessibleDescription("用时");

  Splitter2 = Gap(this, 318, 7);
  ToolButton10 = Button(this, 325, 8, "重玩此局", [this](TObject* s) { ToolButton10Click(s); });

  WC_Label = new TLabel(this);
  WC_Label->set_AutoSize(false);
  Layout::Place(ToolBar1, WC_Label, 348, 2, 136, 22);
  WC_Label->set_Alignment(taRightJustify);
  WC_Label->set_Caption("恭喜你完成任务");
  SetFont(WC_Label->Font(), -13, clWindowText, true);
  WC_Label->Font()->set_Name("System");
  WC_Label->set_Visible(false);
  WC_Label->set_AccessibleRole(arNotification);  // a screen reader speaks it as it appears

  // After the last of the tool bar's own controls.
  ToolButton12 = Button(this, 484, 10, "撤销", [this](TObject* s) { N18Click(s); });
  ToolButton13 = Button(this, 507, 11, "重做", [this](TObject* s) { N19Click(s); });
  ToolButton14 = Button(this, 530, 12, "提示", [this](TObject* s) { N21Click(s); });

  sb1 = Layout::Place(this, new TStatusBar(this), 0, 470, 556, 19);
  sb1->Panels = {{std::string(Contact::Name) + " 1.5", 90}, {Contact::Mail, 150}, {Contact::HomePageAddress, 130}};
  if (*Contact::ChatAddress)
    sb1->Panels.push_back({std::string(Contact::ChatService) + " " + Contact::ChatAddress, 50});

  Panel1 = Layout::Place(this, new TPanel(this), 0, 29, 447, 441);
  Panel1->set_Align(alLeft);
  Panel1->set_BevelOuter(bvNone);
  Panel1->set_BorderWidth(2);
  Panel1->set_BorderStyle(bsSingle);
  Panel1->set_Ctl3D(false);

  QJ1 = Layout::Place(this, new QJ::TQJ(this), 456, 232, 35, 35);

  sd991 = Layout::Place(Panel1, new sd99::Tsd99(this), 2, 2, 503, 435);
  sd991->set_Align(alLeft);
  sd991->set_BevelOuter(bvNone);
  sd991->set_BorderWidth(1);
  sd991->set_Ctl3D(false);
  sd991->set_Color(13487615);
  sd991->QJ = QJ1;
  sd991->set_UNFoucsColor1(clWhite);
  sd991->set_UNFoucsColor2(16759739);
  sd991->set_FoucsColor1(13487615);
  sd991->set_FoucsColor2(13470139);
  sd991->nd = 1;
  SetFont(sd991->FONT1, -33, clBlack, true);
  SetFont(sd991->FONT2, -33, clBlue, true);
  SetFont(sd991->FONT3, -16, clBlue, false);

  pan = Layout::Place(sd991, new Suppanel::TSuppanel(this), 296, 24, 51, 66);
  pan->set_Caption(" ");
  pan->set_Visible(false);
  pan->Node_h = 0;
  pan->Node_s = 0;
  pan->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { panMouseDown(s, b, sh, x, y); };
  pan->OnKeyDown = [this](TObject* s, unsigned short& k, TShiftState sh) { panKeyDown(s, k, sh); };
  sd991->Pan = pan;
  moves.Board = sd991;

  // In the board's place while the game is paused: the digits are hidden, and a click goes on.
  PausePanel = Layout::Place(Panel1, new TPanel(this), 2, 2, 503, 435);
  PausePanel->set_BevelOuter(bvNone);
  PausePanel->set_Color(sd991->Color());
  SetFont(PausePanel->Font(), -33, clBlue, true);
  PausePanel->set_Caption("已暂停");
  PausePanel->set_Visible(false);
  PausePanel->OnClick = [this](TObject* s) { PausePanelClick(s); };

  KeepTimer = new TTimer(this);
  KeepTimer->set_Enabled(false);
  KeepTimer->set_Interval(1000);
  KeepTimer->set_OnTimer([this](TObject* s) { KeepTimerTimer(s); });
  OnMinimize = [this](TObject* s) { FormMinimize(s); };
  OnRestore = [this](TObject* s) { FormRestore(s); };
  OnClose = [this](TObject* s) { FormClose(s); };

  Memo2 = Layout::Place(this, new TMemo(this), 448, 32, 101, 185);
  Memo2->set_ReadOnly(true);
  std::string rules;
  for (const char* line : Rules) rules += std::string(line) + "\r\n";
  Memo2->set_Text(rules.substr(0, rules.size() - 2));
  Memo2->set_AccessibleName("游戏说明");

  // Below the rules: the hint's words. The line lies where the bare window was, and takes the
  // row-and-column tint away as the bare window does.
  Hint = new HintView::THintView(this, moves);
  Layout::Place(this, Hint->Memo, 448, 222, 101, 244);
  Hint->Memo->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };

  OpenDialog1 = new TOpenDialog(this);
  SaveDialog1 = new TSaveDialog(this);
  for (TOpenDialog* d : {OpenDialog1, static_cast<TOpenDialog*>(SaveDialog1)}) {
    d->DefaultExt = "txt";
    d->FileName = "save1.txt";
    d->InitialDir = ".";
  }
}

}  // namespace velmora::main
