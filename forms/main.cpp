// The main window: its layout, new games, the change handler with repeat marks and records, the
// candidate panel, the row-and-column tint, replay, and the dialogs it opens.
#include "forms/main.h"

#include <filesystem>
#include <memory>

#include "forms/Contact.h"
#include "forms/Layout.h"
#include "forms/Records.h"
#include "forms/UAbout.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_phb.h"
#include "forms/Ufrm_tk.h"
#include "forms/u_frm_djphb.h"

namespace velmora::main {

using namespace toolkit;

TForm1* Form1 = nullptr;

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

const char* const LevelNames[] = {"", "初级", "中级", "高级", "骨灰级"};

const char* const RecordCaptions[] = {"", "已破初级记录", "已破中级记录", "已破高级记录", "已破骨灰级记录"};

// Marks the board as being filled by the program for as long as it lives.
class Filling {
 public:
  explicit Filling(bool& flag) : flag_(flag) { flag_ = true; }
  ~Filling() { flag_ = false; }
  Filling(const Filling&) = delete;
  Filling& operator=(const Filling&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  BuildLayout();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  DoCreate();
}

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
  N3 = Item(this, N1, "报时", [this](TObject* s) { N3Click(s); });
  N3->ShortCut = "Ctrl+T";
  Item(this, N1, "-");
  N5 = Item(this, N1, "退出", [this](TObject* s) { N5Click(s); });
  N16 = Item(this, MainMenu1->Items(), "帮助");
  N17 = Item(this, N16, "帮助", [this](TObject* s) { N17Click(s); });
  Item(this, N16, "-");
  About1 = Item(this, N16, "&About", [this](TObject* s) { About1Click(s); });
  set_Menu(MainMenu1);

  ImageList1 = new TImageList(this);
  for (int i = 0; i < 10; ++i) ImageList1->Add(":/toolbar/" + IntToStr(i) + ".png");

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

  Memo2 = Layout::Place(this, new TMemo(this), 448, 32, 101, 185);
  Memo2->set_ReadOnly(true);
  std::string rules;
  for (const char* line : Rules) rules += std::string(line) + "\r\n";
  Memo2->set_Text(rules.substr(0, rules.size() - 2));
  Memo2->set_AccessibleName("游戏说明");

