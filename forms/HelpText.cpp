// The help page's words as plain text, as a screen reader is to read them.
#include "forms/HelpText.h"

namespace velmora::HelpText {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The picture's signs, in words: a speech engine reads "37–40" as one number (三十七四十), "Ctrl+Z" with
// an English "plus", and drops an arrow. A range between two numbers becomes "37到40", a key held with
// another "Ctrl加Z", an arrow "里的".
std::string InWords(const std::string& line) {
  static const std::string Dash = "–", Arrow = "→";
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    if (line.compare(i, Dash.size(), Dash) == 0 && !out.empty() && IsDigit(out.back()) && i + Dash.size() < line.size() &&
        IsDigit(line[i + Dash.size()])) {
      out += "到";
      i += Dash.size();
    } else if (line[i] == '+' && !out.empty() && out.back() != ' ') {
      out += "加";
      ++i;
    } else if (line.compare(i, Arrow.size(), Arrow) == 0) {
      out += "里的";
      i += Arrow.size();
    } else {
      out += line[i++];
    }
  }
  return out;
}
}  // namespace

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
  return InWords(out + Footer);
}

}  // namespace velmora::HelpText
