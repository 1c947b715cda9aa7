// The help page's words as plain text.
#include "forms/HelpText.h"

namespace velmora::HelpText {

std::string Plain() {
  std::string out = std::string(Title) + "\r\n" + Subtitle + "\r\n" + MainHeading + "\r\n";
  for (const char* p : MainParagraphs) out += std::string(p) + "\r\n";
  out += std::string(ToolHeading) + "\r\n";
  for (const Tool& t : Tools) out += std::string(t.Name) + "：" + t.Text + "\r\n";
  for (const Section* s : {&PanelSection, &EditorSection, &CollectionSection}) {
    out += std::string(s->Heading) + "\r\n";
    for (const char* p : s->Points)
      if (p) out += std::string(p) + "\r\n";
  }
  out += std::string(KeysHeading) + "\r\n";
  for (const char* p : KeysParagraphs) out += std::string(p) + "\r\n";
  return out + Footer;
}

}  // namespace velmora::HelpText
