// The record table: the four records from the record file, and their reset.
#pragma once
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Ufrm_phb {

class Tfrm_phb : public toolkit::TForm {
 public:
  explicit Tfrm_phb(toolkit::TComponent* AOwner);

  toolkit::TLabel* Label1;
  toolkit::TLabel* Label2;
  toolkit::TLabel* Label3;
  toolkit::TLabel* Label4;
  toolkit::TLabel* s1;
  toolkit::TLabel* s2;
  toolkit::TLabel* s3;
  toolkit::TLabel* s4;
  toolkit::TLabel* m1;
  toolkit::TLabel* m2;
  toolkit::TLabel* m3;
  toolkit::TLabel* m4;
  toolkit::TButton* Button1;
  toolkit::TButton* Button2;
  toolkit::TStringList Memo1;  // the line store of the record file

  void FormCreate(toolkit::TObject* Sender);
  void Button1Click(toolkit::TObject* Sender);
  void Button2Click(toolkit::TObject* Sender);

 private:
  void Describe();
};

}  // namespace velmora::Ufrm_phb
