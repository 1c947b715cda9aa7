// The hyperlink label.
#include "controls/NetLabel.h"

#include "toolkit/Shell.h"

namespace velmora::NetLabel {

using namespace toolkit;

const char* Prefix(THyperLink kind) {
  switch (kind) {
    case hlHTTP: return "http://";
    case hlMail: return "mailto:";
    case hlTelnet: return "telnet:";
    case hlGopher: return "gopher://";
    case hlNews: return "news:";
    case hlFTP: return "ftp://";
  }
  return "";
}

TNetLabel::TNetLabel(TComponent* AOwner) : TLabel(AOwner) {
  set_Cursor(crHandPoint);
  set_Caption(HyperLink);
  Font()->set_Color(clMaroon);
  LeaveColor = Font()->Color();
}

void TNetLabel::MouseEnter() {
  TLabel::MouseEnter();
  LeaveColor = Font()->Color();
  Font()->set_Color(HLinkColor);
  TFontStyles style = Font()->Style();
  style.insert(fsUnderline);
  Font()->set_Style(style);
}

// A label underlined from the start loses its underline here too, once the mouse has passed.
void TNetLabel::MouseLeave() {
  TLabel::MouseLeave();
  Font()->set_Color(LeaveColor);
  TFontStyles style = Font()->Style();
  style.erase(fsUnderline);
  Font()->set_Style(style);
}

// The shell's answer is not examined: the label takes the visited colour whether or not anything opened.
void TNetLabel::Click() {
  TLabel::Click();
  if (HyperLink.empty()) return;
  ShellOpen(Prefix(HyperLinkKind) + HyperLink);
  LeaveColor = VLinkColor;
}

}  // namespace velmora::NetLabel
