// Fuzz target: the record file read for each level, written by the new-record dialog, shown and reset
// by the record table.
#include <memory>

#include "forms/Records.h"
#include "forms/Ufrm_phb.h"
#include "forms/u_frm_djphb.h"
#include "fuzz/FuzzGame.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::StartProgram();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* form = main::Form1;
  auto* dialog = u_frm_djphb::frm_djphb;
  std::string input(reinterpret_cast<const char*>(data), size);
  // The level and the name come from the input too, so that every level's lines are written.
  int level = size ? data[0] % 4 + 1 : 1;
  fuzz::WriteInput(Records::FileName, data, size);

  long long before[5];
  for (int l = 1; l <= 4; ++l) before[l] = form->BestTime(l);

  // The record table shows the first eight lines as they stand.
  {
    toolkit::TStringList lines;
    lines.LoadFromFile(Records::FileName);
    std::unique_ptr<Ufrm_phb::Tfrm_phb> table(new Ufrm_phb::Tfrm_phb(nullptr));
    toolkit::TLabel* labels[] = {table->s1, table->m1, table->s2, table->m2,
                                 table->s3, table->m3, table->s4, table->m4};
    for (int i = 0; i < 8; ++i) fuzz::Check(labels[i]->Caption() == lines.Get(i), "the table shows another line");
    // A new table's first drawing is slow: one input in eight is drawn.
    if (size % 8 == 0) fuzz::Check(toolkit::testing::Grab(table.get()).Width() > 0, "the table does not draw");
  }

  // A new record: the level's time and name change (unless the file holds a better time), every other
  // level keeps its record, and every other line comes back byte for byte. The name is the whole input,
  // line breaks included.
  toolkit::TStringList bytesBefore, bytesAfter;
  bytesBefore.set_Text(input);
  form->sd991->nd = level;
  dialog->Label_sj->set_Caption(toolkit::IntToStr(level * 7) + "秒");
  dialog->Edit1->set_Text(toolkit::AnsiToUtf8(input));
  fuzz::Check(fuzz::Handle([&] { dialog->Button1Click(nullptr); }), "storing a record failed");
  // The time is stored only where it beats the level's stored time.
  for (int l = 1; l <= 4; ++l)
    fuzz::Check(form->BestTime(l) == (l == level && level * 7 < before[l] ? level * 7 : before[l]),
                "a record was lost or misread");
  bytesAfter.set_Text(toolkit::ReadFileBytes(Records::FileName));
  for (int i = 0; i < bytesBefore.Count(); ++i)
    if (i / 2 + 1 != level && !(i == bytesBefore.Count() - 1 && bytesBefore.Get(i).empty()))
      fuzz::Check(bytesAfter.Get(i) == bytesBefore.Get(i), "a line of another level was changed");

  // The table's reset writes the default file whatever was there.
  {
    std::unique_ptr<Ufrm_phb::Tfrm_phb> table(new Ufrm_phb::Tfrm_phb(nullptr));
    fuzz::Check(fuzz::Handle([&] { table->Button1Click(nullptr); }), "resetting the table failed");
  }
  for (int l = 1; l <= 4; ++l) fuzz::Check(form->BestTime(l) == 9999, "a reset left a record");
  return 0;
}