  OpenDialog1 = new TOpenDialog(this);
  SaveDialog1 = new TSaveDialog(this);
  for (TOpenDialog* d : {OpenDialog1, static_cast<TOpenDialog*>(SaveDialog1)}) {
    d->DefaultExt = "txt";
    d->FileName = "save1.txt";
    d->InitialDir = ".";
  }
}

void TForm1::FormCreate(TObject*) {
  sd991->set_Enabled(false);
  for (auto* cell : sd991->Cells) {
    cell->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { MemoMouseDown(s, b, sh, x, y); };
    cell->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { CellMouseMove(s, sh, x, y); };
    cell->OnChange = [this](TObject* s) { CellChanged(s); };
    cell->OnKeyDown = [this](TObject* s, unsigned short& k, TShiftState sh) { CellKeyDown(s, k, sh); };
  }
  // Last: a record file that cannot be written (full disk, read-only folder) shows the error box and
  // must not leave the board without its handlers.
  Records::PrepareFolder(Memo1);
}

void TForm1::ToolButton5Click(TObject*) { NewGame(1); }
void TForm1::ToolButton6Click(TObject*) { NewGame(2); }
void TForm1::ToolButton7Click(TObject*) { NewGame(3); }
void TForm1::ToolButton8Click(TObject*) { NewGame(4); }

void TForm1::NewGame(int Level) {
  switch (Level) {
    case 1: QJ1->NewEasy(); break;
    case 2: QJ1->NewMedium(); break;
    case 3: QJ1->NewHard(); break;
    default: QJ1->NewExpert(); break;
  }
  ShowPuzzle();
  RestartClock();
  sd991->nd = Level;
  pan->Hide();
  AnnounceLevel(Level);
}

void TForm1::AnnounceLevel(int Level) {
  if (Level >= 1 && Level <= 4) Announce(std::string("新游戏，") + LevelNames[Level]);
}

// The platform timer restarts its period only when its enabled flag or interval really changes: a
// clock that stood still starts a full second from now, a running one keeps its phase.
void TForm1::RestartClock() {
  TimeLabel1->set_timerenabled(true);
  TimeLabel1->set_MS(0);
  TimeLabel1->set_timeinterval(1000);
}

void TForm1::ShowPuzzle() {
  Filling fill(filling);
  for (int row = 1; row <= 9; ++row) {
    for (int col = 1; col <= 9; ++col) {
      auto* cell = sd991->Cells(row, col);
      QJ::TNode* node = QJ1->Nodes(row, col);
      cell->set_h(row);
      cell->set_s(col);
      cell->set_zt(3);
      cell->set_Text("");
      if (node->Given) {
        cell->set_zt(1);
        cell->set_Text(IntToStr(node->Value));  // runs CellChanged, which makes the cell state 2 ...
        cell->set_ReadOnly(true);               // ... so the clue look is put back
        cell->Font()->set_Color(clBlack);
      }
    }
  }
  sd991->set_Enabled(true);
  WC_Label->Hide();
  FocusFirstOpenCell();
}

// Every game starts with the focus in its first open cell, in reading order, so that it plays from
// the keyboard at once; the cells themselves stay out of the tab order.
void TForm1::FocusFirstOpenCell() {
  for (auto* cell : sd991->Cells)
    if (!cell->ReadOnly()) {
      cell->SetFocus();
      return;
    }
}

void TForm1::CellChanged(TObject* Sender) {
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  cell->set_zt(AnsiLength(cell->Text()) == 1 ? 2 : 3);
  bool Found;
  int Row1, Col1, Row2, Col2;
  sd991->FindConflict(Found, Row1, Col1, Row2, Col2);
  for (auto* c : sd991->Cells) c->set_error(false);
  if (Found) {
    sd991->Cells(Row1, Col1)->set_error(true);
    sd991->Cells(Row2, Col2)->set_error(true);
  }
  sd991->DescribeRepeat();
  // While the program fills the board, the cells pass through boards that are no one's game: a clue put
  // back can complete the solved board of the game before for a moment. Only the player's changes are
  // judged.
  if (filling || !sd991->IsSolved()) return;
  Complete();
  int level = sd991->nd;
  if (level < 1 || level > 4) return;
  // 64-bit: a record edited by hand to a huge number of seconds must not overflow the comparison.
  if (TimeLabel1->MS() >= BestTime(level) * 1000) return;
  auto* dialog = u_frm_djphb::frm_djphb;
  if (!dialog) return;
  dialog->Label_sj->set_Caption(IntToStr(TimeLabel1->MS() / 1000) + "秒");
  dialog->Label1->set_Caption(RecordCaptions[level]);
  dialog->Edit1->set_Text("佚名");
  dialog->ShowModal();
}

void TForm1::Complete() {
  // The focus leaves the board for a new game of the level before the board locks, so that it is
  // never left nowhere; the congratulation is told after that move, which would otherwise cut it off.
  TToolButton* next[] = {ToolButton5, ToolButton5, ToolButton6, ToolButton7, ToolButton8};
  next[sd991->nd >= 1 && sd991->nd <= 4 ? sd991->nd : 0]->SetFocus();
  sd991->set_Enabled(false);
  WC_Label->Show();
  TimeLabel1->set_timerenabled(false);
  pan->Hide();
}

void TForm1::MemoMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  if (!sfshowpan->Down()) {
    pan->Hide();
    Abort();
  }
  if (Button != mbLeft || cell->ReadOnly()) {
    pan->Hide();
    return;
  }
  ShowPanel(cell);
}

void TForm1::ShowPanel(sdunit::Tsdunit* cell) {
  pan->set_Top(cell->h() == 8 || cell->h() == 9 ? cell->Top() - 60 : cell->Top() + 40);
  pan->set_Left(cell->Left());
  pan->set_hxs(QJ1->Candidates(cell->h(), cell->s()));
  pan->Node_h = cell->h();
  pan->Node_s = cell->s();
  pan->Show();
}

