// Building a form's layout one line a component: each helper makes a component owned by the form,
// puts it on its parent at its place (left, top, width, height) and gives it its text.
#pragma once
#include <string>

#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace velmora::Layout {

// The window itself: caption, border, position, client size and the classic dialog font.
void Window(toolkit::TForm* f, const std::string& caption, toolkit::TFormBorderStyleKind border,
            toolkit::TPosition position, int clientWidth, int clientHeight);

template <class T>
T* Place(toolkit::TControl* parent, T* control, int left, int top, int width, int height, int tabOrder = -1) {
  control->set_Parent(parent);
  control->SetBounds(left, top, width, height);
  if (tabOrder >= 0) control->set_TabOrder(tabOrder);
  return control;
}

// A label of a fixed size (longer text is cut at its edge); width 0 makes it as large as its text.
toolkit::TLabel* Label(toolkit::TForm* f, int left, int top, int width, int height, const std::string& caption,
                       toolkit::TAlignment alignment = toolkit::taLeftJustify);

toolkit::TButton* Button(toolkit::TForm* f, int left, int top, int width, int height, int tabOrder,
                         const std::string& caption, toolkit::TNotifyEvent onClick);

}  // namespace velmora::Layout
