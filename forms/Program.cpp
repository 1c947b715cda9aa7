// Program start and stop.
#include "forms/Program.h"

#include "forms/UAbout.h"
#include "forms/Ufrm_help.h"
#include "forms/Ufrm_new.h"
#include "forms/Ufrm_tk.h"
#include "forms/main.h"
#include "forms/u_frm_djphb.h"
#include "toolkit/Forms.h"

namespace velmora {

void CreateForms() {
  toolkit::Application->Title = "Velmora";
  toolkit::Application->CreateForm(main::Form1);
  toolkit::Application->CreateForm(u_frm_djphb::frm_djphb);
  toolkit::Application->CreateForm(UAbout::frm_about);
  toolkit::Application->CreateForm(Ufrm_new::frm_new);
  toolkit::Application->CreateForm(Ufrm_help::frm_help);
  toolkit::Application->CreateForm(Ufrm_tk::frm_tk);
}

template <class T>
static void Free(T*& form) {
  delete form;
  form = nullptr;
}

void DestroyForms() {
  Free(Ufrm_tk::frm_tk);
  Free(Ufrm_help::frm_help);
  Free(Ufrm_new::frm_new);
  Free(UAbout::frm_about);
  Free(u_frm_djphb::frm_djphb);
  Free(main::Form1);
}

}  // namespace velmora