void TForm1::panMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { PanelChoose(pan->HitTest(X, Y)); }

void TForm1::PanelChoose(int n) {
  WriteChoice(n);
  pan->Hide();
}

void TForm1::WriteChoice(int n) {
  auto* cell = pan->Node_h >= 1 && pan->Node_s >= 1 ? sd991->Cells(pan->Node_h, pan->Node_s) : nullptr;
  // The panel may still point at a cell that has become a clue since it opened.
  if (!cell || cell->ReadOnly()) return;
  if (n >= 1 && n <= 9) cell->set_Text(IntToStr(n));
  if (n == 11) cell->set_Text(pan->hxs());
}

// Ctrl+Space in an open cell opens the candidate panel there, as a click does while 候选数面板显示 is
// down, with the keys on its first offered digit.
void TForm1::CellKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift) {
  if (Key != vkSpace || Shift != TShiftState{ssCtrl}) return;
  Key = 0;
  auto* cell = static_cast<sdunit::Tsdunit*>(Sender);
  if (cell->ReadOnly()) return;
  if (!sfshowpan->Down()) {
    Announce("候选数面板显示未按下");
    return;
  }
  ShowPanel(cell);
  pan->Current = 10;
  for (int i = 9; i >= 1; --i)
    if (pan->Items[i]->Enabled) pan->Current = i;
  pan->SetFocus();
  pan->Repaint();
  pan->FocusAccessibleItem(pan->Current >= 10 ? pan->Current - 10 : pan->Current + 1);
}

// The panel's keys: arrows move among its boxes, Enter or Space chooses the box as a click does,
// Escape closes it; either way the focus goes back to the cell.
void TForm1::panKeyDown(TObject*, unsigned short& Key, TShiftState) {
  const unsigned short key = Key;
  Key = 0;
  switch (key) {
    case vkLeft: pan->MoveCurrent(drLeft); return;
    case vkRight: pan->MoveCurrent(drRight); return;
    case vkUp: pan->MoveCurrent(drUp); return;
    case vkDown: pan->MoveCurrent(drDown); return;
    case vkReturn:
    case vkSpace:
    case vkEscape: break;
    default: Key = key; return;
  }
  auto* cell = pan->Node_h >= 1 && pan->Node_s >= 1 ? sd991->Cells(pan->Node_h, pan->Node_s) : nullptr;
  // The choice is written before the focus goes back, so that a screen reader hears it once, as the
  // cell's text, and not once more as an insertion. A choice that completed the board has moved the
  // focus on already.
  if (key != vkEscape) WriteChoice(pan->Current);
  if (cell && sd991->Enabled()) cell->SetFocus();
  pan->Hide();
}

void TForm1::CellMouseMove(TObject* Sender, TShiftState, int, int) {
  auto* hovered = static_cast<sdunit::Tsdunit*>(Sender);
  hoverRow = hovered->h();
  hoverCol = hovered->s();
  for (auto* cell : sd991->Cells) {
    if (cell->error()) continue;
    cell->set_Color(cell->h() == hoverRow || cell->s() == hoverCol ? cell->foucscolor : cell->unfoucscolor());
  }
}

void TForm1::FormMouseMove(TObject*, TShiftState, int, int) {
  for (auto* cell : sd991->Cells) cell->set_Color(cell->unfoucscolor());
}

void TForm1::TimeLabel1Timer(TObject*) { TimeLabel1->set_MS(TimeLabel1->MS() + TimeLabel1->timeinterval()); }

void TForm1::ToolButton10Click(TObject*) {
  {
    Filling fill(filling);
    for (int row = 1; row <= 9; ++row)
      for (int col = 1; col <= 9; ++col)
        if (!QJ1->Nodes(row, col)->Given) sd991->Cells(row, col)->set_Text("");
  }
  sd991->set_Enabled(true);
  WC_Label->Hide();
  RestartClock();
  pan->Hide();
  FocusFirstOpenCell();
}

void TForm1::N2Click(TObject*) {
  std::unique_ptr<Ufrm_phb::Tfrm_phb> table(new Ufrm_phb::Tfrm_phb(nullptr));
  table->ShowModal();
}

