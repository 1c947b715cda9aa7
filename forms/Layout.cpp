// Building a form's layout one line a component.
#include "forms/Layout.h"

namespace velmora::Layout {

using namespace toolkit;

void Window(TForm* f, const std::string& caption, TFormBorderStyleKind border, TPosition position, int clientWidth,
            int clientHeight) {
  f->set_Caption(caption);
  f->set_BorderStyle(border);
  f->set_Position(position);
  f->set_ClientWidth(clientWidth);
  f->set_ClientHeight(clientHeight);
  f->Font()->set_Name("MS Sans Serif");
  f->Font()->set_Height(-11);
}

TLabel* Label(TForm* f, int left, int top, int width, int height, const std::string& caption, TAlignment alignment) {
  auto* label = new TLabel(f);
  label->set_AutoSize(width == 0);
  Place(f, label, left, top, width ? width : label->Width(), width ? height : label->Height());
  label->set_Alignment(alignment);
  label->set_Caption(caption);
  return label;
}

TButton* Button(TForm* f, int left, int top, int width, int height, int tabOrder, const std::string& caption,
                TNotifyEvent onClick) {
  auto* button = Place(f, new TButton(f), left, top, width, height, tabOrder);
  button->set_Caption(caption);
  button->OnClick = std::move(onClick);
  return button;
}

}  // namespace velmora::Layout
