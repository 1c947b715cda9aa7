// One cell of the 9x9 board: construction, box shading, colour rules, state fonts, key filter.
#include "controls/sdunit.h"

#include "engine/Myfun.h"
#include "toolkit/SysUtils.h"

namespace velmora::sdunit {

using namespace toolkit;

Tsdunit::Tsdunit(TComponent* AOwner) : TMemo(AOwner) {
  set_Width(40);
  set_Height(40);
  set_MaxLength(8);
  set_TabStop(false);
  set_Alignment(taCenter);
  OnChange = [this](TObject* Sender) { UpdateState(Sender); };
  set_BorderStyle(bsSingle);
  OnKeyPress = [this](TObject* Sender, char& Key) { FilterKey(Sender, Key); };
  set_ImeClosed(true);
  // error, h, s and the three colours start as the fields' initial values: plain stores, so the
  // control keeps the edit's own colour until the board sets h and s.
}

int Tsdunit::q() const { return Myfun::BoxNumber(Fh, Fs); }

namespace {
// Boxes 2, 4, 6, 8 are shaded in the button face, the others white.
TColor BoxShade(int box) { return box == 2 || box == 4 || box == 6 || box == 8 ? clBtnFace : clWhite; }
}  // namespace

void Tsdunit::set_h(int v) {
  Fh = v;
  set_Color(BoxShade(q()));
}

void Tsdunit::set_s(int v) {
  Fs = v;
  set_Color(BoxShade(q()));
}

void Tsdunit::set_error(bool v) {
  Ferror = v;
  set_Color(Ferror ? Ferrorcolor : RestColor());
}

void Tsdunit::set_errorcolor(TColor v) {
  Ferrorcolor = v;
  if (Ferror) set_Color(Ferrorcolor);
}

void Tsdunit::set_unfoucscolor(TColor v) {
  Funfoucscolor = v;
  if (!Ferror) set_Color(RestColor());
}

bool Tsdunit::Holds(char d) const { return Text().size() == 1 && Text()[0] == d; }

// The hint's tint is what the player asked for last, so it stays over the focused digit's; the focused
// digit's stays over the passing row-and-column tint, which would otherwise hide it as the mouse moves.
TColor Tsdunit::RestColor() const { return Fsame && FHintPart.empty() && Holds(Fsame) ? samecolor : Funfoucscolor; }

void Tsdunit::Recolor() {
  if (Ferror) return set_Color(Ferrorcolor);
  const TColor rest = RestColor();
  set_Color(Fhovered && rest == Funfoucscolor ? foucscolor : rest);
}

void Tsdunit::set_hovered(bool v) {
  Fhovered = v;
  Recolor();
}

void Tsdunit::set_same(char v) {
  // Marks only: a long text is no list of marks, and a cell's single digit is shown by its tint.
  constexpr std::size_t FewMarks = 16;
  const bool marked = v && Text().size() >= 2 && Text().size() <= FewMarks && Text().find(v) != std::string::npos;
  set_Stress(marked ? v : 0);
  Fsame = v;
  const bool tinted = v && Holds(v);
  if (tinted == Ftinted) return;
  Ftinted = tinted;
  Recolor();
}

void Tsdunit::TextChanged() {
  FRepeats.clear();
  Describe();
  if (OnTextChange) OnTextChange(this);
}

namespace {
// Size, colour and style in that order, handed to the cell's font in one assignment so the edit
// takes its new look once.
void SetLook(TFont* font, int size, TColor color, TFontStyles style) {
  TFont look;
  look.Assign(*font);
  look.set_Size(size);
  look.set_Color(color);
  look.set_Style(style);
  font->Assign(look);
}
}  // namespace

void Tsdunit::set_zt(int v) {
  Fzt = v;
  switch (Fzt) {
    case 1:  // given clue
      SetLook(Font(), 25, clBlack, {fsBold});
      set_ReadOnly(true);
      break;
    case 2:  // one character
      SetLook(Font(), 25, clBlue, {fsBold});
      set_ReadOnly(false);
      break;
    case 3:  // empty or pencil marks
      SetLook(Font(), 12, clBlue, {});
      set_ReadOnly(false);
      break;
    default:
      break;
  }
}

void Tsdunit::set_Repeats(const std::string& v) {
  if (v == FRepeats) return;
  FRepeats = v;
  Describe();
}

namespace {
// Pencil marks one by one, a space between them ("候选 1 7 8"), for a text of two characters or more;
// "" for a shorter one. A text loaded from a file can be long: the first marks are told, and that
// more follow.
std::string PencilMarks(const std::string& text) {
  constexpr int Told = 16;
  std::string marks = "候选";
  int count = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;  // one UTF-8 character
    while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
    if (++count > Told) return marks + " …";
    marks += " " + text.substr(i, length);
    i += length;
  }
  return count >= 2 ? marks : "";
}
}  // namespace

std::string Spoken(const std::string& text) {
  if (text.empty()) return "空";
  std::string marks = PencilMarks(text);
  return marks.empty() ? text : marks;
}

void Tsdunit::set_HintPart(const std::string& v) {
  if (v == FHintPart) return;
  FHintPart = v;
  Describe();
  if (Fsame && Holds(Fsame)) Recolor();
}

// Each thing once: a hint's part that names the cell's repeat itself ("提示：与第3行第2列重复") is
// told in the repeat's place.
void Tsdunit::Describe() {
  std::string d = ReadOnly() ? "提示数" : "";
  std::string marks = PencilMarks(Text());
  if (!marks.empty()) d += (d.empty() ? "" : "，") + marks;
  const std::string repeat = FRepeats.empty() ? "" : "与" + FRepeats + "重复";
  if (!repeat.empty() && FHintPart.find(repeat) == std::string::npos) d += (d.empty() ? "" : "，") + repeat;
  if (!FHintPart.empty()) d += (d.empty() ? "" : "，") + FHintPart;
  set_TextInDescription(!marks.empty());
  if (d != AccessibleDescription()) set_AccessibleDescription(d);
}

void Tsdunit::FilterKey(TObject*, char& Key) {
  if (Key >= '1' && Key <= '9') return;
  if (Key == 8) return;  // Backspace
  if (Key == 9) return;   // Tab moves the focus on
  if (Key == 27) return;  // Escape belongs to the form (the editor closes by it)
  if (Key == '.') return;
  Key = 0;
}

void Tsdunit::UpdateState(TObject*) {
  if (AnsiLengthIsOne(Text()))
    set_zt(2);
  else
    set_zt(3);
}

}  // namespace velmora::sdunit