void TForm1::ToolButton4Click(TObject*) {
  if (Ufrm_new::frm_new) Ufrm_new::frm_new->ShowModal();
}
void TForm1::ToolButton11Click(TObject*) {
  if (Ufrm_tk::frm_tk) Ufrm_tk::frm_tk->ShowModal();
}
void TForm1::N17Click(TObject*) {
  if (Ufrm_help::frm_help) Ufrm_help::frm_help->ShowModal();
}
void TForm1::About1Click(TObject*) {
  if (UAbout::frm_about) UAbout::frm_about->ShowModal();
}

void TForm1::N5Click(TObject*) { Close(); }

// Ctrl+T, from anywhere in the window: a screen reader says the time the clock shows, in words.
void TForm1::N3Click(TObject*) {
  const std::int64_t seconds = TimeLabel1->MS() / 1000;
  const std::int64_t hours = seconds / 3600, minutes = seconds / 60 % 60;
  std::string said = "用时";
  if (hours > 0) said += IntToStr(hours) + "小时";
  if (hours > 0 || minutes > 0) said += IntToStr(minutes) + "分";
  said += IntToStr(seconds % 60) + "秒";
  if (!TimeLabel1->timerenabled()) said += "，计时已停";
  Announce(said);
}

void TForm1::ToolButton1Click(TObject*) {
  if (!OpenDialog1->Execute()) return;
  LoadGame(OpenDialog1->FileName);
  Announce("已装载 " + std::filesystem::path(OpenDialog1->FileName).filename().string());
}

void TForm1::ToolButton2Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  TStringList lines;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col)
      lines.Add((QJ1->Nodes(row, col)->Given ? "1" : "0") + sd991->Cells(row, col)->Text());
  lines.SaveToFile(SaveDialog1->FileName);
  Announce("已保存 " + std::filesystem::path(SaveDialog1->FileName).filename().string());
}

void TForm1::LoadGame(const std::string& FileName) {
  TStringList lines;
  lines.LoadFromFile(FileName);
  // A line's flag is the first byte of its code page 936 form, and the cell's text is the rest.
  char flags[81];
  std::string texts[81];
  for (int k = 0; k < 81; ++k) {
    std::string line = Utf8ToAnsi(lines.Get(k));
    flags[k] = line.empty() ? 0 : line[0];
    texts[k] = line.size() > 1 ? AnsiToUtf8(line.substr(1)) : std::string();
  }
  // Every clue is read before anything changes, so a bad line leaves the game as it was.
  int values[81] = {};
  for (int k = 0; k < 81; ++k)
    if (flags[k] == '1') values[k] = StrToInt(texts[k]);
  // A loaded game takes part in no record. A file that holds a completed board stops the clock, and is
  // then shown ready to edit like any other.
  sd991->nd = 0;
  Filling fill(filling);
  for (int k = 0; k < 81; ++k) {
    auto* cell = sd991->Cells(k / 9 + 1, k % 9 + 1);
    QJ::TNode* node = QJ1->Nodes(k / 9 + 1, k % 9 + 1);
    cell->set_zt(3);
    cell->set_Text(texts[k]);
    if (flags[k] == '1') {
      cell->set_zt(1);
      node->Value = values[k];
      node->Given = true;
    } else {
      node->Given = false;
      if (AnsiLength(Trim(cell->Text())) == 1) cell->set_zt(2);
    }
  }
  // Loading is no win: a finished board only stops the clock, with no congratulation.
  if (sd991->IsSolved()) TimeLabel1->set_timerenabled(false);
  sd991->set_Enabled(true);
  WC_Label->Hide();
  sd991->nd = 0;
  pan->Hide();
  FocusFirstOpenCell();
}

long long TForm1::BestTime(int Level) {
  try {
    Memo1.Clear();
    Memo1.LoadFromFile(Records::FileName);
    return Records::Seconds(Memo1.Get(2 * (Level - 1)));
  } catch (const Exception&) {
    return 9999;
  }
}

}  // namespace velmora::main
