// The hyperlink label.
#include "controls/NetLabel.h"

#include <cctype>

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

namespace {

// Whether an address already names its scheme ("https://…", "mailto:…"): a scheme name followed by
// "//", or by the colon alone for the kinds whose prefix has no slashes. "host:8080" names none.
bool NamesScheme(const std::string& address) {
  std::size_t colon = address.find(':');
  if (colon == std::string::npos || !std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  std::string scheme;
  for (char c : address.substr(0, colon)) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
    scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (address.compare(colon + 1, 2, "//") == 0) return true;
  for (THyperLink kind : {hlMail, hlTelnet, hlNews})
    if (scheme + ":" == Prefix(kind)) return true;
  return false;
}

}  // namespace

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
  ShellOpen(NamesScheme(HyperLink) ? HyperLink : Prefix(HyperLinkKind) + HyperLink);
  LeaveColor = VLinkColor;
}

}  // namespace velmora::NetLabel
