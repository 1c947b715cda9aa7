// The statistics window.
#include "forms/Ufrm_tj.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "forms/Layout.h"
#include "toolkit/SysUtils.h"

namespace velmora::Ufrm_tj {

using namespace toolkit;
using Layout::Button;
using Layout::Label;

TPlot::TPlot(TComponent* AOwner) : TPanel(AOwner) {
  set_BevelOuter(bvNone);
  set_BorderStyle(bsSingle);
  set_Ctl3D(false);
  set_Color(clWhite);
}

void TPlot::set_Figures(int Level, const Stats::TLevel& Figures) {
  FLevel = Level;
  FFigures = Figures;
  set_AccessibleName(std::string(Stats::LevelNames[Level]) + "用时图");
  std::string d = FFigures.Times.empty() ? "还没有完成的游戏"
                                         : "最近" + IntToStr(static_cast<long long>(FFigures.Times.size())) + "局的用时";
  if (FFigures.Record >= 0) d += "，记录" + IntToStr(FFigures.Record) + "秒";
  set_AccessibleDescription(d);
  Invalidate();
}

// The bars stand on the bottom edge, the slowest time kept reaching the top; each game has a slot of
// the same width, so fifty games fill the plot and fewer stand at its left.
void TPlot::Paint() {
  TPanel::Paint();
  TCanvas* c = Canvas();
  const int W = ClientWidth(), H = ClientHeight();
  c->Brush.Color = clWhite;
  c->Font.set_Height(-11);
  c->Font.set_Color(clBlack);
  c->TextOut(3, 1, Stats::LevelNames[FLevel]);
  const std::vector<long long>& times = FFigures.Times;
  if (times.empty()) return;
  const int top = 16, bottom = H - 3, left = 3, right = W - 3;
  const long long slowest = std::max(*std::max_element(times.begin(), times.end()), 1LL);
  const int slot = std::max(1, (right - left) / static_cast<int>(Stats::Kept));
  auto y = [&](long long t) { return bottom - static_cast<int>((bottom - top) * t / slowest); };
  for (std::size_t i = 0; i < times.size(); ++i) {
    c->Brush.Color = times[i] == FFigures.Record ? RecordColor : BarColor;
    const int x = left + static_cast<int>(i) * slot;
    c->FillRect(x, std::min(y(times[i]), bottom - 1), x + std::max(1, slot - 1), bottom);
  }
  if (FFigures.Record < 0) return;
  c->Pen.Color = RecordColor;
  c->Pen.Width = 1;
  c->Pen.Style = psDot;
  c->MoveTo(left, y(FFigures.Record));
  c->LineTo(right, y(FFigures.Record));
  const std::string record = "记录" + IntToStr(FFigures.Record) + "秒";
  c->Brush.Color = clWhite;
  c->TextOut(right - c->TextWidth(record), 1, record);
}

Tfrm_tj::Tfrm_tj(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "统计", fbsDialog, poScreenCenter, 420, 356);
  //                        left top width height
  for (int i = 0; i < 4; ++i) Lines[i] = Label(this, 12, 10 + 18 * i, 396, 16, "");
  for (int i = 0; i < 4; ++i) {
    Plots[i] = Layout::Place(this, new TPlot(this), 12 + 203 * (i % 2), 88 + 114 * (i / 2), 193, 106);
  }
  Button1 = Button(this, 110, 322, 85, 25, 0, "清除统计", [this](TObject* s) { Button1Click(s); });
  Button2 = Button(this, 225, 322, 85, 25, 1, "确定", [this](TObject* s) { Button2Click(s); });
  // Enter and Escape close the window; only a click or Space on 清除统计 asks about clearing.
  set_ActiveControl(Button2);
  Button2->set_Cancel(true);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  DoCreate();
}

void Tfrm_tj::FormCreate(TObject*) {
  std::string why;
  Stats::TStats stats = Stats::Read(&why);
  // A damaged file is shown as no games; the next count moves it aside and starts afresh.
  if (!why.empty()) std::fprintf(stderr, "velmora: the statistics are not shown (%s)\n", why.c_str());
  ShowFigures(stats);
}

void Tfrm_tj::ShowFigures(const Stats::TStats& stats) {
  std::string description;
  for (int l = 1; l <= 4; ++l) {
    const std::string said = Stats::Spoken(l, stats[l - 1]);
    Lines[l - 1]->set_Caption(said);
    Plots[l - 1]->set_Figures(l, stats[l - 1]);
    description += (l > 1 ? "。" : "") + said;
  }
  set_AccessibleDescription(description);
}

void Tfrm_tj::Button1Click(TObject*) {
  std::unique_ptr<Tfrm_ask> ask(new Tfrm_ask(this));
  if (ask->ShowModal() != mrOk) return;
  Stats::Clear();
  ShowFigures(Stats::TStats{});
}

void Tfrm_tj::Button2Click(TObject*) { Close(); }

Tfrm_ask::Tfrm_ask(TComponent* AOwner) : TForm(AOwner) {
  Layout::Window(this, "统计", fbsDialog, poScreenCenter, 240, 84);
  Label1 = Label(this, 16, 14, 208, 16, "清除全部统计吗？");
  Yes = Button(this, 32, 46, 75, 25, 0, "是", [this](TObject*) { set_ModalResult(mrOk); });
  No = Button(this, 133, 46, 75, 25, 1, "否", [this](TObject*) { set_ModalResult(mrCancel); });
  set_AccessibleDescription(Label1->Caption());  // a dialog announces its message
  set_ActiveControl(No);  // Enter at once keeps the statistics
  No->set_Cancel(true);
}

}  // namespace velmora::Ufrm_tj
